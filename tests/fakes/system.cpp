#include "tests/fakes/system.h"

#include <array>
#include <cstring>
#include <utility>

namespace fakes {
namespace {

// Bytes 0x80..0xBF of Windows-1251; 0xC0..0xFF are А..я (U+0410..U+044F) in order.
constexpr std::array<wchar_t, 64> kHighRow = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

wchar_t ToWide(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return static_cast<wchar_t>(0x0410 + (byte - 0xC0));
  return kHighRow[byte - 0x80];
}

char ToByte(wchar_t character) {
  if (character < 0x80) return static_cast<char>(character);
  if (character >= 0x0410 && character <= 0x044F)
    return static_cast<char>(0xC0 + (character - 0x0410));
  for (std::size_t i = 0; i < kHighRow.size(); ++i)
    if (kHighRow[i] == character) return static_cast<char>(0x80 + i);
  return '?';  // the system's default character for what the code page lacks
}

thread_local int systemSideDepth = 0;

}  // namespace

SystemSide::SystemSide() { ++systemSideDepth; }
SystemSide::~SystemSide() { --systemSideDepth; }
bool OnTheSystemsSide() { return systemSideDepth > 0; }

std::optional<std::size_t> Fallible(std::wstring_view call,
                                    const std::vector<const wchar_t*>& ways) {
  auto& system = TheSystem();
  if (!system.countingCalls) return std::nullopt;  // (the benchmarks time the program, not this)
  const SystemSide bookkeeping;
  system.calls.push_back({std::wstring(call), ways});
  if (!system.failure || system.failure->call != system.calls.size()) return std::nullopt;
  return system.failure->way;
}

std::wstring Cp1251(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (char byte : bytes) text.push_back(ToWide(static_cast<unsigned char>(byte)));
  return text;
}

System& TheSystem() {
  static System system;
  return system;
}

void Reset() { TheSystem() = System{}; }

std::vector<std::wstring> TakeJournal() { return std::exchange(TheSystem().journal, {}); }

std::vector<std::wstring> LinesStartingWith(const std::vector<std::wstring>& journal,
                                            std::wstring_view prefix) {
  std::vector<std::wstring> lines;
  for (const std::wstring& line : journal)
    if (line.starts_with(prefix)) lines.push_back(line);
  return lines;
}

void Journal(std::wstring line) {
  const SystemSide bookkeeping;
  TheSystem().journal.push_back(std::move(line));
}

}  // namespace fakes

namespace platform {

using fakes::Fallible;
using fakes::Journal;
using fakes::SystemSide;
using fakes::TheSystem;
using std::to_wstring;

std::string ToAnsi(std::wstring_view text) {
  Fallible(L"ToAnsi");
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t character : text) bytes.push_back(fakes::ToByte(character));
  return bytes;
}

std::wstring FromAnsi(std::string_view bytes) {
  Fallible(L"FromAnsi");
  return fakes::Cp1251(bytes);
}

void ReportError(const std::wstring& text) {
  const SystemSide bookkeeping;
  Fallible(L"ReportError");
  Journal(L"event log: " + text);
  if (TheSystem().onReportError) TheSystem().onReportError(text);
}

std::uint32_t FormatSystemMessage(std::uint32_t flags, std::uint32_t messageId,
                                  std::uint32_t languageId, char* buffer, std::uint32_t size) {
  const SystemSide bookkeeping;
  Journal(L"FormatMessage " + to_wstring(flags) + L" " + to_wstring(messageId) + L" " +
          to_wstring(languageId) + L" " + to_wstring(size));
  if (Fallible(L"FormatMessageA", {L"0, nothing written"})) return 0;
  const std::string& message = TheSystem().systemMessage;
  if (message.size() > size) return 0;
  std::memcpy(buffer, message.data(), message.size());
  return static_cast<std::uint32_t>(message.size());
}

bool DeleteFileA(const std::string& ansiPath) {
  const SystemSide bookkeeping;
  const std::wstring path = fakes::Cp1251(ansiPath);
  Journal(L"DeleteFileA " + path);
  if (Fallible(L"DeleteFileA", {L"false"})) return false;
  return TheSystem().files.erase(path) != 0;
}

int ShowMessageBox(const std::wstring& text, std::uint32_t style, const std::wstring& title) {
  const SystemSide bookkeeping;
  Journal(L"box " + to_wstring(style) + L" " + title + L": " + text);
  auto& system = TheSystem();
  int answer = (style & 0xF) == MB_YESNO_STYLE ? IDYES_ANSWER : 1;
  if (Fallible(L"MessageBoxW", {L"0, no box"})) {
    answer = 0;
  } else if (!system.answers.empty()) {
    answer = system.answers.front();
    system.answers.pop_front();
  }
  system.answered.push_back(answer);
  return answer;
}

void ShellExecuteA(const std::string& verb, const std::string& file, int showCommand) {
  const SystemSide bookkeeping;
  Journal(L"ShellExecuteA " + fakes::Cp1251(verb) + L" " + fakes::Cp1251(file) + L" " +
          to_wstring(showCommand));
}

bool ShellExecuteOnTheDesktop(const std::string& verb, const std::string& file, int showCommand) {
  const SystemSide bookkeeping;
  Journal(L"ShellExecuteOnTheDesktop " + fakes::Cp1251(verb) + L" " + fakes::Cp1251(file) + L" " +
          to_wstring(showCommand));
  return TheSystem().desktopShellAnswers;
}

bool ProcessIsElevated() { return TheSystem().elevated; }

void Sleep(std::uint32_t milliseconds) {
  const SystemSide bookkeeping;
  Fallible(L"Sleep");
  Journal(L"sleep " + to_wstring(milliseconds));
}

bool StartProcess(const ProcessStart& start) {
  const SystemSide bookkeeping;
  Journal(start.systemProgram + L": " + start.commandLine + L" (show " +
          to_wstring(start.windowState) + L", wait " + to_wstring(start.waitAtMost.count()) +
          L" ms)");
  return !Fallible(L"CreateProcessW", {L"false"});
}

void* LocalAlloc(std::uint32_t flags, std::size_t bytes) {
  const SystemSide bookkeeping;
  Fallible(L"LocalAlloc");  // its failures are counted apart: failingAllocations
  auto& system = TheSystem();
  Journal(L"LocalAlloc " + to_wstring(flags) + L" " + to_wstring(bytes));
  if (system.failingAllocations.count(++system.allocations) != 0) return nullptr;
  // Filled with a pattern, so that a missing LMEM_ZEROINIT shows.
  auto block = std::make_unique_for_overwrite<std::uint8_t[]>(bytes);
  std::memset(block.get(), (flags & LMEM_ZEROINIT_FLAG) != 0 ? 0 : 0xCD, bytes);
  void* address = block.get();
  system.liveBlocks[address] = std::move(block);
  return address;
}

void LocalFree(void* memory) {
  const SystemSide bookkeeping;
  Fallible(L"LocalFree");
  if (TheSystem().liveBlocks.erase(memory) == 0) ++TheSystem().badFrees;
}

}  // namespace platform
