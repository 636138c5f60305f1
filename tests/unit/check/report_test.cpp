// The report's text: the verdicts and the summary, a row nobody judged, values quoted exactly,
// counted nouns, and the file's UTF-8 against an encoder of its own.
#include "check/report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using check::Row;
using check::State;

TEST(CheckReport, EachRowItsVerdictAndARowNobodyJudgedCannotBeTold) {
  Row judged{L"Первая"}, graver{L"Вторая"}, unjudged{L"Третья"}, told{L"Четвёртая"};
  judged.Note(State::kAsExpected, L"хорошо");
  graver.Note(State::kDiffers, L"плохо");
  graver.Note(State::kAsExpected, L"и хорошо");
  graver.Note(State::kCannotBeTold, L"и не знаю");
  unjudged.lines.push_back(L"только сказано, где");
  told.Note(State::kCannotBeTold, L"не знаю");
  told.Note(State::kAsExpected, L"хорошо");
  EXPECT_EQ(judged.Verdict(), State::kAsExpected);
  EXPECT_EQ(graver.Verdict(), State::kDiffers);
  EXPECT_EQ(unjudged.Verdict(), State::kCannotBeTold);
  EXPECT_EQ(told.Verdict(), State::kCannotBeTold);
  EXPECT_EQ(check::ReportText({L"Заголовок", L"вторая строка"}, {judged, graver, unjudged, told}),
            L"Заголовок\nвторая строка\n"
            L"\n1. Первая: как ожидалось\n   хорошо\n"
            L"\n2. Вторая: отличается\n   плохо\n   и хорошо\n   и не знаю\n"
            L"\n3. Третья: нельзя проверить на этой системе\n   только сказано, где\n"
            L"   Проверка не смогла об этом судить\n"
            L"\n4. Четвёртая: нельзя проверить на этой системе\n   не знаю\n   хорошо\n"
            L"\nИтого строк: 4; как ожидалось: 1; отличается: 1; нельзя проверить на этой системе: 2.\n");
  // Only a row that differs fails the check; one nobody judged does not pass as expected.
  EXPECT_EQ(check::ExitCode({judged, unjudged, told}), 0);
  EXPECT_EQ(check::ExitCode({judged, graver}), 1);
  EXPECT_EQ(check::ExitCode({}), 0);
}

TEST(CheckReport, ValuesQuotedExactlyAndMessagesWithoutTheirLineBreaks) {
  EXPECT_EQ(check::Quoted(L"vpn"), L"«vpn»");
  EXPECT_EQ(check::Quoted(L"vpn "), L"«vpn »");
  EXPECT_EQ(check::Quoted(L"vpn."), L"«vpn.»");
  EXPECT_EQ(check::Quoted(L""), L"«»");
  // Control characters as their pictures: nothing in a value goes unseen, no line breaks.
  EXPECT_EQ(check::Quoted(std::wstring(L"a\r\n\t\0b\x1F\x7F", 8)), L"«a␍␊␉␀b␟␡»");
  EXPECT_EQ(check::QuotedMessage(L"Доступ запрещён.\r\n"), L"«Доступ запрещён.»");
  EXPECT_EQ(check::QuotedMessage(L"Строка\r\nвторая \n\n"), L"«Строка␍␊вторая »");
  EXPECT_EQ(check::QuotedMessage(L"\r\n"), L"«»");
}

TEST(CheckReport, CountedNounsInTheirRussianForms) {
  const struct {
    std::int64_t n;
    const wchar_t* text;
  } rows[] = {{0, L"0 членов"},    {1, L"1 член"},       {2, L"2 члена"},     {4, L"4 члена"},
              {5, L"5 членов"},    {11, L"11 членов"},   {12, L"12 членов"},  {14, L"14 членов"},
              {21, L"21 член"},    {22, L"22 члена"},    {25, L"25 членов"},  {32, L"32 члена"},
              {46, L"46 членов"},  {101, L"101 член"},   {111, L"111 членов"}, {112, L"112 членов"},
              {122, L"122 члена"}, {-1, L"-1 член"},     {-12, L"-12 членов"}};
  for (const auto& row : rows)
    EXPECT_EQ(check::Counted(row.n, L"член", L"члена", L"членов"), row.text) << row.n;
}

#if !defined(_WIN32)
// The file's bytes against Python's own codecs: the text read as UTF-16 (a lone surrogate
// becomes U+FFFD), written as UTF-8 with a byte-order mark and CR LF line ends.
TEST(CheckReport, TheFileIsUtf8AsAnotherEncoderWritesIt) {
  // UTF-16 code units, as the text is on Windows: one, two, three and four bytes in UTF-8, and
  // lone surrogates, high and low, inside and at the end.
  const std::u16string units =
      u"A~\u007F\u0080Ж\u07FF\u0800—…№€\uFFFD\uFFFF\n"
      u"\xD83D\xDE00 \xDBFF\xDFFF x\xD800y\xDC00z\xDE00\xD83D\n\xD83D";
  std::wstring text;
  for (const char16_t unit : units) text.push_back(static_cast<wchar_t>(unit));
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "dialwright-utf8-test";
  std::filesystem::create_directories(folder);
  const auto in = folder / "utf16", out = folder / "utf8";
  {
    std::ofstream file(in, std::ios::binary);
    for (const char16_t unit : units) file.put(static_cast<char>(unit & 0xFF)).put(static_cast<char>(unit >> 8));
  }
  const std::string command =
      "python3 -c \"import sys; t = open(sys.argv[1], 'rb').read().decode('utf-16-le', 'replace'); "
      "open(sys.argv[2], 'wb').write(t.replace('\\n', '\\r\\n').encode('utf-8-sig'))\" " +
      in.string() + " " + out.string();
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream written(out, std::ios::binary);
  const std::string expected{std::istreambuf_iterator<char>(written), {}};
  std::filesystem::remove_all(folder);
  EXPECT_EQ(check::Utf8File(text), expected);
  EXPECT_EQ(expected.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(expected.find("\xF0\x9F\x98\x80"), std::string::npos) << "the pair as one character";
  EXPECT_NE(expected.find("x\xEF\xBF\xBDy"), std::string::npos) << "a lone surrogate";
}
#endif

}  // namespace
