// XPStile: registers the common-control classes, so that with the program's manifest the
// controls are drawn in the desktop's visual style.
#pragma once

namespace XPStile {

// INITCOMMONCONTROLSEX {dwSize 8, dwICC ICC_USEREX_CLASSES}; the answer of
// InitCommonControlsEx is not looked at. True when the call was made; never throws.
bool InitVisualStyles() noexcept;

}  // namespace XPStile
