#include "tests/support/driver.h"

#include <psapi.h>

#include <cwchar>
#include <stdexcept>
#include <thread>

namespace support {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline,
               std::chrono::milliseconds every) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(every);
  }
}

// ---- the program's process

RunningProgram::RunningProgram(const std::filesystem::path& program,
                               const std::vector<std::wstring>& environment,
                               const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  // This process's environment with the extras set over it, for the child alone.
  std::wstring block;
  const auto setAgain = [&](std::wstring_view entry) {
    for (const auto& extra : environment)
      if (_wcsnicmp(entry.data(), extra.c_str(), extra.find(L'=') + 1) == 0) return true;
    return false;
  };
  wchar_t* inherited = ::GetEnvironmentStringsW();
  for (const wchar_t* entry = inherited; *entry; entry += std::wcslen(entry) + 1)
    if (!setAgain(entry)) block.append(entry).push_back(L'\0');
  ::FreeEnvironmentStringsW(inherited);
  for (const auto& extra : environment) block.append(extra).push_back(L'\0');
  block.push_back(L'\0');
  const BOOL started =
      ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                       CREATE_UNICODE_ENVIRONMENT, block.data(), nullptr, &startup, &info);
  if (!started) throw std::runtime_error("could not start the program");
  process_.reset(info.hProcess);
  ::CloseHandle(info.hThread);
  processId_ = info.dwProcessId;
  threadId_ = info.dwThreadId;
}

RunningProgram::~RunningProgram() {
  try {
    if (process_) Terminate();
  } catch (const std::runtime_error&) {  // a destructor cannot report it
  }
}

HWND RunningProgram::WaitForMainWindow() {
  HWND found = nullptr;
  WaitUntil([&] { return (found = VisibleTopLevelWindow(processId_, L"ОсновнаяФорма")) != nullptr; });
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
  WaitUntil([&] { return (found = VisibleTopLevelWindow(processId_, L"#32770")) != nullptr; },
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

SIZE_T RunningProgram::PeakWorkingSet() const {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!::GetProcessMemoryInfo(process_.get(), &counters, sizeof counters))
    throw std::runtime_error("cannot read the program's memory counters");
  return counters.PeakWorkingSetSize;
}

std::filesystem::path RunningProgram::LoadedModule(const wchar_t* name) const {
  HMODULE modules[512];
  DWORD bytes = 0;
  if (!::EnumProcessModules(process_.get(), modules, sizeof modules, &bytes)) return {};
  for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < std::size(modules); ++i) {
    wchar_t path[MAX_PATH];
    if (::GetModuleFileNameExW(process_.get(), modules[i], path, MAX_PATH) &&
        _wcsicmp(std::filesystem::path(path).filename().c_str(), name) == 0)
      return path;
  }
  return {};
}

void RunningProgram::Terminate() {
  if (::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) ::TerminateProcess(process_.get(), 1);
  if (::WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0)
    throw std::runtime_error("the program did not end");
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
  if ((search.processId == 0 || owner == search.processId) &&
      (!search.className || ClassName(window) == search.className))
    search.found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className) {
  WindowSearch search{processId, className, {}};
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND VisibleTopLevelWindow(DWORD processId, const wchar_t* className) {
  for (HWND window : TopLevelWindows(processId, className))
    if (::IsWindowVisible(window)) return window;
  return nullptr;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

std::wstring Text(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return L"<no answer>";
  std::wstring text(length + 1, L'\0');
  if (!::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 5000, &length))
    return L"<no answer>";
  text.resize(length);
  return text;
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

HWND ChildWithText(HWND parent, const std::wstring& text) {
  for (HWND child : ChildWindows(parent))
    if (Text(child) == text) return child;
  return nullptr;
}

MessageBoxView ReadMessageBox(HWND window) {
  MessageBoxView box;
  box.window = window;
  box.title = Text(window);
  for (HWND child : ChildWindows(window)) {
    if (ClassName(child) != L"Static") continue;
    if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      box.icon = box.icon || ::SendMessageW(child, STM_GETICON, 0, 0) != 0;
    else if (!Text(child).empty())
      box.text = Text(child);
  }
  box.yesNo = ::GetDlgItem(window, IDYES) != nullptr && ::GetDlgItem(window, IDNO) != nullptr;
  box.ok = ::GetDlgItem(window, IDOK) != nullptr && !box.yesNo;
  return box;
}

bool AnswerMessageBox(HWND box, int button) {
  ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
  return WaitUntil([&] { return !::IsWindow(box); });
}

}  // namespace support
