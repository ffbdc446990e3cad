#ifndef TINTARA_OUTPUT_BODY_COMPOSER_H_
#define TINTARA_OUTPUT_BODY_COMPOSER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "colour/rgb_color.h"

// The BODY tag composer: five role colours written as one HTML BODY start
// tag, the rules of the role check boxes and of the picture option, and what
// the window's BODY group shows. No widgets here: the window keeps a
// BodyComposerState, calls these functions from its handlers and applies the
// BodyEffects, BodyTag and BodyControls they return.
namespace tintara {

// The five roles, in the order every loop over them uses.
enum class BodyRole : std::uint8_t { kText = 0, kLink = 1, kVlink = 2, kAlink = 3, kBgcolor = 4 };
inline constexpr std::size_t kBodyRoleCount = 5;
inline constexpr std::array<BodyRole, kBodyRoleCount> kAllBodyRoles = {
    BodyRole::kText, BodyRole::kLink, BodyRole::kVlink, BodyRole::kAlink, BodyRole::kBgcolor};

constexpr std::size_t RoleIndex(BodyRole role) { return static_cast<std::size_t>(role); }

struct BodyRoleInfo {
  std::string_view keyword;    // as written in the tag before the case rule: "TEXT"
  std::string_view attribute;  // as the reader matches it: "text"
  std::string_view caption;    // the role's caption label, drawn in the role's colour
  RgbColor default_colour;     // the value at start and after its box is cleared
};

extern const std::array<BodyRoleInfo, kBodyRoleCount> kBodyRoleInfo;

inline const BodyRoleInfo& InfoOf(BodyRole role) { return kBodyRoleInfo[RoleIndex(role)]; }

// One colour per role, in role order.
using BodyColours = std::array<RgbColor, kBodyRoleCount>;

// Everything the composer remembers between events.
struct BodyComposerState {
  BodyColours values = {kBodyRoleInfo[0].default_colour, kBodyRoleInfo[1].default_colour,
                        kBodyRoleInfo[2].default_colour, kBodyRoleInfo[3].default_colour,
                        kBodyRoleInfo[4].default_colour};
  // The role check boxes: whether the tag writes the role.
  std::array<bool, kBodyRoleCount> written = {true, true, true, true, true};
  // The selected radio button; the current colour is this role's colour.
  BodyRole active = BodyRole::kBgcolor;
  // The picture option: a BACKGROUND attribute in place of BGCOLOR. Never on
  // while the background role is written.
  bool picture = false;
  // The name of the last picture shown, written as it is; empty until then.
  std::string picture_name;

  RgbColor value(BodyRole role) const { return values[RoleIndex(role)]; }
  bool is_written(BodyRole role) const { return written[RoleIndex(role)]; }
};

// What the window does after a composer operation, in this order: store
// current_colour as the current colour when it is set, run RefreshAll (which
// calls ComposeBodyTag) when refresh_all is set, then start the command that
// opens a picture file when open_picture is set.
struct BodyEffects {
  std::optional<RgbColor> current_colour;
  bool refresh_all = false;
  bool open_picture = false;

  // Later effects win for the colour; the flags add up.
  BodyEffects& operator+=(const BodyEffects& later);
};

// The composed tag and its preview.
struct BodyTag {
  std::string text;  // the whole tag, one line, as it goes to the clipboard
  // The five preview lines, one per role; the background line also holds the
  // closing ">".
  std::array<std::string, kBodyRoleCount> preview_lines;
  RgbColor line_colour;        // the preview lines are written in the text colour
  RgbColor background_colour;  // on the background colour
};

// The state of the BODY group's controls.
struct BodyRoleControls {
  bool radio_checked = false;  // the role is active; its menu items carry the check mark
  bool radio_enabled = false;
  bool box_checked = false;
  bool box_enabled = false;  // false for the last ticked box, which cannot be cleared
  RgbColor colour;           // the role's colour as its controls show it
};

struct BodyControls {
  std::array<BodyRoleControls, kBodyRoleCount> roles;
  bool picture_checked = false;  // the picture option, and whether the picture is shown
  // The text colour is the font colour of the caption of the text and
  // background roles, the group's captions, the preview lines and the tag
  // field; the background colour fills the radio buttons, the group box and
  // the tag field. The link roles colour their own captions only.
  RgbColor text_colour;
  RgbColor background_colour;
};

// The active role takes the current colour, then the tag and its preview
// lines are written. output_num false writes colour names where the table
// has them; output_lower false writes capitals (the picture name keeps its
// case). Called by RefreshAll.
BodyTag ComposeBodyTag(BodyComposerState& composer, RgbColor current, bool output_num,
                       bool output_lower);

// The controls as the state says they should be; apply after every refresh.
BodyControls BodyControlStates(const BodyComposerState& composer);

// Sets all five values; the current colour becomes the active role's new
// value. Which roles are written does not change.
BodyEffects ApplyBodyScheme(BodyComposerState& composer, const BodyColours& colours);

// Makes the role active (also a role that is not written). Selecting the
// active role changes nothing.
BodyEffects SelectBodyRole(BodyComposerState& composer, BodyRole role);

// Selects the role of the last ticked box, if only one is left, and asks for
// a refresh. Run after every change of a role box or the picture option.
BodyEffects UpdateRoleChecks(BodyComposerState& composer);

// A role's check box was ticked or cleared. Clearing the active role moves the
// selection to the first role still ticked; a cleared role returns to its
// default colour; ticking the background turns the picture option off.
// Clearing the last ticked box is refused (no change, no effects).
BodyEffects RoleCheckBoxChanged(BodyComposerState& composer, BodyRole role, bool ticked);

// The picture option was turned on or off. Turning it on clears the
// background role (including the text role first when the background was the
// only one written) and asks for a picture when none has been shown yet.
BodyEffects PictureOptionChanged(BodyComposerState& composer, bool on);

}  // namespace tintara

#endif  // TINTARA_OUTPUT_BODY_COMPOSER_H_
