#include "platform/kdeglobals_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tintara {
namespace {

constexpr char kFile[] =
    "# comment\n"
    "[General]\n"
    "ColorScheme=BreezeLight\n"
    "\n"
    "[Colors:Button]\n"
    "BackgroundNormal = 252, 252, 252\n"
    "ForegroundNormal=35,38,41\n"
    "\n"
    "# about the window manager\n"
    "[WM]\n"
    "activeBackground=227,229,231\n";

TEST(KdeGlobalsText, KeepsEveryByteWhenNothingChanges) {
  for (const char* bytes :
       {kFile, "", "a=1", "[G]\r\nk=v\r\n", "\n\n[G]\nk=v", "[G]\nk[$e]=$HOME\n"}) {
    EXPECT_EQ(KdeGlobalsText(bytes).Bytes(), bytes);
  }
}

TEST(KdeGlobalsText, ReadsValuesOfItsOwnGroupOnly) {
  const KdeGlobalsText text(kFile);
  EXPECT_EQ(text.Value("Colors:Button", "BackgroundNormal"), "252, 252, 252");
  EXPECT_EQ(text.Value("Colors:Button", "ForegroundNormal"), "35,38,41");
  EXPECT_EQ(text.Value("WM", "activeBackground"), "227,229,231");
  EXPECT_FALSE(text.Value("WM", "BackgroundNormal"));
  EXPECT_FALSE(text.Value("Colors:View", "BackgroundNormal"));
  EXPECT_TRUE(text.HasGroup("WM"));
  EXPECT_FALSE(text.HasGroup("Colors:View"));
}

TEST(KdeGlobalsText, ReplacingChangesOnlyTheValueOfThatLine) {
  KdeGlobalsText text(kFile);
  ASSERT_TRUE(text.SetValue("Colors:Button", "ForegroundNormal", "1,2,3"));
  ASSERT_TRUE(text.SetValue("Colors:Button", "BackgroundNormal", "4,5,6"));
  std::string expected = kFile;
  expected.replace(expected.find("ForegroundNormal=35,38,41"), 25, "ForegroundNormal=1,2,3");
  // The key's spelling and the blanks around '=' stay as they were.
  expected.replace(expected.find("252, 252, 252"), 13, "4,5,6");
  EXPECT_EQ(text.Bytes(), expected);
}

TEST(KdeGlobalsText, AddsAMissingKeyAfterTheLastEntryOfItsGroup) {
  KdeGlobalsText text(kFile);
  ASSERT_TRUE(text.SetValue("Colors:Button", "ForegroundInactive", "7,8,9"));
  std::string expected = kFile;
  expected.insert(expected.find("\n\n# about") + 1, "ForegroundInactive=7,8,9\n");
  EXPECT_EQ(text.Bytes(), expected);

  ASSERT_TRUE(text.Remove("Colors:Button", "ForegroundInactive"));
  EXPECT_EQ(text.Bytes(), kFile);
}

TEST(KdeGlobalsText, AddsAMissingGroupAtTheEndAndTakesItAwayAgain) {
  KdeGlobalsText text(kFile);
  ASSERT_TRUE(text.SetValue("Colors:View", "BackgroundNormal", "255,255,255"));
  EXPECT_EQ(text.Bytes(), std::string(kFile) + "\n[Colors:View]\nBackgroundNormal=255,255,255\n");
  EXPECT_FALSE(text.RemoveGroupIfEmpty("Colors:View"));

  ASSERT_TRUE(text.Remove("Colors:View", "BackgroundNormal"));
  ASSERT_TRUE(text.RemoveGroupIfEmpty("Colors:View"));
  EXPECT_EQ(text.Bytes(), kFile);
}

TEST(KdeGlobalsText, EmptyFileGetsTheGroupAlone) {
  KdeGlobalsText text("");
  ASSERT_TRUE(text.SetValue("WM", "activeBackground", "1,2,3"));
  EXPECT_EQ(text.Bytes(), "[WM]\nactiveBackground=1,2,3\n");
  ASSERT_TRUE(text.Remove("WM", "activeBackground"));
  ASSERT_TRUE(text.RemoveGroupIfEmpty("WM"));
  EXPECT_EQ(text.Bytes(), "");
}

TEST(KdeGlobalsText, LastLineWithoutLineEndingStaysThatWay) {
  const std::string bytes = "[WM]\nactiveBackground=1,2,3";
  KdeGlobalsText text(bytes);
  ASSERT_TRUE(text.SetValue("WM", "activeForeground", "4,5,6"));
  EXPECT_EQ(text.Bytes(), "[WM]\nactiveBackground=1,2,3\nactiveForeground=4,5,6");
  ASSERT_TRUE(text.SetValue("Colors:View", "BackgroundNormal", "7,8,9"));
  EXPECT_EQ(text.Bytes(),
            "[WM]\nactiveBackground=1,2,3\nactiveForeground=4,5,6\n\n[Colors:View]\n"
            "BackgroundNormal=7,8,9");
  ASSERT_TRUE(text.Remove("Colors:View", "BackgroundNormal"));
  ASSERT_TRUE(text.RemoveGroupIfEmpty("Colors:View"));
  ASSERT_TRUE(text.Remove("WM", "activeForeground"));
  EXPECT_EQ(text.Bytes(), bytes);
}

TEST(KdeGlobalsText, WindowsLineEndingsAreKeptAndUsedForNewLines) {
  const std::string bytes = "[General]\r\nName=x\r\n\r\n[WM]\r\nactiveBackground=1,2,3\r\n";
  KdeGlobalsText text(bytes);
  EXPECT_EQ(text.Value("WM", "activeBackground"), "1,2,3");
  ASSERT_TRUE(text.SetValue("WM", "activeBackground", "9,9,9"));
  ASSERT_TRUE(text.SetValue("General", "Other", "y"));
  ASSERT_TRUE(text.SetValue("Colors:View", "BackgroundNormal", "7,7,7"));
  EXPECT_EQ(text.Bytes(),
            "[General]\r\nName=x\r\nOther=y\r\n\r\n[WM]\r\nactiveBackground=9,9,9\r\n"
            "\r\n[Colors:View]\r\nBackgroundNormal=7,7,7\r\n");
}

TEST(KdeGlobalsText, LockedKeysGroupsAndFilesRefuseEveryChange) {
  const std::string bytes =
      "[Colors:View]\nBackgroundNormal[$i]=1,1,1\nForegroundNormal=2,2,2\n"
      "[WM][$i]\nactiveBackground=3,3,3\n";
  KdeGlobalsText text(bytes);
  EXPECT_TRUE(text.IsImmutable("Colors:View", "BackgroundNormal"));
  EXPECT_FALSE(text.IsImmutable("Colors:View", "ForegroundNormal"));
  EXPECT_EQ(text.Value("Colors:View", "BackgroundNormal"), "1,1,1");
  EXPECT_FALSE(text.SetValue("Colors:View", "BackgroundNormal", "9,9,9"));
  EXPECT_FALSE(text.Remove("Colors:View", "BackgroundNormal"));
  EXPECT_FALSE(text.SetValue("WM", "activeBackground", "9,9,9"));
  EXPECT_FALSE(text.SetValue("WM", "inactiveBackground", "9,9,9"));
  EXPECT_EQ(text.Bytes(), bytes);

  // A locked entry is not overridden by a later one of the same key.
  EXPECT_EQ(KdeGlobalsText("[G]\nk[$i]=1\nk=2\n").Value("G", "k"), "1");
  EXPECT_EQ(KdeGlobalsText("[G]\nk=1\nk=2\n").Value("G", "k"), "2");

  KdeGlobalsText locked_file("[$i]\n[WM]\nactiveBackground=3,3,3\n");
  EXPECT_FALSE(locked_file.SetValue("WM", "activeBackground", "9,9,9"));
  EXPECT_FALSE(locked_file.SetValue("Colors:View", "BackgroundNormal", "9,9,9"));
}

TEST(KdeGlobalsText, OtherEntriesOfTheSameNameAreNotTheKey) {
  // Translations, deleted entries and sub-groups are other entries.
  KdeGlobalsText text(
      "[Colors:Header]\nBackgroundNormal[de]=1,1,1\n[Colors:Header][Inactive]\n"
      "BackgroundNormal=2,2,2\n[WM]\nactiveBackground[$d]\n");
  EXPECT_FALSE(text.Value("Colors:Header", "BackgroundNormal"));
  EXPECT_FALSE(text.Value("WM", "activeBackground"));
  ASSERT_TRUE(text.SetValue("Colors:Header", "BackgroundNormal", "3,3,3"));
  ASSERT_TRUE(text.SetValue("WM", "activeBackground", "4,4,4"));
  EXPECT_EQ(text.Bytes(),
            "[Colors:Header]\nBackgroundNormal[de]=1,1,1\nBackgroundNormal=3,3,3\n"
            "[Colors:Header][Inactive]\nBackgroundNormal=2,2,2\n[WM]\nactiveBackground=4,4,4\n");
}

TEST(KdeGlobalsText, PutsAnOriginalLineBackAsItWas) {
  KdeGlobalsText text(kFile);
  const std::optional<std::string> line = text.Line("Colors:Button", "BackgroundNormal");
  ASSERT_EQ(line, "BackgroundNormal = 252, 252, 252");
  ASSERT_TRUE(text.SetValue("Colors:Button", "BackgroundNormal", "0,0,0"));
  ASSERT_TRUE(text.SetLine("Colors:Button", "BackgroundNormal", *line));
  EXPECT_EQ(text.Bytes(), kFile);
}

TEST(KdeGlobalsText, GroupWithACommentLeftIsNotEmpty) {
  KdeGlobalsText text("[A]\nk=1\n\n[B]\n# keep me\n");
  EXPECT_FALSE(text.RemoveGroupIfEmpty("B"));
  EXPECT_FALSE(text.RemoveGroupIfEmpty("Missing"));
}

TEST(KdeColour, ReadsTheFormsTheDesktopWrites) {
  EXPECT_EQ(ParseKdeColour("61,174,233"), (RgbColor{61, 174, 233}));
  EXPECT_EQ(ParseKdeColour(" 61 , 174,233 "), (RgbColor{61, 174, 233}));
  EXPECT_EQ(ParseKdeColour("61,174,233,128"), (RgbColor{61, 174, 233}));
  EXPECT_EQ(ParseKdeColour("#3daee9"), (RgbColor{61, 174, 233}));
  EXPECT_EQ(ParseKdeColour("#3DAEE9"), (RgbColor{61, 174, 233}));
  for (const char* bad :
       {"", "1,2", "1,2,3,4,5", "256,0,0", "-1,0,0", "a,b,c", "1,,3", "#3dae", "#3daeg9", "red"}) {
    EXPECT_FALSE(ParseKdeColour(bad)) << bad;
  }
  EXPECT_EQ(FormatKdeColour({0, 128, 255}), "0,128,255");
}

}  // namespace
}  // namespace tintara
