#include "platform/kde_system_colours.h"

#include <QByteArrayList>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStandardPaths>

namespace tintara {
namespace {

// One index that the colour scheme has a key for. `fallback` is what Plasma
// itself reads when the key is absent: the Breeze Light scheme.
struct SchemeKey {
  int index;
  const char* group;
  const char* key;
  RgbColor fallback;
};

constexpr std::array<SchemeKey, 13> kSchemeKeys = {{
    // Title bar of the active window and its text: the window manager's own colours.
    {kColorActiveCaption, "WM", "activeBackground", {227, 229, 231}},
    {kColorCaptionText, "WM", "activeForeground", {35, 38, 41}},
    // The same for the windows in the background.
    {kColorInactiveCaption, "WM", "inactiveBackground", {239, 240, 241}},
    {kColorInactiveCaptionText, "WM", "inactiveForeground", {112, 125, 138}},
    // Menus are drawn on the window colours in Plasma.
    {kColorMenu, "Colors:Window", "BackgroundNormal", {239, 240, 241}},
    {kColorMenuText, "Colors:Window", "ForegroundNormal", {35, 38, 41}},
    // The inside of a window (an edit field, a list): Plasma's "view".
    {kColorWindow, "Colors:View", "BackgroundNormal", {255, 255, 255}},
    {kColorWindowText, "Colors:View", "ForegroundNormal", {35, 38, 41}},
    // Selected items.
    {kColorHighlight, "Colors:Selection", "BackgroundNormal", {61, 174, 233}},
    {kColorHighlightText, "Colors:Selection", "ForegroundNormal", {255, 255, 255}},
    // Push buttons.
    {kColorBtnFace, "Colors:Button", "BackgroundNormal", {252, 252, 252}},
    {kColorBtnText, "Colors:Button", "ForegroundNormal", {35, 38, 41}},
    // Disabled and inactive text on the window colours.
    {kColorGrayText, "Colors:Window", "ForegroundInactive", {112, 125, 138}},
}};

const SchemeKey* KeyOf(int index) {
  for (const SchemeKey& key : kSchemeKeys) {
    if (key.index == index) return &key;
  }
  return nullptr;
}

std::optional<std::string> ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  return bytes.toStdString();
}

RgbColor ColourIn(const KdeGlobalsText& text, const SchemeKey& key) {
  const std::optional<std::string> value = text.Value(key.group, key.key);
  const std::optional<RgbColor> colour = value ? ParseKdeColour(*value) : std::nullopt;
  return colour.value_or(key.fallback);
}

}  // namespace

KdeSystemColours::KdeSystemColours(QDBusConnection bus)
    : path_(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            QStringLiteral("/kdeglobals")),
      bus_(std::move(bus)) {
  for (int index = 0; index < kSystemColourIndexCount; ++index) {
    memory_[static_cast<std::size_t>(index)] = ClassicSystemColour(index);
  }
  const std::optional<std::string> bytes = ReadFile(path_);
  file_existed_ = QFileInfo::exists(path_);
  const KdeGlobalsText text(bytes.value_or(std::string()));
  for (const SchemeKey& key : kSchemeKeys) {
    originals_[static_cast<std::size_t>(key.index)] = {
        text.Line(key.group, key.key), ColourIn(text, key), text.HasGroup(key.group)};
  }
  Refresh();
}

void KdeSystemColours::Refresh() {
  const QFileInfo info(path_);
  const bool exists = info.exists();
  const QDateTime modified = exists ? info.lastModified() : QDateTime();
  const qint64 size = exists ? info.size() : -1;
  if (known_ && exists == exists_ && modified == modified_ && size == size_) return;
  known_ = true;
  exists_ = exists;
  modified_ = modified;
  size_ = size;
  Load(ReadFile(path_).value_or(std::string()));
}

void KdeSystemColours::Load(const std::string& bytes) {
  const KdeGlobalsText text(bytes);
  for (const SchemeKey& key : kSchemeKeys) {
    file_colours_[static_cast<std::size_t>(key.index)] = ColourIn(text, key);
  }
}

