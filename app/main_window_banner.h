// The banner of Image1: a .bmp file compiled into the program (the window's definition holds
// it), and a bounds-checked view of its headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace app::main_window {

std::span<const unsigned char> BannerFile();

struct BitmapFileView {
  std::size_t infoOffset;  // of the BITMAPINFOHEADER
  std::size_t infoSize;
  std::size_t bitsOffset;
  std::size_t bitsSize;  // rows padded to 4 bytes
  int width;
  int height;  // positive: bottom-up rows
  int bitCount;
  std::uint32_t compression;
  int pixelsPerMetreX;
  int pixelsPerMetreY;
};

// An uncompressed 24-bit bitmap file whose pixels lie inside the file; nullopt otherwise.
std::optional<BitmapFileView> ParseBitmapFile(std::span<const unsigned char> file);

}  // namespace app::main_window
