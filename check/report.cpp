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
  return static_cast<std::size_t>(
      std::count_if(rows.begin(), rows.end(), [state](const Row& row) { return row.state == state; }));
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

}  // namespace

void Row::Note(State lineState, std::wstring line) {
  state = std::max(state, lineState);
  lines.push_back(std::move(line));
}

std::wstring ReportText(const std::vector<std::wstring>& heading, const std::vector<Row>& rows) {
  std::wstring text;
  for (const std::wstring& line : heading) text += line + L"\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    text += L"\n" + platform::DecimalText(static_cast<std::int64_t>(i + 1)) + L". " +
            rows[i].title + L": " + kStateNames[static_cast<std::size_t>(rows[i].state)] + L"\n";
    for (const std::wstring& line : rows[i].lines) text += L"   " + line + L"\n";
  }
  const auto number = [](std::size_t n) { return platform::DecimalText(static_cast<std::int64_t>(n)); };
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
    // UTF-16 on Windows: a surrogate pair is one character; a lone surrogate becomes U+FFFD.
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c == U'\n') out += '\r';
    AppendUtf8(out, c);
  }
  return out;
}

int ExitCode(const std::vector<Row>& rows) { return Count(rows, State::kDiffers) == 0 ? 0 : 1; }

std::wstring Quoted(std::wstring text) {
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                           text.back() == L'.'))
    text.pop_back();
  return L"«" + text + L"»";
}

}  // namespace check
