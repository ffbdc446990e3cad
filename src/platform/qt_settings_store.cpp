#include "platform/qt_settings_store.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QVariant>
#include <charconv>
#include <limits>
#include <utility>

namespace tintara {
namespace {

QString Key(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// INI files hold every value as text; the registry keeps numbers and texts
// apart, so there a text never counts as a number.
bool TextMayHoldNumber(const QSettings& settings) {
#ifdef Q_OS_WIN
  return settings.format() != QSettings::NativeFormat;
#else
  (void)settings;
  return true;
#endif
}

// Only a whole decimal number is taken: "12px" or "+5" are texts, not numbers.
std::optional<std::int32_t> ParseNumber(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  const char* const end = bytes.constData() + bytes.size();
  std::int32_t value = 0;
  const auto [stop, error] = std::from_chars(bytes.constData(), end, value);
  if (error != std::errc() || stop != end || bytes.isEmpty()) return std::nullopt;
  return value;
}

std::optional<std::int32_t> NumberOf(const QVariant& value, bool text_may_hold_number) {
  switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong: {
      const qlonglong number = value.toLongLong();
      if (number < std::numeric_limits<std::int32_t>::min() ||
          number > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
      }
      return static_cast<std::int32_t>(number);
    }
    case QMetaType::QString:
      if (text_may_hold_number) return ParseNumber(value.toString());
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace

QtSettingsStore::QtSettingsStore() = default;

QtSettingsStore::QtSettingsStore(QString ini_path) : ini_path_(std::move(ini_path)) {}

QtSettingsStore::~QtSettingsStore() = default;

QSettings& QtSettingsStore::Open() {
  if (!settings_) {
    settings_ = ini_path_.isEmpty()
                    ? std::make_unique<QSettings>(QStringLiteral("Korvell"), QStringLiteral("RGB"))
                    : std::make_unique<QSettings>(ini_path_, QSettings::IniFormat);
    // Only the current user's values count, never a system-wide file.
    settings_->setFallbacksEnabled(false);
    // Write a new file and rename it over the old one, never the old file in
    // place: a write that fails half-way must not leave half a store.
    settings_->setAtomicSyncRequired(true);
  }
  return *settings_;
}

std::optional<std::int32_t> QtSettingsStore::ReadNumber(std::string_view name) {
  QSettings& settings = Open();
  return NumberOf(settings.value(Key(name)), TextMayHoldNumber(settings));
}

std::optional<std::string> QtSettingsStore::ReadString(std::string_view name) {
  const QVariant value = Open().value(Key(name));
  if (value.typeId() != QMetaType::QString) return std::nullopt;
  return value.toString().toStdString();
}

void QtSettingsStore::WriteNumber(std::string_view name, std::int32_t value) {
  Open().setValue(Key(name), static_cast<int>(value));
  if (!first_unsaved_) first_unsaved_ = std::string(name);
}

void QtSettingsStore::WriteString(std::string_view name, std::string_view value) {
  Open().setValue(Key(name), Key(value));
  if (!first_unsaved_) first_unsaved_ = std::string(name);
}

void QtSettingsStore::Commit() {
  // The store is closed whatever happens; the next use opens it afresh.
  const std::unique_ptr<QSettings> settings = std::move(settings_);
  const std::optional<std::string> first_unsaved = std::exchange(first_unsaved_, std::nullopt);
  if (!settings || !first_unsaved) return;

  const QByteArray before = FileBytes(settings->fileName());
  settings->sync();
  bool stored = false;
  switch (settings->status()) {
    case QSettings::NoError:
      stored = true;
      break;
    case QSettings::FormatError:
      // A malformed line read earlier hides any later access error, since
      // QSettings reports only its first. A successful sync rewrites the file
      // without that line, so an unchanged file means nothing was stored.
      stored = FileBytes(settings->fileName()) != before;
      break;
    case QSettings::AccessError:
      break;
  }
  if (!stored) throw SettingsWriteError(*first_unsaved);
}

QString ReadPlugInFolder(const QString& own_folder) {
  QSettings susie(QStringLiteral("Varrow"), QStringLiteral("Susie"));
  susie.setFallbacksEnabled(false);
  const QVariant path = susie.value(QStringLiteral("Plug-in/Path"));
  // Only a folder named in full is used: anything else would have the
  // libraries of the current folder, or of the root, loaded.
  if (susie.status() == QSettings::AccessError || !path.isValid() ||
      path.typeId() != QMetaType::QString || !QDir::isAbsolutePath(path.toString())) {
    return own_folder;
  }
  QString folder = path.toString();
  if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
  return folder;
}

}  // namespace tintara
