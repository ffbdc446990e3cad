#include "output/body_composer.h"

#include "colour/colour_text.h"

namespace tintara {

const std::array<BodyRoleInfo, kBodyRoleCount> kBodyRoleInfo = {{
    {"TEXT", "text", "標準のテキスト", RgbColor{0x00, 0x00, 0x00}},
    {"LINK", "link", "リンク部分", RgbColor{0x00, 0x00, 0xEE}},
    {"VLINK", "vlink", "既に読んだリンク", RgbColor{0x55, 0x1A, 0x8B}},
    {"ALINK", "alink", "読み込み中のﾘﾝｸ", RgbColor{0xEE, 0x00, 0x00}},
    {"BGCOLOR", "bgcolor", "背景色", RgbColor{0xC0, 0xC0, 0xC0}},
}};

BodyEffects& BodyEffects::operator+=(const BodyEffects& later) {
  if (later.current_colour) current_colour = later.current_colour;
  refresh_all = refresh_all || later.refresh_all;
  open_picture = open_picture || later.open_picture;
  return *this;
}

namespace {

constexpr std::string_view kTagOpening = "<BODY ";
constexpr std::string_view kPictureKeyword = "BACKGROUND";

// KEYWORD="#rrggbb" with its trailing blank, or the colour's name in place of
// the number sign and digits when names are wanted and the table has one.
std::string Attribute(BodyRole role, RgbColor value, bool output_num) {
  const bool named = !output_num && HasUsableName(value);
  const std::string word = named ? ColorWord(value, true) : "#" + HexColorText(value);
  std::string text(InfoOf(role).keyword);
  text += "=\"";
  text += word;
  text += "\" ";
  return text;
}

// Written after the case rule, so the picture's name keeps its letters.
std::string PictureAttribute(const std::string& name, bool output_lower) {
  std::string text = OutputCaseRule(kPictureKeyword, output_lower);
  text += "=\"";
  text += name;
  text += "\" >";
  return text;
}

int WrittenCount(const BodyComposerState& composer) {
  int count = 0;
  for (bool written : composer.written) count += written ? 1 : 0;
  return count;
}

// The first ticked role other than `except`, in role order.
std::optional<BodyRole> FirstOtherWritten(const BodyComposerState& composer, BodyRole except) {
  for (BodyRole role : kAllBodyRoles) {
    if (role != except && composer.is_written(role)) return role;
  }
  return std::nullopt;
}

}  // namespace

BodyTag ComposeBodyTag(BodyComposerState& composer, RgbColor current, bool output_num,
                       bool output_lower) {
  composer.values[RoleIndex(composer.active)] = current;

  BodyTag tag;
  std::string text(kTagOpening);
  for (BodyRole role : {BodyRole::kText, BodyRole::kLink, BodyRole::kVlink, BodyRole::kAlink}) {
    std::string& line = tag.preview_lines[RoleIndex(role)];
    if (composer.is_written(role)) {
      const std::string attribute = Attribute(role, composer.value(role), output_num);
      text += attribute;
      line = role == BodyRole::kText ? std::string(kTagOpening) + attribute : attribute;
      line = OutputCaseRule(line, output_lower);
    } else if (role == BodyRole::kText) {
      // The bare opening, without the blank that would follow an attribute.
      line = OutputCaseRule(kTagOpening.substr(0, kTagOpening.size() - 1), output_lower);
    }
  }

  std::string& last_line = tag.preview_lines[RoleIndex(BodyRole::kBgcolor)];
  // The picture stands in for the background colour only; should both be set,
  // the colour wins so the tag never closes twice.
  const bool with_picture = composer.picture && !composer.is_written(BodyRole::kBgcolor);
  if (composer.is_written(BodyRole::kBgcolor)) {
    const std::string ending =
        Attribute(BodyRole::kBgcolor, composer.value(BodyRole::kBgcolor), output_num) + ">";
    text += ending;
    last_line = OutputCaseRule(ending, output_lower);
  } else if (with_picture) {
    last_line = PictureAttribute(composer.picture_name, output_lower);
  } else {
    text += ">";
    last_line = ">";
  }

  tag.text = OutputCaseRule(text, output_lower);
  if (with_picture) tag.text += PictureAttribute(composer.picture_name, output_lower);
  tag.line_colour = composer.value(BodyRole::kText);
  tag.background_colour = composer.value(BodyRole::kBgcolor);
  return tag;
}

BodyControls BodyControlStates(const BodyComposerState& composer) {
  BodyControls controls;
  const bool one_left = WrittenCount(composer) == 1;
  for (BodyRole role : kAllBodyRoles) {
    BodyRoleControls& c = controls.roles[RoleIndex(role)];
    c.radio_checked = composer.active == role;
    c.radio_enabled = composer.is_written(role);
    c.box_checked = composer.is_written(role);
    c.box_enabled = !(one_left && composer.is_written(role));
    c.colour = composer.value(role);
  }
  controls.picture_checked = composer.picture;
  controls.text_colour = composer.value(BodyRole::kText);
  controls.background_colour = composer.value(BodyRole::kBgcolor);
  return controls;
}

BodyEffects ApplyBodyScheme(BodyComposerState& composer, const BodyColours& colours) {
  composer.values = colours;
  BodyEffects effects;
  effects.current_colour = composer.value(composer.active);
  effects.refresh_all = true;
  return effects;
}

BodyEffects SelectBodyRole(BodyComposerState& composer, BodyRole role) {
  if (composer.active == role) return {};
  composer.active = role;
  BodyEffects effects;
  effects.current_colour = composer.value(role);
  effects.refresh_all = true;
  return effects;
}

BodyEffects UpdateRoleChecks(BodyComposerState& composer) {
  BodyEffects effects;
  if (WrittenCount(composer) == 1) {
    for (BodyRole role : kAllBodyRoles) {
      if (composer.is_written(role)) effects += SelectBodyRole(composer, role);
    }
  }
  effects.refresh_all = true;
  return effects;
}

BodyEffects RoleCheckBoxChanged(BodyComposerState& composer, BodyRole role, bool ticked) {
  const std::size_t index = RoleIndex(role);
  if (composer.written[index] == ticked) return {};
  if (!ticked && WrittenCount(composer) == 1) return {};

  BodyEffects effects;
  composer.written[index] = ticked;
  // The box was ticked before, so the active role has just been left out:
  // hand the current colour over to a role that is still written.
  if (!ticked && composer.active == role) {
    if (const auto next = FirstOtherWritten(composer, role); next) {
      effects += SelectBodyRole(composer, *next);
    }
  }
  if (!ticked) composer.values[index] = InfoOf(role).default_colour;
  if (ticked && role == BodyRole::kBgcolor && composer.picture) {
    effects += PictureOptionChanged(composer, false);
  }
  effects += UpdateRoleChecks(composer);
  return effects;
}

BodyEffects PictureOptionChanged(BodyComposerState& composer, bool on) {
  if (composer.picture == on) return {};
  composer.picture = on;
  BodyEffects effects;
  if (on) {
    if (composer.is_written(BodyRole::kBgcolor) && WrittenCount(composer) == 1) {
      effects += RoleCheckBoxChanged(composer, BodyRole::kText, true);
      effects += SelectBodyRole(composer, BodyRole::kText);
    }
    effects += RoleCheckBoxChanged(composer, BodyRole::kBgcolor, false);
    effects.open_picture = effects.open_picture || composer.picture_name.empty();
  }
  effects += UpdateRoleChecks(composer);
  return effects;
}

}  // namespace tintara
