#ifndef TINTARA_PLATFORM_QT_SETTINGS_STORE_H_
#define TINTARA_PLATFORM_QT_SETTINGS_STORE_H_

#include <QString>
#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "platform/ini_text.h"
#include "platform/settings_store.h"
#include "platform/store_file.h"

namespace tintara {

// The program's settings in the INI file QSettings keeps for organisation
// "Korvell", application "RGB": ~/.config/Korvell/RGB.conf (under
// $XDG_CONFIG_HOME when set). The file is read once per opening, at most
// kMaxStoreBytes, and only when it is a regular file (a symbolic link to one
// will do); anything else is refused: it reads as empty and every commit
// fails, leaving it as it is. A commit writes a new file beside the old one
// and renames it over it (through a symbolic link, over the link's target),
// keeping the old file's permissions. Before a commit gives up something of
// the file it could not read, the file as it was is kept in RGB.conf.bak.
class QtSettingsStore final : public SettingsStore {
 public:
  QtSettingsStore();
  // An INI file at `ini_path` in place of the per-user store.
  explicit QtSettingsStore(QString ini_path);

  std::optional<std::int32_t> ReadNumber(std::string_view name) override;
  std::optional<std::string> ReadString(std::string_view name) override;
  void WriteNumber(std::string_view name, std::int32_t value) override;
  void WriteString(std::string_view name, std::string_view value) override;
  void Commit() override;

 private:
  struct OpenFile {
    IniText text;
    std::string bytes;  // as read
    bool refused = false;
    std::set<std::string, std::less<>> unreadable;  // present, but not of the type asked for
    std::set<std::string, std::less<>> replaced;    // of those, the ones written since
  };

  OpenFile& Open();
  std::optional<std::string_view> Raw(std::string_view name);
  void Write(std::string_view name, const std::string& raw);
  // Keeps the file as it was beside it, once per commit that needs it.
  bool KeepBackup(const OpenFile& file);

  QString path_;
  std::optional<OpenFile> open_;
  std::optional<std::string> first_unsaved_;  // the first write since the last commit
  bool told_of_backup_ = false;
  bool told_of_refusal_ = false;
};

// The folder of the picture plug-ins another program registers under
// "Varrow"/"Susie" (~/.config/Varrow/Susie.conf), group "Plug-in", value
// "Path", followed by the directory separator; `own_folder` when the value is
// absent, is not a full path, or the file cannot be read. Creates nothing.
QString ReadPlugInFolder(const QString& own_folder);

}  // namespace tintara

#endif  // TINTARA_PLATFORM_QT_SETTINGS_STORE_H_
