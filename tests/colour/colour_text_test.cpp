#include "colour/colour_text.h"

#include <gtest/gtest.h>

#include <set>

namespace tintara {
namespace {

TEST(NamedColorTable, IsAlphabeticalWithUniqueLowerCaseNames) {
  std::set<std::string_view> names;
  for (int i = 0; i < kNamedColorCount; ++i) {
    const std::string_view name = NamedColorTable[i].name;
    for (char c : name) ASSERT_TRUE(c >= 'a' && c <= 'z') << name;
    if (i > 0) {
      EXPECT_LT(NamedColorTable[i - 1].name, name);
    }
    names.insert(name);
  }
  EXPECT_EQ(names.size(), 140u);
  EXPECT_EQ(NamedColorTable[7].name, "black");
  EXPECT_EQ(NamedColorTable[68].name, "lightgrey");
  EXPECT_EQ(NamedColorTable[139].value, (RgbColor{0x9A, 0xCD, 0x32}));
}

TEST(ColourText, HexColorTextIsSixLowerCaseDigits) {
  EXPECT_EQ(HexColorText({0, 0, 0}), "000000");
  EXPECT_EQ(HexColorText({1, 2, 3}), "010203");
  EXPECT_EQ(HexColorText({255, 10, 0}), "ff0a00");
  EXPECT_EQ(HexColorText({255, 255, 255}), "ffffff");
}

TEST(ColourText, ColorToNameTakesTheFirstEntryAndFallsBackToBlack) {
  EXPECT_EQ(ColorToName({0, 0, 0}), "black");
  EXPECT_EQ(ColorToName({0x00, 0xFF, 0xFF}), "aqua");
  EXPECT_EQ(ColorToName({0xFF, 0x00, 0xFF}), "fuchsia");
  EXPECT_EQ(ColorToName({0xD3, 0xD3, 0xD3}), "lightgrey");
  EXPECT_EQ(ColorToName({1, 2, 3}), "black");
}

TEST(ColourText, ColorWordUsesOnlyRealNames) {
  EXPECT_EQ(ColorWord({0, 0, 0}, true), "black");
  EXPECT_EQ(ColorWord({0x00, 0x80, 0x80}, true), "teal");
  EXPECT_EQ(ColorWord({0x00, 0x00, 0x80}, true), "navy");
  EXPECT_EQ(ColorWord({0xC0, 0xC0, 0xC0}, true), "silver");
  EXPECT_EQ(ColorWord({1, 2, 3}, true), "010203");
  EXPECT_EQ(ColorWord({0xC0, 0xC0, 0xC0}, false), "c0c0c0");
}

TEST(ColourText, NameToColorMatchesWholeNamesInAnyCase) {
  EXPECT_EQ(NameToColor("red"), (RgbColor{255, 0, 0}));
  EXPECT_EQ(NameToColor("rEd"), (RgbColor{255, 0, 0}));
  EXPECT_EQ(NameToColor("RED"), (RgbColor{255, 0, 0}));
  EXPECT_EQ(NameToColor("cyan"), (RgbColor{0, 255, 255}));
  EXPECT_EQ(NameToColor("lightgrey"), (RgbColor{0xD3, 0xD3, 0xD3}));
  const RgbColor black{0, 0, 0};
  EXPECT_EQ(NameToColor("lightgray"), black);
  EXPECT_EQ(NameToColor(" red"), black);
  EXPECT_EQ(NameToColor("red;"), black);
  EXPECT_EQ(NameToColor(""), black);
  EXPECT_EQ(NameToColor("#ff0000"), black);
  EXPECT_EQ(NameToColor("re"), black);
}

TEST(ColourText, StandardColoursKeepLightGreyBeforeDarkGrey) {
  EXPECT_EQ(StandardColor(0), (RgbColor{0, 0, 0}));
  EXPECT_EQ(StandardColor(7), (RgbColor{0xC0, 0xC0, 0xC0}));
  EXPECT_EQ(StandardColor(8), (RgbColor{0x80, 0x80, 0x80}));
  EXPECT_EQ(StandardColor(15), (RgbColor{0xFF, 0xFF, 0xFF}));
}

TEST(ColourText, OutputCaseRuleChangesAsciiLettersOnly) {
  EXPECT_EQ(OutputCaseRule("0xff0a00", false), "0XFF0A00");
  EXPECT_EQ(OutputCaseRule("<Font Color>", true), "<font color>");
  // Multi-byte UTF-8 text passes through byte for byte in both directions.
  const std::string japanese = "赤(1) をクリップボードにコピー é";
  EXPECT_EQ(OutputCaseRule(japanese, true), japanese);
  EXPECT_EQ(OutputCaseRule(japanese, false), japanese);
  EXPECT_EQ(OutputCaseRule("赤red", false), "赤RED");
}

}  // namespace
}  // namespace tintara
