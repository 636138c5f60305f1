// The main window's making: its class, its controls and tooltips, and the steps of Load.
#include "app/win32/main_window.h"

#include <commctrl.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "app/cursor_hot_spot.h"
#include "app/fatal_error.h"
#include "app/main_window_banner.h"
#include "app/win32/xp_style.h"
#include "platform/number_text.h"

namespace mw = app::main_window;

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// A fixed dialog frame: no sizing border, no minimise or maximise box.
constexpr DWORD kWindowExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

void RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = ОсновнаяФорма::kClassName;
  // Registered once per process; a second window of the class (tests) reuses it.
  if (!::RegisterClassExW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw app::FatalError(L"Не удалось зарегистрировать класс окна.");
}

HFONT CreateDialogFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    if (HFONT font = ::CreateFontIndirectW(&metrics.lfMessageFont)) return font;
  return nullptr;
}

HICON LoadProgramIcon(HINSTANCE resources, int metricX, int metricY) {
  return static_cast<HICON>(::LoadImageW(resources, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                         ::GetSystemMetrics(metricX),
                                         ::GetSystemMetrics(metricY), LR_DEFAULTCOLOR));
}

// The cursor as the system scaled it to its cursor size, with the hot spot moved onto the
// fingertip as drawn; the cursor itself where nothing needs moving or it cannot be read.
HCURSOR WithHotSpotOnTheFingertip(HCURSOR cursor) {
  ICONINFO info{};
  if (!::GetIconInfo(cursor, &info)) return cursor;
  const app::win32::UniqueBitmap mask(info.hbmMask);
  const app::win32::UniqueBitmap color(info.hbmColor);
  BITMAP bitmap{};
  if (!::GetObjectW(mask.get(), sizeof bitmap, &bitmap)) return cursor;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(bitmap.bmWidthBytes) * bitmap.bmHeight);
  if (!::GetBitmapBits(mask.get(), static_cast<LONG>(bits.size()), bits.data())) return cursor;
  // A monochrome cursor's mask holds the AND mask above the XOR mask.
  const app::HotSpot scaled{static_cast<int>(info.xHotspot), static_cast<int>(info.yHotspot)};
  const app::HotSpot fingertip =
      app::FingertipHotSpot(bits, bitmap.bmWidthBytes, bitmap.bmWidth,
                            color ? bitmap.bmHeight : bitmap.bmHeight / 2, scaled);
  if (fingertip == scaled) return cursor;
  info.xHotspot = static_cast<DWORD>(fingertip.x);
  info.yHotspot = static_cast<DWORD>(fingertip.y);
  HCURSOR moved = ::CreateIconIndirect(&info);
  if (!moved) return cursor;
  ::DestroyCursor(cursor);
  return moved;
}

TTTOOLINFOW ToolInfo(HWND owner, UINT_PTR id, UINT flags) {
  TTTOOLINFOW tool{};
  // The smallest size every version of the control accepts.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = flags;
  tool.hwnd = owner;
  tool.uId = id;
  return tool;
}

}  // namespace

ОсновнаяФорма::ОсновнаяФорма(HINSTANCE resources, app::CreateConnectionCommand& createConnection)
    : resources_(resources), createConnection_(createConnection) {
  Initialize();
}

ОсновнаяФорма::~ОсновнаяФорма() {
  // Destroying the window object is not the user closing it: no quit message, which would
  // end a message box shown after a failed start at once.
  quitOnDestroy_ = false;
  window_.reset();
}

void ОсновнаяФорма::Initialize() { XPStile::InitVisualStyles(); }

void ОсновнаяФорма::Show() {
  CreateMainWindow();
  CreateControls();
  mw::Load(*this);
  quitOnDestroy_ = true;
  ::ShowWindow(window_.get(), SW_SHOWNORMAL);
  // The icons follow at once, before the client area's first paint: under Wine each icon set
  // is converted for the X server, which would hold up the window's showing by a few
  // milliseconds; on Windows it costs nothing either way.
  SetIcons();
  ::SetFocus(Control(*mw::kTabOrder.front()));
  ::UpdateWindow(window_.get());
  // A tooltip shows only over a visible window: its window is made after the first paint,
  // which then comes sooner.
  CreateTooltips();
}

void ОсновнаяФорма::CreateMainWindow() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  RegisterWindowClass(instance);

  HDC screen = ::GetDC(nullptr);
  if (screen) {
    dpiX_ = ::GetDeviceCaps(screen, LOGPIXELSX);
    dpiY_ = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
  }
  if (dpiX_ <= 0 || dpiY_ <= 0) dpiX_ = dpiY_ = 96;

  RECT frame{0, 0, mw::TwipsToPixels(mw::kClientArea.width, dpiX_),
             mw::TwipsToPixels(mw::kClientArea.height, dpiY_)};
  ::AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // Centred on the screen from the start, so it never shows anywhere else.
  const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;

  HWND window = ::CreateWindowExW(kWindowExStyle, kClassName, mw::kDefinitionCaption,
                                  kWindowStyle, left, top, width, height, nullptr, nullptr,
                                  instance, nullptr);
  if (!window) throw app::FatalError(L"Не удалось создать окно программы.");
  window_.reset(window);
  ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));

  // The banner's pixels, copied out of the file image so that GDI reads aligned rows.
  const auto file = mw::BannerFile();
  if (const auto view = mw::ParseBitmapFile(file)) {
    std::memcpy(&bannerInfo_, file.data() + view->infoOffset, sizeof(bannerInfo_));
    bannerBits_.assign(file.begin() + static_cast<std::ptrdiff_t>(view->bitsOffset),
                       file.begin() + static_cast<std::ptrdiff_t>(view->bitsOffset + view->bitsSize));
  }
}

