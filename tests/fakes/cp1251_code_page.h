// The Windows-1251 code page as a test double of the system's ANSI code page, so that
// Cyrillic texts are tested natively exactly as a Russian Windows converts them.
#pragma once

#include "platform/ansi_code_page.h"

namespace fakes {

class Cp1251CodePage final : public platform::AnsiCodePage {
 public:
  std::string ToAnsi(std::wstring_view text) const override;
  std::wstring FromAnsi(std::string_view bytes) const override;
};

}  // namespace fakes
