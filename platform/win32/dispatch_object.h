// A late-bound automation object of the system: IDispatch addressed by member name
// (GetIDsOfNames, then Invoke).
#pragma once

#include <oaidl.h>

#include "platform/automation.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_variant.h"

namespace platform::win32 {

class DispatchObject final : public AutomationObject {
 public:
  explicit DispatchObject(ComPtr<IDispatch> dispatch);

  // Invoked as DISPATCH_METHOD | DISPATCH_PROPERTYGET, the way a script reads a member.
  AutomationResult Get(const std::wstring& member, const AutomationArguments& arguments) override;
  // Invoked as DISPATCH_METHOD.
  void Call(const std::wstring& member, const AutomationArguments& arguments) override;

  IDispatch* dispatch() const { return dispatch_.get(); }

 private:
  UniqueVariant Invoke(const std::wstring& member, WORD flags,
                       const AutomationArguments& arguments);

  ComPtr<IDispatch> dispatch_;
};

// The program's reading of a VARIANT answered by Invoke. Throws AutomationError for a value
// it cannot read.
AutomationResult ResultOf(UniqueVariant value);

}  // namespace platform::win32
