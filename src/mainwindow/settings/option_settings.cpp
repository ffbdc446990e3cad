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

OptionSettings OptionSettingsForClose(SettingsStore& store, const OptionSettings& shown,
                                      const OptionSettings& now) {
  OptionSettings result = now;
  if (now.radio_user == shown.radio_user) {
    result.radio_user = StoredBool(store, kRadioUserSetting).value_or(now.radio_user);
  }
  if (now.piccer_time == shown.piccer_time) {
    result.piccer_time = StoredNumber(store, kPiccerTimeSetting).value_or(now.piccer_time);
  }
  if (now.radio_piccer == shown.radio_piccer) {
    result.radio_piccer = StoredBool(store, kRadioPiccerSetting).value_or(now.radio_piccer);
  }
  if (now.piccer_area == shown.piccer_area) {
    result.piccer_area = StoredNumber(store, kPiccerAreaSetting).value_or(now.piccer_area);
  }
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
