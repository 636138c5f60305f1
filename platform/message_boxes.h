// Modal message boxes. The style is the platform's value: buttons plus icon.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

inline constexpr std::uint32_t MB_OK_STYLE = 0;
inline constexpr std::uint32_t MB_YESNO_STYLE = 4;
inline constexpr std::uint32_t MB_ICONCRITICAL_STYLE = 16;
inline constexpr std::uint32_t MB_ICONQUESTION_STYLE = 32;
inline constexpr std::uint32_t MB_ICONINFORMATION_STYLE = 64;

inline constexpr int IDYES_ANSWER = 6;
inline constexpr int IDNO_ANSWER = 7;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box and waits for the user; answers the platform's button id.
  virtual int Show(const std::wstring& text, std::uint32_t style, const std::wstring& title) = 0;
};

}  // namespace platform
