// Stands in for the shell's Shell.Application (Wine's has no connections folder and no
// CopyHere), registered in its place by the check's tests: an in-process automation object
// with the connections folder (49), whose items are the entries the phonebook service of the
// system directory lists, and the desktop folder (0), whose CopyHere makes a shortcut of an
// item in the user's desktop directory. How it behaves, from the environment of the process
// it is loaded into:
//   DIALWRIGHT_SHELL_LISTS=0       the connections folder lists none of the phonebook's
//                                  entries (only a connection of its own)
//   DIALWRIGHT_SHELL_SHORTCUT=...  the new file's name, "%s" standing for the connection's
//                                  name ("%s.lnk" without it)
//   DIALWRIGHT_SHELL_ASKS=title|text  CopyHere first asks the user (a Yes/No box with that
//                                  title and text); only Yes makes the shortcut
// The shortcut is a shell link to a path that ends in the connection's name.
#include <windows.h>
#include <ras.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace {

std::wstring Environment(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD length = ::GetEnvironmentVariableW(name, value, 1024);
  return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

// The entries of the phonebook service the program itself uses.
std::vector<std::wstring> PhonebookEntries() {
  std::vector<std::wstring> names;
  wchar_t path[MAX_PATH];
  ::GetSystemDirectoryW(path, MAX_PATH);
  HMODULE service = ::LoadLibraryW((std::wstring(path) + L"\\rasapi32.dll").c_str());
  using Enumerate = DWORD WINAPI(LPCSTR, LPCSTR, LPRASENTRYNAMEA, LPDWORD, LPDWORD);
  auto* enumerate = service ? reinterpret_cast<Enumerate*>(reinterpret_cast<void*>(
                                  ::GetProcAddress(service, "RasEnumEntriesA")))
                            : nullptr;
  // Records of the 264-byte RASENTRYNAMEA that the program asks for: its size, then the name.
  constexpr DWORD kRecord = 264;
  std::vector<char> records(64 * kRecord);
  *reinterpret_cast<DWORD*>(records.data()) = kRecord;
  DWORD bytes = static_cast<DWORD>(records.size()), count = 0;
  if (enumerate != nullptr &&
      enumerate(nullptr, nullptr, reinterpret_cast<LPRASENTRYNAMEA>(records.data()), &bytes, &count) == 0) {
    for (DWORD i = 0; i < count && i < 64; ++i) {
      wchar_t name[RAS_MaxEntryName + 1] = {};
      ::MultiByteToWideChar(CP_ACP, 0, records.data() + i * kRecord + 4, -1, name, RAS_MaxEntryName + 1);
      names.push_back(name);
    }
  }
  if (service != nullptr) ::FreeLibrary(service);
  return names;
}

// The shortcut of the connection, in the user's desktop directory, named as told.
void MakeShortcut(const std::wstring& connection) {
  wchar_t desktop[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop))) return;
  std::wstring name = Environment(L"DIALWRIGHT_SHELL_SHORTCUT");
  if (name.empty()) name = L"%s.lnk";
  name.replace(name.find(L"%s"), 2, connection);
  IShellLinkW* link = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
    return;
  link->SetPath((L"C:\\Network Connections\\" + connection).c_str());
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    file->Save((std::wstring(desktop) + L"\\" + name).c_str(), TRUE);
    file->Release();
  }
  link->Release();
}

enum Member : DISPID { kNameSpace = 1, kItems, kCount, kItem, kName, kCopyHere };

class Object final : public IDispatch {
 public:
  enum Kind { kShell, kConnections, kItemList, kConnection, kDesktop };
  explicit Object(Kind kind, std::wstring name = {}) : kind_(kind), name_(std::move(name)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid != IID_IUnknown && iid != IID_IDispatch) return *object = nullptr, E_NOINTERFACE;
    *object = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* id) override {
    static const wchar_t* const kMembers[] = {L"NameSpace", L"Items", L"Count", L"Item", L"Name", L"CopyHere"};
    for (DISPID member = 0; member < 6; ++member)
      if (::lstrcmpiW(names[0], kMembers[member]) == 0) return *id = member + 1, S_OK;
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    VARIANT first;
    ::VariantInit(&first);
    if (parameters->cArgs > 0 && FAILED(::VariantCopyInd(&first, &parameters->rgvarg[parameters->cArgs - 1])))
      return DISP_E_TYPEMISMATCH;
    const HRESULT answer = Answer(id, first, result);
    ::VariantClear(&first);
    return answer;
  }

 private:
  static HRESULT Give(VARIANT* result, IDispatch* object) {
    if (result == nullptr) return object->Release(), S_OK;
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = object;
    return S_OK;
  }

  HRESULT Answer(DISPID id, VARIANT& first, VARIANT* result) {
    if (kind_ == kShell && id == kNameSpace && SUCCEEDED(::VariantChangeType(&first, &first, 0, VT_I4))) {
      if (V_I4(&first) == 49) return Give(result, new Object(kConnections));
      if (V_I4(&first) == 0) return Give(result, new Object(kDesktop));
      return S_OK;  // no such folder: nothing
    }
    if (kind_ == kConnections && id == kItems) return Give(result, new Object(kItemList));
    if (kind_ == kItemList && id == kCount && result != nullptr) {
      V_VT(result) = VT_I4;
      V_I4(result) = static_cast<LONG>(Names().size());
      return S_OK;
    }
    if (kind_ == kItemList && id == kItem && SUCCEEDED(::VariantChangeType(&first, &first, 0, VT_I4))) {
      const std::vector<std::wstring> names = Names();
      if (V_I4(&first) < 0 || static_cast<std::size_t>(V_I4(&first)) >= names.size()) return S_OK;
      return Give(result, new Object(kConnection, names[static_cast<std::size_t>(V_I4(&first))]));
    }
    if (kind_ == kConnection && id == kName && result != nullptr) {
      V_VT(result) = VT_BSTR;
      V_BSTR(result) = ::SysAllocString(name_.c_str());
      return S_OK;
    }
    if (kind_ == kDesktop && id == kCopyHere && V_VT(&first) == VT_DISPATCH && V_DISPATCH(&first) != nullptr) {
      const std::wstring connection = static_cast<Object*>(V_DISPATCH(&first))->name_;
      const std::wstring asks = Environment(L"DIALWRIGHT_SHELL_ASKS");
      const std::size_t bar = asks.find(L'|');
      if (bar != std::wstring::npos &&
          ::MessageBoxW(nullptr, asks.substr(bar + 1).c_str(), asks.substr(0, bar).c_str(),
                        MB_YESNO | MB_ICONQUESTION) != IDYES)
        return S_OK;
      MakeShortcut(connection);
      return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }

  // The connections folder's items: a connection of its own, and the phonebook's entries
  // unless told otherwise.
  static std::vector<std::wstring> Names() {
    std::vector<std::wstring> names = {L"Подключение по локальной сети"};
    if (Environment(L"DIALWRIGHT_SHELL_LISTS") != L"0")
      for (const std::wstring& entry : PhonebookEntries()) names.push_back(entry);
    return names;
  }

  Kind kind_;
  std::wstring name_;
  ULONG references_ = 1;
};

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return *object = nullptr, E_NOINTERFACE;
    *object = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    auto* shell = new Object(Object::kShell);
    const HRESULT result = shell->QueryInterface(iid, object);
    shell->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory factory;

}  // namespace

extern "C" HRESULT WINAPI StandinGetClassObject(REFCLSID, REFIID iid, void** object) {
  return factory.QueryInterface(iid, object);
}

extern "C" HRESULT WINAPI StandinCanUnloadNow() { return S_FALSE; }
