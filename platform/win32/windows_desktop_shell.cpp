// platform::ShellExecuteOnTheDesktop: the verb carried out by the desktop's own shell, the way
// Windows' shell documents it for a program that must not pass its elevation on: the desktop
// window among the shell's windows (IShellWindows, SWC_DESKTOP), its view's automation object,
// and that object's Shell.Application, whose ShellExecute runs in the shell's process with the
// rights of the user whose desktop it is.
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
#include "platform/win32/com_ptr.h"
#include "platform/win32/dispatch_object.h"
#include "platform/win32/unique_variant.h"

namespace platform {
namespace {

using win32::ComPtr;

// The automation object of the desktop's view; empty where no desktop shell answers.
ComPtr<IDispatch> DesktopView() {
  ComPtr<IShellWindows> windows;
  if (FAILED(win32::bound::Call(win32::bound::CoCreateInstance, win32::bound::kNotBound,
                                CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                IID_IShellWindows, windows.put_void())) ||
      !windows)
    return {};
  win32::UniqueVariant anywhere;  // VT_EMPTY: the desktop is found by its class alone
  long window = 0;
  ComPtr<IDispatch> desktop;
  if (windows->FindWindowSW(anywhere.get(), anywhere.get(), SWC_DESKTOP, &window,
                            SWFO_NEEDDISPATCH, desktop.put()) != S_OK)
    return {};
  const auto services = desktop.As<IServiceProvider>(IID_IServiceProvider);
  ComPtr<IShellBrowser> browser;
  if (!services ||
      FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.put_void())) ||
      !browser)
    return {};
  ComPtr<IShellView> view;
  ComPtr<IDispatch> background;
  if (FAILED(browser->QueryActiveShellView(view.put())) || !view ||
      FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.put_void())))
    return {};
  return background;
}

}  // namespace

bool ShellExecuteOnTheDesktop(const std::string& verb, const std::string& file, int showCommand) {
  if (!win32::EnsureComApartment()) return false;
  ComPtr<IDispatch> view = DesktopView();
  if (!view) return false;
  try {
    AutomationResult answer = win32::DispatchObject(std::move(view)).Get(L"Application", {});
    auto* application = std::get_if<std::unique_ptr<AutomationObject>>(&answer);
    if (application == nullptr || !*application) return false;
    // The desktop's shell has the verb now: whatever it makes of it is its own, as with
    // ShellExecuteA.
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

}  // namespace platform
