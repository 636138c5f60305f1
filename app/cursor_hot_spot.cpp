#include "app/cursor_hot_spot.h"

#include <cstdlib>

namespace app {

HotSpot FingertipHotSpot(std::span<const std::uint8_t> andMask, int stride, int width,
                         int height, HotSpot scaled) {
  const auto drawn = [&](int x, int y) {
    const std::size_t byte = static_cast<std::size_t>(y) * stride + x / 8;
    return byte < andMask.size() && ((andMask[byte] >> (7 - x % 8)) & 1) == 0;
  };
  for (int y = 0; y < height; ++y) {
    int best = -1;
    for (int x = 0; x < width; ++x)
      if (drawn(x, y) && (best < 0 || std::abs(x - scaled.x) < std::abs(best - scaled.x)))
        best = x;
    if (best >= 0) return {best, y};
  }
  return scaled;
}

}  // namespace app
