#ifndef TINTARA_MAINWINDOW_SETTINGS_VALUE_READER_H_
#define TINTARA_MAINWINDOW_SETTINGS_VALUE_READER_H_

#include <optional>
#include <string>
#include <string_view>

#include "mainwindow/settings/settings_table.h"
#include "platform/settings_store.h"

namespace tintara {

// The stored number when it is present and within min..max; nothing else is
// written or changed.
std::optional<int> StoredNumber(SettingsStore& store, std::string_view name, int min, int max);
std::optional<int> StoredNumber(SettingsStore& store, const NumberSetting& setting);
std::optional<bool> StoredBool(SettingsStore& store, const BoolSetting& setting);

// Reads values for one window's creation, writing each missing one back at
// once. A failed write-back does not stop the reading: the window still gets
// every value, and the first failure is reported when the reading is done.
class ValueReader {
 public:
  explicit ValueReader(SettingsStore& store) : store_(store) {}

  int Number(std::string_view name, int min, int max, int default_value);
  int Number(const NumberSetting& setting);
  bool Bool(const BoolSetting& setting);
  // An absent name reads as empty text and is not written back.
  std::string Text(std::string_view name);

  void WriteBack(std::string_view name, int value);

  // Commits what was written back, unless `commit` is false (a later reading
  // commits it with its own); the first write that failed, if any.
  std::optional<SettingsWriteError> Finish(bool commit = true);

 private:
  SettingsStore& store_;
  std::optional<SettingsWriteError> error_;
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_SETTINGS_VALUE_READER_H_
