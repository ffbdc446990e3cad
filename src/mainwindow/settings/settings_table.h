#ifndef TINTARA_MAINWINDOW_SETTINGS_SETTINGS_TABLE_H_
#define TINTARA_MAINWINDOW_SETTINGS_SETTINGS_TABLE_H_

#include <string>
#include <string_view>

#include "colour/rgb_color.h"

// Every value the program keeps in its settings store: name, range and the
// value that stands in when it is missing.
namespace tintara {

// A stored number outside min..max counts as missing, like one of the wrong
// type: the default is used and written back.
struct NumberSetting {
  std::string_view name;
  int min;
  int max;
  int default_value;

  constexpr bool Accepts(int value) const { return value >= min && value <= max; }
};

// Stored as the numbers 1 and 0; any number other than 0 reads as true.
struct BoolSetting {
  std::string_view name;
  bool default_value;
};

// Main window position; the default is the window centred on the screen,
// which only the window knows.
inline constexpr std::string_view kTopKey = "Top";
inline constexpr std::string_view kLeftKey = "Left";

inline constexpr NumberSetting kColorPaletteSetting{"ColorPalette", 0, 17, 8};  // L of ESL
inline constexpr NumberSetting kColorSlideSetting{"ColorSlide", 0, 5, 0};       // RGB
inline constexpr BoolSetting kOutputNumSetting{"OutputNum", true};
inline constexpr BoolSetting kOutputLowerSetting{"OutputLower", true};
inline constexpr NumberSetting kFavoriteCountSetting{"Favorite", 0, 10000, 0};

// The options dialog's own values.
inline constexpr BoolSetting kRadioUserSetting{"RadioUser", true};
inline constexpr NumberSetting kPiccerTimeSetting{"PiccerTime", 1, 10000, 500};
inline constexpr BoolSetting kRadioPiccerSetting{"RadioPiccer", false};
inline constexpr NumberSetting kPiccerAreaSetting{"PiccerArea", 1, 99, 10};

inline constexpr int kUserSlotCount = 10;
inline constexpr int kChannelMin = 0;
inline constexpr int kChannelMax = 255;
// The channel default before any channel has been read; after that, a
// missing channel takes the same channel read last.
inline constexpr int kFirstChannelDefault = 255;

// "R3", "G3", "B3": a channel of user-palette slot 3.
std::string SlotChannelKey(RgbChannel channel, int slot);
// "Favorite3": the name of favourite 3.
std::string FavoriteNameKey(int index);
// "FavoriteR3", "FavoriteG3", "FavoriteB3": a channel of favourite 3.
std::string FavoriteChannelKey(RgbChannel channel, int index);

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_SETTINGS_SETTINGS_TABLE_H_
