// The two timed journeys through a program under Wine.
#pragma once

#include <string>

namespace bench {

struct Sample {
  double milliseconds = 0;
  double peakWorkingSetKiB = 0;
  // The click only: from the click until the entry stood in the phonebook file.
  double entryWrittenMilliseconds = 0;
};

// Process start until its main window is visible; then the window is closed.
Sample MeasureStart(const std::wstring& program);

// With both check boxes cleared and an empty phonebook at phonebookPath: the button's click
// until the confirmation box shows, less the command's two 250 ms waits. The peak working
// set is read once the box shows, after one full click.
Sample MeasureClick(const std::wstring& program, const std::wstring& phonebookPath);

// The minimal window started with /box, driven as the program is: its button's click until
// its one message box shows. The click figure's yardstick, and the memory figure's: its peak
// working set is read once the box shows, as the program's is.
Sample MeasureFirstBox(const std::wstring& minimal);

}  // namespace bench
