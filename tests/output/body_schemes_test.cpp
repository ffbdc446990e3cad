#include "output/body_schemes.h"

#include <gtest/gtest.h>

namespace tintara {
namespace {

TEST(BodySchemeTable, StartsWithTheDefaultsAndKeepsItsCaptions) {
  for (BodyRole role : kAllBodyRoles) {
    EXPECT_EQ(BodySchemeTable[0].colours[RoleIndex(role)], InfoOf(role).default_colour);
  }
  EXPECT_EQ(BodySchemeTable[0].name, "標準色");
  EXPECT_EQ(BodySchemeTable[2].name, "黒地に薄緑ﾘﾝｸ");  // half-width katakana
  EXPECT_EQ(BodySchemeTable[32].name, "ピンク");
  EXPECT_EQ(BodySchemeTable[29].colours[4], (RgbColor{0x18, 0x03, 0x03}));
  EXPECT_EQ(BodySchemeTable[23].colours[3], (RgbColor{0xEE, 0xF0, 0xE6}));
}

}  // namespace
}  // namespace tintara
