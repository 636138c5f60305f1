#include "app/win32/xp_style.h"

#include <windows.h>

#include <commctrl.h>

namespace XPStile {

bool InitVisualStyles() noexcept {
  // Linked, not looked up at run time: the import of comctl32 is what the manifest redirects
  // to the version 6 controls; a LoadLibrary by system path would bypass that and get
  // version 5. So the library is always there and the call is always made.
  INITCOMMONCONTROLSEX record{};
  record.dwSize = 8;
  record.dwICC = 0x200;  // ICC_USEREX_CLASSES
  static_assert(sizeof(record) == 8);
  ::InitCommonControlsEx(&record);
  return true;
}

}  // namespace XPStile
