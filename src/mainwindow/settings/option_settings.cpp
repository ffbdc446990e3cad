#include "mainwindow/settings/option_settings.h"

#include <cstdint>
#include <limits>

#include "mainwindow/settings/value_reader.h"

namespace tintara {

OptionSettingsLoad LoadOptionSettings(SettingsStore& store) {
  OptionSettingsLoad result;
  ValueReader reader(store);
  result.settings.radio_user = reader.Bool(kRadioUserSetting);
  result.settings.piccer_time = reader.Number(kPiccerTimeSetting);
  result.settings.radio_piccer = reader.Bool(kRadioPiccerSetting);
  result.settings.piccer_area = reader.Number(kPiccerAreaSetting);
  result.write_error = reader.Finish();
  return result;
}

std::optional<SettingsWriteError> SaveOptionSettings(SettingsStore& store,
                                                     const OptionSettings& settings) {
  try {
    store.WriteNumber(kRadioUserSetting.name, settings.radio_user ? 1 : 0);
    store.WriteNumber(kPiccerTimeSetting.name, settings.piccer_time);
    store.WriteNumber(kRadioPiccerSetting.name, settings.radio_piccer ? 1 : 0);
    store.WriteNumber(kPiccerAreaSetting.name, settings.piccer_area);
    store.Commit();
  } catch (const SettingsWriteError& error) {
    return error;
  }
  return std::nullopt;
}

}  // namespace tintara
