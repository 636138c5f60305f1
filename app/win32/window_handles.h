// Owners of the user-interface objects the main window takes from the system.
#pragma once

#include <windows.h>

#include "platform/win32/unique_resource.h"

namespace app::win32 {

namespace detail {
inline void DestroyWindowHandle(HWND window) { ::DestroyWindow(window); }
inline void DeleteFontHandle(HFONT font) { ::DeleteObject(font); }
inline void DeleteBitmapHandle(HBITMAP bitmap) { ::DeleteObject(bitmap); }
inline void DestroyIconHandle(HICON icon) { ::DestroyIcon(icon); }
inline void DestroyCursorHandle(HCURSOR cursor) { ::DestroyCursor(cursor); }
}  // namespace detail

using UniqueWindow = platform::win32::UniqueResource<HWND, detail::DestroyWindowHandle>;
using UniqueFont = platform::win32::UniqueResource<HFONT, detail::DeleteFontHandle>;
using UniqueBitmap = platform::win32::UniqueResource<HBITMAP, detail::DeleteBitmapHandle>;
using UniqueIcon = platform::win32::UniqueResource<HICON, detail::DestroyIconHandle>;
using UniqueCursor = platform::win32::UniqueResource<HCURSOR, detail::DestroyCursorHandle>;

}  // namespace app::win32
