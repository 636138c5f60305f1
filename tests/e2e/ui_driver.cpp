#include "tests/e2e/ui_driver.h"

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace e2e {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(20ms);
  }
}

std::filesystem::path TestFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(std::wstring(path, length)).parent_path();
}

std::filesystem::path ProgramFile() {
  // tests/e2e/ of the build folder; the program is at the top of the same build.
  return TestFolder().parent_path().parent_path() / L"Dialwright VPN 1.0.exe";
}

std::filesystem::path OpenRecorderFile() { return TestFolder() / L"open_recorder.exe"; }

// ---- the program's process

RunningProgram::RunningProgram(const std::filesystem::path& program,
                               const std::vector<std::wstring>& environment) {
  // The child inherits this process's environment: set the extras here for the start only.
  std::vector<std::pair<std::wstring, std::optional<std::wstring>>> saved;
  for (const auto& assignment : environment) {
    const auto equals = assignment.find(L'=');
    const std::wstring name = assignment.substr(0, equals);
    wchar_t old[4096];
    const DWORD length = ::GetEnvironmentVariableW(name.c_str(), old, 4096);
    saved.emplace_back(name, length ? std::optional<std::wstring>(std::wstring(old, length))
                                    : std::nullopt);
    ::SetEnvironmentVariableW(name.c_str(), assignment.substr(equals + 1).c_str());
  }
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  const BOOL started = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                                        FALSE, 0, nullptr, nullptr, &startup, &info);
  for (const auto& [name, value] : saved)
    ::SetEnvironmentVariableW(name.c_str(), value ? value->c_str() : nullptr);
  if (!started) throw std::runtime_error("could not start the program");
  process_.reset(info.hProcess);
  ::CloseHandle(info.hThread);
  processId_ = info.dwProcessId;
  threadId_ = info.dwThreadId;
}

RunningProgram::~RunningProgram() {
  if (!process_ || ::WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) return;
  for (HWND box : MessageBoxes()) ::PostMessageW(box, WM_CLOSE, 0, 0);
  for (HWND window : TopLevelWindows(processId_, L"ОсновнаяФорма"))
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process_.get(), 5000) != WAIT_OBJECT_0)
    ::TerminateProcess(process_.get(), 99);
  ::WaitForSingleObject(process_.get(), 5000);
}

HWND RunningProgram::WaitForMainWindow() {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND window : TopLevelWindows(processId_, L"ОсновнаяФорма"))
      if (::IsWindowVisible(window)) found = window;
    return found != nullptr;
  });
  // Ready once it waits for input: what the window finishes after it shows (its tooltips)
  // is there by then.
  if (found != nullptr) ::WaitForInputIdle(process_.get(), 10000);
  return found;
}

std::vector<HWND> RunningProgram::MessageBoxes() const {
  return TopLevelWindows(processId_, L"#32770");
}

HWND RunningProgram::WaitForMessageBox(std::chrono::milliseconds deadline) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND box : MessageBoxes())
          if (::IsWindowVisible(box)) found = box;
        return found != nullptr;
      },
      deadline);
  return found;
}

std::optional<DWORD> RunningProgram::WaitForExit(std::chrono::milliseconds deadline) {
  if (::WaitForSingleObject(process_.get(), static_cast<DWORD>(deadline.count())) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 0;
  ::GetExitCodeProcess(process_.get(), &code);
  return code;
}

bool RunningProgram::Responds(HWND window) const {
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

// ---- windows

namespace {

struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == search.processId && (!search.className || ClassName(window) == search.className))
    search.found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className) {
  WindowSearch search{processId, className, {}};
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

std::wstring Text(HWND window) {
  wchar_t buffer[1024];
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer),
                             SMTO_ABORTIFHUNG, 5000, &length))
    return L"<no answer>";
  return std::wstring(buffer, length);
}

std::wstring ClassName(HWND window) {
  wchar_t buffer[256];
  const int length = ::GetClassNameW(window, buffer, 256);
  return std::wstring(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

RECT RectInClient(HWND child, HWND parent) {
  RECT rect{};
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

HWND FocusOf(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return ::GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

// ---- tooltips of another process

namespace {

// Memory in another process for the messages whose parameters are pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(DWORD processId, std::size_t size)
      : process_(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               processId)) {
    if (!process_) throw std::runtime_error("OpenProcess failed");
    address_ = static_cast<char*>(
        ::VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!address_) throw std::runtime_error("VirtualAllocEx failed");
  }
  ~RemoteBuffer() { ::VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE); }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  char* At(std::size_t offset) const { return address_ + offset; }
  void Write(std::size_t offset, const void* data, std::size_t size) const {
    ::WriteProcessMemory(process_.get(), At(offset), data, size, nullptr);
  }
  void Read(std::size_t offset, void* data, std::size_t size) const {
    ::ReadProcessMemory(process_.get(), At(offset), data, size, nullptr);
  }

 private:
  platform::win32::UniqueHandle process_;
  char* address_ = nullptr;
};

}  // namespace

std::vector<Tool> TooltipTools(HWND tooltip, DWORD processId) {
  constexpr std::size_t kTextOffset = 512;
  constexpr std::size_t kTextCharacters = 1024;
  RemoteBuffer remote(processId, kTextOffset + kTextCharacters * sizeof(wchar_t));
  std::vector<Tool> tools;
  const auto count = ::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    remote.Write(0, &info, sizeof(info));
    if (!::SendMessageW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(remote.At(0))))
      continue;
    remote.Read(0, &info, sizeof(info));
    Tool tool{info.uFlags, info.hwnd, info.uId, info.rect, {}};
    const wchar_t empty = 0;
    remote.Write(kTextOffset, &empty, sizeof(empty));
    info.lpszText = reinterpret_cast<wchar_t*>(remote.At(kTextOffset));
    remote.Write(0, &info, sizeof(info));
    ::SendMessageW(tooltip, TTM_GETTEXTW, kTextCharacters, reinterpret_cast<LPARAM>(remote.At(0)));
    std::wstring text(kTextCharacters, L'\0');
    remote.Read(kTextOffset, text.data(), text.size() * sizeof(wchar_t));
    text.resize(text.find(L'\0'));
    tool.text = text;
    tools.push_back(tool);
  }
  return tools;
}

// ---- registry

RegistryValueOverride::RegistryValueOverride(const std::wstring& key, const std::wstring& value)
    : key_(key) {
  wchar_t old[2048];
  DWORD size = sizeof(old);
  if (::RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, old,
                     &size) == ERROR_SUCCESS)
    previous_ = std::wstring(old);
  if (::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
    throw std::runtime_error("could not set the registry value");
}

RegistryValueOverride::~RegistryValueOverride() {
  if (previous_)
    ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key_.c_str(), nullptr, REG_SZ, previous_->c_str(),
                      static_cast<DWORD>((previous_->size() + 1) * sizeof(wchar_t)));
  else
    ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key_.c_str(), nullptr);
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
  for (HWND child : ChildWindows(parent))
    if (Text(child) == text) return child;
  return nullptr;
}

std::filesystem::path SystemFolder() {
  wchar_t path[MAX_PATH];
  const UINT length = ::GetSystemDirectoryW(path, MAX_PATH);
  return std::filesystem::path(std::wstring(path, length));
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

std::string Utf8(const std::wstring& text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                        size, nullptr, nullptr);
  return bytes;
}

}  // namespace e2e
