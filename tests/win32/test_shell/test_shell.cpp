// A stand-in for Shell.Application: NameSpace(49) gives a connections folder whose items are
// named by the environment, NameSpace(0) a desktop folder whose CopyHere records the item it
// was given and writes its shortcut file. See test_shell.h for the switches.
#include "tests/win32/test_shell/test_shell.h"

#include <oaidl.h>
#include <shlobj.h>

#include <atomic>
#include <string>
#include <vector>

#include "tests/win32/append_line.h"

namespace {

std::atomic<LONG> liveObjects{0};

std::wstring Environment(const wchar_t* name, bool* present = nullptr) {
  wchar_t buffer[4096];
  const DWORD length = ::GetEnvironmentVariableW(name, buffer, 4096);
  if (present != nullptr) *present = length > 0 || ::GetLastError() != ERROR_ENVVAR_NOT_FOUND;
  if (length == 0 || length >= 4096) return {};
  return std::wstring(buffer, length);
}

void Record(const std::wstring& line) {
  const std::wstring file = Environment(L"DIALWRIGHT_TEST_SHELL_RECORD");
  if (!file.empty()) test_records::AppendLine(file, line);
}

bool Fails(const wchar_t* member) { return Environment(L"DIALWRIGHT_TEST_SHELL_FAIL") == member; }

// IUnknown and IDispatch without a type library: members by a fixed name table.
class Dispatch : public IDispatch {
 public:
  Dispatch() { ++liveObjects; }
  virtual ~Dispatch() { --liveObjects; }
  Dispatch(const Dispatch&) = delete;
  Dispatch& operator=(const Dispatch&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    HRESULT result = S_OK;
    for (UINT i = 0; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      const auto& members = Members();
      for (std::size_t m = 0; m < members.size(); ++m)
        if (i == 0 && _wcsicmp(names[i], members[m]) == 0) ids[i] = static_cast<DISPID>(m + 1);
      if (ids[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
    }
    return result;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    const auto& members = Members();
    if (id < 1 || static_cast<std::size_t>(id) > members.size()) return DISP_E_MEMBERNOTFOUND;
    if (Fails(members[id - 1])) return E_FAIL;
    VARIANT ignored;
    ::VariantInit(&ignored);
    const HRESULT answer = Member(id, *parameters, result != nullptr ? result : &ignored);
    ::VariantClear(&ignored);
    return answer;
  }

 protected:
  virtual const std::vector<const wchar_t*>& Members() const = 0;
  virtual HRESULT Member(DISPID id, const DISPPARAMS& parameters, VARIANT* result) = 0;

  static HRESULT AnswerObject(VARIANT* result, IDispatch* object) {
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = object;  // Nothing when null
    return S_OK;
  }

 private:
  std::atomic<ULONG> references_{1};
};

// Reads an argument the way the real shell does: by reference or not.
const VARIANT& Direct(const VARIANT& argument) {
  if (V_VT(&argument) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(&argument) != nullptr)
    return *V_VARIANTREF(&argument);
  return argument;
}

std::wstring NameOf(IDispatch* item) {
  if (item == nullptr) return L"<nothing>";
  LPOLESTR name = const_cast<LPOLESTR>(L"Name");
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(item->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id)))
    return L"<no name>";
  DISPPARAMS none{};
  VARIANT value;
  ::VariantInit(&value);
  std::wstring text = L"<no name>";
  if (SUCCEEDED(item->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                             &value, nullptr, nullptr)) &&
      V_VT(&value) == VT_BSTR)
    text = V_BSTR(&value);
  ::VariantClear(&value);
  return text;
}

class Item final : public Dispatch {
 public:
  explicit Item(std::wstring name) : name_(std::move(name)) {}

 private:
  const std::vector<const wchar_t*>& Members() const override {
    static const std::vector<const wchar_t*> members{L"Name"};
    return members;
  }
  HRESULT Member(DISPID, const DISPPARAMS&, VARIANT* result) override {
    Record(L"Name " + name_);
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = ::SysAllocStringLen(name_.data(), static_cast<UINT>(name_.size()));
    return V_BSTR(result) != nullptr ? S_OK : E_OUTOFMEMORY;
  }

  std::wstring name_;
};

class Items final : public Dispatch {
 public:
  explicit Items(std::vector<std::wstring> names) : names_(std::move(names)) {}

