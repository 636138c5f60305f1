// How arguments go into DISPPARAMS and how answers come out of VARIANTs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "app/settings.h"
#include "desktop/wsh.h"
#include "platform/system.h"
#include "platform/win32/desktop_shell.h"
#include "platform/win32/dispatch_arguments.h"
#include "platform/win32/dispatch_object.h"
#include "platform/win32/unique_bstr.h"

// oleaut32's, which MinGW-w64's headers do not declare (nor decorate: without arguments the
// conventions agree): no cache of freed texts.
extern "C" void SetOaNoCache();

namespace {

using platform::AutomationError;
using platform::AutomationResult;
using platform::win32::ComPtr;
using platform::win32::DispatchArguments;
using platform::win32::ResultOf;
using platform::win32::ShellExecuteIn;
using platform::win32::UniqueBstr;
using platform::win32::UniqueVariant;

std::vector<std::wstring> boxes;

// A shell of the test's own, through the real dispatch code: Shell.Application's folders 49
// and 0, the connections' items with their names, the desktop's CopyHere, and WScript.Shell's
// desktop folder. Its texts come from the task allocator, as the system's do. It counts its
// references (the script host's objects do not), refuses "Refused" with an exception of its
// own and knows no "Missing".
class Shell final : public IDispatch {
 public:
  enum Kind { kShell, kConnections, kItems, kItem, kDesktop, kScriptHost };
  Shell(Kind kind, std::wstring text = {}) : kind_(kind), text_(std::move(text)) { ++live; }
  ~Shell() { --live; }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
    *object = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    if (--references_ == 0) delete this;
    return references_;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* id) override {
    static const wchar_t* const kMembers[] = {L"NameSpace", L"Items",    L"Count",         L"Item",
                                              L"Name",      L"CopyHere", L"SpecialFolders", L"Refused"};
    for (DISPID member = 0; member < 8; ++member)
      if (std::wstring_view(names[0]) == kMembers[member]) return *id = member, S_OK;
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT*) override {
    const VARIANT* first = parameters->cArgs > 0 ? &parameters->rgvarg[0] : nullptr;
    if (id == 7) {
      exception->bstrDescription = ::SysAllocString(L"refused");
      return DISP_E_EXCEPTION;
    }
    switch (kind_) {
      case kShell:
        return Answer(result, new Shell(V_I2(first) == 49 ? kConnections : kDesktop));
      case kConnections:
        return Answer(result, new Shell(kItems));
      case kItems:
        if (first == nullptr) return V_VT(result) = VT_I4, V_I4(result) = 2, S_OK;
        return Answer(result, new Shell(kItem, V_I4(first) == 0 ? L"Подключение по локальной сети"
                                                                : L"Vorlix INTERNET"));
      case kItem:
      case kScriptHost:
        V_BSTR(result) = ::SysAllocString(text_.c_str());
        V_VT(result) = VT_BSTR;
        return V_BSTR(result) ? S_OK : E_OUTOFMEMORY;
      case kDesktop:
        copied.push_back(
            static_cast<Shell*>(V_DISPATCH(V_VARIANTREF(first)))->text_);
        return S_OK;
    }
    return E_FAIL;
  }
  ULONG references() const { return references_; }
  static inline int live = 0;
  static inline std::vector<std::wstring> copied;

 private:
  static HRESULT Answer(VARIANT* result, IDispatch* object) {
    V_DISPATCH(result) = object;
    V_VT(result) = VT_DISPATCH;
    return S_OK;
  }
  Kind kind_;
  std::wstring text_;
  ULONG references_ = 1;
};