RgbColor KdeSystemColours::Get(int index) {
  if (index < 0 || index >= kSystemColourIndexCount) return {};
  if (KeyOf(index) == nullptr) return memory_[static_cast<std::size_t>(index)];
  Refresh();
  return file_colours_[static_cast<std::size_t>(index)];
}

void KdeSystemColours::Set(int index, RgbColor colour) {
  if (index < 0 || index >= kSystemColourIndexCount) return;
  const SchemeKey* key = KeyOf(index);
  if (key == nullptr) {
    memory_[static_cast<std::size_t>(index)] = colour;
    return;
  }
  // The desktop may have changed the file since it was last read.
  const QFileInfo info(path_);
  const bool exists = info.exists();
  // A file the user made read-only is refused, even where the process could
  // write it anyway.
  if (exists && !(info.permissions() & QFileDevice::WriteOwner)) return;
  const std::optional<std::string> bytes = ReadFile(path_);
  if (exists && !bytes) return;
  const std::string before = bytes.value_or(std::string());
  KdeGlobalsText text(before);

  const Original& original = originals_[static_cast<std::size_t>(index)];
  if (colour == original.colour) {
    // Back to what the file held at the start: its very line, or no line at all.
    if (original.line) {
      if (!text.SetLine(key->group, key->key, *original.line)) return;
    } else if (text.Line(key->group, key->key)) {
      if (!text.Remove(key->group, key->key)) return;
      if (!original.group_existed) text.RemoveGroupIfEmpty(key->group);
    }
  } else if (!text.SetValue(key->group, key->key, FormatKdeColour(colour))) {
    return;
  }

  const std::string after = text.Bytes();
  if (after == before) return;
  if (after.empty() && !file_existed_) {
    // The file was made by us alone: restoring takes it away again.
    if (!QFile::remove(path_)) return;
  } else if (!Write(after)) {
    return;
  }
  known_ = false;
  Refresh();
  Announce(index);
}

bool KdeSystemColours::Write(const std::string& bytes) {
  // A kdeglobals that links elsewhere (a dotfile collection) stays a link.
  const QFileInfo info(path_);
  const QString target =
      info.isSymLink() && !info.canonicalFilePath().isEmpty() ? info.canonicalFilePath() : path_;
  QSaveFile file(target);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
      static_cast<qint64>(bytes.size())) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

void KdeSystemColours::Announce(int index) {
  const SchemeKey* key = KeyOf(index);
  static const bool registered = [] {
    qDBusRegisterMetaType<QByteArrayList>();
    qDBusRegisterMetaType<QHash<QString, QByteArrayList>>();
    return true;
  }();
  (void)registered;

  // Applications that watch the file re-read the changed key...
  QDBusMessage changed = QDBusMessage::createSignal(QStringLiteral("/kdeglobals"),
                                                    QStringLiteral("org.kde.kconfig.notify"),
                                                    QStringLiteral("ConfigChanged"));
  const QHash<QString, QByteArrayList> keys = {
      {QString::fromLatin1(key->group), {QByteArray(key->key)}}};
  changed.setArguments({QVariant::fromValue(keys)});
  bus_.send(changed);

  // ...and every application rebuilds its palette, as after the desktop's
  // own colour settings (change type 0: the palette; the second number is unused).
  QDBusMessage palette = QDBusMessage::createSignal(QStringLiteral("/KGlobalSettings"),
                                                    QStringLiteral("org.kde.KGlobalSettings"),
                                                    QStringLiteral("notifyChange"));
  palette.setArguments({0, 0});
  bus_.send(palette);

  // Title bars are the window manager's: it reloads its settings on this.
  if (QByteArray(key->group) == "WM") {
    bus_.send(QDBusMessage::createSignal(QStringLiteral("/KWin"), QStringLiteral("org.kde.KWin"),
                                         QStringLiteral("reloadConfig")));
  }
}

}  // namespace tintara
