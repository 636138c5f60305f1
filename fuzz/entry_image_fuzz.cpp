// The entry image over arbitrary records and reported structure sizes: every write must stay
// inside the image, whatever size the service reports and however long the texts are.
#include <cstdlib>

#include "fuzz/fuzz_input.h"
#include "phonebook/entry_writes.h"
#include "tests/fakes/fake_phonebook_service.h"

namespace {

// Sizes around and between the published ones are the interesting ones.
constexpr std::uint32_t kLargestSize = 4096;

modRASVPN::EntryRecord RecordFrom(fuzzing::FuzzInput& input) {
  modRASVPN::EntryRecord record;
  for (std::uint32_t* number :
       {&record.dwSize, &record.dwfOptions, &record.dwCountryID, &record.dwCountryCode,
        &record.dwFrameSize, &record.dwfNetProtocols, &record.dwFramingProtocol,
        &record.dwChannels, &record.dwSubEntries, &record.dwIdleDisconnectSeconds, &record.dwType,
        &record.dwEncryptionType, &record.dwVpnStrategy, &record.dwfOptions2, &record.dwfOptions3})
    *number = input.Word();
  for (std::wstring* text :
       {&record.szAreaCode, &record.szLocalPhoneNumber, &record.szAlternates, &record.szScript,
        &record.szAutodialDll, &record.szAutodialFunc, &record.szDeviceType, &record.szDeviceName,
        &record.szX25PadType, &record.szX25Address, &record.szX25Facilities,
        &record.szX25UserData, &record.szCustomDialDll, &record.szDnsSuffix})
    *text = input.Text();
  for (std::uint8_t& byte : record.guidId) byte = input.Byte();
  return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzInput input(data, size);
  fakes::Reset();
  fakes::FakePhonebookService service;
  service.reportedSize = input.Word() % kLargestSize;
  service.sizeQueryResult =
      input.Byte() % 4 == 0 ? input.Word() : platform::ERROR_BUFFER_TOO_SMALL_CODE;
  const modRASVPN::EntryRecord record = RecordFrom(input);

  const platform::ResultCode result =
      modRASVPN::SetEntryProperties(service, L"Vorlix INTERNET", record, std::nullopt);

  // Only a 603 with a size leads to a write, and the write hands over exactly that size.
  const bool sized = service.sizeQueryResult == platform::ERROR_BUFFER_TOO_SMALL_CODE &&
                     service.reportedSize >= 4;
  if (!sized && !service.entries.empty()) std::abort();
  if (sized && (service.entries.size() != 1 || service.entries[0].size() != service.reportedSize))
    std::abort();
  if (!sized && result == 0) std::abort();
  return 0;
}
