// The program's entry point: start-up with the built-in settings, the main window, and its
// message loop. A failure that reaches the top is shown and ends the program non-zero.
#include <windows.h>

#include <new>

#include "app/create_connection_command.h"
#include "app/fatal_error.h"
#include "app/settings.h"
#include "app/system_connection_steps.h"
#include "app/win32/main_window.h"
#include "platform/message_boxes.h"
#include "platform/win32/dll_search_hardening.h"
#include "app/win32/windows_desktop_services.h"
#include "platform/win32/windows_message_boxes.h"
#include "app/win32/windows_phonebook_services.h"

namespace {

int ReportFatalError(const std::wstring& text) {
  platform::win32::WindowsMessageBoxes boxes;
  boxes.Show(text, platform::MB_OK_STYLE | platform::MB_ICONCRITICAL_STYLE,
             basMain::ApplicationTitle);
  return 1;
}

int Run(HINSTANCE instance) {
  basMain::FillSettings();

  // The services of the create-connection command live as long as the window.
  platform::win32::WindowsMessageBoxes boxes;
  platform::win32::WindowsPhonebookServices phonebook;
  platform::win32::WindowsDesktopServices desktop(boxes);
  const modRASVPN::Services phonebookServices = phonebook.Get();
  app::SystemConnectionSteps steps(
      {phonebookServices, desktop.Shortcut(), boxes});
  app::CreateConnectionCommand command(steps, boxes);

  ОсновнаяФорма form(instance, [&command](app::CommandWindow& window) { command.Click(window); });
  form.Show();
  // Bound once the window shows: the start-up does not wait for it, and the first click
  // finds it ready.
  phonebook.service.Load();
  // The command's boxes are modal to the window.
  boxes.SetOwner(form.Handle());
  return RunMessageLoop(form);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  platform::win32::HardenDllSearch();
  // The user-interface thread enters its single-threaded apartment when the picture's "open"
  // verb or the shortcut's automation first needs COM, not at start-up.
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
