#include "app/main_window_events.h"

#include "app/main_window_definition.h"
#include "app/settings.h"
#include "platform/system.h"

namespace app::main_window {

void Load(LoadTarget& window) {
  window.SetButtonCaption(kLoadedButtonCaption);
  window.SetCaption(WindowCaption(basMain::ApplicationTitle, basMain::VersionMajor()));
  window.SetPictureMousePointer(kCustomPointerStyle);
  window.SetPictureMouseIcon(kPictureCursorResource);
  window.SetPictureTooltip(PictureTooltip(basMain::SiteAddress, basMain::DefaultSiteAddress()));
}

void ClickImage1() noexcept {
  try {
    platform::ShellExecuteA("open", platform::ToAnsi(basMain::SiteAddress),
                            platform::SW_SHOWMAXIMIZED_STATE);
  } catch (...) {  // NOLINT(bugprone-empty-catch): the click ignores every failure
  }
}

}  // namespace app::main_window
