#include "standin/entry_rules.h"

#include "standin/entry_values.h"

namespace standin {
namespace {

constexpr std::string_view kFileNameReserved = "\\/:*?\"<>|";
constexpr std::uint32_t kTypeAbove = 1796;  // dwType exists only in larger structures

bool IsEmptyText(const EntryValues& values, std::string_view key) {
  const std::string* value = FindValue(values, key);
  return value == nullptr || value->empty();
}

bool IsZeroNumber(const EntryValues& values, std::string_view key) {
  const std::string* value = FindValue(values, key);
  std::uint32_t number = 0;
  return value == nullptr || !ParseNumber(*value, number) || number == 0;
}

}  // namespace

bool IsValidEntryName(std::string_view name) {
  if (name.empty() || name.size() > kMaxEntryNameBytes || name.front() == '.') return false;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || kFileNameReserved.find(c) != std::string_view::npos)
      return false;
  }
  return true;
}

ResultCode CheckRequiredFields(const EntryValues& values, std::uint32_t structureSize) {
  const bool missing = IsEmptyText(values, "szLocalPhoneNumber") ||
                       IsEmptyText(values, "szDeviceName") ||
                       IsEmptyText(values, "szDeviceType") ||
                       IsZeroNumber(values, "dwFramingProtocol") ||
                       IsZeroNumber(values, "dwfOptions") ||
                       (structureSize > kTypeAbove && IsZeroNumber(values, "dwType"));
  return missing ? kInvalidParameter : kSuccess;
}

}  // namespace standin
