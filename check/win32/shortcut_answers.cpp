#include "check/win32/shortcut_answers.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <set>

#include "check/win32/files.h"
#include "desktop/wsh.h"
#include "platform/win32/bound_functions.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_resource.h"
#include "platform/win32/windows_automation.h"

namespace check::win32 {
namespace {

namespace bound = platform::win32::bound;
using platform::win32::UniqueHandle;
using Clock = std::chrono::steady_clock;

// The step on a thread of its own, in an apartment of its own. Once the step has returned the
// thread goes on handling its messages until it is told to end: the shell may still be
// copying in the background.
struct StepThread {
  std::wstring connection;
  Wsh::ShortcutSteps steps;
  UniqueHandle returned{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  UniqueHandle end{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

DWORD WINAPI RunStep(void* data) {
  auto& step = *static_cast<StepThread*>(data);
  platform::win32::WindowsAutomation automation;
  step.steps = Wsh::CreateConnectionShortcut(automation, step.connection);
  ::SetEvent(step.returned.get());
  HANDLE end = step.end.get();
  while (::MsgWaitForMultipleObjects(1, &end, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  return 0;
}

bool Signalled(HANDLE event) { return ::WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

std::wstring Lowered(std::wstring text) {
  if (!text.empty()) ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::set<HWND> VisibleWindowsOfThisProcess() {
  std::set<HWND> windows;
  for (HWND window = ::GetWindow(::GetDesktopWindow(), GW_CHILD); window != nullptr;
       window = ::GetWindow(window, GW_HWNDNEXT)) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window)) windows.insert(window);
  }
  return windows;
}

// A window's text, asked of the thread that owns it without waiting on a thread that hangs.
std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 2000, &length))
    return {};
  return std::wstring(text, std::min<std::size_t>(length, std::size(text) - 1));
}

// What a window says: the texts of its static controls, the pictures left out.
std::wstring MessageOf(HWND window) {
  std::wstring message;
  for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t kind[16] = {};
    ::GetClassNameW(child, kind, 16);
    if (_wcsicmp(kind, L"Static") != 0 || (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      continue;
    const std::wstring text = TextOf(child);
    if (!text.empty()) message += (message.empty() ? L"" : L" ") + text;
  }
  return message;
}

// Refuses: Cancel where the window has it, else No, else closes it. True once it is gone.
bool Refuse(HWND window) {
  HWND button = nullptr;
  int id = IDCANCEL;
  for (const int refusal : {IDCANCEL, IDNO})
    if (button == nullptr && (button = ::GetDlgItem(window, refusal)) != nullptr) id = refusal;
  if (button != nullptr)
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  else
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  const auto until = Clock::now() + std::chrono::seconds(3);
  while (::IsWindow(window) && ::IsWindowVisible(window)) {
    if (Clock::now() > until) return false;
    ::Sleep(20);
  }
  return true;
}

// The desktop folders the shell may put the shortcut in, and the files each held before.
struct DesktopFolder {
  std::wstring path;
  bool programDeletesHere = false;
  std::set<std::wstring> before;
};

struct Watch {
  std::vector<DesktopFolder> folders;
  std::set<HWND> windowsBefore;
  std::set<HWND> handled;
  ShortcutAnswers& answers;

  void AddFolder(const std::wstring& path, bool programDeletesHere) {
    if (path.empty()) return;
    for (DesktopFolder& folder : folders) {
      if (Lowered(folder.path) == Lowered(path)) {
        folder.programDeletesHere = folder.programDeletesHere || programDeletesHere;
        return;
      }
    }
    folders.push_back({path, programDeletesHere, FileNames(path)});
  }

  // Every window of the process shown since the step began, read and refused.
  void RefuseNewWindows() {
    for (HWND window : VisibleWindowsOfThisProcess()) {
      if (windowsBefore.count(window) != 0 || !handled.insert(window).second) continue;
      ShortcutAnswers::ShellWindow shown{TextOf(window), MessageOf(window), false};
      shown.closed = Refuse(window);
      answers.windows.push_back(shown);
    }
  }

  struct Made {
    std::wstring path;
    ShortcutAnswers::NewFile file;
  };
  std::vector<Made> NewFiles() const {
    std::vector<Made> made;
    for (const DesktopFolder& folder : folders)
      for (const std::wstring& name : FileNames(folder.path))
        if (folder.before.count(name) == 0)
          made.push_back({folder.path + L"\\" + name, {name, folder.programDeletesHere}});
    return made;
  }
};

// What the shortcut leads to, as the shell names it; nullopt where it cannot tell.
std::optional<std::wstring> TargetOf(const std::wstring& file) {
  if (!platform::win32::EnsureComApartment()) return std::nullopt;
  platform::win32::ComPtr<IShellLinkW> link;
  if (FAILED(bound::Call(bound::CoCreateInstance, bound::kNotBound, CLSID_ShellLink, nullptr,
                         DWORD{CLSCTX_INPROC_SERVER}, IID_IShellLinkW, link.put_void())))
    return std::nullopt;
  const auto persisted = link.As<IPersistFile>(IID_IPersistFile);
  if (!persisted || FAILED(persisted->Load(file.c_str(), STGM_READ))) return std::nullopt;
  PIDLIST_ABSOLUTE items = nullptr;
  if (FAILED(link->GetIDList(&items)) || items == nullptr) return std::nullopt;
  const std::unique_ptr<ITEMIDLIST, void (*)(ITEMIDLIST*)> owned(
      items, [](ITEMIDLIST* list) { bound::CallIfBound(bound::CoTaskMemFree, list); });
  SHFILEINFOW info{};
  if (bound::Call(bound::SHGetFileInfoW, DWORD_PTR{0}, reinterpret_cast<LPCWSTR>(items), DWORD{0},
                  &info, UINT{sizeof info}, UINT{SHGFI_PIDL | SHGFI_DISPLAYNAME}) == 0 ||
      info.szDisplayName[0] == L'\0')
    return std::nullopt;
  return std::wstring(info.szDisplayName);
}

}  // namespace

std::vector<std::wstring>& HeldMessageBoxes() {
  // Never destroyed: a step that hangs may still be showing a box when the check ends.
  static auto* const boxes = new std::vector<std::wstring>;
  return *boxes;
}

ShortcutAnswers AskShortcut(const std::wstring& entryName) {
  ShortcutAnswers answers;
  answers.asked = answers.entryWritten = true;
  answers.entryName = entryName;
  answers.deletedName = entryName + L".lnk";
  answers.waitedSeconds = kShortcutWaitSeconds;

  Watch watch{{}, VisibleWindowsOfThisProcess(), {}, answers};
  {
    platform::win32::WindowsAutomation automation;
    const std::wstring programs = Wsh::DesktopDirectory(automation);
    answers.scriptHostDesktop = !programs.empty();
    watch.AddFolder(programs, true);
  }
  watch.AddFolder(ShellFolder(CSIDL_DESKTOPDIRECTORY), false);
  watch.AddFolder(ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY), false);

