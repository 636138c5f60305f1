// The program's entry point: start-up with the built-in settings, the main window, and its
// message loop. A failure that reaches the top is shown and ends the program non-zero.
#include <windows.h>

#include <objbase.h>

#include <new>

#include "app/fatal_error.h"
#include "app/settings.h"
#include "app/win32/main_window.h"
#include "platform/message_boxes.h"
#include "platform/win32/windows_message_boxes.h"

namespace {

// The user-interface thread is a single-threaded apartment: the shell may run the "open"
// verb of the picture through COM.
class ComApartment {
 public:
  ComApartment() : initialized_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialized_) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_;
};

int ReportFatalError(const std::wstring& text) {
  platform::win32::WindowsMessageBoxes boxes;
  boxes.Show(text, platform::MB_OK_STYLE | platform::MB_ICONCRITICAL_STYLE,
             basMain::ApplicationTitle);
  return 1;
}

int Run(HINSTANCE instance) {
  basMain::FillSettings();
  ОсновнаяФорма form(instance, [](app::CommandWindow&) {});
  form.Show();
  return RunMessageLoop(form);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  ComApartment apartment;
  try {
    return Run(instance);
  } catch (const app::FatalError& error) {
    return ReportFatalError(error.Text());
  } catch (const std::bad_alloc&) {
    return ReportFatalError(L"Недостаточно памяти.");
  } catch (const std::exception&) {
    return ReportFatalError(L"Непредвиденная ошибка программы.");
  }
}
