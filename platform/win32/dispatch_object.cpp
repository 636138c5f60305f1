#include "platform/win32/dispatch_object.h"

#include <string>

#include "platform/number_text.h"
#include "platform/win32/dispatch_arguments.h"
#include "platform/win32/unique_bstr.h"

namespace platform::win32 {
namespace {

// The texts an object may hand back with DISP_E_EXCEPTION are ours to free.
struct ExceptionInfo {
  EXCEPINFO info{};
  ExceptionInfo() = default;
  ExceptionInfo(const ExceptionInfo&) = delete;
  ExceptionInfo& operator=(const ExceptionInfo&) = delete;
  ~ExceptionInfo() {
    for (BSTR text : {info.bstrSource, info.bstrDescription, info.bstrHelpFile})
      bound::CallIfBound(bound::SysFreeString, text);
  }
};

[[noreturn]] void Fail(const char* step, const std::wstring& member, HRESULT result) {
  std::string name;
  for (wchar_t c : member) name += c < 0x80 ? static_cast<char>(c) : '?';
  throw AutomationError(std::string(step) + " " + name + " failed: " +
                        platform::HexText(static_cast<std::uint32_t>(result)));
}

}  // namespace

DispatchObject::DispatchObject(ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {
  if (!dispatch_) throw AutomationError("no object");
}

AutomationResult DispatchObject::Get(const std::wstring& member,
                                     const AutomationArguments& arguments) {
  return ResultOf(Invoke(member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, arguments));
}

void DispatchObject::Call(const std::wstring& member, const AutomationArguments& arguments) {
  Invoke(member, DISPATCH_METHOD, arguments);
}

UniqueVariant DispatchObject::Invoke(const std::wstring& member, WORD flags,
                                     const AutomationArguments& arguments) {
  UniqueBstr name(member);
  LPOLESTR names[] = {name.get()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT result =
      dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(result)) Fail("GetIDsOfNames", member, result);

  DispatchArguments parameters(arguments);
  UniqueVariant answer;
  ExceptionInfo exception;
  UINT badArgument = 0;
  result = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, parameters.get(),
                             answer.put(), &exception.info, &badArgument);
  if (FAILED(result)) Fail("Invoke", member, result);
  return answer;
}

}  // namespace platform::win32