  HeldMessageBoxes().clear();
  auto step = std::make_unique<StepThread>();
  step->connection = entryName;
  const UniqueHandle thread(::CreateThread(nullptr, 0, RunStep, step.get(), 0, nullptr));
  if (!thread) {
    answers.returned = false;
    return answers;
  }
  // Until the shell has made as many files as the step handed it items, or has been answered,
  // or the time is up.
  const auto deadline = Clock::now() + std::chrono::seconds(kShortcutWaitSeconds);
  bool returned = false;
  for (;;) {
    watch.RefuseNewWindows();
    returned = Signalled(step->returned.get());
    if (returned && (step->steps.copied == 0 || !answers.windows.empty() ||
                     watch.NewFiles().size() >= static_cast<std::size_t>(step->steps.copied)))
      break;
    if (Clock::now() >= deadline) break;
    ::Sleep(50);
  }
  answers.returned = returned;
  if (returned) {
    answers.steps = step->steps;
    answers.boxes = HeldMessageBoxes();
  }
  ::SetEvent(step->end.get());
  // A step that hangs is left to the end of the process, with what it uses.
  if (::WaitForSingleObject(thread.get(), 5000) != WAIT_OBJECT_0) static_cast<void>(step.release());
  watch.RefuseNewWindows();

  const std::vector<Watch::Made> made = watch.NewFiles();
  for (const Watch::Made& file : made) answers.newFiles.push_back(file.file);
  if (!made.empty()) answers.target = TargetOf(made.front().path);
  for (const Watch::Made& file : made)
    if (!::DeleteFileW(file.path.c_str())) answers.notDeleted.push_back(file.file.name);
  return answers;
}

}  // namespace check::win32
