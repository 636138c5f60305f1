// The check's report: one row per question this Windows answers, each as expected, differing
// (and exactly how) or not to be told on this system (and why), in plain Russian text with
// the system's own values as the system gives them.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace check {

// In the order of gravity: a row is as grave as its gravest line.
enum class State { kAsExpected, kCannotBeTold, kDiffers };

struct Row {
  explicit Row(std::wstring rowTitle) : title(std::move(rowTitle)) {}

  std::wstring title;
  State state = State::kAsExpected;
  std::vector<std::wstring> lines;

  // A line of what was found; the row becomes at least that grave.
  void Note(State lineState, std::wstring line);
};

// The whole report: its heading lines, each row with its state and lines, and a last line
// with how many rows there were of each state.
std::wstring ReportText(const std::vector<std::wstring>& heading, const std::vector<Row>& rows);

// UTF-8 with a byte-order mark and CR LF line ends: what Notepad on Windows XP reads as UTF-8.
std::string Utf8File(const std::wstring& text);

// The process's exit code: 0 when no row differs (rows that cannot be told do not count), 1
// when one does; kCouldNotRun when the check itself could not run.
int ExitCode(const std::vector<Row>& rows);
inline constexpr int kCouldNotRun = 2;

// A system's text in guillemets, its trailing line breaks and dots gone.
std::wstring Quoted(std::wstring text);

}  // namespace check
