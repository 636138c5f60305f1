#include "standin/entry_layout.h"

#include <array>

namespace standin {
namespace {

// Vista's and Windows 7's structures add IPv6 members behind 2884, which the stand-in keeps
// as zero: nothing the program writes lies there.
constexpr std::array<std::uint32_t, 7> kPublishedSizes = {1672, 1768, 1796, 2088, 2884, 2924, 2948};

constexpr std::uint32_t kNarrowDeviceNameSize = 1672;
constexpr std::uint32_t kMultilinkAbove = 1768;
constexpr std::uint32_t kVpnAbove = 1796;
constexpr std::uint32_t kDnsAbove = 2088;
constexpr std::uint32_t kTailAbove = 2352;

void AddBase(std::vector<Field>& fields, std::uint32_t deviceNameWidth) {
  using enum FieldKind;
  const std::uint32_t x25 = 989 + deviceNameWidth;
  fields.insert(fields.end(), {
      {"dwfOptions", kNumber, 4, 4},
      {"dwCountryID", kNumber, 8, 4},
      {"dwCountryCode", kNumber, 12, 4},
      {"szAreaCode", kText, 16, 11},
      {"szLocalPhoneNumber", kText, 27, 129},
      {"ipaddr", kIpAddress, 160, 4},
      {"ipaddrDns", kIpAddress, 164, 4},
      {"ipaddrDnsAlt", kIpAddress, 168, 4},
      {"ipaddrWins", kIpAddress, 172, 4},
      {"ipaddrWinsAlt", kIpAddress, 176, 4},
      {"dwFrameSize", kNumber, 180, 4},
      {"dwfNetProtocols", kNumber, 184, 4},
      {"dwFramingProtocol", kNumber, 188, 4},
      {"szScript", kText, 192, 260},
      {"szAutodialDll", kText, 452, 260},
      {"szAutodialFunc", kText, 712, 260},
      {"szDeviceType", kText, 972, 17},
      {"szDeviceName", kText, 989, deviceNameWidth},
      {"szX25PadType", kText, x25, 33},
      {"szX25Address", kText, x25 + 33, 201},
      {"szX25Facilities", kText, x25 + 234, 201},
      {"szX25UserData", kText, x25 + 435, 201},
      // Two alignment bytes sit in front of dwChannels; the reserved words follow it.
      {"dwChannels", kNumber, x25 + 638, 4},
  });
}

void AddMultilink(std::vector<Field>& fields) {
  using enum FieldKind;
  fields.insert(fields.end(), {
      {"dwSubEntries", kNumber, 1768, 4},
      {"dwDialMode", kNumber, 1772, 4},
      {"dwDialExtraPercent", kNumber, 1776, 4},
      {"dwDialExtraSampleSeconds", kNumber, 1780, 4},
      {"dwHangUpExtraPercent", kNumber, 1784, 4},
      {"dwHangUpExtraSampleSeconds", kNumber, 1788, 4},
      {"dwIdleDisconnectSeconds", kNumber, 1792, 4},
  });
}

void AddVpn(std::vector<Field>& fields) {
  using enum FieldKind;
  fields.insert(fields.end(), {
      {"dwType", kNumber, 1796, 4},
      {"dwEncryptionType", kNumber, 1800, 4},
      {"dwCustomAuthKey", kNumber, 1804, 4},
      {"guidId", kGuid, 1808, 16},
      {"szCustomDialDll", kText, 1824, 260},
      {"dwVpnStrategy", kNumber, 2084, 4},
  });
}

void AddDns(std::vector<Field>& fields) {
  using enum FieldKind;
  fields.insert(fields.end(), {
      {"dwfOptions2", kNumber, 2088, 4},
      {"dwfOptions3", kNumber, 2092, 4},
      {"szDnsSuffix", kText, 2096, 256},
  });
}

void AddTail(std::vector<Field>& fields) {
  using enum FieldKind;
  fields.insert(fields.end(), {
      {"dwTcpWindowSize", kNumber, 2352, 4},
      {"szPrerequisitePbk", kText, 2356, 260},
      {"szPrerequisiteEntry", kText, 2616, 257},
      {"dwRedialCount", kNumber, 2876, 4},
      {"dwRedialPause", kNumber, 2880, 4},
  });
}

}  // namespace

bool IsPublishedEntrySize(std::uint32_t size) {
  for (const std::uint32_t published : kPublishedSizes)
    if (size == published) return true;
  return false;
}

std::vector<Field> EntryLayout(std::uint32_t structureSize) {
  std::vector<Field> fields;
  if (!IsPublishedEntrySize(structureSize)) return fields;
  AddBase(fields, structureSize == kNarrowDeviceNameSize ? 33 : 129);
  if (structureSize > kMultilinkAbove) AddMultilink(fields);
  if (structureSize > kVpnAbove) AddVpn(fields);
  if (structureSize > kDnsAbove) AddDns(fields);
  if (structureSize > kTailAbove) AddTail(fields);
  return fields;
}

std::optional<FieldKind> KindOfKey(std::string_view key) {
  if (key == kSizeKey || key == kCredentialsMaskKey) return FieldKind::kNumber;
  if (key == kAlternatesKey) return FieldKind::kText;
  // The widest structure has every field; only the device-name width differs by size.
  static const std::vector<Field> kEveryField = EntryLayout(kDefaultEntrySize);
  for (const Field& field : kEveryField)
    if (field.name == key) return field.kind;
  return std::nullopt;
}

}  // namespace standin
