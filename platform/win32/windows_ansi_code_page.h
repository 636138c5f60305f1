// The system's ANSI code page (CP_ACP) through WideCharToMultiByte/MultiByteToWideChar.
#pragma once

#include "platform/ansi_code_page.h"

namespace platform::win32 {

class WindowsAnsiCodePage final : public AnsiCodePage {
 public:
  std::string ToAnsi(std::wstring_view text) const override;
  std::wstring FromAnsi(std::string_view bytes) const override;
};

}  // namespace platform::win32
