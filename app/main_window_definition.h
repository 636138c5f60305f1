// ОсновнаяФорма as data: geometry in twips, texts, tab order and initial values, and the rules
// that its Load event applies. The Win32 window renders exactly this and adds nothing.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace app::main_window {

inline constexpr int kTwipsPerInch = 1440;

struct TwipsRect {
  int left, top, width, height;
};
struct TwipsLine {
  int x1, y1, x2, y2;
};
struct PixelRect {
  int left, top, width, height;
  bool operator==(const PixelRect&) const = default;
};
struct PixelLine {
  int x1, y1, x2, y2;
  bool operator==(const PixelLine&) const = default;
};

// Check-box values, the platform's three states.
inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGreyed = 2;

struct ClientArea {
  int width, height;  // twips
};

struct Picture {
  const wchar_t* name;
  TwipsRect bounds;
  int id;  // of its tooltip tool
};

struct Line {
  const wchar_t* name;
  TwipsLine ends;
  int systemColour;  // index of the system colour it is drawn in
};

// A control that is a window of its own: it can hold the focus and has a place in the tab order.
enum class ControlKind { CommandButton, CheckBox };

struct Control {
  const wchar_t* name;
  ControlKind kind;
  int id;
  TwipsRect bounds;
  const wchar_t* caption;  // as the definition holds it; Load may replace it
  const wchar_t* tooltip;  // nullptr: none
  int initialValue;        // check boxes only
  int tabIndex;            // 0 first
};

inline constexpr ClientArea kClientArea{4515, 3000};
// Load replaces it before the window is first shown.
inline constexpr const wchar_t* kDefinitionCaption = L"Dialwright VPN & PPPoE";

inline constexpr Picture Image1{L"Image1", {0, 0, 4500, 1500}, 1001};
// Both lines run 45 twips past the client area's right edge; the window clips them.
inline constexpr Line Line1{L"Line1", {0, 1500, 4560, 1500}, 1};  // COLOR_BACKGROUND
inline constexpr Line Line2{L"Line2", {0, 1515, 4560, 1515}, 3};  // COLOR_INACTIVECAPTION

// Ids stay clear of IDOK and IDCANCEL, which the dialog manager sends for Enter and Escape.
// The C++ names are ASCII (the analysers do not read Cyrillic identifiers); each control
// carries its own name.
inline constexpr Control FirewallCheckBox{
    L"ВключитьФайервол", ControlKind::CheckBox, 1002, {360, 1680, 3375, 255},
    L"Включить брандмауэр", L"Должна быть запущенна служба Брандмауэр Windows", kChecked, 2};
inline constexpr Control ShortcutCheckBox{
    L"Ярлык", ControlKind::CheckBox, 1003, {360, 2040, 3255, 255},
    L"Ярлык на рабочий стол", nullptr, kChecked, 1};
inline constexpr Control CreateConnectionButton{
    L"КнопкаСоздатьПодключение", ControlKind::CommandButton, 1004, {120, 2400, 4275, 495},
    L"Создать подключение", L"Создать подключение с выбранными параметрами", kUnchecked, 0};

// The windowed controls in tab order: the first one holds the focus when the window opens.
inline constexpr std::array<const Control*, 3> kTabOrder{&CreateConnectionButton,
                                                         &ShortcutCheckBox, &FirewallCheckBox};

// What Load sets.
inline constexpr const wchar_t* kLoadedButtonCaption = L"Создать VPN подключение к Интернет";
inline constexpr int kCustomPointerStyle = 99;  // the control shows a pointer image of its own
inline constexpr int kPictureCursorResource = 101;

// Twips to pixels at dpi dots per inch, rounded to the nearest pixel.
int TwipsToPixels(int twips, int dpi);
// Converts the edges, not the sizes, so that neighbours that touch in twips still touch.
PixelRect ToPixels(const TwipsRect& rect, int dpiX, int dpiY);
PixelLine ToPixels(const TwipsLine& line, int dpiX, int dpiY);

// The application title, " VPN ", the major version and a fixed ".00".
std::wstring WindowCaption(std::wstring_view applicationTitle, int majorVersion);
// Compares the whole texts exactly: any difference, even of case or a trailing "/", counts.
std::wstring PictureTooltip(std::wstring_view siteAddress, std::wstring_view defaultSiteAddress);

}  // namespace app::main_window
