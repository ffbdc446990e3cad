#include "mainwindow/editor/editor_math.h"

#include <gtest/gtest.h>

#include "colour/conversions.h"

namespace tintara {
namespace {

TEST(EditorFields, DecimalTakesTheLeadingNumber) {
  EXPECT_EQ(ReadDecimalField("300"), 300);
  EXPECT_EQ(ReadDecimalField("12x"), 12);
  EXPECT_EQ(ReadDecimalField("abc"), 0);
  EXPECT_EQ(ReadDecimalField(""), 0);
  EXPECT_EQ(ReadDecimalField("-20"), -20);
  EXPECT_EQ(ReadDecimalField("  +7"), 7);
  EXPECT_EQ(ReadDecimalField("- 5"), 0);
  EXPECT_EQ(ReadDecimalField("99999999999999999999"), 2147483647);
  EXPECT_EQ(ReadDecimalField("-99999999999999999999"), -2147483647 - 1);
}

TEST(EditorFields, HexadecimalIsAllOrNothing) {
  EXPECT_EQ(ReadHexField("A"), 10);
  EXPECT_EQ(ReadHexField("ff"), 255);
  EXPECT_EQ(ReadHexField(""), 0);
  EXPECT_EQ(ReadHexField("zz"), 0);
  EXPECT_EQ(ReadHexField("-1"), 0);
  EXPECT_EQ(ReadHexField(" f"), 0);
  EXPECT_EQ(ReadHexField("ffffff80"), -128);
  EXPECT_EQ(ReadHexField("00000000ff"), 255);
  EXPECT_EQ(ReadHexField("1ffffffff"), 0);
}

TEST(EditorFields, HexadecimalDisplay) {
  EXPECT_EQ(HexFieldText(0), "0");
  EXPECT_EQ(HexFieldText(10), "a");
  EXPECT_EQ(HexFieldText(255), "ff");
  EXPECT_EQ(HexFieldText(360), "168");
  EXPECT_EQ(HexFieldText(-128), "ffffff80");
  for (int v : {-128, -1, 0, 127, 360}) EXPECT_EQ(ReadHexField(HexFieldText(v)), v);
}

TEST(EditorRows, RgbAndYmcRowsChangeOnlyTheirChannel) {
  const RgbColor start{10, 20, 30};
  EXPECT_EQ(ColourFromRows(SlideModel::kRgb, 1, {0, 99, 0}, start), (RgbColor{10, 99, 30}));
  // Y pairs with blue.
  EXPECT_EQ(ColourFromRows(SlideModel::kYmc, 0, {55, 0, 0}, start), (RgbColor{10, 20, 200}));
  EXPECT_EQ(ColourFromRows(SlideModel::kYmc, 2, {0, 0, 55}, start), (RgbColor{200, 20, 30}));
  // Other models recompute everything from the three rows.
  EXPECT_EQ(ColourFromRows(SlideModel::kEsl, 0, {152, 172, 109}, start), (RgbColor{33, 66, 199}));
  EXPECT_EQ(ColourFromRows(SlideModel::kHsl, 1, {100, 0, 77}, start), (RgbColor{77, 77, 77}));
}

TEST(EditorStrips, EachStripVariesItsOwnRow) {
  const std::array<int, 3> rgb_rows{10, 20, 30};
  EXPECT_EQ(StripColour(SlideModel::kRgb, 0, 0, rgb_rows), (RgbColor{0, 20, 30}.Packed()));
  EXPECT_EQ(StripColour(SlideModel::kRgb, 2, 368, rgb_rows), (RgbColor{10, 20, 254}.Packed()));
  EXPECT_EQ(StripColour(SlideModel::kYmc, 0, 0, rgb_rows), (RgbColor{225, 235, 255}.Packed()));
  const std::array<int, 3> hsv_rows{200, 50, 90};
  EXPECT_EQ(StripColour(SlideModel::kHsv, 0, 184, hsv_rows), HsvToRgbPacked(179, 50, 90));
  const std::array<int, 3> ycc_rows{128, 0, 0};
  EXPECT_EQ(StripColour(SlideModel::kYcc, 1, 0, ycc_rows), YccToRgbPacked(128, -128, 0));
  EXPECT_EQ(StripColour(SlideModel::kYcc, 2, 368, ycc_rows), YccToRgbPacked(128, 0, 126));
}

}  // namespace
}  // namespace tintara
