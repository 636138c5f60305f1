// The functions the program binds at run time instead of importing them, in one table: those
// of the phonebook service (rasapi32.dll from the system directory, which may lack them) and
// the one that older Windows lacks. Find answers null when the module or the function is not
// there.
#pragma once

#include <windows.h>

namespace platform::win32::bound {

template <typename Signature>
struct Function {
  const char* name;
};

// rasapi32.dll
inline constexpr Function<DWORD WINAPI(LPCSTR reserved, LPCSTR phonebook, void* entries,
                                       LPDWORD byteCount, LPDWORD entryCount)>
    RasEnumEntriesA{"RasEnumEntriesA"};
inline constexpr Function<DWORD WINAPI(LPCSTR phonebook, LPCSTR entry, void* entryInfo,
                                       LPDWORD entryInfoSize, LPBYTE deviceInfo,
                                       LPDWORD deviceInfoSize)>
    RasGetEntryPropertiesA{"RasGetEntryPropertiesA"};
inline constexpr Function<DWORD WINAPI(LPCSTR phonebook, LPCSTR entry, void* entryInfo,
                                       DWORD entryInfoSize, LPBYTE deviceInfo,
                                       DWORD deviceInfoSize)>
    RasSetEntryPropertiesA{"RasSetEntryPropertiesA"};
inline constexpr Function<DWORD WINAPI(LPCSTR phonebook, LPCSTR entry)> RasDeleteEntryA{
    "RasDeleteEntryA"};
inline constexpr Function<DWORD WINAPI(UINT code, LPSTR buffer, DWORD size)> RasGetErrorStringA{
    "RasGetErrorStringA"};

// kernel32.dll: Windows 7 and Vista without the loader update have no SetDefaultDllDirectories,
// and importing it would keep the program from starting there.
inline constexpr Function<BOOL WINAPI(DWORD directoryFlags)> SetDefaultDllDirectories{
    "SetDefaultDllDirectories"};

template <typename Signature>
Signature* Find(HMODULE module, Function<Signature> function) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Signature*>(
      reinterpret_cast<void*>(::GetProcAddress(module, function.name)));
}

}  // namespace platform::win32::bound
