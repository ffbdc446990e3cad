#include "mainwindow/picker/picker_math.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace tintara {
namespace {

constexpr PixelRect kScreen{0, 0, 1024, 768};

TEST(MagnifierPlacement, GoesToTheThirdAwayFromTheCursor) {
  EXPECT_EQ(MagnifierWindowLeft(100, kScreen, 216), 610);  // 682 - 72
  EXPECT_EQ(MagnifierWindowLeft(600, kScreen, 216), 197);  // 341 - 144
  // The middle column itself counts as the right half.
  EXPECT_EQ(MagnifierWindowLeft(511, kScreen, 211), 682 - 70);
  EXPECT_EQ(MagnifierWindowLeft(512, kScreen, 211), 341 - 140);
  EXPECT_EQ(MagnifierWindowTop(kScreen, 320), 224);
}

TEST(MagnifierPlacement, StaysOnTheMonitorUnderTheCursor) {
  // A second monitor to the left of the first, and one below it.
  const PixelRect left_monitor{-800, 0, 800, 600};
  EXPECT_EQ(MagnifierWindowLeft(-700, left_monitor, 216), -800 + 533 - 72);
  EXPECT_EQ(MagnifierWindowLeft(-100, left_monitor, 216), -800 + 266 - 144);
  const PixelRect lower{1024, 200, 1280, 1024};
  EXPECT_EQ(MagnifierWindowTop(lower, 320), 200 + 512 - 160);
}

TEST(MagnifierPlan, WholeSquareStretchesOverThePicture) {
  const MagnifierPlan plan = PlanMagnifier(500, 300, 10, kScreen);
  EXPECT_EQ(plan.source, (PixelRect{490, 290, 21, 21}));
  EXPECT_EQ(plan.target, (PixelRect{0, 0, 210, 210}));
  EXPECT_EQ(plan.fill_count, 0);
}

TEST(MagnifierPlan, CornersPaintTheOffScreenPartBlack) {
  const MagnifierPlan top_left = PlanMagnifier(0, 0, 10, kScreen);
  EXPECT_EQ(top_left.source, (PixelRect{0, 0, 11, 11}));
  EXPECT_EQ(top_left.target, (PixelRect{100, 100, 110, 110}));
  ASSERT_EQ(top_left.fill_count, 2);
  EXPECT_EQ(top_left.fills[0], (PixelRect{0, 0, 100, 210}));
  EXPECT_EQ(top_left.fills[1], (PixelRect{0, 0, 210, 100}));

  const MagnifierPlan bottom_right = PlanMagnifier(1023, 767, 10, kScreen);
  EXPECT_EQ(bottom_right.source, (PixelRect{1013, 757, 11, 11}));
  EXPECT_EQ(bottom_right.target, (PixelRect{0, 0, 110, 110}));
  ASSERT_EQ(bottom_right.fill_count, 2);
  EXPECT_EQ(bottom_right.fills[0], (PixelRect{110, 0, 100, 210}));
  EXPECT_EQ(bottom_right.fills[1], (PixelRect{0, 110, 210, 100}));
}

// Every pixel of the picture is either filled or stretched onto, whatever
// the radius and the place: nothing of an earlier position stays behind.
TEST(MagnifierPlan, CoversThePictureEverywhere) {
  const PixelRect monitor{-300, 50, 400, 300};
  for (int n : {1, 4, 10, 99, 250}) {
    for (int x : {-300, -299, -300 + n - 1, -300 + n, 0, 99 - n, 99 - n + 1, 99}) {
      for (int y : {50, 51, 50 + n, 200, 349 - n, 349}) {
        const MagnifierPlan plan = PlanMagnifier(x, y, n, monitor);
        // The source never leaves the monitor.
        EXPECT_GE(plan.source.left, monitor.left);
        EXPECT_GE(plan.source.top, monitor.top);
        EXPECT_LE(plan.source.right(), monitor.right());
        EXPECT_LE(plan.source.bottom(), monitor.bottom());
        for (int j = 0; j < kMagnifierSize; ++j) {
          for (int i = 0; i < kMagnifierSize; ++i) {
            int covered = plan.target.Contains(i, j) ? 1 : 0;
            for (int k = 0; k < plan.fill_count; ++k) {
              if (plan.fills[k].Contains(i, j)) covered = 2;
            }
            ASSERT_GT(covered, 0) << "n " << n << " at " << x << "," << y << " pixel " << i << ","
                                  << j;
          }
        }
      }
    }
  }
}

// A desktop whose every pixel tells its own place.
std::uint32_t PlaceColour(int x, int y) {
  return 0xFF000000u | (static_cast<std::uint32_t>(x) << 12) | static_cast<std::uint32_t>(y);
}

std::vector<std::uint32_t> DrawAt(int x, int y, int n, const PixelRect& monitor) {
  const MagnifierPlan plan = PlanMagnifier(x, y, n, monitor);
  std::vector<std::uint32_t> desktop(monitor.width * monitor.height);
  for (int j = 0; j < monitor.height; ++j) {
    for (int i = 0; i < monitor.width; ++i) desktop[j * monitor.width + i] = PlaceColour(i, j);
  }
  std::vector<std::uint32_t> picture(kMagnifierSize * kMagnifierSize, 0x12345678u);
  const std::uint32_t* source = desktop.data() + (plan.source.top - monitor.top) * monitor.width +
                                (plan.source.left - monitor.left);
  DrawMagnifier(plan, source, monitor.width, picture.data(), kMagnifierSize);
  return picture;
}

TEST(DrawMagnifier, EveryScreenPixelBecomesABlock) {
  const std::vector<std::uint32_t> picture = DrawAt(500, 300, 10, kScreen);
  for (int j = 0; j < kMagnifierSize; ++j) {
    for (int i = 0; i < kMagnifierSize; ++i) {
      ASSERT_EQ(picture[j * kMagnifierSize + i], PlaceColour(490 + i / 10, 290 + j / 10));
    }
  }
  // n = 1: 70-pixel blocks; n = 99: one or two pixels each, all 199 shown.
  const std::vector<std::uint32_t> coarse = DrawAt(500, 300, 1, kScreen);
  EXPECT_EQ(coarse[69], PlaceColour(499, 299));
  EXPECT_EQ(coarse[70], PlaceColour(500, 299));
  EXPECT_EQ(coarse[140 * kMagnifierSize + 140], PlaceColour(501, 301));
  const std::vector<std::uint32_t> fine = DrawAt(500, 300, 99, kScreen);
  std::set<std::uint32_t> row;
  for (int i = 0; i < kMagnifierSize; ++i) row.insert(fine[i]);
  EXPECT_EQ(row.size(), 199u);
}

TEST(DrawMagnifier, TopLeftCornerShowsTheScreenBesideBlack) {
  const std::vector<std::uint32_t> picture = DrawAt(0, 0, 10, kScreen);
  EXPECT_EQ(picture[0], 0xFF000000u);
  EXPECT_EQ(picture[99 * kMagnifierSize + 150], 0xFF000000u);
  EXPECT_EQ(picture[150 * kMagnifierSize + 99], 0xFF000000u);
  EXPECT_EQ(picture[100 * kMagnifierSize + 100], PlaceColour(0, 0));
  EXPECT_EQ(picture[209 * kMagnifierSize + 209], PlaceColour(10, 10));
}

TEST(MagnifierFrame, FramesTheCentreBlock) {
  struct Case {
    int n;
    MarkerBars bars;
  };
  const Case cases[] = {
      {1, {{70, 68, 72, 2}, {68, 140, 72, 2}, {68, 68, 2, 72}, {140, 70, 2, 72}}},
      {4, {{93, 91, 25, 2}, {91, 116, 25, 2}, {91, 91, 2, 25}, {116, 93, 2, 25}}},
      {10, {{100, 98, 12, 2}, {98, 110, 12, 2}, {98, 98, 2, 12}, {110, 100, 2, 12}}},
      {99, {{104, 102, 3, 2}, {102, 105, 3, 2}, {102, 102, 2, 3}, {105, 104, 2, 3}}},
  };
  for (const Case& c : cases) {
    const MarkerBars bars = MagnifierFrame(c.n);
    EXPECT_EQ(bars.up, c.bars.up) << c.n;
    EXPECT_EQ(bars.down, c.bars.down) << c.n;
    EXPECT_EQ(bars.left, c.bars.left) << c.n;
    EXPECT_EQ(bars.right, c.bars.right) << c.n;
  }
}

TEST(Readouts, TextsAndCentring) {
  EXPECT_EQ(LivePositionText(512, 384), "(512, 384)");
  EXPECT_EQ(FrozenPositionText(40, 130), "(40,130)");
  EXPECT_EQ(MeasureText(100, 100, 40, 130), "(100,100) - (40,130) : [-60,30]");
  EXPECT_EQ(ReadoutHex(10), "a");
  EXPECT_EQ(ReadoutHex(0), "0");
  EXPECT_EQ(ReadoutHex(255), "ff");
  EXPECT_EQ(CentredLeft(41, 17), 33);
  EXPECT_EQ(CentredInWindow(211, 101), 55);
}

TEST(RubberBand, EachPixelOnceSoTwoDrawingsCancel) {
  auto pixels = [](int ax, int ay, int x, int y) {
    std::vector<std::pair<int, int>> all;
    ForEachRubberBandPixel(ax, ay, x, y, [&all](int i, int j) { all.emplace_back(i, j); });
    return all;
  };
  const auto band = pixels(100, 100, 40, 130);
  const std::set<std::pair<int, int>> unique(band.begin(), band.end());
  EXPECT_EQ(band.size(), unique.size());
  EXPECT_EQ(band.size(), 2u * 60 + 2u * 28);
  EXPECT_TRUE(unique.count({40, 100}));
  EXPECT_TRUE(unique.count({99, 129}));
  EXPECT_FALSE(unique.count({100, 130}));
  EXPECT_TRUE(pixels(5, 5, 5, 9).empty());
  EXPECT_EQ(pixels(5, 5, 6, 9).size(), 4u);  // a one-pixel-wide band
  EXPECT_EQ(pixels(5, 5, 9, 6).size(), 4u);
}

}  // namespace
}  // namespace tintara
