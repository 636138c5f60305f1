#include "app/main_window_definition.h"

#include "platform/number_text.h"

namespace app::main_window {

int TwipsToPixels(int twips, int dpi) {
  // Half a pixel rounds away from zero, as MulDiv does.
  const long long scaled = static_cast<long long>(twips) * dpi;
  const long long half = kTwipsPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                      : -((-scaled + half) / kTwipsPerInch));
}

PixelRect ToPixels(const TwipsRect& rect, int dpiX, int dpiY) {
  const int left = TwipsToPixels(rect.left, dpiX);
  const int top = TwipsToPixels(rect.top, dpiY);
  return {left, top, TwipsToPixels(rect.left + rect.width, dpiX) - left,
          TwipsToPixels(rect.top + rect.height, dpiY) - top};
}

PixelLine ToPixels(const TwipsLine& line, int dpiX, int dpiY) {
  return {TwipsToPixels(line.x1, dpiX), TwipsToPixels(line.y1, dpiY), TwipsToPixels(line.x2, dpiX),
          TwipsToPixels(line.y2, dpiY)};
}

std::wstring WindowCaption(std::wstring_view applicationTitle, int majorVersion) {
  return std::wstring(applicationTitle) + L" VPN " + platform::DecimalText(majorVersion) + L".00";
}

std::wstring PictureTooltip(std::wstring_view siteAddress, std::wstring_view defaultSiteAddress) {
  const std::wstring_view lead =
      siteAddress == defaultSiteAddress
          ? L"Здесь может быть ссылка на ваш сервер. Перейти на сайт программы: "
          : L"Открыть сайт компании: ";
  return std::wstring(lead) + std::wstring(siteAddress);
}

}  // namespace app::main_window
