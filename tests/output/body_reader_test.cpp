#include "output/body_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace tintara {
namespace {

constexpr RgbColor kRed{0xFF, 0, 0};

std::optional<RgbColor> Role(const BodyReadResult& r, BodyRole role) {
  return r.roles[RoleIndex(role)];
}

// The single colour taken from a text, or nothing.
std::optional<RgbColor> Colour(std::string_view text) {
  const BodyReadResult r = ReadBodyTag(text);
  if (r.kind != BodyReadKind::kColour) return std::nullopt;
  return r.colour;
}

TEST(ReadBodyTag, TakesTheAttributesOfAPage) {
  for (const char* page : {"<html><BODY BGCOLOR=#FFFFFF TEXT=#000000 LINK=#0000FF>\r\n</html>",
                           "<body bgcolor=\"#ffffff\" text=\"#000000\" link=\"#0000ff\">"}) {
    const BodyReadResult r = ReadBodyTag(page);
    ASSERT_EQ(r.kind, BodyReadKind::kRoles) << page;
    EXPECT_EQ(Role(r, BodyRole::kBgcolor), (RgbColor{255, 255, 255}));
    EXPECT_EQ(Role(r, BodyRole::kText), (RgbColor{0, 0, 0}));
    EXPECT_EQ(Role(r, BodyRole::kLink), (RgbColor{0, 0, 255}));
    EXPECT_FALSE(Role(r, BodyRole::kVlink));
    EXPECT_FALSE(Role(r, BodyRole::kAlink));
  }
}

TEST(ReadBodyTag, ReadsNamesAndShortOrUnendedValues) {
  const BodyReadResult names = ReadBodyTag("<body BGCOLOR=silver text=Black>");
  EXPECT_EQ(Role(names, BodyRole::kBgcolor), (RgbColor{0xC0, 0xC0, 0xC0}));
  EXPECT_EQ(Role(names, BodyRole::kText), (RgbColor{0, 0, 0}));
  // Missing digits count as zero, a lone digit as itself.
  EXPECT_EQ(Role(ReadBodyTag("<body text=#FFF>"), BodyRole::kText), (RgbColor{255, 15, 0}));
  EXPECT_EQ(Role(ReadBodyTag("<body text=></body>"), BodyRole::kText), (RgbColor{0, 0, 0}));
  // A value may run to the very end of the text.
  EXPECT_EQ(Role(ReadBodyTag("<body link=\"#12345"), BodyRole::kLink),
            (RgbColor{0x12, 0x34, 0x05}));
}

TEST(ReadBodyTag, BlanksAreAllowedOnlyAfterTheEqualsSign) {
  EXPECT_FALSE(Role(ReadBodyTag("<body text =#ff0000>"), BodyRole::kText));
  EXPECT_EQ(Role(ReadBodyTag("<body text=  #ff0000>"), BodyRole::kText), kRed);
}

TEST(ReadBodyTag, TheScanStopsAtTheEndOfTheTagOrAtSlashBody) {
  const BodyReadResult first_tag = ReadBodyTag("<body text=red> <a link=blue>");
  EXPECT_EQ(Role(first_tag, BodyRole::kText), kRed);
  EXPECT_FALSE(Role(first_tag, BodyRole::kLink));
  // A second vlink is found as link once vlink has been read.
  const BodyReadResult twice = ReadBodyTag("<body vlink=#0000ff text=red vlink=#00ff00>");
  EXPECT_EQ(Role(twice, BodyRole::kVlink), (RgbColor{0, 0, 0xFF}));
  EXPECT_EQ(Role(twice, BodyRole::kLink), (RgbColor{0, 0xFF, 0}));
  // Nothing before "/body": the text is searched word by word instead.
  EXPECT_EQ(Colour("<html><body>roses are red </body><p link=\"#00ff00\"></html>"), kRed);
  EXPECT_EQ(Colour("<body></body><p link=\"#00ff00\">"), (RgbColor{0, 0xFF, 0}));
}

TEST(ReadBodyTag, TakesOneColourFromAPlainText) {
  EXPECT_EQ(Colour("navy"), (RgbColor{0, 0, 0x80}));
  EXPECT_EQ(Colour("Black"), (RgbColor{0, 0, 0}));
  EXPECT_EQ(Colour("orange"), (RgbColor{0xFF, 0xA5, 0}));
  EXPECT_EQ(Colour("#336699"), (RgbColor{0x33, 0x66, 0x99}));
  EXPECT_EQ(Colour("336699"), (RgbColor{0x33, 0x66, 0x99}));
  EXPECT_EQ(Colour("colour is #336699 here"), (RgbColor{0x33, 0x66, 0x99}));
  EXPECT_EQ(Colour("\"Teal\" or navy"), (RgbColor{0, 0x80, 0x80}));
  EXPECT_EQ(Colour("zz 12345g ffee"), std::nullopt);
  // Line breaks belong to the word, which is then no colour.
  EXPECT_EQ(Colour("red\r\nblue"), std::nullopt);
  EXPECT_EQ(ReadBodyTag("").kind, BodyReadKind::kNothing);
}

TEST(ReadBodyTag, AValueThatIsNoColourStopsTheReading) {
  const BodyReadResult r = ReadBodyTag("<body bgcolor=white text=red2 link=blue>");
  EXPECT_EQ(r.kind, BodyReadKind::kConversionError);
  EXPECT_EQ(r.bad_text, "0x0re");
  EXPECT_EQ(r.message, "'0x0re' は整数ではありません");
  EXPECT_EQ(ReadBodyTag("<body text=#12zz56>").bad_text, "0x0zz");

  BodyComposerState s;
  const BodyComposerState before = s;
  const BodyEffects effects = ApplyBodyReading(s, r);
  EXPECT_FALSE(effects.refresh_all);
  EXPECT_EQ(s.values, before.values);
  EXPECT_EQ(s.written, before.written);
}

TEST(ReadBodyTag, IsLinearAndSafeOnAnyBytes) {
  std::string bytes;
  for (int round = 0; round < 4; ++round) {
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  }
  EXPECT_NE(ReadBodyTag(bytes).kind, BodyReadKind::kRoles);

  // Texts that make every position look like the start of a name or a word.
  for (const char* piece : {"text ", "t", "vlin", "bgcolo/bod"}) {
    std::string many;
    while (many.size() < 4 * 1024 * 1024) many += piece;
    EXPECT_EQ(ReadBodyTag(many).kind, BodyReadKind::kNothing) << piece;
  }
  constexpr std::size_t kBig = 16 * 1024 * 1024;
  std::string long_value = "<body text=\"" + std::string(kBig, '=') + "ff";
  EXPECT_EQ(Role(ReadBodyTag(long_value), BodyRole::kText), (RgbColor{0xFF, 0, 0}));
  std::string long_word(kBig, 'x');
  long_word += " navy";
  EXPECT_EQ(Colour(long_word), (RgbColor{0, 0, 0x80}));
  // Names cut off at the very end must not be read past it.
  EXPECT_EQ(ReadBodyTag("xxxxxxbgcolo").kind, BodyReadKind::kNothing);
  EXPECT_EQ(Role(ReadBodyTag("alink=\""), BodyRole::kAlink), (RgbColor{0, 0, 0}));
}

TEST(ApplyBodyReading, IncludesTheRolesFoundAndResetsTheOthersAsAClearedBoxDoes) {
  BodyComposerState s;
  s.active = BodyRole::kVlink;
  s.values[RoleIndex(BodyRole::kVlink)] = RgbColor{1, 2, 3};
  s.written[RoleIndex(BodyRole::kBgcolor)] = false;
  s.picture = true;
  s.picture_name = "bg.bmp";
  const BodyEffects effects =
      ApplyBodyReading(s, ReadBodyTag("<BODY BGCOLOR=#FFFFFF TEXT=#000000 LINK=#0000FF>"));
  EXPECT_EQ(s.written, (std::array<bool, kBodyRoleCount>{true, true, false, false, true}));
  EXPECT_FALSE(s.picture);
  EXPECT_EQ(s.value(BodyRole::kVlink), (RgbColor{0x55, 0x1A, 0x8B}));
  EXPECT_EQ(s.value(BodyRole::kAlink), (RgbColor{0xEE, 0, 0}));
  EXPECT_EQ(s.value(BodyRole::kBgcolor), (RgbColor{255, 255, 255}));
  // The active vlink was left out, so the text role takes over.
  EXPECT_EQ(s.active, BodyRole::kText);
  EXPECT_EQ(effects.current_colour, (RgbColor{0, 0, 0}));

  // A lone role found is locked even where another was the last one before.
  BodyComposerState locked;
  locked.written = {false, false, false, true, false};
  locked.active = BodyRole::kAlink;
  ApplyBodyReading(locked, ReadBodyTag("<body bgcolor=navy>"));
  EXPECT_EQ(locked.written, (std::array<bool, kBodyRoleCount>{false, false, false, false, true}));
  EXPECT_EQ(locked.active, BodyRole::kBgcolor);

  EXPECT_EQ(ApplyBodyReading(s, ReadBodyTag("navy")).current_colour, (RgbColor{0, 0, 0x80}));
}

}  // namespace
}  // namespace tintara
