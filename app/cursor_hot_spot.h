// Where the hand cursor's hot spot belongs once the system has scaled the cursor to its own
// cursor size: on the fingertip as drawn. The system scales the hot spot by truncating, which
// at 120 and 144 dpi puts it a pixel beside the scaled fingertip.
#pragma once

#include <cstdint>
#include <span>

namespace app {

struct HotSpot {
  int x, y;
  bool operator==(const HotSpot&) const = default;
};

// andMask: the cursor's AND mask, rows top down, stride bytes a row, the most significant bit
// the leftmost pixel; a 0 bit is a drawn pixel. Answers the drawn pixel of the topmost drawn
// row nearest to the hot spot the system gave (the leftmost of two as near); that hot spot
// itself when nothing is drawn.
HotSpot FingertipHotSpot(std::span<const std::uint8_t> andMask, int stride, int width,
                         int height, HotSpot scaled);

}  // namespace app
