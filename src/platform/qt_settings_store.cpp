#include "platform/qt_settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace tintara {
namespace {

QString ConfigFile(const char* relative) {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" +
         QString::fromUtf8(relative);
}

// A file its owner may not write is never replaced, even by a user the
// system would let do it.
bool MayReplace(const QString& path) {
  const QByteArray native = QFile::encodeName(path);
  struct stat info = {};
  if (::stat(native.constData(), &info) != 0) return true;  // nothing there yet
  return (info.st_mode & S_IWUSR) != 0 && ::access(native.constData(), W_OK) == 0;
}

// The file a path names, through any symbolic links.
QString LinkTarget(const QString& path) {
  QFileInfo file(path);
  for (int depth = 0; depth < 40 && file.isSymLink(); ++depth) file.setFile(file.symLinkTarget());
  return file.filePath();
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

// Writes a new file beside the old one, flushes it to the disk and renames it
// over the old one: either the whole new file is there afterwards or the old
// one as it was. Through a symbolic link, the link's target is replaced; the
// old file's permissions carry over. (QSaveFile would do all this, but it
// lets a failed flush to the disk pass.)
bool ReplaceFile(const QString& path, const std::string& bytes) {
  const QString target = LinkTarget(path);
  QDir().mkpath(QFileInfo(target).absolutePath());
  const QByteArray native = QFile::encodeName(target);
  QByteArray temporary = native + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  struct stat old_file = {};
  mode_t mode = 0;
  if (::stat(native.constData(), &old_file) == 0) {
    mode = old_file.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  const bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temporary.constData(), native.constData()) != 0) {
    ::unlink(temporary.constData());
    return false;
  }
  // The rename itself is made durable with the folder.
  const int folder = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                            O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return true;
}

}  // namespace

QtSettingsStore::QtSettingsStore() : QtSettingsStore(ConfigFile("Korvell/RGB.conf")) {}

QtSettingsStore::QtSettingsStore(QString ini_path) : path_(std::move(ini_path)) {}

QtSettingsStore::OpenFile& QtSettingsStore::Open() {
  if (!open_) {
    FileReading reading = ReadStoreFile(QFile::encodeName(path_).toStdString());
    open_.emplace();
    open_->refused = reading.outcome == FileReading::Outcome::kRefused;
    if (open_->refused && !told_of_refusal_) {
      told_of_refusal_ = true;
      std::fprintf(stderr, "tintara: %s: %s; the settings are neither read nor saved\n",
                   QFile::encodeName(path_).constData(), reading.refusal.c_str());
    }
    open_->bytes = std::move(reading.bytes);
    open_->text = IniText(open_->bytes);
  }
  return *open_;
}

std::optional<std::string_view> QtSettingsStore::Raw(std::string_view name) {
  return Open().text.RawValue({}, name);
}

std::optional<std::int32_t> QtSettingsStore::ReadNumber(std::string_view name) {
  const std::optional<std::string_view> raw = Raw(name);
  if (!raw) return std::nullopt;
  const IniValue value = DecodeIniValue(*raw);
  std::optional<std::int32_t> number;
  if (value.kind == IniValue::Kind::kText) number = ParseStoredNumber(value.text);
  if (!number) open_->unreadable.emplace(name);
  return number;
}

std::optional<std::string> QtSettingsStore::ReadString(std::string_view name) {
  const std::optional<std::string_view> raw = Raw(name);
  if (!raw) return std::nullopt;
  IniValue value = DecodeIniValue(*raw);
  if (value.kind == IniValue::Kind::kText || value.kind == IniValue::Kind::kBytes) {
    return std::move(value.text);
  }
  open_->unreadable.emplace(name);
  return std::nullopt;
}

void QtSettingsStore::Write(std::string_view name, const std::string& raw) {
  OpenFile& file = Open();
  file.text.SetRawValue(name, raw);
  if (file.unreadable.contains(name)) file.replaced.emplace(name);
  if (!first_unsaved_) first_unsaved_ = std::string(name);
}

void QtSettingsStore::WriteNumber(std::string_view name, std::int32_t value) {
  Write(name, std::to_string(value));
}

void QtSettingsStore::WriteString(std::string_view name, std::string_view value) {
  Write(name, EncodeIniText(value));
}

bool QtSettingsStore::KeepBackup(const OpenFile& file) {
  if (file.text.whole() && file.replaced.empty()) return true;
  const QString backup = path_ + ".bak";
  if (!ReplaceFile(backup, file.bytes)) return false;
  if (!told_of_backup_) {
    told_of_backup_ = true;
    std::fprintf(stderr,
                 "tintara: %s could not be read in full; it is kept as it was in %s before "
                 "it is written anew\n",
                 QFile::encodeName(path_).constData(), QFile::encodeName(backup).constData());
  }
  return true;
}

void QtSettingsStore::Commit() {
  // The store is closed whatever happens; the next use opens it afresh.
  const std::optional<OpenFile> file = std::exchange(open_, std::nullopt);
  const std::optional<std::string> first_unsaved = std::exchange(first_unsaved_, std::nullopt);
  if (!file || !first_unsaved) return;
  if (file->refused || !MayReplace(path_) || !KeepBackup(*file) ||
      !ReplaceFile(path_, file->text.Bytes())) {
    throw SettingsWriteError(*first_unsaved);
  }
}

QString ReadPlugInFolder(const QString& own_folder) {
  const FileReading reading =
      ReadStoreFile(QFile::encodeName(ConfigFile("Varrow/Susie.conf")).toStdString());
  const IniText text(reading.bytes);
  const std::optional<std::string_view> raw = text.RawValue("Plug-in", "Path");
  const IniValue path = raw ? DecodeIniValue(*raw) : IniValue{IniValue::Kind::kOther, {}};
  const QString folder = QString::fromStdString(path.text);
  // Only a folder named in full is used: anything else would have the
  // libraries of the current folder, or of the root, loaded.
  if (path.kind != IniValue::Kind::kText || !QDir::isAbsolutePath(folder)) return own_folder;
  return folder.endsWith(QDir::separator()) ? folder : folder + QDir::separator();
}

}  // namespace tintara
