// How arguments go into DISPPARAMS and how answers come out of VARIANTs.
#include <gtest/gtest.h>

#include "platform/win32/dispatch_arguments.h"
#include "platform/win32/dispatch_object.h"
#include "platform/win32/unique_bstr.h"

namespace {

using platform::AutomationError;
using platform::AutomationResult;
using platform::win32::DispatchArguments;
using platform::win32::ResultOf;
using platform::win32::UniqueBstr;
using platform::win32::UniqueVariant;

// An object that counts its references (the script host's objects do not).
class Counted final : public IDispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
    *object = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                   EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
  ULONG references = 1;
};

TEST(DispatchArguments, LastArgumentFirstWithTheirOwnTypes) {
  Counted counted;
  {
    platform::win32::DispatchObject object(platform::win32::ComPtr<IDispatch>::Retain(&counted));
    ASSERT_EQ(counted.references, 2u);
    DispatchArguments arguments(
        {std::int16_t{49}, std::int32_t{-2}, std::wstring(L"Рабочий\0стол", 12), &object});
    const DISPPARAMS* parameters = arguments.get();
    ASSERT_EQ(parameters->cArgs, 4u);
    EXPECT_EQ(parameters->cNamedArgs, 0u);
    const VARIANT* args = parameters->rgvarg;
    EXPECT_EQ(V_VT(&args[3]), VT_I2);
    EXPECT_EQ(V_I2(&args[3]), 49);
    EXPECT_EQ(V_VT(&args[2]), VT_I4);
    EXPECT_EQ(V_I4(&args[2]), -2);
    EXPECT_EQ(V_VT(&args[1]), VT_BSTR);
    EXPECT_EQ(::SysStringLen(V_BSTR(&args[1])), 12u);  // the embedded zero survives
    // The object goes as a reference to a variable holding it, with a reference of its own.
    EXPECT_EQ(V_VT(&args[0]), VT_BYREF | VT_VARIANT);
    EXPECT_EQ(V_VT(V_VARIANTREF(&args[0])), VT_DISPATCH);
    EXPECT_EQ(V_DISPATCH(V_VARIANTREF(&args[0])), &counted);
    EXPECT_EQ(counted.references, 3u);
    EXPECT_THROW(object.Get(L"Missing", {}), AutomationError);
    EXPECT_EQ(counted.references, 3u);
  }
  EXPECT_EQ(counted.references, 1u);  // the arguments' reference and the object's, both gone
}

TEST(DispatchArguments, ObjectsOfAnotherKindAreRefused) {
  struct Foreign final : platform::AutomationObject {
    AutomationResult Get(const std::wstring&, const platform::AutomationArguments&) override {
      return {};
    }
    void Call(const std::wstring&, const platform::AutomationArguments&) override {}
  } foreign;
  EXPECT_THROW(DispatchArguments({std::wstring(L"x"), &foreign}), AutomationError);
}

UniqueVariant Variant(VARTYPE type) {
  UniqueVariant value;
  V_VT(value.get()) = type;
  return value;
}

TEST(DispatchResult, ReadsTheKindsTheProgramUses) {
  EXPECT_TRUE(std::holds_alternative<std::monostate>(ResultOf(Variant(VT_EMPTY))));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(ResultOf(Variant(VT_NULL))));
  // An object variable set to Nothing.
  auto nothing = Variant(VT_DISPATCH);
  V_DISPATCH(nothing.get()) = nullptr;
  EXPECT_TRUE(std::holds_alternative<std::monostate>(ResultOf(std::move(nothing))));

  auto small = Variant(VT_I2);
  V_I2(small.get()) = -49;
  EXPECT_EQ(std::get<std::int16_t>(ResultOf(std::move(small))), -49);
  auto count = Variant(VT_I4);
  V_I4(count.get()) = 70000;
  EXPECT_EQ(std::get<std::int32_t>(ResultOf(std::move(count))), 70000);
  auto byte = Variant(VT_UI1);
  V_UI1(byte.get()) = 200;
  EXPECT_EQ(std::get<std::int32_t>(ResultOf(std::move(byte))), 200);

  auto text = Variant(VT_BSTR);
  V_BSTR(text.get()) = UniqueBstr(L"Vorlix INTERNET").release();
  EXPECT_EQ(std::get<std::wstring>(ResultOf(std::move(text))), L"Vorlix INTERNET");
  auto nullText = Variant(VT_BSTR);
  V_BSTR(nullText.get()) = nullptr;
  EXPECT_EQ(std::get<std::wstring>(ResultOf(std::move(nullText))), L"");

  // A reference is read through.
  LONG referred = 7;
  auto reference = Variant(VT_BYREF | VT_I4);
  V_I4REF(reference.get()) = &referred;
  EXPECT_EQ(std::get<std::int32_t>(ResultOf(std::move(reference))), 7);
}

}  // namespace
