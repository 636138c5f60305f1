// The events of ОсновнаяФорма that carry logic of their own: Load and the click of Image1.
// The window supplies what they act on; the settings are read from basMain.
#pragma once

#include <string>


namespace app::main_window {

// What Load sets on the window, one call per step.
class LoadTarget {
 public:
  virtual ~LoadTarget() = default;
  virtual void SetButtonCaption(const std::wstring& caption) = 0;
  virtual void SetCaption(const std::wstring& caption) = 0;
  virtual void SetPictureMousePointer(int pointerStyle) = 0;
  // Throws FatalError when the cursor is missing from the program's resources or damaged.
  virtual void SetPictureMouseIcon(int cursorResource) = 0;
  virtual void SetPictureTooltip(const std::wstring& text) = 0;
};

// Runs before the window is first shown. It handles no failure: a failing step is fatal.
void Load(LoadTarget& window);

// Opens SiteAddress with the verb "open", maximised. Every failure is ignored: the user sees
// nothing of the program's own and can click again.
void ClickImage1() noexcept;

}  // namespace app::main_window
