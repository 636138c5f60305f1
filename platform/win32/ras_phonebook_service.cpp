#include "platform/win32/ras_phonebook_service.h"

#include "platform/win32/system_library.h"

namespace platform::win32 {
namespace {

// The exported signatures, written out here so that no header of the service is needed.
using RasEnumEntriesFn = DWORD WINAPI(LPCSTR reserved, LPCSTR phonebook, void* entries,
                                      LPDWORD byteCount, LPDWORD entryCount);
using RasGetEntryPropertiesFn = DWORD WINAPI(LPCSTR phonebook, LPCSTR entry, void* entryInfo,
                                             LPDWORD entryInfoSize, LPBYTE deviceInfo,
                                             LPDWORD deviceInfoSize);
using RasSetEntryPropertiesFn = DWORD WINAPI(LPCSTR phonebook, LPCSTR entry, void* entryInfo,
                                             DWORD entryInfoSize, LPBYTE deviceInfo,
                                             DWORD deviceInfoSize);
using RasDeleteEntryFn = DWORD WINAPI(LPCSTR phonebook, LPCSTR entry);
using RasGetErrorStringFn = DWORD WINAPI(UINT code, LPSTR buffer, DWORD size);

}  // namespace

void RasPhonebookService::Load() {
  if (loadAttempted_) return;
  loadAttempted_ = true;
  library_ = LoadSystemLibrary(L"rasapi32.dll");
}

template <typename Function>
Function* RasPhonebookService::Find(const char* name) {
  Load();
  if (!library_) return nullptr;
  return reinterpret_cast<Function*>(
      reinterpret_cast<void*>(::GetProcAddress(library_.get(), name)));
}

ResultCode RasPhonebookService::RasEnumEntriesA(void* buffer, std::uint32_t& byteCount,
                                                std::uint32_t& entryCount) {
  auto* function = Find<RasEnumEntriesFn>("RasEnumEntriesA");
  if (function == nullptr) return kServiceUnavailable;
  DWORD bytes = byteCount;
  DWORD entries = entryCount;
  const DWORD result = function(nullptr, nullptr, buffer, &bytes, &entries);
  byteCount = bytes;
  entryCount = entries;
  return result;
}

ResultCode RasPhonebookService::RasGetEntryPropertiesA(std::uint32_t& entrySize) {
  auto* function = Find<RasGetEntryPropertiesFn>("RasGetEntryPropertiesA");
  if (function == nullptr) return kServiceUnavailable;
  DWORD size = entrySize;
  const DWORD result = function(nullptr, nullptr, nullptr, &size, nullptr, nullptr);
  entrySize = size;
  return result;
}

ResultCode RasPhonebookService::RasSetEntryPropertiesA(const std::optional<std::string>& phonebook,
                                                       const std::string& entryName,
                                                       const void* entry,
                                                       std::uint32_t entrySize) {
  auto* function = Find<RasSetEntryPropertiesFn>("RasSetEntryPropertiesA");
  if (function == nullptr) return kServiceUnavailable;
  return function(phonebook ? phonebook->c_str() : nullptr, entryName.c_str(),
                  const_cast<void*>(entry), entrySize, nullptr, 0);
}

ResultCode RasPhonebookService::RasDeleteEntryA(const std::string& entryName) {
  auto* function = Find<RasDeleteEntryFn>("RasDeleteEntryA");
  if (function == nullptr) return kServiceUnavailable;
  return function(nullptr, entryName.c_str());
}

ResultCode RasPhonebookService::RasGetErrorStringA(std::uint32_t code, char* buffer,
                                                   std::uint32_t size) {
  auto* function = Find<RasGetErrorStringFn>("RasGetErrorStringA");
  if (function == nullptr) return kServiceUnavailable;
  return function(code, buffer, size);
}

}  // namespace platform::win32
