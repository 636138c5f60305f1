// platform::ShellExecuteOnTheDesktop: the verb carried out by the desktop's own shell, the way
// Windows' shell documents it for a program that must not pass its elevation on to what it
// starts. Only where the shell's rights are lesser: a shell that runs elevated too (User
// Account Control off; Wine, whose every process does) would pass them on all the same.
#include <windows.h>

#include <exdisp.h>
#include <servprov.h>
#include <shlguid.h>
#include <shlobj.h>

#include <memory>
#include <variant>

#include "platform/system.h"
#include "platform/win32/bound_functions.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/desktop_shell.h"
#include "platform/win32/dispatch_object.h"
#include "platform/win32/process_elevation.h"
#include "platform/win32/unique_variant.h"

namespace platform {

std::optional<win32::DesktopShell> win32::FindDesktopShell() {
  if (!EnsureComApartment()) return std::nullopt;
  ComPtr<IShellWindows> windows;
  if (FAILED(bound::Call(bound::CoCreateInstance, bound::kNotBound, CLSID_ShellWindows, nullptr,
                         CLSCTX_LOCAL_SERVER, IID_IShellWindows, windows.put_void())) ||
      !windows)
    return std::nullopt;
  UniqueVariant anywhere;  // VT_EMPTY: the desktop is found by its class alone
  long window = 0;
  ComPtr<IDispatch> desktop;
  if (windows->FindWindowSW(anywhere.get(), anywhere.get(), SWC_DESKTOP, &window,
                            SWFO_NEEDDISPATCH, desktop.put()) != S_OK)
    return std::nullopt;
  const auto services = desktop.As<IServiceProvider>(IID_IServiceProvider);
  ComPtr<IShellBrowser> browser;
  ComPtr<IShellView> view;
  DesktopShell shell{reinterpret_cast<HWND>(static_cast<LONG_PTR>(window)), {}};
  if (!services ||
      FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.put_void())) ||
      !browser || FAILED(browser->QueryActiveShellView(view.put())) || !view ||
      FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, shell.view.put_void())) ||
      !shell.view)
    return std::nullopt;
  return shell;
}

bool win32::ShellExecuteIn(DesktopShell shell, const std::string& verb, const std::string& file,
                           int showCommand) {
  try {
    AutomationResult answer = DispatchObject(std::move(shell.view)).Get(L"Application", {});
    auto* application = std::get_if<std::unique_ptr<AutomationObject>>(&answer);
    if (application == nullptr || !*application) return false;
    try {
      (*application)->Call(L"ShellExecute", {FromAnsi(file), std::wstring(), std::wstring(),
                                             FromAnsi(verb), std::int32_t{showCommand}});
    } catch (const AutomationError&) {  // NOLINT(bugprone-empty-catch): failures stay silent
    }
    return true;
  } catch (const AutomationError&) {
    return false;
  }
}

bool ShellExecuteOnTheDesktop(const std::string& verb, const std::string& file, int showCommand) {
  auto shell = win32::FindDesktopShell();
  if (!shell || win32::WindowProcessIsElevated(shell->window)) return false;
  return win32::ShellExecuteIn(std::move(*shell), verb, file, showCommand);
}

}  // namespace platform
