#include "platform/win32/windows_automation.h"

#include "platform/win32/bound_functions.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/dispatch_object.h"

namespace platform::win32 {

std::unique_ptr<AutomationObject> WindowsAutomation::Create(const std::wstring& progId) {
  if (!EnsureComApartment()) throw AutomationError("COM cannot be used on this thread");
  CLSID classId{};
  if (FAILED(bound::Call(bound::CLSIDFromProgID, bound::kNotBound, progId.c_str(), &classId)))
    throw AutomationError("no class is registered under that name");
  ComPtr<IDispatch> dispatch;
  if (FAILED(bound::Call(bound::CoCreateInstance, bound::kNotBound, classId, nullptr,
                         CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                         dispatch.put_void())) ||
      !dispatch)
    throw AutomationError("the object cannot be created");
  return std::make_unique<DispatchObject>(std::move(dispatch));
}

}  // namespace platform::win32
