#include "phonebook/entry_image.h"

#include <algorithm>
#include <limits>
#include <new>

namespace modRASVPN {
namespace {

std::size_t ImageSize(std::uint32_t structureSize, std::size_t alternatesLength) {
  // Checked, so that a huge reported size fails as lack of memory instead of wrapping
  // round to a small image (size_t is 32 bits wide in the shipped program).
  constexpr std::size_t kLimit = std::numeric_limits<std::ptrdiff_t>::max() - 2;
  const std::size_t structureBytes = structureSize;
  if (structureBytes > kLimit || alternatesLength > kLimit - structureBytes) throw std::bad_alloc();
  return structureBytes + alternatesLength + 2;
}

}  // namespace

EntryImage::EntryImage(std::uint32_t structureSize, std::size_t alternatesLength)
    : structureSize_(structureSize),
      alternatesLength_(alternatesLength),
      bytes_(ImageSize(structureSize, alternatesLength), 0) {}

std::span<std::uint8_t> EntryImage::Field(std::size_t offset, std::size_t width) {
  if (offset > structureSize_ || width > structureSize_ - offset) return {};
  return std::span<std::uint8_t>(bytes_).subspan(offset, width);
}

bool EntryImage::PutUInt32(std::size_t offset, std::uint32_t value) {
  const std::span<std::uint8_t> field = Field(offset, 4);
  if (field.empty()) return false;
  for (std::size_t i = 0; i < 4; ++i) field[i] = static_cast<std::uint8_t>(value >> (8 * i));
  return true;
}

bool EntryImage::PutBytes(std::size_t offset, std::span<const std::uint8_t> bytes) {
  const std::span<std::uint8_t> field = Field(offset, bytes.size());
  if (field.size() != bytes.size()) return false;
  std::copy(bytes.begin(), bytes.end(), field.begin());
  return true;
}

std::span<std::uint8_t> EntryImage::Alternates() {
  return std::span<std::uint8_t>(bytes_).subspan(structureSize_, alternatesLength_);
}

}  // namespace modRASVPN
