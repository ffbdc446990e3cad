#ifndef TINTARA_MAINWINDOW_SETTINGS_MAIN_SETTINGS_H_
#define TINTARA_MAINWINDOW_SETTINGS_MAIN_SETTINGS_H_

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "colour/colour_models.h"
#include "colour/rgb_color.h"
#include "mainwindow/settings/settings_table.h"
#include "platform/settings_store.h"

// What the main window keeps between runs: read at its creation, written when
// it closes.
namespace tintara {

// The usable area of one screen, in the desktop's coordinates.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// What the loader needs to know to place the window.
struct WindowPlacement {
  std::vector<ScreenRect> screens;
  int width = 0;  // the window's outer size
  int height = 0;
  int centred_left = 0;  // the window centred on the screen
  int centred_top = 0;
};

// True when a window of this size at left/top shows at least one pixel on
// one of the screens. Without any screen there is nothing to judge by, and
// the position is taken as it is.
bool IsOnSomeScreen(const std::vector<ScreenRect>& screens, int left, int top, int width,
                    int height);

struct FavouriteSetting {
  std::string name;
  RgbColor colour;

  friend bool operator==(const FavouriteSetting&, const FavouriteSetting&) = default;
};

inline constexpr RgbColor kFirstSlotColour{kFirstChannelDefault, kFirstChannelDefault,
                                           kFirstChannelDefault};

constexpr std::array<RgbColor, kUserSlotCount> FirstUserPalette() {
  std::array<RgbColor, kUserSlotCount> palette;
  palette.fill(kFirstSlotColour);
  return palette;
}

struct MainSettings {
  int top = 0;
  int left = 0;
  std::array<RgbColor, kUserSlotCount> user_palette = FirstUserPalette();
  int palette_channel = kColorPaletteSetting.default_value;  // PaletteChannel 0..17
  SlideModel slide_model = static_cast<SlideModel>(kColorSlideSetting.default_value);
  bool output_num = kOutputNumSetting.default_value;
  bool output_lower = kOutputLowerSetting.default_value;
  std::vector<FavouriteSetting> favourites;

  friend bool operator==(const MainSettings&, const MainSettings&) = default;
};

struct MainSettingsLoad {
  MainSettings settings;  // always complete, defaults where values were missing
  // The first write-back that failed; show it once the window is set up.
  std::optional<SettingsWriteError> write_error;
};

// Reads every main-window value in start-up order (position, slots 0..9,
// palette channel and slide model, output options, favourites), writing back
// each missing or unusable one. A stored position that would leave the window
// on no screen at all is replaced by the centred one.
// `commit` false leaves the values written back for a later commit.
MainSettingsLoad LoadMainSettings(SettingsStore& store, const WindowPlacement& placement,
                                  bool commit = true);

// What a close writes, when another copy of the program may have saved its
// own values since this one read them: a value this run changed (`now`
// differs from `loaded`, what it read at its start) as it is now; any other
// as `store` holds it at this moment, read again, so that what the other copy
// saved survives. A value the store no longer holds, or holds unusable, is
// taken from `now`: a deleted store is still written whole. The window
// position, each user-palette slot and the favourites list each count as one
// value, so that no colour or list is made of pieces of two.
MainSettings SettingsForClose(SettingsStore& store, const MainSettings& loaded,
                              const MainSettings& now);

// Writes every main-window value in closing order: position, slots, the
// favourites count and each favourite, palette channel, slide model, output
// options. Values of favourites beyond the count stay in the store, unread.
// Returns the failure instead of throwing so that closing can go on after the
// error is shown; the values after the failed one are not written.
[[nodiscard]] std::optional<SettingsWriteError> SaveMainSettings(SettingsStore& store,
                                                                 const MainSettings& settings);

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_SETTINGS_MAIN_SETTINGS_H_
