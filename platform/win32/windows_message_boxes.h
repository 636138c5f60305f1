// MessageBoxW, owned by the program's window when there is one.
#pragma once

#include <windows.h>

#include "platform/message_boxes.h"

namespace platform::win32 {

class WindowsMessageBoxes final : public MessageBoxes {
 public:
  explicit WindowsMessageBoxes(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  int Show(const std::wstring& text, std::uint32_t style, const std::wstring& title) override;

 private:
  HWND owner_;
};

}  // namespace platform::win32
