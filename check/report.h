// The check's report: one row per question this Windows answers, each as expected, differing
// (and exactly how) or not to be told on this system (and why), in plain Russian text with
// the system's own values as the system gives them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace check {

// In the order of gravity: a row is as grave as its gravest line.
enum class State { kAsExpected, kCannotBeTold, kDiffers };

struct Row {
  explicit Row(std::wstring rowTitle) : title(std::move(rowTitle)) {}

  std::wstring title;
  std::vector<std::wstring> lines;

  // A line of what was found, judged: the row becomes at least that grave.
  void Note(State lineState, std::wstring line);
  // What the row says: its gravest judged line. A row that nobody judged cannot say "as
  // expected": it cannot be told.
  State Verdict() const { return judged_ ? state_ : State::kCannotBeTold; }
  bool Judged() const { return judged_; }

 private:
  State state_ = State::kAsExpected;
  bool judged_ = false;
};

// The whole report: its heading lines, each row with its verdict and lines (a row nobody
// judged says so), and a last line with how many rows there were of each verdict.
std::wstring ReportText(const std::vector<std::wstring>& heading, const std::vector<Row>& rows);

// UTF-8 with a byte-order mark and CR LF line ends: what Notepad on Windows XP reads as UTF-8.
// The text is UTF-16, as on Windows: a surrogate pair is one character, a lone surrogate
// becomes U+FFFD.
std::string Utf8File(const std::wstring& text);

// The process's exit code: 0 when no row differs (rows that cannot be told do not count), 1
// when one does; kCouldNotRun when the check itself could not run.
int ExitCode(const std::vector<Row>& rows);
inline constexpr int kCouldNotRun = 2;

// A value in guillemets exactly as the system gives it; a control character shows as its
// picture (U+2400 + the code: a line break as ␍␊), so that nothing in it goes unseen.
std::wstring Quoted(const std::wstring& text);
// A system's message in guillemets, without the line breaks that end it.
std::wstring QuotedMessage(std::wstring text);

// A number and a noun in the Russian form the number takes: Counted(32, L"член", L"члена",
// L"членов") is "32 члена".
std::wstring Counted(std::int64_t n, const wchar_t* one, const wchar_t* few, const wchar_t* many);

}  // namespace check
