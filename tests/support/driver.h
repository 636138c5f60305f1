// The tests' user-interface driver: starts a program, finds its windows, and reads and drives
// them from this process the way UI automation does (messages and window state).
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_resource.h"

namespace support {

using namespace std::chrono_literals;

// Polls the condition until it holds or the deadline passes; true when it held.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds deadline = 10000ms,
               std::chrono::milliseconds every = 20ms);

class RunningProgram {
 public:
  // Starts the program with extra environment variables (NAME=VALUE) and command-line
  // arguments (written after the program's quoted path as they are).
  explicit RunningProgram(const std::filesystem::path& program,
                          const std::vector<std::wstring>& environment = {},
                          const std::wstring& arguments = {});
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  DWORD ProcessId() const { return processId_; }
  DWORD ThreadId() const { return threadId_; }
  // The main window once it is visible and the program waits for input, or nullptr after
  // the deadline.
  HWND WaitForMainWindow();
  // A message box (#32770) of the program, or nullptr after the deadline.
  HWND WaitForMessageBox(std::chrono::milliseconds deadline = 10000ms);
  std::vector<HWND> MessageBoxes() const;
  // The exit code once the process has ended, or nullopt after the deadline.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds deadline = 10000ms);
  SIZE_T PeakWorkingSet() const;
  // The file of the module of that name (say L"comctl32.dll") that the program has loaded;
  // empty when it has none.
  std::filesystem::path LoadedModule(const wchar_t* name) const;
  // Ends the process at once (closing its window would make Wine wait for a window manager
  // that Xvfb lacks) and waits until it has gone.
  void Terminate();

 private:
  platform::win32::UniqueHandle process_;
  DWORD processId_ = 0;
  DWORD threadId_ = 0;
};

// The top-level windows of a process (0: of any process) with the given class (nullptr: any).
std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className = nullptr);
// The first of them that is visible, or nullptr.
HWND VisibleTopLevelWindow(DWORD processId, const wchar_t* className);
std::vector<HWND> ChildWindows(HWND parent);
std::wstring Text(HWND window);
std::wstring ClassName(HWND window);
RECT RectInClient(HWND child, HWND parent);
HWND FocusOf(DWORD threadId);

HWND ChildWithText(HWND parent, const std::wstring& text);

// What a message box shows: its title, its text and its buttons.
struct MessageBoxView {
  HWND window = nullptr;
  std::wstring title;
  std::wstring text;
  bool yesNo = false;
  bool ok = false;
  bool icon = false;
};
MessageBoxView ReadMessageBox(HWND box);
// Clicks the box's button and waits until the box has gone: a check sent to the program's
// thread would otherwise be handled first, while the posted answer still waits in its queue.
bool AnswerMessageBox(HWND box, int button);

}  // namespace support