TEST(DispatchArguments, LastArgumentFirstWithTheirOwnTypes) {
  auto* counted = new Shell(Shell::kItem);
  {
    platform::win32::DispatchObject object(ComPtr<IDispatch>::Retain(counted));
    DispatchArguments arguments(
        {std::int16_t{49}, std::int32_t{-2}, std::wstring(L"Рабочий\0стол", 12), &object});
    const DISPPARAMS* parameters = arguments.get();
    ASSERT_EQ(parameters->cArgs, 4u);
    const VARIANT* args = parameters->rgvarg;
    EXPECT_EQ(std::tuple(V_VT(&args[3]), V_I2(&args[3]), V_VT(&args[2]), V_I4(&args[2])),
              std::tuple(VT_I2, 49, VT_I4, -2));
    EXPECT_EQ(V_VT(&args[1]), VT_BSTR);
    EXPECT_EQ(::SysStringLen(V_BSTR(&args[1])), 12u);  // the embedded zero survives
    // The object goes as a reference to a variable holding it, with a reference of its own.
    EXPECT_EQ(V_VT(&args[0]), VT_BYREF | VT_VARIANT);
    EXPECT_EQ(V_VT(V_VARIANTREF(&args[0])), VT_DISPATCH);
    EXPECT_EQ(V_DISPATCH(V_VARIANTREF(&args[0])), counted);
    EXPECT_EQ(counted->references(), 3u);
    EXPECT_THROW(object.Get(L"Missing", {}), AutomationError);
    EXPECT_THROW(object.Get(L"Refused", {}), AutomationError);
    EXPECT_THROW(object.Call(L"Refused", {std::wstring(L"x")}), AutomationError);
    EXPECT_EQ(counted->references(), 3u);
  }
  // A desktop view without an Application, or no view: the site is not handed to it.
  EXPECT_FALSE(ShellExecuteIn({nullptr, ComPtr<IDispatch>::Retain(counted)}, "open", "x", 3));
  EXPECT_FALSE(ShellExecuteIn({}, "open", "x", 3));
  EXPECT_EQ(counted->references(), 1u);  // the arguments' reference and the object's, both gone
  counted->Release();
  EXPECT_EQ(Shell::live, 0);
  EXPECT_THROW(platform::win32::DispatchObject{ComPtr<IDispatch>{}}, AutomationError);
}

// Counts the task allocator's blocks that are allocated, and not yet freed, while it watches:
// with oleaut32's cache of texts off, a text that is freed goes back there at once. It refuses
// the failAt-th allocation (counted from 1).
class LiveBlocks final : public IMallocSpy {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid != IID_IUnknown && iid != IID_IMallocSpy) return E_NOINTERFACE;
    *object = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override {
    return ++allocations == failAt ? 0 : size;
  }
  void* STDMETHODCALLTYPE PostAlloc(void* block) override { return live += block != nullptr, block; }
  void* STDMETHODCALLTYPE PreFree(void* block, BOOL spied) override {
    return live -= block != nullptr && spied, block;
  }
  void STDMETHODCALLTYPE PostFree(BOOL) override {}
  SIZE_T STDMETHODCALLTYPE PreRealloc(void* block, SIZE_T size, void** actual, BOOL) override {
    return *actual = block, size;
  }
  void* STDMETHODCALLTYPE PostRealloc(void* block, BOOL) override { return block; }
  void* STDMETHODCALLTYPE PreGetSize(void* block, BOOL) override { return block; }
  SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T size, BOOL) override { return size; }
  void* STDMETHODCALLTYPE PreDidAlloc(void* block, BOOL) override { return block; }
  int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int answer) override { return answer; }
  void STDMETHODCALLTYPE PreHeapMinimize() override {}
  void STDMETHODCALLTYPE PostHeapMinimize() override {}
  int live = 0;
  int allocations = 0, failAt = 0;
};

// The VARIANT of the type, filled by set, read as the program reads an answer.
template <typename Set>
AutomationResult Read(VARTYPE type, Set set) {
  UniqueVariant value;
  V_VT(value.get()) = type;
  set(*value.get());
  return ResultOf(std::move(value));
}

