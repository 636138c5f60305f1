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
    const std::string site = platform::ToAnsi(basMain::SiteAddress);
    // An elevated program's own "open" would start the browser elevated too: the desktop's
    // shell opens the site with the user's rights instead, where there is one to ask.
    if (platform::ProcessIsElevated() &&
        platform::ShellExecuteOnTheDesktop("open", site, platform::SW_SHOWMAXIMIZED_STATE))
      return;
    platform::ShellExecuteA("open", site, platform::SW_SHOWMAXIMIZED_STATE);
  } catch (...) {  // NOLINT(bugprone-empty-catch): the click ignores every failure
  }
}

}  // namespace app::main_window
