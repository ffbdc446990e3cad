#ifndef TINTARA_PLATFORM_KDE_SYSTEM_COLOURS_H_
#define TINTARA_PLATFORM_KDE_SYSTEM_COLOURS_H_

#include <QDBusConnection>
#include <QDateTime>
#include <QString>
#include <array>
#include <optional>
#include <string>

#include "platform/kdeglobals_text.h"
#include "platform/system_colours.h"

namespace tintara {

// The colours of a KDE Plasma session: the active colour scheme in the
// user's kdeglobals. A change writes that one key and tells the running
// applications, the window manager included, to reload, so the whole
// desktop repaints live. Putting back a colour the file held when this
// object was made puts back its very line, so restoring leaves the file as
// it was. Indices the scheme has no key for are kept in memory.
class KdeSystemColours final : public SystemColours {
 public:
  explicit KdeSystemColours(QDBusConnection bus = QDBusConnection::sessionBus());

  RgbColor Get(int index) override;
  void Set(int index, RgbColor colour) override;

  // The file read and written: kdeglobals in the user's configuration folder.
  const QString& Path() const { return path_; }

 private:
  // What the file held for one key when this object was made.
  struct Original {
    std::optional<std::string> line;
    RgbColor colour;
    bool group_existed = false;
  };

  // Re-reads the file when its time or size moved since the last read.
  void Refresh();
  void Load(const std::string& bytes);
  bool Write(const std::string& bytes);
  void Announce(int index);

  QString path_;
  QDBusConnection bus_;
  std::array<RgbColor, kSystemColourIndexCount> memory_{};
  std::array<RgbColor, kSystemColourIndexCount> file_colours_{};
  std::array<Original, kSystemColourIndexCount> originals_{};
  bool file_existed_ = false;
  bool known_ = false;
  bool exists_ = false;
  QDateTime modified_;
  qint64 size_ = -1;
};

}  // namespace tintara

#endif  // TINTARA_PLATFORM_KDE_SYSTEM_COLOURS_H_
