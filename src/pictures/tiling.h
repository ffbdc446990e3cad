#ifndef TINTARA_PICTURES_TILING_H_
#define TINTARA_PICTURES_TILING_H_

#include <vector>

// Where copies of a picture go when it is tiled over an area.
namespace tintara {

// One copy of the picture: it lands at (x, y) and shows the picture's own
// top-left width x height pixels, cut short at the area's right and bottom.
struct TileRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  friend constexpr bool operator==(const TileRect&, const TileRect&) = default;
};

// The preview group's background is 137 x 312 pixels.
inline constexpr int kBackgroundWidth = 137;
inline constexpr int kBackgroundHeight = 312;

// Copies from the top-left corner, column after column, top to bottom in each
// column. A picture without pixels gives no copies.
std::vector<TileRect> TileRects(int picture_width, int picture_height,
                                int area_width = kBackgroundWidth,
                                int area_height = kBackgroundHeight);

}  // namespace tintara

#endif  // TINTARA_PICTURES_TILING_H_