TEST(DispatchResult, ReadsTheKindsTheProgramUses) {
  const auto nothing = [](VARIANT&) {};
  EXPECT_TRUE(std::holds_alternative<std::monostate>(Read(VT_EMPTY, nothing)));
  // An object variable set to Nothing.
  EXPECT_TRUE(std::holds_alternative<std::monostate>(
      Read(VT_DISPATCH, [](VARIANT& v) { V_DISPATCH(&v) = nullptr; })));
  EXPECT_EQ(std::get<std::int16_t>(Read(VT_I2, [](VARIANT& v) { V_I2(&v) = -49; })), -49);
  EXPECT_EQ(std::get<std::int32_t>(Read(VT_I4, [](VARIANT& v) { V_I4(&v) = 70000; })), 70000);
  EXPECT_EQ(std::get<std::int32_t>(Read(VT_UI1, [](VARIANT& v) { V_UI1(&v) = 200; })), 200);
  EXPECT_TRUE(std::holds_alternative<std::wstring>(
      Read(VT_BOOL, [](VARIANT& v) { V_BOOL(&v) = VARIANT_TRUE; })));  // not a number: a text
  EXPECT_EQ(std::get<std::wstring>(Read(VT_BSTR, [](VARIANT& v) {
              V_BSTR(&v) = UniqueBstr(L"Vorlix INTERNET").release();
            })),
            L"Vorlix INTERNET");
  // A reference is read through.
  LONG referred = 7;
  EXPECT_EQ(std::get<std::int32_t>(
                Read(VT_BYREF | VT_I4, [&](VARIANT& v) { V_I4REF(&v) = &referred; })),
            7);
}



struct Automation final : platform::Automation {
  std::wstring desktop;
  std::unique_ptr<platform::AutomationObject> Create(const std::wstring& progId) override {
    auto* object = progId == L"WScript.Shell" ? new Shell(Shell::kScriptHost, desktop)
                                              : new Shell(Shell::kShell);
    return std::make_unique<platform::win32::DispatchObject>(ComPtr<IDispatch>(object));
  }
};

// Every N until both steps get through without reaching the N-th allocation: the shortcut is
// made or its failure shown, the old one deleted or silently not, nothing crashes, nothing
// the allocator or the objects can see is kept: not the texts handed to a call either.
TEST(DispatchFailures, EveryTextAndValueOfTheShortcutStepsFailsInTurn) {
  basMain::FillSettings();
  ::SetOaNoCache();
  static LiveBlocks spy;
  ASSERT_EQ(::CoRegisterMallocSpy(&spy), S_OK);
  Automation automation;
  automation.desktop = std::filesystem::temp_directory_path().wstring() + L"dialwright-desktop";
  std::filesystem::create_directories(automation.desktop);
  const std::filesystem::path shortcut = automation.desktop + L"\\Vorlix INTERNET.lnk";
  int failed = 0;
  for (int n = 1;; ++n) {
    std::ofstream(shortcut) << "shortcut";
    boxes.clear();
    Shell::copied.clear();
    spy.allocations = 0;
    spy.failAt = n;
    EXPECT_NO_THROW({
      Wsh::CreateConnectionShortcut(automation, L"Vorlix INTERNET");
      Wsh::DeleteConnectionShortcut(automation, L"Vorlix INTERNET");
    }) << "allocation " << n;
    const bool reached = spy.allocations >= n;
    EXPECT_EQ(spy.live, 0) << "allocation " << n;
    EXPECT_EQ(Shell::live, 0) << "allocation " << n;
    const bool made = Shell::copied == std::vector<std::wstring>{L"Vorlix INTERNET"};
    const bool told = boxes == std::vector<std::wstring>{Wsh::ShortcutErrorText};
    EXPECT_TRUE((made && boxes.empty()) || (told && reached)) << "allocation " << n;
    EXPECT_TRUE(!std::filesystem::exists(shortcut) || reached) << "allocation " << n;
    failed += told;
    if (!reached) break;
  }
  spy.failAt = 0;
  // The texts before an object of another kind than the system's, refused, go with it.
  struct Foreign final : platform::AutomationObject {
    AutomationResult Get(const std::wstring&, const platform::AutomationArguments&) override { return {}; }
    void Call(const std::wstring&, const platform::AutomationArguments&) override {}
  } foreign;
  EXPECT_THROW(DispatchArguments({std::wstring(L"x"), &foreign}), AutomationError);
  EXPECT_EQ(spy.live, 0) << "the texts before a refused object leak";
  ::CoRevokeMallocSpy();
  std::filesystem::remove_all(automation.desktop);
  EXPECT_GT(failed, 5) << "the failures never reached the shortcut's steps";
}

}  // namespace

int platform::ShowMessageBox(const std::wstring& text, std::uint32_t, const std::wstring&) {
  boxes.push_back(text);
  return 1;
}
