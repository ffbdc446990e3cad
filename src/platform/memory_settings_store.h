#ifndef TINTARA_PLATFORM_MEMORY_SETTINGS_STORE_H_
#define TINTARA_PLATFORM_MEMORY_SETTINGS_STORE_H_

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/settings_store.h"

// A settings store held in memory, for tests of the windows and the settings
// logic.
namespace tintara {

class MemorySettingsStore final : public SettingsStore {
 public:
  // A stored value keeps its type, so a text can sit where a number belongs.
  using Value = std::variant<std::int32_t, std::string>;

  std::optional<std::int32_t> ReadNumber(std::string_view name) override;
  std::optional<std::string> ReadString(std::string_view name) override;
  void WriteNumber(std::string_view name, std::int32_t value) override;
  void WriteString(std::string_view name, std::string_view value) override;
  void Commit() override;

  // Puts a value in place directly, of either type; not counted as a write.
  void Set(std::string_view name, Value value);
  void Erase(std::string_view name);
  std::optional<Value> Get(std::string_view name) const;
  const std::map<std::string, Value, std::less<>>& values() const { return values_; }

  // Names of the successful writes, in order.
  const std::vector<std::string>& written() const { return written_; }
  void ClearWritten() { written_.clear(); }
  int commits() const { return commits_; }

  // Every write fails, as with a store that cannot be written.
  void set_read_only(bool read_only) { read_only_ = read_only; }
  // Writes of this value fail; the others go through.
  void FailWritesOf(std::string_view name) { failing_.emplace(name); }

 private:
  void Write(std::string_view name, Value value);

  std::map<std::string, Value, std::less<>> values_;
  std::vector<std::string> written_;
  std::set<std::string, std::less<>> failing_;
  bool read_only_ = false;
  int commits_ = 0;
};

}  // namespace tintara

#endif  // TINTARA_PLATFORM_MEMORY_SETTINGS_STORE_H_
