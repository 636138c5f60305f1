#include "phonebook/set_entry_properties.h"

#include "phonebook/entry_layout.h"

namespace modRASVPN {
namespace {

// The service reads the structure's own dwSize field: a size too small to hold even that
// cannot describe a structure, and handing it over would let the service read past the image.
constexpr std::uint32_t kSmallestStructure = 4;

}  // namespace

ResultCode SetEntryProperties(const Services& services, const std::wstring& entryName,
                              const EntryRecord& record,
                              const std::optional<std::wstring>& phonebook) {
  std::uint32_t structureSize = 0;
  const ResultCode query = services.service.RasGetEntryPropertiesA(structureSize);
  if (query == platform::kSuccess) return platform::ERROR_INVALID_SIZE_CODE;
  if (query != platform::ERROR_BUFFER_TOO_SMALL_CODE) return query;
  if (structureSize < kSmallestStructure) return platform::ERROR_INVALID_SIZE_CODE;

  const EntryImage image = LayOutEntry(record, structureSize, services.ansi);
  std::optional<std::string> ansiPhonebook;
  if (phonebook) ansiPhonebook = services.ansi.ToAnsi(*phonebook);
  return services.service.RasSetEntryPropertiesA(ansiPhonebook, services.ansi.ToAnsi(entryName),
                                                 image.Bytes().data(), structureSize);
}

}  // namespace modRASVPN
