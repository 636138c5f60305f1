// The program's entry point: start-up with the built-in settings, the main window, and its
// message loop. A failure that reaches the top is shown and ends the program non-zero.
#include <windows.h>

#include <new>

#include "app/create_connection_command.h"
#include "app/fatal_error.h"
#include "app/settings.h"
#include "app/win32/main_window.h"
#include "platform/system.h"
#include "platform/win32/dll_search_hardening.h"
#include "platform/win32/ras_phonebook_service.h"
#include "platform/win32/windows_automation.h"
#include "platform/win32/windows_message_boxes.h"

namespace {

int ReportFatalError(const std::wstring& text) {
  platform::ShowMessageBox(text, platform::MB_OK_STYLE | platform::MB_ICONCRITICAL_STYLE,
                           basMain::ApplicationTitle);
  return 1;
}

int Run(HINSTANCE instance) {
  basMain::FillSettings();

  // The program's wiring: the services of the create-connection command, which live as long
  // as the window; the one-call ones are the functions of platform/win32/.
  platform::win32::RasPhonebookService phonebook;
  platform::win32::WindowsAutomation automation;
  app::CreateConnectionCommand command(phonebook, automation);

  ОсновнаяФорма form(instance, command);
  form.Show();
  // Bound once the window shows: the start-up does not wait for it, and the first click
  // finds it ready.
  phonebook.Load();
  // The command's boxes are modal to the window.
  platform::win32::SetMessageBoxOwner(form.Handle());
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
    return ReportFatalError(app::kOutOfMemoryText);
  } catch (const std::exception&) {
    return ReportFatalError(L"Непредвиденная ошибка программы.");
  }
}
