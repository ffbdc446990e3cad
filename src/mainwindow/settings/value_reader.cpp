#include "mainwindow/settings/value_reader.h"

namespace tintara {

std::optional<int> StoredNumber(SettingsStore& store, std::string_view name, int min, int max) {
  const std::optional<std::int32_t> stored = store.ReadNumber(name);
  if (stored && *stored >= min && *stored <= max) return *stored;
  return std::nullopt;
}

std::optional<int> StoredNumber(SettingsStore& store, const NumberSetting& setting) {
  return StoredNumber(store, setting.name, setting.min, setting.max);
}

std::optional<bool> StoredBool(SettingsStore& store, const BoolSetting& setting) {
  const std::optional<std::int32_t> stored = store.ReadNumber(setting.name);
  if (stored) return *stored != 0;
  return std::nullopt;
}

int ValueReader::Number(std::string_view name, int min, int max, int default_value) {
  if (const std::optional<int> stored = StoredNumber(store_, name, min, max)) return *stored;
  WriteBack(name, default_value);
  return default_value;
}

int ValueReader::Number(const NumberSetting& setting) {
  return Number(setting.name, setting.min, setting.max, setting.default_value);
}

bool ValueReader::Bool(const BoolSetting& setting) {
  if (const std::optional<bool> stored = StoredBool(store_, setting)) return *stored;
  WriteBack(setting.name, setting.default_value ? 1 : 0);
  return setting.default_value;
}

std::string ValueReader::Text(std::string_view name) {
  return store_.ReadString(name).value_or(std::string());
}

void ValueReader::WriteBack(std::string_view name, int value) {
  // Once a write has failed the store is taken to be unwritable; the rest of
  // the reading goes on without further attempts.
  if (error_) return;
  try {
    store_.WriteNumber(name, value);
  } catch (const SettingsWriteError& error) {
    error_ = error;
  }
}

std::optional<SettingsWriteError> ValueReader::Finish(bool commit) {
  if (!error_ && commit) {
    try {
      store_.Commit();
    } catch (const SettingsWriteError& error) {
      error_ = error;
    }
  }
  return error_;
}

}  // namespace tintara
