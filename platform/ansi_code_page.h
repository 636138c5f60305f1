// Conversion between the program's wide texts and the system's ANSI code page.
// It happens only where a text crosses into an ANSI system call and back.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  // Characters the code page cannot represent come out as the system's default character.
  virtual std::string ToAnsi(std::wstring_view text) const = 0;
  virtual std::wstring FromAnsi(std::string_view bytes) const = 0;
};

}  // namespace platform
