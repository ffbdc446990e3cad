// The tables of the ready-made colours and the arithmetic of the standard
// palette's frame and the user palette.
#include "mainwindow/sources/colour_sources.h"

#include <gtest/gtest.h>

#include <set>

#include "mainwindow/user_palette/user_palette_math.h"
#include "platform/system_colours.h"

namespace tintara {
namespace {

TEST(ColourSourcesTest, EachListItemNamesItsOwnColour) {
  for (int k = 0; k < kNamedColorCount; ++k) {
    const std::string_view name = NamedColorTable[static_cast<std::size_t>(k)].name;
    const std::string_view text = kNamedItemTexts[static_cast<std::size_t>(k)];
    ASSERT_GT(text.size(), name.size()) << k;
    EXPECT_EQ(text.substr(0, name.size()), name) << k;
    EXPECT_TRUE(text[name.size()] == ' ' || text[name.size()] == '(') << k;
  }
  EXPECT_EQ(kNamedItemTexts[23], "darkgoldenrod(暗いセイタカアワダチソウ色)");
  EXPECT_EQ(kNamedItemTexts[75], "lightyellow  ( うすい黄色)");
}

TEST(ColourSourcesTest, MenuCaptionsDifferOnlyWhereTheyAlwaysHave) {
  int differing = 0;
  for (int k = 0; k < kNamedColorCount; ++k) {
    if (NamedMenuCaption(k) != NamedColorTable[static_cast<std::size_t>(k)].name) ++differing;
  }
  EXPECT_EQ(differing, 3);
  EXPECT_EQ(NamedMenuCaption(98), "olivedark");
  EXPECT_EQ(ScreenDesignMenuCaption(0), kScreenDesignEntries[0].item_text);
  EXPECT_NE(ScreenDesignMenuCaption(13), kScreenDesignEntries[13].item_text);
}

TEST(ColourSourcesTest, ScreenDesignNamesTwentyThreeColoursThreeOfThemTwice) {
  std::set<int> indices;
  for (const ScreenDesignEntry& entry : kScreenDesignEntries) {
    ASSERT_GE(entry.system_index, 0);
    ASSERT_LT(entry.system_index, kSystemColourIndexCount);
    indices.insert(entry.system_index);
  }
  EXPECT_EQ(indices.size(), 23u);
  EXPECT_EQ(kScreenDesignEntries[1].system_index, kScreenDesignEntries[9].system_index);
  EXPECT_EQ(kScreenDesignEntries[2].system_index, kScreenDesignEntries[10].system_index);
  EXPECT_EQ(kScreenDesignEntries[4].system_index, kScreenDesignEntries[11].system_index);
}

TEST(ColourSourcesTest, StandardFrameStandsAroundItsCell) {
  EXPECT_EQ(StandardFrameOnCell(3, 5).left, 91);
  EXPECT_EQ(StandardFrameOnCell(3, 5).right, 111);
  for (int cell = 0; cell < kStandardColorCount; ++cell) {
    EXPECT_EQ(StandardCellOfFrame(StandardFrameOnCell(3, cell).left, 3), cell);
    EXPECT_EQ(StandardCellAt(cell * 18), cell);
    EXPECT_EQ(StandardCellAt(cell * 18 + 17), cell);
  }
}

TEST(ColourSourcesTest, DeletingKeepsTheIndexUnlessItWasTheLast) {
  EXPECT_EQ(SelectionAfterDelete(0, 3), 0);
  EXPECT_EQ(SelectionAfterDelete(1, 3), 1);
  EXPECT_EQ(SelectionAfterDelete(2, 3), 1);
  EXPECT_EQ(SelectionAfterDelete(0, 1), -1);
}

TEST(UserPaletteMathTest, ReadoutNamesOnlyTrueNames) {
  EXPECT_EQ(UserReadoutText({0, 0, 0}, false, true), "black");
  EXPECT_EQ(UserReadoutText({1, 2, 3}, false, true), "010203");
  EXPECT_EQ(UserReadoutText({255, 255, 255}, true, false), "FFFFFF");
  EXPECT_EQ(UserReadoutText({255, 255, 255}, false, false), "WHITE");
  EXPECT_EQ(SlotOfCharacter(U'7'), 7);
  EXPECT_EQ(SlotOfCharacter(U'x'), 0);
  EXPECT_EQ(SlotOfCharacter(U'٣'), 0);
}

}  // namespace
}  // namespace tintara
