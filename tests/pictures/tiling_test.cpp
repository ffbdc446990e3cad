#include "pictures/tiling.h"

#include <gtest/gtest.h>

namespace tintara {
namespace {

TEST(TileRectsTest, FortyPixelsGiveFourColumnsAndEightRowsCutAtTheEdges) {
  const std::vector<TileRect> tiles = TileRects(40, 40);
  ASSERT_EQ(tiles.size(), 4u * 8u);
  EXPECT_EQ(tiles[0], (TileRect{0, 0, 40, 40}));
  EXPECT_EQ(tiles[7], (TileRect{0, 280, 40, 32}));  // down the first column first
  EXPECT_EQ(tiles[8], (TileRect{40, 0, 40, 40}));
  EXPECT_EQ(tiles[31], (TileRect{120, 280, 17, 32}));
}

TEST(TileRectsTest, LargeOrEmptyPictures) {
  EXPECT_EQ(TileRects(500, 400), (std::vector<TileRect>{{0, 0, 137, 312}}));
  EXPECT_EQ(TileRects(2'000'000'000, 7).size(), 45u);  // no wrap-around on the way
  EXPECT_TRUE(TileRects(0, 40).empty());
  EXPECT_TRUE(TileRects(40, -1).empty());
}

}  // namespace
}  // namespace tintara
