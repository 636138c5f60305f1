#include "bench/driver/measurements.h"

#include <windows.h>

#include <functional>
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

// What both clicks are timed over, so that the program's and the yardstick's figures are of
// the same span: the window's two check boxes cleared by clicking them, its thread idle (a
// message sent to it has come back), then from posting the button's click until a message
// box of the process is visible. onLook runs at every look, with the time so far.
struct ClickToBox {
  HWND box = nullptr;
  double milliseconds = 0;
};

ClickToBox TimeClickToBox(const LaunchedProgram& launched, HWND frame,
                          const std::function<void(double)>& onLook) {
  const Buttons buttons = ButtonsOf(frame);
  if (buttons.checkBoxes.size() != 2 || buttons.pushButtons.size() != 1)
    throw std::runtime_error("the window does not hold two check boxes and one button");
  for (HWND checkBox : buttons.checkBoxes) Clear(checkBox);
  DWORD_PTR ignored = 0;
  if (!::SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_BLOCK, kTimeoutMs, &ignored))
    throw std::runtime_error("the window does not answer");

  const Stopwatch stopwatch;
  ::PostMessageW(buttons.pushButtons[0], BM_CLICK, 0, 0);
  ClickToBox result;
  result.box = launched.WaitFor(
      [&](DWORD processId) {
        if (onLook) onLook(stopwatch.Milliseconds());
        return FindDialog(processId);
      },
      kTimeoutMs, "a message box");
  result.milliseconds = stopwatch.Milliseconds();
  return result;
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
  Sample sample;
  // Polled together: when the entry lands in the file, and when the box shows.
  const ClickToBox click = TimeClickToBox(launched, frame, [&](double milliseconds) {
    if (sample.entryWrittenMilliseconds == 0 && FileHasContent(phonebookPath))
      sample.entryWrittenMilliseconds = milliseconds;
  });
  HWND box = click.box;
  sample.milliseconds = click.milliseconds - kCommandWaitsMs;
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
  Sample sample;
  const ClickToBox click = TimeClickToBox(launched, frame, nullptr);
  sample.milliseconds = click.milliseconds;
  Answer(click.box);
  launched.End();
  return sample;
}

}  // namespace bench
