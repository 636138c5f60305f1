#include "app/main_window_banner.h"

namespace app::main_window {
namespace {

std::uint32_t ReadU32(std::span<const unsigned char> bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes[offset]) |
         static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

std::uint16_t ReadU16(std::span<const unsigned char> bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

}  // namespace

std::optional<BitmapFileView> ParseBitmapFile(std::span<const unsigned char> file) {
  if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M')
    return std::nullopt;
  BitmapFileView view{};
  view.infoOffset = kFileHeaderSize;
  view.infoSize = ReadU32(file, 14);
  view.bitsOffset = ReadU32(file, 10);
  view.width = static_cast<std::int32_t>(ReadU32(file, 18));
  view.height = static_cast<std::int32_t>(ReadU32(file, 22));
  view.bitCount = ReadU16(file, 28);
  view.compression = ReadU32(file, 30);
  view.pixelsPerMetreX = static_cast<std::int32_t>(ReadU32(file, 38));
  view.pixelsPerMetreY = static_cast<std::int32_t>(ReadU32(file, 42));
  if (view.infoSize < kInfoHeaderSize || ReadU16(file, 26) != 1 || view.bitCount != 24 ||
      view.compression != 0 || view.width <= 0 || view.height <= 0 || view.width > 0x4000 ||
      view.height > 0x4000)
    return std::nullopt;
  const std::size_t stride = (static_cast<std::size_t>(view.width) * 3 + 3) / 4 * 4;
  view.bitsSize = stride * static_cast<std::size_t>(view.height);
  if (view.bitsOffset < kFileHeaderSize + view.infoSize || view.bitsOffset > file.size() ||
      file.size() - view.bitsOffset < view.bitsSize)
    return std::nullopt;
  return view;
}

}  // namespace app::main_window
