#include "phonebook/entry_writes.h"

#include "phonebook/entry_layout.h"
#include "platform/system.h"

namespace modRASVPN {
namespace {

// The service reads the structure's own dwSize field: a size too small to hold even that
// cannot describe a structure, and handing it over would let the service read past the image.
constexpr std::uint32_t kSmallestStructure = 4;

}  // namespace

platform::ResultCode SetEntryProperties(platform::PhonebookService& service,
                                        const std::wstring& entryName, const EntryRecord& record,
                                        const std::optional<std::wstring>& phonebook,
                                        std::uint32_t needsSizeAbove) {
  std::uint32_t structureSize = 0;
  const platform::ResultCode query = service.RasGetEntryPropertiesA(structureSize);
  if (query == platform::kSuccess) return platform::ERROR_INVALID_SIZE_CODE;
  if (query != platform::ERROR_BUFFER_TOO_SMALL_CODE) return query;
  if (structureSize < kSmallestStructure) return platform::ERROR_INVALID_SIZE_CODE;
  if (structureSize <= needsSizeAbove) return kStructureCannotHoldIt;

  const EntryImage image = LayOutEntry(record, structureSize);
  std::optional<std::string> ansiPhonebook;
  if (phonebook) ansiPhonebook = platform::ToAnsi(*phonebook);
  return service.RasSetEntryPropertiesA(ansiPhonebook, platform::ToAnsi(entryName),
                                        image.Bytes().data(), structureSize);
}

platform::ResultCode DeleteEntry(platform::PhonebookService& service, const std::wstring& name) {
  return service.RasDeleteEntryA(platform::ToAnsi(name));
}

}  // namespace modRASVPN
