// The functions the program binds at run time instead of importing them, in one table: the
// phonebook service's (rasapi32.dll, which a system may lack), the shell's and COM's (needed
// only once a click asks for them, so the loader does not map them before the window shows),
// and the one that older Windows lacks.
//
// Each row names its library and the signature the program calls it with. A row compiles only
// if that signature is the one the Windows headers declare, calling convention included. A
// library is loaded from the system directory by its full path when one of its functions is
// first asked for, and stays loaded for the life of the process. Find answers null when the
// library or the function cannot be had.
#pragma once

#include <windows.h>

#include <objbase.h>
#include <oleauto.h>
#include <ras.h>
#include <shellapi.h>
#include <shlobj.h>

#include <type_traits>
#include <utility>

namespace platform::win32::bound {

enum class Library { kernel32, rasapi32, ole32, oleaut32, shell32 };

// The file name of each library in the system directory, in the order of Library.
inline constexpr const wchar_t* kLibraryFiles[] = {L"kernel32.dll", L"rasapi32.dll",
                                                   L"ole32.dll", L"oleaut32.dll",
                                                   L"shell32.dll"};

template <typename Signature>
struct Function {
  Library library;
  const char* name;
};

#define DIALWRIGHT_BOUND(library, name, ...)                                       \
  static_assert(std::is_same_v<__VA_ARGS__, decltype(::name)>,                     \
                #name " is not bound with the signature the Windows headers give"); \
  inline constexpr Function<__VA_ARGS__> name { Library::library, #name }

// rasapi32.dll
DIALWRIGHT_BOUND(rasapi32, RasEnumEntriesA,
                 DWORD WINAPI(LPCSTR reserved, LPCSTR phonebook, LPRASENTRYNAMEA entries,
                              LPDWORD byteCount, LPDWORD entryCount));
DIALWRIGHT_BOUND(rasapi32, RasGetEntryPropertiesA,
                 DWORD WINAPI(LPCSTR phonebook, LPCSTR entry, LPRASENTRYA entryInfo,
                              LPDWORD entryInfoSize, LPBYTE deviceInfo, LPDWORD deviceInfoSize));
DIALWRIGHT_BOUND(rasapi32, RasSetEntryPropertiesA,
                 DWORD WINAPI(LPCSTR phonebook, LPCSTR entry, LPRASENTRYA entryInfo,
                              DWORD entryInfoSize, LPBYTE deviceInfo, DWORD deviceInfoSize));
DIALWRIGHT_BOUND(rasapi32, RasDeleteEntryA, DWORD WINAPI(LPCSTR phonebook, LPCSTR entry));
DIALWRIGHT_BOUND(rasapi32, RasGetErrorStringA, DWORD WINAPI(UINT code, LPSTR buffer, DWORD size));
// The pre-shared key of an L2TP/IPsec entry.
DIALWRIGHT_BOUND(rasapi32, RasSetCredentialsA,
                 DWORD WINAPI(LPCSTR phonebook, LPCSTR entry, LPRASCREDENTIALSA credentials,
                              BOOL clearCredentials));
// The provider's check reads which credentials are set, and lists the devices; the program
// never does.
DIALWRIGHT_BOUND(rasapi32, RasGetCredentialsA,
                 DWORD WINAPI(LPCSTR phonebook, LPCSTR entry, LPRASCREDENTIALSA credentials));
DIALWRIGHT_BOUND(rasapi32, RasEnumDevicesA,
                 DWORD WINAPI(LPRASDEVINFOA devices, LPDWORD byteCount, LPDWORD deviceCount));

// kernel32.dll: Windows 7 and Vista without the loader update have no SetDefaultDllDirectories,
// and importing it would keep the program from starting there.
DIALWRIGHT_BOUND(kernel32, SetDefaultDllDirectories, BOOL WINAPI(DWORD directoryFlags));

// shell32.dll: the site's "open".
DIALWRIGHT_BOUND(shell32, ShellExecuteA,
                 HINSTANCE WINAPI(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                  LPCSTR directory, INT showCommand));

// The provider's check: where to write its report when its own folder is not writable, where
// the phonebook's files and the desktop are, and what a shortcut leads to.
DIALWRIGHT_BOUND(shell32, SHGetFolderPathW,
                 HRESULT WINAPI(HWND owner, int folder, HANDLE token, DWORD flags, LPWSTR path));
DIALWRIGHT_BOUND(shell32, SHGetFileInfoW,
                 DWORD_PTR WINAPI(LPCWSTR path, DWORD attributes, SHFILEINFOW* info,
                                  UINT infoSize, UINT flags));

// ole32.dll: the apartment and the automation objects.
DIALWRIGHT_BOUND(ole32, CoInitializeEx, HRESULT WINAPI(LPVOID reserved, DWORD model));
DIALWRIGHT_BOUND(ole32, CoUninitialize, void WINAPI());
DIALWRIGHT_BOUND(ole32, CLSIDFromProgID, HRESULT WINAPI(LPCOLESTR progId, LPCLSID classId));
DIALWRIGHT_BOUND(ole32, CoCreateInstance,
                 HRESULT WINAPI(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID iid,
                                LPVOID* object));
// The provider's check: the item list a shortcut hands out.
DIALWRIGHT_BOUND(ole32, CoTaskMemFree, void WINAPI(LPVOID memory));

// oleaut32.dll: the texts and values that automation calls take and answer.
DIALWRIGHT_BOUND(oleaut32, SysAllocStringLen, BSTR WINAPI(const OLECHAR* text, UINT length));
DIALWRIGHT_BOUND(oleaut32, SysFreeString, void WINAPI(BSTR text));
DIALWRIGHT_BOUND(oleaut32, SysStringLen, UINT WINAPI(BSTR text));
DIALWRIGHT_BOUND(oleaut32, VariantClear, HRESULT WINAPI(VARIANTARG* value));
// MinGW-w64 declares the sources of these two without const (the SDK has them const).
DIALWRIGHT_BOUND(oleaut32, VariantCopyInd, HRESULT WINAPI(VARIANT* target, VARIANTARG* source));
DIALWRIGHT_BOUND(oleaut32, VariantChangeType,
                 HRESULT WINAPI(VARIANTARG* target, VARIANTARG* source, USHORT flags,
                                VARTYPE type));

#undef DIALWRIGHT_BOUND

// What an HRESULT-answering row answers when it cannot be had.
inline constexpr HRESULT kNotBound = static_cast<HRESULT>(0x8007007F);  // ERROR_PROC_NOT_FOUND

// The library, loaded by its full path in the system directory the first time it is asked
// for; null when it cannot be loaded. One attempt: a missing library stays missing.
HMODULE Module(Library library);

template <typename Signature>
Signature* Find(Function<Signature> function) {
  HMODULE module = Module(function.library);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Signature*>(
      reinterpret_cast<void*>(::GetProcAddress(module, function.name)));
}

// Calls the function when it can be had and answers what it answers; otherwise answers
// whenMissing. For the rows whose answer the caller reads.
template <typename Signature, typename Result, typename... Arguments>
Result Call(Function<Signature> function, Result whenMissing, Arguments&&... arguments) {
  auto* bound = Find(function);
  return bound != nullptr ? bound(std::forward<Arguments>(arguments)...) : whenMissing;
}

// Calls the function when it can be had; nothing happens otherwise.
template <typename Signature, typename... Arguments>
void CallIfBound(Function<Signature> function, Arguments&&... arguments) {
  if (auto* bound = Find(function)) bound(std::forward<Arguments>(arguments)...);
}

}  // namespace platform::win32::bound