 private:
  const std::vector<const wchar_t*>& Members() const override {
    static const std::vector<const wchar_t*> members{L"Count", L"Item"};
    return members;
  }
  HRESULT Member(DISPID id, const DISPPARAMS& parameters, VARIANT* result) override {
    if (id == 1) {
      Record(L"Count");
      V_VT(result) = VT_I4;
      V_I4(result) = static_cast<LONG>(names_.size());
      return S_OK;
    }
    if (parameters.cArgs != 1) return DISP_E_BADPARAMCOUNT;
    const VARIANT& index = Direct(parameters.rgvarg[0]);
    LONG number = -1;
    if (V_VT(&index) == VT_I4) number = V_I4(&index);
    if (V_VT(&index) == VT_I2) number = V_I2(&index);
    Record(L"Item vt=" + std::to_wstring(V_VT(&index)) + L" " + std::to_wstring(number));
    if (number < 0 || static_cast<std::size_t>(number) >= names_.size())
      return AnswerObject(result, nullptr);
    return AnswerObject(result, new Item(names_[static_cast<std::size_t>(number)]));
  }

  std::vector<std::wstring> names_;
};

std::wstring DesktopDirectory() {
  wchar_t path[MAX_PATH];
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, path))) return {};
  return path;
}

class Folder final : public Dispatch {
 public:
  Folder(bool desktop, std::vector<std::wstring> names)
      : desktop_(desktop), names_(std::move(names)) {}

 private:
  const std::vector<const wchar_t*>& Members() const override {
    static const std::vector<const wchar_t*> members{L"Items", L"CopyHere"};
    return members;
  }
  HRESULT Member(DISPID id, const DISPPARAMS& parameters, VARIANT* result) override {
    if (id == 1) {
      Record(L"Items");
      return AnswerObject(result, new Items(names_));
    }
    // CopyHere(item [, options]): what was passed, and the shortcut the shell would place.
    std::wstring line = L"CopyHere args=" + std::to_wstring(parameters.cArgs);
    if (parameters.cArgs == 0) {
      Record(line);
      return DISP_E_BADPARAMCOUNT;
    }
    const VARIANT& passed = parameters.rgvarg[parameters.cArgs - 1];
    const VARIANT& item = Direct(passed);
    const std::wstring name = V_VT(&item) == VT_DISPATCH ? NameOf(V_DISPATCH(&item)) : L"<?>";
    Record(line + L" vt=" + std::to_wstring(V_VT(&passed)) + L" " + name);
    if (!desktop_) return E_NOTIMPL;
    const std::wstring directory = DesktopDirectory();
    if (!directory.empty()) test_records::AppendLine(directory + L"\\" + name + L".lnk", L"shortcut of " + name);
    return S_OK;
  }

  bool desktop_;
  std::vector<std::wstring> names_;
};

std::vector<std::wstring> Split(const std::wstring& text) {
  std::vector<std::wstring> parts;
  if (text.empty()) return parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t bar = text.find(L'|', start);
    parts.push_back(text.substr(start, bar - start));
    if (bar == std::wstring::npos) return parts;
    start = bar + 1;
  }
}

class Shell final : public Dispatch {
 private:
  const std::vector<const wchar_t*>& Members() const override {
    static const std::vector<const wchar_t*> members{L"NameSpace"};
    return members;
  }
  HRESULT Member(DISPID, const DISPPARAMS& parameters, VARIANT* result) override {
    if (parameters.cArgs != 1) return DISP_E_BADPARAMCOUNT;
    const VARIANT& folder = Direct(parameters.rgvarg[0]);
    LONG number = -1;
    if (V_VT(&folder) == VT_I2) number = V_I2(&folder);
    if (V_VT(&folder) == VT_I4) number = V_I4(&folder);
    Record(L"NameSpace vt=" + std::to_wstring(V_VT(&folder)) + L" " + std::to_wstring(number));
    bool connections = false;
    const std::wstring names = Environment(L"DIALWRIGHT_TEST_SHELL_CONNECTIONS", &connections);
    bool noDesktop = false;
    Environment(L"DIALWRIGHT_TEST_SHELL_NO_DESKTOP", &noDesktop);
    if (number == 49 && connections) return AnswerObject(result, new Folder(false, Split(names)));
    if (number == 0 && !noDesktop) return AnswerObject(result, new Folder(true, {}));
    return AnswerObject(result, nullptr);
  }
};

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *object = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // One factory for the life of the DLL.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    auto* shell = new Shell();
    const HRESULT result = shell->QueryInterface(iid, object);
    shell->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory factory;

}  // namespace

extern "C" {

HRESULT WINAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (classId != test_shell::kClassId) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, object);
}

LONG __stdcall DialwrightTestShellLiveObjects() { return liveObjects; }

}  // extern "C"
