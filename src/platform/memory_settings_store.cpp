#include "platform/memory_settings_store.h"

#include <utility>

namespace tintara {

std::optional<std::int32_t> MemorySettingsStore::ReadNumber(std::string_view name) {
  const auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  if (const auto* number = std::get_if<std::int32_t>(&it->second)) return *number;
  return std::nullopt;
}

std::optional<std::string> MemorySettingsStore::ReadString(std::string_view name) {
  const auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  if (const auto* text = std::get_if<std::string>(&it->second)) return *text;
  return std::nullopt;
}

void MemorySettingsStore::WriteNumber(std::string_view name, std::int32_t value) {
  Write(name, value);
}

void MemorySettingsStore::WriteString(std::string_view name, std::string_view value) {
  Write(name, std::string(value));
}

void MemorySettingsStore::Commit() { ++commits_; }

void MemorySettingsStore::Set(std::string_view name, Value value) {
  values_.insert_or_assign(std::string(name), std::move(value));
}

void MemorySettingsStore::Erase(std::string_view name) {
  const auto it = values_.find(name);
  if (it != values_.end()) values_.erase(it);
}

std::optional<MemorySettingsStore::Value> MemorySettingsStore::Get(std::string_view name) const {
  const auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void MemorySettingsStore::Write(std::string_view name, Value value) {
  if (read_only_ || failing_.contains(name)) throw SettingsWriteError(std::string(name));
  Set(name, std::move(value));
  written_.emplace_back(name);
}

}  // namespace tintara
