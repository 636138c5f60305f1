#include "check/report.h"

#include <algorithm>
#include <array>

#include "platform/number_text.h"

namespace check {
namespace {

constexpr std::array<const wchar_t*, 3> kStateNames = {L"как ожидалось",
                                                       L"нельзя проверить на этой системе",
                                                       L"отличается"};

std::size_t Count(const std::vector<Row>& rows, State state) {
  return static_cast<std::size_t>(std::count_if(
      rows.begin(), rows.end(), [state](const Row& row) { return row.Verdict() == state; }));
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool HighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool LowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

void Row::Note(State lineState, std::wstring line) {
  state_ = judged_ ? std::max(state_, lineState) : lineState;
  judged_ = true;
  lines.push_back(std::move(line));
}

std::wstring ReportText(const std::vector<std::wstring>& heading, const std::vector<Row>& rows) {
  const auto number = [](std::size_t n) { return platform::DecimalText(static_cast<std::int64_t>(n)); };
  std::wstring text;
  for (const std::wstring& line : heading) text += line + L"\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    text += L"\n" + number(i + 1) + L". " + row.title + L": " +
            kStateNames[static_cast<std::size_t>(row.Verdict())] + L"\n";
    for (const std::wstring& line : row.lines) text += L"   " + line + L"\n";
    if (!row.Judged()) text += L"   Проверка не смогла об этом судить\n";
  }
  text += L"\nИтого строк: " + number(rows.size()) + L"; как ожидалось: " +
          number(Count(rows, State::kAsExpected)) + L"; отличается: " +
          number(Count(rows, State::kDiffers)) + L"; нельзя проверить на этой системе: " +
          number(Count(rows, State::kCannotBeTold)) + L".\n";
  return text;
}

std::string Utf8File(const std::wstring& text) {
  std::string out = "\xEF\xBB\xBF";
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = static_cast<char32_t>(text[i]);
    if (HighSurrogate(c) && i + 1 < text.size() && LowSurrogate(static_cast<char32_t>(text[i + 1]))) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
    } else if (HighSurrogate(c) || LowSurrogate(c)) {
      c = 0xFFFD;
    }
    if (c == U'\n') out += '\r';
    AppendUtf8(out, c);
  }
  return out;
}

int ExitCode(const std::vector<Row>& rows) { return Count(rows, State::kDiffers) == 0 ? 0 : 1; }

std::wstring Quoted(const std::wstring& text) {
  std::wstring quoted = L"«";
  for (const wchar_t c : text)
    quoted += c < 0x20 ? static_cast<wchar_t>(0x2400 + c) : c == 0x7F ? L'\x2421' : c;
  return quoted + L"»";
}

std::wstring QuotedMessage(std::wstring text) {
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
  return Quoted(text);
}

std::wstring Counted(std::int64_t n, const wchar_t* one, const wchar_t* few, const wchar_t* many) {
  const std::int64_t last = (n < 0 ? -n : n) % 100;
  const wchar_t* noun = many;
  if (last % 10 == 1 && last != 11) noun = one;
  else if (last % 10 >= 2 && last % 10 <= 4 && (last < 12 || last > 14)) noun = few;
  return platform::DecimalText(n) + L" " + noun;
}

}  // namespace check
