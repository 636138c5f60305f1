// What ОсновнаяФорма paints itself: the banner of Image1 and the two lines.
#include "app/win32/main_window.h"

namespace mw = app::main_window;

namespace {

void DrawLine(HDC dc, const mw::PixelLine& line, int systemColour) {
  HPEN pen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(systemColour));
  if (!pen) return;
  HGDIOBJ previous = ::SelectObject(dc, pen);
  ::MoveToEx(dc, line.x1, line.y1, nullptr);
  // LineTo leaves out the last point; the lines end outside the client area anyway.
  ::LineTo(dc, line.x2, line.y2);
  ::SelectObject(dc, previous);
  ::DeleteObject(pen);
}

}  // namespace

void ОсновнаяФорма::Paint(HDC dc) const {
  if (!bannerBits_.empty()) {
    // The banner is scaled to fill the picture's rectangle.
    const mw::PixelRect picture = Pixels(mw::Image1.bounds);
    BITMAPINFO info{};
    info.bmiHeader = bannerInfo_;
    ::SetStretchBltMode(dc, HALFTONE);
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    ::StretchDIBits(dc, picture.left, picture.top, picture.width, picture.height, 0, 0,
                    bannerInfo_.biWidth, bannerInfo_.biHeight, bannerBits_.data(), &info,
                    DIB_RGB_COLORS, SRCCOPY);
  }
  for (const mw::Line* line : {&mw::Line1, &mw::Line2})
    DrawLine(dc, mw::ToPixels(line->ends, dpiX_, dpiY_), line->systemColour);
}
