// The zero-filled byte image of one RASENTRYA handed to the phonebook service: the structure
// of the size S the service reports, then the alternate numbers, then two zero bytes.
// Every store is checked: a field that does not lie wholly inside the structure is not
// written, so an unexpected size can never make the program write outside the image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace modRASVPN {

class EntryImage {
 public:
  // S + alternatesLength + 2 bytes, all zero. Throws std::bad_alloc when that cannot be had.
  EntryImage(std::uint32_t structureSize, std::size_t alternatesLength);

  std::uint32_t StructureSize() const { return structureSize_; }
  std::span<const std::uint8_t> Bytes() const { return bytes_; }

  // A little-endian 32-bit store at offset; false (and nothing written) outside the structure.
  bool PutUInt32(std::size_t offset, std::uint32_t value);
  // Copies the bytes to offset; false (and nothing written) outside the structure.
  bool PutBytes(std::size_t offset, std::span<const std::uint8_t> bytes);
  // The field of width bytes at offset, or an empty span when it leaves the structure.
  std::span<std::uint8_t> Field(std::size_t offset, std::size_t width);
  // The room for the alternate numbers, right behind the structure.
  std::span<std::uint8_t> Alternates();

 private:
  std::uint32_t structureSize_;
  std::size_t alternatesLength_;
  std::vector<std::uint8_t> bytes_;
};

}  // namespace modRASVPN
