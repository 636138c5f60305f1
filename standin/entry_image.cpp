#include "standin/entry_image.h"

#include <algorithm>
#include <cstring>

#include "standin/entry_layout.h"
#include "standin/entry_values.h"

namespace standin {
namespace {

constexpr std::string_view kPhoneNumberKey = "szLocalPhoneNumber";

std::string ReadField(const std::uint8_t* at, const Field& field) {
  switch (field.kind) {
    case FieldKind::kNumber: return FormatNumber(LoadNumber(at));
    case FieldKind::kIpAddress: {
      IpAddress address{};
      std::copy_n(at, address.size(), address.begin());
      return FormatIpAddress(address);
    }
    case FieldKind::kGuid: {
      Guid guid{};
      std::copy_n(at, guid.size(), guid.begin());
      return FormatGuid(guid);
    }
    case FieldKind::kText: break;
  }
  // A text that fills its field has no terminator: it ends with the field.
  const std::uint8_t* end = std::find(at, at + field.width, std::uint8_t{0});
  return std::string(at, end);
}

void WriteField(std::uint8_t* at, const Field& field, const std::string& value) {
  std::uint32_t number = 0;
  IpAddress address{};
  Guid guid{};
  switch (field.kind) {
    case FieldKind::kNumber:
      if (ParseNumber(value, number)) StoreNumber(at, number);
      return;
    case FieldKind::kIpAddress:
      if (ParseIpAddress(value, address)) std::copy(address.begin(), address.end(), at);
      return;
    case FieldKind::kGuid:
      if (ParseGuid(value, guid)) std::copy(guid.begin(), guid.end(), at);
      return;
    case FieldKind::kText:
      // Cut at the field's width; the zero-filled image supplies any terminator.
      std::copy_n(value.begin(), std::min<std::size_t>(value.size(), field.width), at);
      return;
  }
}

// The zero-terminated strings at dwAlternateOffset, joined by zero bytes. The list counts
// only where it lies behind the structure and inside the image; a string that runs to the
// image's end without its terminator is dropped.
std::string ReadAlternates(const std::uint8_t* image, std::uint32_t structureSize,
                           std::uint32_t imageSize) {
  const std::uint32_t offset = LoadNumber(image + kAlternateOffsetAt);
  std::string list;
  if (offset == 0 || offset < structureSize || offset >= imageSize) return list;
  const std::uint8_t* position = image + offset;
  const std::uint8_t* const end = image + imageSize;
  while (position < end) {
    const std::uint8_t* terminator = std::find(position, end, std::uint8_t{0});
    if (terminator == end || terminator == position) break;
    if (!list.empty()) list += '\0';
    list.append(position, terminator);
    position = terminator + 1;
  }
  return list;
}

}  // namespace

std::uint32_t LoadNumber(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void StoreNumber(std::uint8_t* bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

EntryValues ReadEntryImage(const std::uint8_t* image, std::uint32_t structureSize,
                           std::uint32_t imageSize) {
  EntryValues values;
  values.emplace_back(kSizeKey, FormatNumber(structureSize));
  for (const Field& field : EntryLayout(structureSize)) {
    values.emplace_back(field.name, ReadField(image + field.offset, field));
    // The list stands where RASENTRYA has dwAlternateOffset.
    if (field.name == kPhoneNumberKey)
      values.emplace_back(kAlternatesKey, ReadAlternates(image, structureSize, imageSize));
  }
  return values;
}

std::uint32_t EntryImageSize(const EntryValues& values, std::uint32_t structureSize) {
  const std::string* alternates = FindValue(values, kAlternatesKey);
  if (alternates == nullptr || alternates->empty()) return structureSize;
  return structureSize + static_cast<std::uint32_t>(alternates->size()) + 2;
}

void WriteEntryImage(const EntryValues& values, std::uint32_t structureSize,
                     std::uint8_t* image) {
  std::memset(image, 0, EntryImageSize(values, structureSize));
  StoreNumber(image, structureSize);
  for (const Field& field : EntryLayout(structureSize)) {
    if (const std::string* value = FindValue(values, field.name))
      WriteField(image + field.offset, field, *value);
  }
  const std::string* alternates = FindValue(values, kAlternatesKey);
  if (alternates != nullptr && !alternates->empty()) {
    std::copy(alternates->begin(), alternates->end(), image + structureSize);
    StoreNumber(image + kAlternateOffsetAt, structureSize);
  }
}

}  // namespace standin