void ОсновнаяФорма::SetIcons() {
  bigIcon_.reset(LoadProgramIcon(resources_, SM_CXICON, SM_CYICON));
  smallIcon_.reset(LoadProgramIcon(resources_, SM_CXSMICON, SM_CYSMICON));
  ::SendMessageW(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  ::SendMessageW(window_.get(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void ОсновнаяФорма::CreateControls() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  font_.reset(CreateDialogFont());
  // Created in tab order: the dialog manager tabs through the children in z-order.
  for (const mw::Control* control : mw::kTabOrder) {
    const bool isButton = control->kind == mw::ControlKind::CommandButton;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                        (isButton ? BS_DEFPUSHBUTTON : BS_AUTOCHECKBOX);
    const mw::PixelRect rect = Pixels(control->bounds);
    HWND child = ::CreateWindowExW(0, L"BUTTON", control->caption, style, rect.left, rect.top,
                                   rect.width, rect.height, window_.get(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(control->id)),
                                   instance, nullptr);
    if (!child) throw app::FatalError(L"Не удалось создать элементы окна программы.");
    if (font_) ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    if (!isButton) ::SendMessageW(child, BM_SETCHECK, static_cast<WPARAM>(control->initialValue), 0);
  }
}

void ОсновнаяФорма::CreateTooltips() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  // The tooltip control belongs to the renderer: Initialize registers only the classes it
  // names, so the tooltip class is registered here.
  INITCOMMONCONTROLSEX tooltips{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&tooltips);
  tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_.get(),
                               nullptr, instance, nullptr);
  for (const mw::Control* control : mw::kTabOrder)
    if (control->tooltip) AddTooltip(*control);
  if (!pictureTooltip_.empty()) ApplyPictureTooltip();
}

void ОсновнаяФорма::AddTooltip(const mw::Control& control) {
  if (!tooltip_) return;
  HWND child = Control(control);
  TTTOOLINFOW tool = ToolInfo(window_.get(), reinterpret_cast<UINT_PTR>(child),
                              TTF_IDISHWND | TTF_SUBCLASS);
  tool.lpszText = const_cast<wchar_t*>(control.tooltip);
  ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

mw::PixelRect ОсновнаяФорма::Pixels(const mw::TwipsRect& rect) const {
  return mw::ToPixels(rect, dpiX_, dpiY_);
}

HWND ОсновнаяФорма::Control(const mw::Control& control) const {
  return ::GetDlgItem(window_.get(), control.id);
}

// ---- Load's steps

void ОсновнаяФорма::SetButtonCaption(const std::wstring& caption) {
  ::SetWindowTextW(Control(mw::CreateConnectionButton), caption.c_str());
}

void ОсновнаяФорма::SetCaption(const std::wstring& caption) {
  ::SetWindowTextW(window_.get(), caption.c_str());
}

void ОсновнаяФорма::SetPictureMousePointer(int pointerStyle) { picturePointerStyle_ = pointerStyle; }

void ОсновнаяФорма::SetPictureMouseIcon(int cursorResource) {
  HANDLE cursor = ::LoadImageW(resources_, MAKEINTRESOURCEW(cursorResource), IMAGE_CURSOR, 0, 0,
                               LR_DEFAULTSIZE);
  if (!cursor) {
    const DWORD error = ::GetLastError();
    throw app::FatalError(L"Не удалось загрузить курсор " +
                          platform::DecimalText(cursorResource) +
                          L" из ресурсов программы (ошибка " + platform::DecimalText(error) +
                          L").");
  }
  pictureCursor_.reset(WithHotSpotOnTheFingertip(static_cast<HCURSOR>(cursor)));
}

void ОсновнаяФорма::SetPictureTooltip(const std::wstring& text) {
  pictureTooltip_ = text;
  ApplyPictureTooltip();
}

void ОсновнаяФорма::ApplyPictureTooltip() {
  if (!tooltip_) return;
  // A tool of a rectangle of the window: the picture has no window of its own.
  TTTOOLINFOW tool = ToolInfo(window_.get(), static_cast<UINT_PTR>(mw::Image1.id), TTF_SUBCLASS);
  const mw::PixelRect rect = Pixels(mw::Image1.bounds);
  tool.rect = RECT{rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
  tool.lpszText = const_cast<wchar_t*>(pictureTooltip_.c_str());
  ::SendMessageW(tooltip_, pictureTooltipAdded_ ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                 reinterpret_cast<LPARAM>(&tool));
  pictureTooltipAdded_ = true;
}
