// ОсновнаяФорма: the program's only window, rendered from app/main_window_definition.h.
// The banner and the two lines are painted by the window itself (they are not windows and
// never take the focus); the check boxes and the button are child windows in tab order.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "app/command_window.h"
#include "app/create_connection_command.h"
#include "app/main_window_definition.h"
#include "app/main_window_events.h"
#include "app/win32/window_handles.h"

class ОсновнаяФорма final : public app::CommandWindow, private app::main_window::LoadTarget {
 public:
  static constexpr const wchar_t* kClassName = L"ОсновнаяФорма";

  // Creating the window object runs Initialize. Icon and cursor come from resources. The
  // button runs the command, which outlives the window.
  ОсновнаяФорма(HINSTANCE resources, app::CreateConnectionCommand& createConnection);
  ~ОсновнаяФорма() override;
  ОсновнаяФорма(const ОсновнаяФорма&) = delete;
  ОсновнаяФорма& operator=(const ОсновнаяФорма&) = delete;

  // Creates the window and its controls, runs Load, then shows the window centred on the
  // screen with the focus on the button; the tooltips follow once it shows. Throws what Load
  // throws (FatalError).
  void Show();
  HWND Handle() const { return window_.get(); }

  // Gives the dialog manager its keys (Tab); true when it handled the message.
  bool PreTranslateMessage(MSG& message);
  // A failure that reached the top of an event handler is carried out of the window
  // procedure and thrown again here, on the message loop's side.
  void RethrowFatalError();

  // What the create-connection command reads from and asks of the window.
  std::wstring Caption() const override;
  int ShortcutValue() const override;
  int FirewallValue() const override;
  void ProcessPendingMessages() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  void Initialize();
  void CreateMainWindow();
  void SetIcons();
  void CreateControls();
  void CreateTooltips();
  void AddTooltip(const app::main_window::Control& control);
  void ApplyPictureTooltip();
  app::main_window::PixelRect Pixels(const app::main_window::TwipsRect& rect) const;
  HWND Control(const app::main_window::Control& control) const;
  bool CursorOverPicture() const;
  bool OverPicture(LPARAM clientPoint) const;
  void Paint(HDC dc) const;
  void OnActivate(WPARAM wParam);

  // Load's steps.
  void SetButtonCaption(const std::wstring& caption) override;
  void SetCaption(const std::wstring& caption) override;
  void SetPictureMousePointer(int pointerStyle) override;
  void SetPictureMouseIcon(int cursorResource) override;
  void SetPictureTooltip(const std::wstring& text) override;

  HINSTANCE resources_;
  app::CreateConnectionCommand& createConnection_;
  int dpiX_ = 96;
  int dpiY_ = 96;
  std::vector<unsigned char> bannerBits_;
  BITMAPINFOHEADER bannerInfo_{};
  app::win32::UniqueFont font_;
  app::win32::UniqueIcon bigIcon_;
  app::win32::UniqueIcon smallIcon_;
  app::win32::UniqueCursor pictureCursor_;
  int picturePointerStyle_ = 0;
  std::wstring pictureTooltip_;
  bool pictureTooltipAdded_ = false;
  bool pictureButtonDown_ = false;
  bool quitOnDestroy_ = false;
  HWND focusBeforeDeactivation_ = nullptr;
  std::exception_ptr fatalError_;
  HWND tooltip_ = nullptr;  // owned by the window, destroyed with it
  // Declared last: destroyed first, while everything its window procedure uses still exists.
  app::win32::UniqueWindow window_;
};

// Dispatches messages until the window is closed; answers the exit code.
int RunMessageLoop(ОсновнаяФорма& form);
