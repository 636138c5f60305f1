#include "bench/driver/measurements.h"

#include <windows.h>

#include <stdexcept>

#include "bench/driver/launched_program.h"
#include "bench/driver/process_windows.h"
#include "bench/driver/stopwatch.h"

namespace bench {
namespace {

constexpr DWORD kTimeoutMs = 30000;
constexpr double kCommandWaitsMs = 2 * 250.0;
constexpr const wchar_t* kConfirmation = L"Подключение создано.";

double KiB(SIZE_T bytes) { return static_cast<double>(bytes) / 1024.0; }

// Clears a check box the way a user does, by clicking it.
void Clear(HWND checkBox) {
  if (::SendMessageW(checkBox, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
    ::SendMessageW(checkBox, BM_CLICK, 0, 0);
  if (::SendMessageW(checkBox, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
    throw std::runtime_error("a check box does not clear when clicked");
}

void Answer(HWND box) {
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  const ULONGLONG deadline = ::GetTickCount64() + kTimeoutMs;
  while (::IsWindow(box)) {
    if (::GetTickCount64() > deadline) throw std::runtime_error("the box did not close");
    ::Sleep(1);
  }
}

bool FileHasContent(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
         (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0);
}

}  // namespace

Sample MeasureStart(const std::wstring& program) {
  const Stopwatch stopwatch;
  LaunchedProgram launched(program);
  launched.WaitFor(FindFrame, kTimeoutMs, "the main window");
  Sample sample;
  sample.milliseconds = stopwatch.Milliseconds();
  sample.peakWorkingSetKiB = KiB(launched.PeakWorkingSet());
  launched.End();
  return sample;
}

Sample MeasureClick(const std::wstring& program, const std::wstring& phonebookPath) {
  ::DeleteFileW(phonebookPath.c_str());
  ::SetEnvironmentVariableW(L"DIALWRIGHT_STANDIN_PHONEBOOK", phonebookPath.c_str());

  LaunchedProgram launched(program);
  HWND frame = launched.WaitFor(FindFrame, kTimeoutMs, "the main window");
  const Buttons buttons = ButtonsOf(frame);
  if (buttons.checkBoxes.size() != 2 || buttons.pushButtons.size() != 1)
    throw std::runtime_error("the window does not hold two check boxes and one button");
  for (HWND checkBox : buttons.checkBoxes) Clear(checkBox);

  Sample sample;
  const Stopwatch stopwatch;
  ::PostMessageW(buttons.pushButtons[0], BM_CLICK, 0, 0);
  // Polled together: when the entry lands in the file, and when the box shows.
  HWND box = launched.WaitFor(
      [&](DWORD processId) {
        if (sample.entryWrittenMilliseconds == 0 && FileHasContent(phonebookPath))
          sample.entryWrittenMilliseconds = stopwatch.Milliseconds();
        return FindDialog(processId);
      },
      kTimeoutMs, "a message box");
  sample.milliseconds = stopwatch.Milliseconds() - kCommandWaitsMs;
  sample.peakWorkingSetKiB = KiB(launched.PeakWorkingSet());

  const std::wstring text = MessageBoxText(box);
  if (text != kConfirmation)
    throw std::runtime_error("the click showed \"" + Utf8(text) + "\", not the confirmation");
  Answer(box);
  launched.End();
  // A confirmation without an entry would time a command that did not do its work.
  if (!FileHasContent(phonebookPath))
    throw std::runtime_error("the confirmation came, but no entry was written");
  return sample;
}

Sample MeasureFirstBox(const std::wstring& minimal) {
  LaunchedProgram launched(minimal, L"/box");
  HWND frame = launched.WaitFor(FindFrame, kTimeoutMs, "the minimal window");
  const Buttons buttons = ButtonsOf(frame);
  if (buttons.pushButtons.size() != 1)
    throw std::runtime_error("the minimal window started with /box has no button");

  Sample sample;
  const Stopwatch stopwatch;
  ::PostMessageW(buttons.pushButtons[0], BM_CLICK, 0, 0);
  HWND box = launched.WaitFor(FindDialog, kTimeoutMs, "the minimal window's message box");
  sample.milliseconds = stopwatch.Milliseconds();
  Answer(box);
  launched.End();
  return sample;
}

}  // namespace bench
