#include "phonebook/entry_layout.h"

#include <algorithm>
#include <span>

#include "platform/system.h"

namespace modRASVPN {
namespace {

// Copies the text's ANSI bytes into the field: as many bytes as the text has characters, at
// most width (and never more than the field holds). No terminator is written: the image is
// zero-filled, so a shorter text ends at the next byte, and a text of width characters or more
// fills the field and is cut there.
void CopyTextField(std::span<std::uint8_t> destination, const std::wstring& text,
                   std::int32_t width) {
  if (text.empty() || width <= 0) return;
  const std::string bytes = platform::ToAnsi(text);
  const std::size_t count = std::min({text.size(), static_cast<std::size_t>(width),
                                      destination.size(), bytes.size()});
  std::copy_n(bytes.begin(), count, destination.begin());
}

class Writer {
 public:
  explicit Writer(EntryImage& image) : image_(image) {}

  void Number(std::size_t offset, std::uint32_t value) { image_.PutUInt32(offset, value); }
  void Text(std::size_t offset, const std::wstring& text, std::int32_t width) {
    CopyTextField(image_.Field(offset, static_cast<std::size_t>(width)), text, width);
  }
  void Address(std::size_t offset, const RasIpAddress& address) {
    const std::uint8_t bytes[] = {address.a, address.b, address.c, address.d};
    image_.PutBytes(offset, bytes);
  }
  void Bytes(std::size_t offset, std::span<const std::uint8_t> bytes) {
    image_.PutBytes(offset, bytes);
  }

 private:
  EntryImage& image_;
};

void WriteAlternates(EntryImage& image, const EntryRecord& record) {
  const std::span<std::uint8_t> room = image.Alternates();
  CopyTextField(room, record.szAlternates, static_cast<std::int32_t>(room.size()));
  image.PutUInt32(156, image.StructureSize());  // dwAlternateOffset: the list starts at S
}

// The part every structure size has. The device-name width W moves the X.25 fields.
void WriteCommonFields(Writer& out, const EntryRecord& r, std::uint32_t size) {
  const std::int32_t w = size == kEntrySizeNarrowDeviceName ? 33 : 129;
  out.Number(0, size);
  out.Number(4, r.dwfOptions);
  out.Number(8, r.dwCountryID);
  out.Number(12, r.dwCountryCode);
  out.Text(16, r.szAreaCode, 11);
  out.Text(27, r.szLocalPhoneNumber, 129);
  out.Address(160, r.ipaddr);
  out.Address(164, r.ipaddrDns);
  out.Address(168, r.ipaddrDnsAlt);
  out.Address(172, r.ipaddrWins);
  out.Address(176, r.ipaddrWinsAlt);
  out.Number(180, r.dwFrameSize);
  out.Number(184, r.dwfNetProtocols);
  out.Number(188, r.dwFramingProtocol);
  out.Text(192, r.szScript, 260);
  out.Text(452, r.szAutodialDll, 260);
  out.Text(712, r.szAutodialFunc, 260);
  out.Text(972, r.szDeviceType, 17);
  out.Text(989, r.szDeviceName, w);
  out.Text(989 + w, r.szX25PadType, 33);
  out.Text(1022 + w, r.szX25Address, 201);
  out.Text(1223 + w, r.szX25Facilities, 201);
  out.Text(1424 + w, r.szX25UserData, 201);
  // Two alignment bytes, then dwChannels; dwReserved1 and dwReserved2 stay zero.
  out.Number(1627 + w, r.dwChannels);
}

void WriteMultilinkGroup(Writer& out, const EntryRecord& r) {
  out.Number(1768, r.dwSubEntries);
  out.Number(1772, r.dwDialMode);
  out.Number(1776, r.dwDialExtraPercent);
  out.Number(1780, r.dwDialExtraSampleSeconds);
  out.Number(1784, r.dwHangUpExtraPercent);
  out.Number(1788, r.dwHangUpExtraSampleSeconds);
  out.Number(1792, r.dwIdleDisconnectSeconds);
}

void WriteVpnGroup(Writer& out, const EntryRecord& r) {
  out.Number(1796, r.dwType);
  out.Number(1800, r.dwEncryptionType);
  out.Number(1804, r.dwCustomAuthKey);
  out.Bytes(1808, r.guidId);
  out.Text(1824, r.szCustomDialDll, 260);
  out.Number(2084, r.dwVpnStrategy);
}

void WriteDnsSuffixGroup(Writer& out, const EntryRecord& r) {
  out.Number(2088, r.dwfOptions2);
  out.Number(2092, r.dwfOptions3);
  out.Text(2096, r.szDnsSuffix, 256);
}

}  // namespace

EntryImage LayOutEntry(const EntryRecord& record, std::uint32_t structureSize) {
  EntryImage image(structureSize, record.szAlternates.size());
  Writer out(image);
  WriteCommonFields(out, record, structureSize);
  if (!record.szAlternates.empty()) WriteAlternates(image, record);
  // The thresholds are strict: a group is there only when the structure runs past its start.
  if (structureSize > kEntrySizeWithoutGroups) WriteMultilinkGroup(out, record);
  if (structureSize > kEntrySizeWithMultilink) WriteVpnGroup(out, record);
  if (structureSize > kEntrySizeWithVpn) WriteDnsSuffixGroup(out, record);
  // From 2352 on (dwTcpWindowSize and after) nothing is written.
  return image;
}

}  // namespace modRASVPN
