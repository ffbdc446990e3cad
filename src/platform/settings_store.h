#ifndef TINTARA_PLATFORM_SETTINGS_STORE_H_
#define TINTARA_PLATFORM_SETTINGS_STORE_H_

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// The per-user store of named values the program keeps between runs.
namespace tintara {

// A value could not be stored. The message is the one the error box shows.
class SettingsWriteError : public std::runtime_error {
 public:
  explicit SettingsWriteError(std::string value_name);

  const std::string& value_name() const { return value_name_; }

 private:
  std::string value_name_;
};

// "'%s' の設定に失敗しました" with the value's name for %s.
std::string SettingsWriteMessage(std::string_view value_name);

// Numbers are 32-bit integers; texts are UTF-8 by custom but may hold any
// bytes, and read back exactly as they were written. Writes may be held back until
// Commit, which stores them all or none; the store is closed afterwards and
// opened again by the next read or write.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // Empty when the value is absent or is not a valid 32-bit integer (stored
  // as text, for example).
  virtual std::optional<std::int32_t> ReadNumber(std::string_view name) = 0;
  // Empty when the value is absent or is not text.
  virtual std::optional<std::string> ReadString(std::string_view name) = 0;

  // Both throw SettingsWriteError naming the value when it cannot be stored.
  virtual void WriteNumber(std::string_view name, std::int32_t value) = 0;
  virtual void WriteString(std::string_view name, std::string_view value) = 0;

  // Makes the writes since the last commit durable. Throws SettingsWriteError
  // naming the first of them when they could not be stored; the previous
  // content of the store is then left whole.
  virtual void Commit() = 0;
};

// Reads through to another store and drops every write: for a process that
// must leave the user's settings as they are.
class ReadOnlySettingsStore final : public SettingsStore {
 public:
  explicit ReadOnlySettingsStore(SettingsStore& store) : store_(store) {}
  std::optional<std::int32_t> ReadNumber(std::string_view name) override {
    return store_.ReadNumber(name);
  }
  std::optional<std::string> ReadString(std::string_view name) override {
    return store_.ReadString(name);
  }
  void WriteNumber(std::string_view, std::int32_t) override {}
  void WriteString(std::string_view, std::string_view) override {}
  void Commit() override {}

 private:
  SettingsStore& store_;
};

}  // namespace tintara

#endif  // TINTARA_PLATFORM_SETTINGS_STORE_H_
