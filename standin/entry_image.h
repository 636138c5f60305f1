// Converts between a RASENTRYA byte image and the values the phonebook keeps. Every read and
// write stays inside the bounds it is given; numbers are little-endian at explicit offsets.
#pragma once

#include <cstdint>

#include "standin/phonebook.h"

namespace standin {

std::uint32_t LoadNumber(const std::uint8_t* bytes);
void StoreNumber(std::uint8_t* bytes, std::uint32_t value);

// The values of an image whose dwSize (structureSize, a published size) is at most
// imageSize. The alternate numbers are taken only from within imageSize.
EntryValues ReadEntryImage(const std::uint8_t* image, std::uint32_t structureSize,
                           std::uint32_t imageSize);

// Bytes needed for these values in a structure of that size: the structure, and behind it
// the alternate numbers (each zero-terminated, one more zero closing the list).
std::uint32_t EntryImageSize(const EntryValues& values, std::uint32_t structureSize);

// Writes the values into image (EntryImageSize bytes, all of which it sets).
void WriteEntryImage(const EntryValues& values, std::uint32_t structureSize,
                     std::uint8_t* image);

}  // namespace standin
