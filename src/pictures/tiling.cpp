#include "pictures/tiling.h"

#include <algorithm>

namespace tintara {

std::vector<TileRect> TileRects(int picture_width, int picture_height, int area_width,
                                int area_height) {
  std::vector<TileRect> tiles;
  if (picture_width <= 0 || picture_height <= 0 || area_width <= 0 || area_height <= 0) {
    return tiles;
  }
  // Steps in 64 bits, so a picture as wide as an int allows cannot wrap around.
  for (long long x = 0; x < area_width; x += picture_width) {
    for (long long y = 0; y < area_height; y += picture_height) {
      const int left = static_cast<int>(x);
      const int top = static_cast<int>(y);
      tiles.push_back({left, top, std::min(picture_width, area_width - left),
                       std::min(picture_height, area_height - top)});
    }
  }
  return tiles;
}

}  // namespace tintara
