#include "platform/win32/dispatch_arguments.h"

#include <type_traits>

#include "platform/win32/dispatch_object.h"
#include "platform/win32/unique_bstr.h"

namespace platform::win32 {

DispatchArguments::DispatchArguments(const AutomationArguments& arguments)
    : reversed_(arguments.size()) {  // all VT_EMPTY
  try {
    for (std::size_t i = 0; i < arguments.size(); ++i)
      Add(reversed_[arguments.size() - 1 - i], arguments[i]);
  } catch (...) {
    for (VARIANT& slot : reversed_) UniqueVariant::Clear(slot);
    throw;
  }
  parameters_.rgvarg = reversed_.empty() ? nullptr : reversed_.data();
  parameters_.cArgs = static_cast<UINT>(reversed_.size());
}

DispatchArguments::~DispatchArguments() {
  // A by-reference slot owns nothing; its referent is cleared by its own owner.
  for (VARIANT& slot : reversed_) UniqueVariant::Clear(slot);
}

void DispatchArguments::Add(VARIANT& slot, const AutomationArgument& argument) {
  std::visit(
      [this, &slot](const auto& value) {
        using Value = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<Value, std::int16_t>) {
          V_VT(&slot) = VT_I2;
          V_I2(&slot) = value;
        } else if constexpr (std::is_same_v<Value, std::int32_t>) {
          V_VT(&slot) = VT_I4;
          V_I4(&slot) = value;
        } else if constexpr (std::is_same_v<Value, std::wstring>) {
          V_BSTR(&slot) = UniqueBstr(value).release();
          V_VT(&slot) = VT_BSTR;
        } else {
          const auto* object = dynamic_cast<const DispatchObject*>(value);
          if (object == nullptr) throw AutomationError("not an automation object of the system");
          // A reference to a variable holding the object, as a script passes its variable.
          VARIANT* referent = referents_.emplace_back().get();
          V_DISPATCH(referent) = ComPtr<IDispatch>::Retain(object->dispatch()).release();
          V_VT(referent) = VT_DISPATCH;
          V_VARIANTREF(&slot) = referent;
          V_VT(&slot) = VT_BYREF | VT_VARIANT;
        }
      },
      argument);
}

}  // namespace platform::win32
