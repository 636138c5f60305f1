// How the program reads the VARIANT an automation call answers.
#include <memory>

#include "platform/win32/bound_functions.h"
#include "platform/win32/dispatch_object.h"
#include "platform/win32/unique_bstr.h"

namespace platform::win32 {
namespace {

bool IsInteger(VARTYPE type) {
  switch (type) {
    case VT_I1: case VT_UI1: case VT_UI2: case VT_UI4: case VT_I8: case VT_UI8:
    case VT_INT: case VT_UINT:
      return true;
    default:
      return false;
  }
}

AutomationResult ObjectOf(IUnknown* unknown) {
  if (unknown == nullptr) return {};  // Nothing
  ComPtr<IDispatch> dispatch;
  if (FAILED(unknown->QueryInterface(IID_IDispatch, dispatch.put_void())) || !dispatch)
    throw AutomationError("the object answered cannot be automated");
  return std::make_unique<DispatchObject>(std::move(dispatch));
}

}  // namespace

AutomationResult ResultOf(UniqueVariant value) {
  if (value.type() & VT_BYREF) {
    UniqueVariant direct;
    if (FAILED(bound::Call(bound::VariantCopyInd, bound::kNotBound, direct.get(), value.get())))
      throw AutomationError("a reference answered cannot be read");
    return ResultOf(std::move(direct));
  }
  VARIANT* v = value.get();
  switch (V_VT(v)) {
    case VT_EMPTY:
    case VT_NULL:
      return {};
    case VT_I2:
      return static_cast<std::int16_t>(V_I2(v));
    case VT_I4:
      return static_cast<std::int32_t>(V_I4(v));
    case VT_BSTR:
      return BstrText(V_BSTR(v));
    case VT_DISPATCH:
      return ObjectOf(V_DISPATCH(v));
    case VT_UNKNOWN:
      return ObjectOf(V_UNKNOWN(v));
    default:
      break;
  }
  // Other numbers as 32-bit integers, everything else (dates, booleans, ...) as its text.
  const VARTYPE wanted = IsInteger(V_VT(v)) ? VT_I4 : VT_BSTR;
  UniqueVariant converted;
  if (FAILED(bound::Call(bound::VariantChangeType, bound::kNotBound, converted.get(), v,
                         USHORT{0}, wanted)))
    throw AutomationError("an answer of an unexpected kind");
  return ResultOf(std::move(converted));
}

}  // namespace platform::win32
