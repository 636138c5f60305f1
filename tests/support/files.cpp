#include "tests/support/files.h"

#include "app/build_settings.h"

#include <windows.h>
#include <shlobj.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/win32/unique_resource.h"

namespace support {

std::filesystem::path TestFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(std::wstring(path, length)).parent_path();
}

// Test programs are built in tests/<folder>/ of their build.
std::filesystem::path BuildFolder() { return TestFolder().parent_path().parent_path(); }
std::filesystem::path ProgramFile() { return BuildFolder() / build_settings::ProgramFileName; }
std::filesystem::path CheckFile() { return BuildFolder() / build_settings::CheckFileName; }
std::filesystem::path DecoyFile() { return BuildFolder() / L"check" / L"probes" / L"version.dll"; }
std::filesystem::path OpenRecorderFile() {
  return BuildFolder() / L"tests" / L"e2e" / L"open_recorder.exe";
}
std::filesystem::path NetshStandinFile() {
  return BuildFolder() / L"tests" / L"win32" / L"netsh_standin" / L"netsh.exe";
}

std::filesystem::path SystemFolder() {
  wchar_t path[MAX_PATH];
  const UINT length = ::GetSystemDirectoryW(path, MAX_PATH);
  return std::filesystem::path(std::wstring(path, length));
}

bool UnderWow64() {
  BOOL wow64 = FALSE;
  return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

std::filesystem::path SystemFilesOfA32BitProgram() {
  wchar_t windows[MAX_PATH];
  const UINT length = ::GetWindowsDirectoryW(windows, MAX_PATH);
  return std::filesystem::path(std::wstring(windows, length)) / (UnderWow64() ? L"SysWOW64" : L"system32");
}

std::filesystem::path DesktopFolder() {
  wchar_t path[MAX_PATH];
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, path))) return {};
  return path;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream stream(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), {});
}

std::vector<std::string> Lines(const std::filesystem::path& path) {
  std::vector<std::string> lines;
  std::istringstream stream(ReadFile(path));
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

namespace {

std::string InCodePage(unsigned codePage, const std::wstring& text) {
  const int size = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                        size, nullptr, nullptr);
  return bytes;
}

}  // namespace

std::string Utf8(const std::wstring& text) { return InCodePage(CP_UTF8, text); }

bool AppendLine(const std::filesystem::path& path, const std::wstring& line) {
  const std::string bytes = Utf8(line + L"\n");
  const platform::win32::UniqueHandle file{::CreateFileW(
      path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (file.get() == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
std::string Cp1251(const std::wstring& text) { return InCodePage(1251, text); }

}  // namespace support
