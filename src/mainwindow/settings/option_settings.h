#ifndef TINTARA_MAINWINDOW_SETTINGS_OPTION_SETTINGS_H_
#define TINTARA_MAINWINDOW_SETTINGS_OPTION_SETTINGS_H_

#include <optional>
#include <string_view>

#include "mainwindow/settings/settings_table.h"
#include "platform/settings_store.h"

// The four values the options dialog keeps itself: read when it is created,
// written each time it closes.
namespace tintara {

struct OptionSettings {
  bool radio_user = kRadioUserSetting.default_value;      // passing over a slot selects it
  int piccer_time = kPiccerTimeSetting.default_value;     // picker delay, milliseconds
  bool radio_piccer = kRadioPiccerSetting.default_value;  // press-move-release picking
  int piccer_area = kPiccerAreaSetting.default_value;     // magnifier radius, pixels
};

struct OptionSettingsLoad {
  OptionSettings settings;
  std::optional<SettingsWriteError> write_error;  // the first write-back that failed
};

// Reads "RadioUser", "PiccerTime", "RadioPiccer", "PiccerArea" in that order,
// writing back each missing or out-of-range one.
OptionSettingsLoad LoadOptionSettings(SettingsStore& store);

// What the dialog's close writes, when another copy of the program may have
// saved its own options meanwhile: a value changed since the dialog was
// shown as it is now; any other as `store` holds it at this moment, read
// again, or as it is now where the store lacks it.
OptionSettings OptionSettingsForClose(SettingsStore& store, const OptionSettings& shown,
                                      const OptionSettings& now);

// Writes them in the same order; returns the failure rather than throwing.
[[nodiscard]] std::optional<SettingsWriteError> SaveOptionSettings(SettingsStore& store,
                                                                   const OptionSettings& settings);

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_SETTINGS_OPTION_SETTINGS_H_
