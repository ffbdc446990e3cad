#include "output/copy_formats.h"

#include <gtest/gtest.h>

namespace tintara {
namespace {

constexpr RgbColor kPink{255, 0, 128};
constexpr RgbColor kRed{255, 0, 0};

std::string Text(RgbColor c, int format, bool numbers, bool lower) {
  return BuildCopyText(c, format, numbers, lower).text;
}

TEST(CopyFormats, NumbersInLowerCase) {
  EXPECT_EQ(Text(kPink, 0, true, true), "ff0080");
  EXPECT_EQ(Text(kPink, 1, true, true), "0xff0080");
  EXPECT_EQ(Text(kPink, 2, true, true), "0x8000ff");
  EXPECT_EQ(Text(kPink, 3, true, true), "color = \"#ff0080\"");
  EXPECT_EQ(Text(kPink, 5, true, true), "background : #ff0080");
  EXPECT_EQ(Text(kPink, 6, true, true), "<hr color = \"#ff0080\">");
  EXPECT_EQ(Text(kPink, 16, true, true), "<frameset bordercolor = \"#ff0080\"></frameset>");
}

TEST(CopyFormats, UpperCaseChangesTheWholeTextButNotTheHint) {
  EXPECT_EQ(Text(kPink, 0, true, false), "FF0080");
  EXPECT_EQ(Text(kPink, 2, true, false), "0X8000FF");
  const CopyText font = BuildCopyText(kPink, 7, true, false);
  EXPECT_EQ(font.text, "<FONT COLOR = \"#FF0080\"></FONT>");
  EXPECT_EQ(font.button_hint, "<Font Color = \"#ff0080\"></Font>をクリップボードにコピー");
  EXPECT_EQ(font.window_title, "Tintara <FONT COLOR = \"#FF0080\"></FONT>");
}

TEST(CopyFormats, NamesReplaceTheNumberSignButNeverTheHexPrefix) {
  EXPECT_EQ(Text(kRed, 0, false, true), "red");
  EXPECT_EQ(Text(kRed, 1, false, true), "0xff0000");
  EXPECT_EQ(Text(kRed, 2, false, true), "0x0000ff");
  EXPECT_EQ(Text(kRed, 4, false, true), "color : red");
  EXPECT_EQ(Text(kRed, 6, false, true), "<hr color = \"red\">");
  EXPECT_EQ(Text(kRed, 7, false, true), "<font color = \"red\"></font>");
  EXPECT_EQ(Text(kRed, 4, false, false), "COLOR : RED");
}

TEST(CopyFormats, UnnamedColoursStayNumbers) {
  EXPECT_EQ(Text({0, 0, 0}, 0, false, true), "black");
  EXPECT_EQ(Text({1, 2, 3}, 0, false, true), "010203");
  EXPECT_EQ(Text({1, 2, 3}, 3, false, true), "color = \"#010203\"");
}

TEST(CopyFormats, AnIndexOutsideTheListGivesBareDigits) {
  EXPECT_EQ(Text(kRed, -1, false, true), "ff0000");
  EXPECT_EQ(Text(kRed, 17, false, false), "FF0000");
}

TEST(CopyFormats, TitleAndHintFollowTheText) {
  const CopyText blue = BuildCopyText({0, 0, 255}, 0, true, true);
  EXPECT_EQ(blue.window_title, "Tintara 0000ff");
  EXPECT_EQ(blue.button_hint, "0000ffをクリップボードにコピー");
  EXPECT_EQ(BuildCopyText({192, 192, 192}, 0, true, true).window_title, "Tintara c0c0c0");
}

TEST(CopyFormats, EveryTemplateHoldsItsPlaceholderOnce) {
  for (int f = 3; f < kCopyFormatCount; ++f) {
    const std::string text = Text({0x12, 0x34, 0x56}, f, true, true);
    EXPECT_EQ(text.find("#123456"), text.rfind("#123456")) << f;
    EXPECT_NE(text.find("#123456"), std::string::npos) << f;
    EXPECT_EQ(text.find("rrggbb"), std::string::npos) << f;
  }
}

}  // namespace
}  // namespace tintara
