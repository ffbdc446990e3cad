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
#include <charconv>
#include <cstdio>
#include <cstring>
#include <utility>

namespace tintara {
namespace {

QString ConfigFile(const char* relative) {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" +
         QString::fromUtf8(relative);
}

// Only a whole decimal number is taken: "12px" or "+5" are texts, not numbers.
std::optional<std::int32_t> ParseNumber(std::string_view text) {
  const char* const end = text.data() + text.size();
  std::int32_t value = 0;
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || text.empty()) return std::nullopt;
  return value;
}

struct FileReading {
  enum class Outcome { kAbsent, kRead, kRefused };
  Outcome outcome = Outcome::kAbsent;
  std::string bytes;
  std::string refusal;  // why, for kRefused
};

FileReading Refused(std::string why) {
  return {FileReading::Outcome::kRefused, {}, std::move(why)};
}

// The whole file, when it is a regular file of at most kMaxStoreBytes. A FIFO,
// a device or a folder is refused before it is opened, so that nothing waits
// for a writer or reads without end.
FileReading ReadStoreFile(const QString& path) {
  const QByteArray native = QFile::encodeName(path);
  struct stat info = {};
  if (::stat(native.constData(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {};
    return Refused(std::strerror(errno));
  }
  if (!S_ISREG(info.st_mode)) return Refused("not a regular file");
  if (info.st_size > kMaxStoreBytes) return Refused("larger than 16 MiB");
  // Should something else take the file's place after the check, opening
  // without blocking keeps a FIFO from holding the start up.
  const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT) return {};
    return Refused(std::strerror(errno));
  }
  FileReading reading;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    reading = Refused("not a regular file");
  } else {
    reading.outcome = FileReading::Outcome::kRead;
    // A file may grow while it is read, or claim a size it does not have.
    char buffer[65536];
    while (reading.bytes.size() <= static_cast<std::size_t>(kMaxStoreBytes)) {
      const ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        reading = Refused(std::strerror(errno));
        break;
      }
      if (got == 0) break;
      reading.bytes.append(buffer, static_cast<std::size_t>(got));
    }
    if (reading.bytes.size() > static_cast<std::size_t>(kMaxStoreBytes)) {
      reading = Refused("larger than 16 MiB");
    }
  }
  ::close(fd);
  return reading;
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
    FileReading reading = ReadStoreFile(path_);
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
  if (value.kind == IniValue::Kind::kText) number = ParseNumber(value.text);
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
  const FileReading reading = ReadStoreFile(ConfigFile("Varrow/Susie.conf"));
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
