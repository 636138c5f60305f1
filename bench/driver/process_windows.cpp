#include "bench/driver/process_windows.h"

#include <cwchar>

namespace bench {
namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  const int length = ::GetClassNameW(window, name, 64);
  return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool BelongsTo(HWND window, DWORD processId) {
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  return owner == processId;
}

struct Search {
  DWORD processId;
  bool dialog;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<Search*>(context);
  if (!BelongsTo(window, search.processId) || !::IsWindowVisible(window)) return TRUE;
  const bool isDialog = ClassOf(window) == L"#32770";
  const bool captioned = (::GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
  if (isDialog == search.dialog && captioned) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

HWND Find(DWORD processId, bool dialog) {
  Search search{processId, dialog};
  ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CollectButton(HWND window, LPARAM context) {
  auto& buttons = *reinterpret_cast<Buttons*>(context);
  if (_wcsicmp(ClassOf(window).c_str(), L"Button") != 0) return TRUE;
  switch (::GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      buttons.pushButtons.push_back(window);
      break;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      buttons.checkBoxes.push_back(window);
      break;
    default:
      break;
  }
  return TRUE;
}

}  // namespace

HWND FindFrame(DWORD processId) { return Find(processId, false); }
HWND FindDialog(DWORD processId) { return Find(processId, true); }

std::wstring WindowText(HWND window) {
  std::wstring text(512, L'\0');
  const int length = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

Buttons ButtonsOf(HWND parent) {
  Buttons buttons;
  ::EnumChildWindows(parent, CollectButton, reinterpret_cast<LPARAM>(&buttons));
  return buttons;
}

std::wstring MessageBoxText(HWND box) {
  constexpr int kMessageTextId = 0xFFFF;  // the static control that holds a box's message
  HWND text = ::GetDlgItem(box, kMessageTextId);
  return text != nullptr ? WindowText(text) : std::wstring();
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0, nullptr,
                                           nullptr);
  std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                        length, nullptr, nullptr);
  return bytes;
}

}  // namespace bench
