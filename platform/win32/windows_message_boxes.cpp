#include "platform/win32/windows_message_boxes.h"

namespace platform::win32 {

int WindowsMessageBoxes::Show(const std::wstring& text, std::uint32_t style,
                              const std::wstring& title) {
  return ::MessageBoxW(owner_, text.c_str(), title.c_str(), style);
}

}  // namespace platform::win32
