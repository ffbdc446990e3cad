#include "mainwindow/palette/palette_math.h"

#include <gtest/gtest.h>

#include "colour/conversions.h"

namespace tintara {
namespace {

TEST(PaletteAxisTable, PlacesTheOtherTwoComponentsOnTheField) {
  const PaletteAxisRow& ycc_y = PaletteAxisTable(15);
  EXPECT_EQ(ycc_y.x_caption, "色相(Cb)");
  EXPECT_EQ(ycc_y.y_caption, "色相(Cr)");
  EXPECT_EQ(ycc_y.bar_caption, "輝度(Y)");
  EXPECT_EQ(ycc_y.x_range.min, -128);
  EXPECT_EQ(ycc_y.bar_range.max, 255);

  const PaletteAxisRow& hsl_s = PaletteAxisTable(10);
  EXPECT_EQ(hsl_s.x_range.min, 1);
  EXPECT_EQ(hsl_s.x_range.max, 246);
  EXPECT_EQ(hsl_s.bar_caption, "鮮やかさ(S)");

  const PaletteAxisRow& esl_e = PaletteAxisTable(6);
  EXPECT_EQ(esl_e.x_range.max, 240);
  EXPECT_EQ(esl_e.bar_range.max, 239);
  EXPECT_EQ(PaletteAxisTable(12).bar_range.max, 360);
  EXPECT_EQ(PaletteAxisTable(4).x_caption, "黄(Y)");
}

TEST(PaletteValues, FromColourPerChannel) {
  EXPECT_EQ(RgbToPalette(3, {10, 20, 30}), (PaletteValues{235, 245, 225}));
  EXPECT_EQ(RgbToPalette(0, {0, 255, 255}), (PaletteValues{255, 255, 0}));
  EXPECT_EQ(RgbToPalette(15, {128, 128, 128}), (PaletteValues{0, 0, 128}));
  EXPECT_EQ(RgbToPalette(8, {192, 192, 192}), (PaletteValues{0, 0, 180}));
  EXPECT_EQ(RgbToPalette(17, {33, 66, 200}), (PaletteValues{71, 72, -27}));
}

TEST(PaletteValues, BackToColourIsTheModelConversion) {
  for (int channel = 0; channel < kPaletteChannelCount; ++channel) {
    const RgbColor colour{90, 30, 201};
    const PaletteValues v = RgbToPalette(channel, colour);
    const RgbColor back = PaletteToRgb(channel, v.x, v.y, v.bar);
    const SlideModel model = ModelOfChannel(channel);
    EXPECT_EQ(back, ModelToRgb(model, RgbToModel(model, colour))) << "channel " << channel;
  }
}

TEST(PaletteGridTest, CellsSampleTheAxesAsDrawn) {
  PaletteGrid grid;
  // Channel 0: red on the bar, green across, blue upwards from the bottom.
  BuildPaletteGrid(0, 100, grid);
  EXPECT_EQ(grid[0], (RgbColor{100, 0, 248}.Packed()));             // top left
  EXPECT_EQ(grid[32 * 31 + 31], (RgbColor{100, 248, 0}.Packed()));  // bottom right
  EXPECT_EQ(grid[32 * 31 + 1], (RgbColor{100, 8, 0}.Packed()));

  // YMC samples are offset by 7 so the top reaches 255.
  BuildPaletteGrid(3, 0, grid);                          // Y on the bar: blue = 255
  EXPECT_EQ(grid[0], (RgbColor{0, 248, 255}.Packed()));  // M = 7, C = 255

  // HSL hue across: the left column is 246, then 7, 15, 22 ...
  BuildPaletteGrid(10, 255, grid);  // S on the bar at 255, L upwards
  const int row = 16;               // L = 248 - 128 = 120
  EXPECT_EQ(grid[32 * row + 0], HslToRgbPacked(246, 255, 120));
  EXPECT_EQ(grid[32 * row + 1], HslToRgbPacked(7, 255, 120));
  EXPECT_EQ(grid[32 * row + 3], HslToRgbPacked(22, 255, 120));

  // Y/Cb/Cr differences run from -127 to 121.
  BuildPaletteGrid(15, 128, grid);
  EXPECT_EQ(grid[32 * 31], YccToRgbPacked(128, -127, -127));
  EXPECT_EQ(grid[31], YccToRgbPacked(128, 121, 121));
}

TEST(PaletteBar, BandsCoverTheAxisWithoutReachingItsEnds) {
  const RgbColor current{0, 255, 255};
  EXPECT_EQ(BarBandColour(0, 0, current), (RgbColor{1, 255, 255}.Packed()));
  EXPECT_EQ(BarBandColour(0, 127, current), (RgbColor{255, 255, 255}.Packed()));
  // Yellow is paired with blue: band i writes blue 254 - 2i.
  EXPECT_EQ(BarBandColour(3, 0, current), (RgbColor{0, 255, 254}.Packed()));
  EXPECT_EQ(BarBandColour(5, 127, current), (RgbColor{0, 255, 255}.Packed()));
  // ESL lightness: the band centres are fractional.
  EXPECT_EQ(BarBandColour(8, 0, {255, 0, 0}), EslToRgbPacked(0, 240, 0.9375));
  // HSV hue bands are truncated to whole degrees.
  EXPECT_EQ(BarBandColour(12, 1, {255, 0, 0}), HsvToRgbPacked(4, 100, 100));
  // Y/Cb/Cr bands keep the other two components untruncated: for a grey they
  // sit a hair off the integers, which is what the conversion then sees.
  const RealTriple grey = RgbToYccReal(128, 128, 128);
  EXPECT_EQ(BarBandColour(16, 0, {128, 128, 128}), YccToRgbPacked(grey.first, -128, grey.third));
  EXPECT_NE(BarBandColour(16, 0, {128, 128, 128}), YccToRgbPacked(128, -128, 0));
}

TEST(PaletteGeometry, MarkersAndArrowFollowTheSliders) {
  const PaletteAxisRow& axes = PaletteAxisTable(0);
  // R = 0, G = 255, B = 255: x slider at 255, y slider at 255 + 0 - 255.
  EXPECT_EQ(MarkerPoint(axes, 255, 0), (PixelPoint{256, 0}));
  const MarkerLayout layout = LayoutMarkers({256, 0});
  EXPECT_EQ(layout.up, (PixelPoint{255, -14}));
  EXPECT_EQ(layout.down, (PixelPoint{255, 7}));
  EXPECT_EQ(layout.left, (PixelPoint{242, -1}));
  EXPECT_EQ(layout.right, (PixelPoint{263, -1}));
  // ESL lightness 180 of 0..240: slider at 60, arrow at 64.
  EXPECT_EQ(ArrowTop(PaletteAxisTable(8), VerticalSliderPosition({0, 240}, 180)), 64);
}

TEST(PaletteGeometry, MouseClampsToTheField) {
  const PaletteAxisRow& axes = PaletteAxisTable(8);  // E across 0..239, S up 0..240
  EXPECT_EQ(MouseToX(axes, 300), 239);
  EXPECT_EQ(MouseToX(axes, -5), 0);
  EXPECT_EQ(MouseToY(axes, -20), 240);
  EXPECT_EQ(MouseToY(axes, 255), 0);
  EXPECT_EQ(MouseToX(axes, 128), 119);
  EXPECT_EQ(MouseToBar(PaletteAxisTable(15), 0), 255);
  EXPECT_EQ(MouseToY(PaletteAxisTable(15), 128), -1);  // 127 - 255 * 128 / 255
}

TEST(PaletteGeometry, PressesAreTestedBarFirst) {
  EXPECT_EQ(HitTestPress(284, 10), DragMode::kBar);
  EXPECT_EQ(HitTestPress(305, 255), DragMode::kBar);
  EXPECT_EQ(HitTestPress(306, 10), DragMode::kNone);
  EXPECT_EQ(HitTestPress(255, 255), DragMode::kField);
  EXPECT_EQ(HitTestPress(100, 256), DragMode::kNone);
  EXPECT_EQ(HitTestPress(332, 84), DragMode::kSwatch);
  EXPECT_EQ(HitTestPress(482, 177), DragMode::kSwatch);
  EXPECT_EQ(HitTestPress(400, 178), DragMode::kNone);
}

}  // namespace
}  // namespace tintara
