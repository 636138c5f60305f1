// The decoy the check puts beside each probe under the name version.dll: loaded, it leaves
// "<its own path>.loaded" and does nothing else; it answers the probe's one call as a
// missing file would.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t path[MAX_PATH + 8];
  const DWORD length = ::GetModuleFileNameW(instance, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return TRUE;
  ::lstrcpyW(path + length, L".loaded");
  HANDLE record = ::CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (record != INVALID_HANDLE_VALUE) ::CloseHandle(record);
  return TRUE;
}

// Exported as GetFileVersionInfoSizeW (decoy.def): the headers declare that name as imported.
extern "C" DWORD WINAPI DecoyFileVersionInfoSize(LPCWSTR, LPDWORD handle) {
  if (handle != nullptr) *handle = 0;
  ::SetLastError(ERROR_FILE_NOT_FOUND);
  return 0;
}
