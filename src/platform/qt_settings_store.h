#ifndef TINTARA_PLATFORM_QT_SETTINGS_STORE_H_
#define TINTARA_PLATFORM_QT_SETTINGS_STORE_H_

#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "platform/settings_store.h"

class QSettings;

namespace tintara {

// The program's settings as QSettings keeps them: organisation "Korvell",
// application "RGB" (~/.config/Korvell/RGB.conf on Linux, the registry key
// "Software\Korvell\RGB" on Windows).
class QtSettingsStore final : public SettingsStore {
 public:
  QtSettingsStore();
  // An INI file at `ini_path` in place of the per-user store.
  explicit QtSettingsStore(QString ini_path);
  ~QtSettingsStore() override;

  QtSettingsStore(const QtSettingsStore&) = delete;
  QtSettingsStore& operator=(const QtSettingsStore&) = delete;

  std::optional<std::int32_t> ReadNumber(std::string_view name) override;
  std::optional<std::string> ReadString(std::string_view name) override;
  void WriteNumber(std::string_view name, std::int32_t value) override;
  void WriteString(std::string_view name, std::string_view value) override;
  void Commit() override;

 private:
  QSettings& Open();

  QString ini_path_;  // empty for the per-user store
  std::unique_ptr<QSettings> settings_;
  std::optional<std::string> first_unsaved_;  // the first write since the last commit
};

// The folder of the picture plug-ins another program registers under
// "Varrow"/"Susie", group "Plug-in", value "Path", followed by the directory
// separator; `own_folder` when the value is absent, is not a full path, or
// the store cannot be read. Creates nothing.
QString ReadPlugInFolder(const QString& own_folder);

}  // namespace tintara

#endif  // TINTARA_PLATFORM_QT_SETTINGS_STORE_H_
