// A small user-interface driver: starts the program, finds its windows, and reads and drives
// them from this process the way UI automation does (messages, window state, remote memory).
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_resource.h"

namespace e2e {

using namespace std::chrono_literals;

// Polls the condition until it holds or the deadline passes; true when it held.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds deadline = 10000ms);

std::filesystem::path TestFolder();      // where this test program is
std::filesystem::path ProgramFile();     // the program of the same build
std::filesystem::path OpenRecorderFile();

class RunningProgram {
 public:
  // Starts the program with extra environment variables (NAME=VALUE).
  explicit RunningProgram(const std::filesystem::path& program,
                          const std::vector<std::wstring>& environment = {});
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
  bool Responds(HWND window) const;

 private:
  platform::win32::UniqueHandle process_;
  DWORD processId_ = 0;
  DWORD threadId_ = 0;
};

// The top-level windows of a process with the given class (nullptr: any).
std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className = nullptr);
std::vector<HWND> ChildWindows(HWND parent);
std::wstring Text(HWND window);
std::wstring ClassName(HWND window);
RECT RectInClient(HWND child, HWND parent);
HWND FocusOf(DWORD threadId);

struct Tool {
  UINT flags;
  HWND owner;
  UINT_PTR id;
  RECT rect;
  std::wstring text;
};
// The tools of a tooltip control of another process, with their texts.
std::vector<Tool> TooltipTools(HWND tooltip, DWORD processId);

HWND ChildWithText(HWND parent, const std::wstring& text);

// What the recording stand-ins leave behind, and where.
std::filesystem::path SystemFolder();
std::string ReadFile(const std::filesystem::path& path);
// The file's lines without their line ends, "\r\n" or "\n".
std::vector<std::string> Lines(const std::filesystem::path& path);
std::string Utf8(const std::wstring& text);

// Sets a value of HKLM for the life of the object and puts the old one back afterwards.
class RegistryValueOverride {
 public:
  RegistryValueOverride(const std::wstring& key, const std::wstring& value);
  ~RegistryValueOverride();
  RegistryValueOverride(const RegistryValueOverride&) = delete;
  RegistryValueOverride& operator=(const RegistryValueOverride&) = delete;

 private:
  std::wstring key_;
  std::optional<std::wstring> previous_;
};

}  // namespace e2e
