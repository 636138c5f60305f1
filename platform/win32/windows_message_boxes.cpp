// platform::ShowMessageBox: MessageBoxW, owned by the program's window once there is one.
#include "platform/win32/windows_message_boxes.h"

#include "platform/system.h"

namespace platform {
namespace {

HWND owner = nullptr;

}  // namespace

void win32::SetMessageBoxOwner(HWND window) { owner = window; }

int ShowMessageBox(const std::wstring& text, std::uint32_t style, const std::wstring& title) {
  return ::MessageBoxW(owner, text.c_str(), title.c_str(), style);
}

}  // namespace platform
