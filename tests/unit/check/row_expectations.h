// What a row of the check's report must say: its verdict, and words that stand in its lines.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "check/report.h"

namespace check_tests {

using check::State;

struct Says {
  State state;
  std::vector<std::wstring> words;  // each in one of the row's lines
  std::vector<std::wstring> absent = {};  // none in any line
};

// For the failure messages only.
inline std::string Narrow(const std::wstring& text) { return check::Utf8File(text).substr(3); }

inline std::string Lines(const check::Row& row) {
  std::string all;
  for (const std::wstring& line : row.lines) all += "\n  " + Narrow(line);
  return all;
}

inline void ExpectRow(const check::Row& row, const Says& says, const std::string& name) {
  EXPECT_EQ(row.Verdict(), says.state) << name << Lines(row);
  for (const std::wstring& word : says.words) {
    bool found = false;
    for (const std::wstring& line : row.lines) found = found || line.find(word) != std::wstring::npos;
    EXPECT_TRUE(found) << name << ": no line says \"" << Narrow(word) << "\"" << Lines(row);
  }
  for (const std::wstring& word : says.absent)
    for (const std::wstring& line : row.lines)
      EXPECT_EQ(line.find(word), std::wstring::npos) << name << ": says \"" << Narrow(word) << "\"" << Lines(row);
}

}  // namespace check_tests
