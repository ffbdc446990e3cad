#include "platform/settings_store.h"

#include <utility>

namespace tintara {

std::string SettingsWriteMessage(std::string_view value_name) {
  std::string message = "'";
  message += value_name;
  message += "' の設定に失敗しました";
  return message;
}

SettingsWriteError::SettingsWriteError(std::string value_name)
    : std::runtime_error(SettingsWriteMessage(value_name)), value_name_(std::move(value_name)) {}

}  // namespace tintara
