#include "output/body_composer.h"

#include <gtest/gtest.h>

#include "output/body_schemes.h"

namespace tintara {
namespace {

constexpr RgbColor kSilver{0xC0, 0xC0, 0xC0};
constexpr bool kNumbers = true;
constexpr bool kNames = false;
constexpr bool kLower = true;
constexpr bool kUpper = false;

// Composes with the active role's own value as the current colour, as the
// window does after a refresh.
BodyTag Compose(BodyComposerState& s, bool numbers, bool lower) {
  return ComposeBodyTag(s, s.value(s.active), numbers, lower);
}

BodyComposerState WithWritten(std::array<bool, kBodyRoleCount> written) {
  BodyComposerState s;
  s.written = written;
  return s;
}

TEST(ComposeBodyTag, WritesTheIncludedRolesInOrder) {
  BodyComposerState all;
  EXPECT_EQ(Compose(all, kNumbers, kUpper).text,
            "<BODY TEXT=\"#000000\" LINK=\"#0000EE\" VLINK=\"#551A8B\" ALINK=\"#EE0000\" "
            "BGCOLOR=\"#C0C0C0\" >");
  // Only black and silver among the defaults have names.
  EXPECT_EQ(Compose(all, kNames, kLower).text,
            "<body text=\"black\" link=\"#0000ee\" vlink=\"#551a8b\" alink=\"#ee0000\" "
            "bgcolor=\"silver\" >");
  BodyComposerState text_and_bg = WithWritten({true, false, false, false, true});
  EXPECT_EQ(Compose(text_and_bg, kNumbers, kLower).text,
            "<body text=\"#000000\" bgcolor=\"#c0c0c0\" >");
  BodyComposerState text_and_link = WithWritten({true, true, false, false, false});
  EXPECT_EQ(Compose(text_and_link, kNumbers, kLower).text,
            "<body text=\"#000000\" link=\"#0000ee\" >");
}

TEST(ComposeBodyTag, PreviewLinesCutTheTagIntoItsAttributes) {
  BodyComposerState all;
  const BodyTag tag = Compose(all, kNumbers, kUpper);
  EXPECT_EQ(tag.preview_lines[0], "<BODY TEXT=\"#000000\" ");
  EXPECT_EQ(tag.preview_lines[1], "LINK=\"#0000EE\" ");
  EXPECT_EQ(tag.preview_lines[2], "VLINK=\"#551A8B\" ");
  EXPECT_EQ(tag.preview_lines[3], "ALINK=\"#EE0000\" ");
  EXPECT_EQ(tag.preview_lines[4], "BGCOLOR=\"#C0C0C0\" >");
  std::string joined;
  for (const std::string& line : tag.preview_lines) joined += line;
  EXPECT_EQ(joined, tag.text);
  EXPECT_EQ(tag.line_colour, (RgbColor{0, 0, 0}));
  EXPECT_EQ(tag.background_colour, kSilver);

  BodyComposerState some = WithWritten({false, false, true, false, false});
  const BodyTag lower = Compose(some, kNumbers, kLower);
  EXPECT_EQ(lower.preview_lines[0], "<body");
  EXPECT_EQ(lower.preview_lines[1], "");
  EXPECT_EQ(lower.preview_lines[2], "vlink=\"#551a8b\" ");
  EXPECT_EQ(lower.preview_lines[3], "");
  EXPECT_EQ(lower.preview_lines[4], ">");
  EXPECT_EQ(lower.text, "<body vlink=\"#551a8b\" >");
  EXPECT_EQ(Compose(some, kNumbers, kUpper).preview_lines[0], "<BODY");
}

TEST(ComposeBodyTag, ThePictureNameKeepsItsCase) {
  BodyComposerState s = WithWritten({true, false, false, false, false});
  s.active = BodyRole::kText;
  s.picture = true;
  s.picture_name = "tile.bmp";
  const BodyTag tag = Compose(s, kNumbers, kUpper);
  EXPECT_EQ(tag.text, "<BODY TEXT=\"#000000\" BACKGROUND=\"tile.bmp\" >");
  EXPECT_EQ(tag.preview_lines[4], "BACKGROUND=\"tile.bmp\" >");
  EXPECT_EQ(Compose(s, kNames, kLower).text, "<body text=\"black\" background=\"tile.bmp\" >");

  // A colour and a picture set together never close the tag twice.
  s.written[RoleIndex(BodyRole::kBgcolor)] = true;
  EXPECT_EQ(Compose(s, kNumbers, kLower).text, "<body text=\"#000000\" bgcolor=\"#c0c0c0\" >");
}

TEST(ComposeBodyTag, TheActiveRoleTakesTheCurrentColour) {
  BodyComposerState s;
  s.active = BodyRole::kLink;
  const BodyTag tag = ComposeBodyTag(s, RgbColor{0xFF, 0, 0}, kNames, kLower);
  EXPECT_EQ(s.value(BodyRole::kLink), (RgbColor{0xFF, 0, 0}));
  EXPECT_EQ(tag.preview_lines[1], "link=\"red\" ");
  EXPECT_EQ(BodyControlStates(s).roles[1].colour, (RgbColor{0xFF, 0, 0}));
  // A role left out still takes the colour; it only stays out of the tag.
  s.written[RoleIndex(BodyRole::kLink)] = false;
  ComposeBodyTag(s, RgbColor{1, 2, 3}, kNumbers, kLower);
  EXPECT_EQ(s.value(BodyRole::kLink), (RgbColor{1, 2, 3}));
}

TEST(BodyRoles, SelectingARoleMakesItsValueTheCurrentColour) {
  BodyComposerState s;
  const BodyEffects effects = SelectBodyRole(s, BodyRole::kVlink);
  EXPECT_EQ(s.active, BodyRole::kVlink);
  EXPECT_EQ(effects.current_colour, (RgbColor{0x55, 0x1A, 0x8B}));
  EXPECT_TRUE(effects.refresh_all);
  EXPECT_FALSE(SelectBodyRole(s, BodyRole::kVlink).refresh_all);

  s.active = BodyRole::kLink;
  EXPECT_EQ(ApplyBodyScheme(s, BodySchemeTable[13].colours).current_colour, kSilver);
  EXPECT_EQ(s.values, BodySchemeTable[13].colours);
}

TEST(BodyRoles, ClearingTheActiveRoleHandsOverToTheFirstIncludedRole) {
  BodyComposerState s;
  s.active = BodyRole::kLink;
  s.values[RoleIndex(BodyRole::kLink)] = RgbColor{1, 2, 3};
  s.written[RoleIndex(BodyRole::kText)] = false;
  const BodyEffects effects = RoleCheckBoxChanged(s, BodyRole::kLink, false);
  EXPECT_EQ(s.active, BodyRole::kVlink);
  EXPECT_EQ(effects.current_colour, (RgbColor{0x55, 0x1A, 0x8B}));
  EXPECT_TRUE(effects.refresh_all);
  EXPECT_EQ(s.value(BodyRole::kLink), (RgbColor{0, 0, 0xEE}));
  const BodyControls controls = BodyControlStates(s);
  EXPECT_FALSE(controls.roles[1].radio_enabled);
  EXPECT_FALSE(controls.roles[1].box_checked);
  EXPECT_TRUE(controls.roles[2].radio_checked);

  // Clearing a role that is not active leaves the selection alone.
  s.values[RoleIndex(BodyRole::kBgcolor)] = RgbColor{9, 9, 9};
  EXPECT_FALSE(RoleCheckBoxChanged(s, BodyRole::kBgcolor, false).current_colour);
  EXPECT_EQ(s.active, BodyRole::kVlink);
  EXPECT_EQ(s.value(BodyRole::kBgcolor), kSilver);
}

TEST(BodyRoles, TheLastIncludedRoleIsLockedAndSelected) {
  BodyComposerState s = WithWritten({false, true, false, false, true});
  const BodyEffects effects = RoleCheckBoxChanged(s, BodyRole::kBgcolor, false);
  EXPECT_EQ(s.active, BodyRole::kLink);
  EXPECT_EQ(effects.current_colour, (RgbColor{0, 0, 0xEE}));
  EXPECT_FALSE(BodyControlStates(s).roles[1].box_enabled);
  EXPECT_TRUE(BodyControlStates(s).roles[0].box_enabled);

  const BodyEffects refused = RoleCheckBoxChanged(s, BodyRole::kLink, false);
  EXPECT_TRUE(s.is_written(BodyRole::kLink));
  EXPECT_FALSE(refused.refresh_all);

  RoleCheckBoxChanged(s, BodyRole::kAlink, true);
  EXPECT_TRUE(BodyControlStates(s).roles[1].box_enabled);
  EXPECT_TRUE(BodyControlStates(s).roles[3].radio_enabled);
}

TEST(BodyRoles, ThePictureTakesThePlaceOfTheBackgroundColour) {
  BodyComposerState s = WithWritten({false, false, false, false, true});
  const BodyEffects on = PictureOptionChanged(s, true);
  EXPECT_TRUE(s.is_written(BodyRole::kText));
  EXPECT_FALSE(s.is_written(BodyRole::kBgcolor));
  EXPECT_EQ(s.active, BodyRole::kText);
  EXPECT_EQ(on.current_colour, (RgbColor{0, 0, 0}));
  EXPECT_TRUE(on.open_picture);  // no picture has been shown yet
  EXPECT_FALSE(BodyControlStates(s).roles[0].box_enabled);

  EXPECT_FALSE(PictureOptionChanged(s, false).open_picture);
  s.picture_name = "a.bmp";
  EXPECT_FALSE(PictureOptionChanged(s, true).open_picture);

  // Including the background colour again turns the picture off.
  RoleCheckBoxChanged(s, BodyRole::kBgcolor, true);
  EXPECT_FALSE(s.picture);
  EXPECT_FALSE(BodyControlStates(s).picture_checked);
}

}  // namespace
}  // namespace tintara
