#include "bench/driver/measurements.h"

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <vector>

#include "bench/driver/stopwatch.h"
#include "tests/support/driver.h"
#include "tests/support/files.h"

namespace bench {
namespace {

using namespace std::chrono_literals;
using support::RunningProgram;

constexpr auto kTimeout = 30000ms;
constexpr auto kLookEvery = 1ms;
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
  if (!support::AnswerMessageBox(box, IDOK)) throw std::runtime_error("the box did not close");
}

// The first visible captioned top-level window of the process that probe accepts.
HWND VisibleWindow(DWORD processId, bool dialog) {
  for (HWND window : support::TopLevelWindows(processId)) {
    const bool captioned = (::GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    const bool isDialog = support::ClassName(window) == L"#32770";
    if (::IsWindowVisible(window) && captioned && isDialog == dialog) return window;
  }
  return nullptr;
}

// Looks every millisecond until the window shows; throws when the program ends first or the
// time is up. onLook runs at every look.
HWND WaitForWindow(RunningProgram& program, bool dialog, const char* what,
                   const std::function<void()>& onLook = nullptr) {
  HWND found = nullptr;
  bool ended = false;
  support::WaitUntil(
      [&] {
        if (onLook) onLook();
        found = VisibleWindow(program.ProcessId(), dialog);
        ended = found == nullptr && program.WaitForExit(0ms).has_value();
        return found != nullptr || ended;
      },
      kTimeout, kLookEvery);
  if (ended) throw std::runtime_error(std::string("the program ended before ") + what);
  if (found == nullptr) throw std::runtime_error(std::string("timed out waiting for ") + what);
  return found;
}

struct Buttons {
  std::vector<HWND> checkBoxes;
  std::vector<HWND> pushButtons;
};

Buttons ButtonsOf(HWND frame) {
  Buttons buttons;
  for (HWND child : support::ChildWindows(frame)) {
    if (_wcsicmp(support::ClassName(child).c_str(), L"Button") != 0) continue;
    const LONG type = ::GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) buttons.pushButtons.push_back(child);
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) buttons.checkBoxes.push_back(child);
  }
  return buttons;
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

ClickToBox TimeClickToBox(RunningProgram& program, HWND frame,
                          const std::function<void(double)>& onLook) {
  const Buttons buttons = ButtonsOf(frame);
  if (buttons.checkBoxes.size() != 2 || buttons.pushButtons.size() != 1)
    throw std::runtime_error("the window does not hold two check boxes and one button");
  for (HWND checkBox : buttons.checkBoxes) Clear(checkBox);
  DWORD_PTR ignored = 0;
  if (!::SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_BLOCK, 30000, &ignored))
    throw std::runtime_error("the window does not answer");

  const Stopwatch stopwatch;
  ::PostMessageW(buttons.pushButtons[0], BM_CLICK, 0, 0);
  ClickToBox result;
  result.box = WaitForWindow(program, true, "a message box", [&] {
    if (onLook) onLook(stopwatch.Milliseconds());
  });
  result.milliseconds = stopwatch.Milliseconds();
  return result;
}

}  // namespace

Sample MeasureStart(const std::wstring& program) {
  const Stopwatch stopwatch;
  RunningProgram launched(program);
  WaitForWindow(launched, false, "the main window");
  Sample sample;
  sample.milliseconds = stopwatch.Milliseconds();
  launched.Terminate();
  return sample;
}

Sample MeasureClick(const std::wstring& program, const std::wstring& phonebookPath) {
  ::DeleteFileW(phonebookPath.c_str());
  ::SetEnvironmentVariableW(L"DIALWRIGHT_STANDIN_PHONEBOOK", phonebookPath.c_str());

  RunningProgram launched(program);
  HWND frame = WaitForWindow(launched, false, "the main window");
  Sample sample;
  // Polled together: when the entry lands in the file, and when the box shows.
  const ClickToBox click = TimeClickToBox(launched, frame, [&](double milliseconds) {
    if (sample.entryWrittenMilliseconds == 0 && FileHasContent(phonebookPath))
      sample.entryWrittenMilliseconds = milliseconds;
  });
  HWND box = click.box;
  sample.milliseconds = click.milliseconds - kCommandWaitsMs;
  sample.peakWorkingSetKiB = KiB(launched.PeakWorkingSet());

  const std::wstring text = support::ReadMessageBox(box).text;
  if (text != kConfirmation)
    throw std::runtime_error("the click showed \"" + support::Utf8(text) + "\", not the confirmation");
  Answer(box);
  launched.Terminate();
  // A confirmation without an entry would time a command that did not do its work.
  if (!FileHasContent(phonebookPath))
    throw std::runtime_error("the confirmation came, but no entry was written");
  return sample;
}

Sample MeasureFirstBox(const std::wstring& minimal) {
  RunningProgram launched(minimal, {}, L"/box");
  HWND frame = WaitForWindow(launched, false, "the minimal window");
  Sample sample;
  const ClickToBox click = TimeClickToBox(launched, frame, nullptr);
  sample.milliseconds = click.milliseconds;
  sample.peakWorkingSetKiB = KiB(launched.PeakWorkingSet());
  Answer(click.box);
  launched.Terminate();
  return sample;
}

}  // namespace bench
