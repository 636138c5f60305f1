// rasapi32.dll: the calls of the phonebook service, forwarded to the portable service.
// Each call reads the environment afresh and works on the phonebook file directly; nothing
// is kept between calls.
#include <windows.h>

#include <cstdint>

#include "standin/file_storage.h"
#include "standin/service.h"
#include "standin/win32/environment.h"
#include "standin/win32/phonebook_location.h"
#include "standin/win32/windows_file_ops.h"

namespace {

// No exception may cross the DLL's boundary; the only one the service can raise is the lack
// of memory.
template <typename Body>
DWORD Served(Body body) noexcept {
  try {
    standin::win32::WindowsFileOps files;
    standin::FileStorage storage(files, standin::win32::PhonebookFilePath);
    standin::Service service(storage, standin::win32::OptionsFromEnvironment());
    return body(service);
  } catch (...) {
    return standin::kNotEnoughMemory;
  }
}

// A DWORD in/out argument seen as the service's 32-bit value (DWORD is a distinct type of
// the same width); written back when the call is over.
class SizeArgument {
 public:
  explicit SizeArgument(LPDWORD place) : place_(place), value_(place ? *place : 0) {}
  ~SizeArgument() {
    if (place_ != nullptr) *place_ = value_;
  }
  SizeArgument(const SizeArgument&) = delete;
  SizeArgument& operator=(const SizeArgument&) = delete;

  std::uint32_t* get() { return place_ != nullptr ? &value_ : nullptr; }

 private:
  LPDWORD place_;
  std::uint32_t value_;
};

}  // namespace

extern "C" {

DWORD WINAPI RasEnumEntriesA(LPCSTR reserved, LPCSTR phonebook, LPVOID entries,
                             LPDWORD byteCount, LPDWORD entryCount) {
  return Served([&](standin::Service& service) {
    SizeArgument bytes(byteCount);
    SizeArgument count(entryCount);
    return service.RasEnumEntriesA(reserved, phonebook, entries, bytes.get(), count.get());
  });
}

DWORD WINAPI RasGetEntryPropertiesA(LPCSTR phonebook, LPCSTR entryName, LPVOID entry,
                                    LPDWORD entrySize, LPBYTE deviceInfo,
                                    LPDWORD deviceInfoSize) {
  return Served([&](standin::Service& service) {
    SizeArgument size(entrySize);
    SizeArgument deviceSize(deviceInfoSize);
    return service.RasGetEntryPropertiesA(phonebook, entryName, entry, size.get(), deviceInfo,
                                          deviceSize.get());
  });
}

DWORD WINAPI RasSetEntryPropertiesA(LPCSTR phonebook, LPCSTR entryName, LPVOID entry,
                                    DWORD entrySize, LPBYTE deviceInfo, DWORD deviceInfoSize) {
  return Served([&](standin::Service& service) {
    return service.RasSetEntryPropertiesA(phonebook, entryName, entry, entrySize, deviceInfo,
                                          deviceInfoSize);
  });
}

DWORD WINAPI RasDeleteEntryA(LPCSTR phonebook, LPCSTR entryName) {
  return Served([&](standin::Service& service) {
    return service.RasDeleteEntryA(phonebook, entryName);
  });
}

DWORD WINAPI RasEnumDevicesA(LPVOID devices, LPDWORD byteCount, LPDWORD deviceCount) {
  return Served([&](standin::Service& service) {
    SizeArgument bytes(byteCount);
    SizeArgument count(deviceCount);
    return service.RasEnumDevicesA(devices, bytes.get(), count.get());
  });
}

DWORD WINAPI RasGetErrorStringA(UINT code, LPSTR buffer, DWORD size) {
  return Served([&](standin::Service& service) {
    return service.RasGetErrorStringA(code, buffer, size);
  });
}

DWORD WINAPI RasSetCredentialsA(LPCSTR phonebook, LPCSTR entryName, LPVOID credentials,
                                BOOL clear) {
  return Served([&](standin::Service& service) {
    return service.RasSetCredentialsA(phonebook, entryName, credentials, clear != FALSE);
  });
}

DWORD WINAPI RasGetCredentialsA(LPCSTR phonebook, LPCSTR entryName, LPVOID credentials) {
  return Served([&](standin::Service& service) {
    return service.RasGetCredentialsA(phonebook, entryName, credentials);
  });
}

}  // extern "C"
