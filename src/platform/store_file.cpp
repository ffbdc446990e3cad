#include "platform/store_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace tintara {
namespace {

FileReading Refused(std::string why) {
  return {FileReading::Outcome::kRefused, {}, std::move(why)};
}

}  // namespace

std::optional<std::int32_t> ParseStoredNumber(std::string_view text) {
  const char* const end = text.data() + text.size();
  std::int32_t value = 0;
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || text.empty()) return std::nullopt;
  return value;
}

FileReading ReadStoreFile(const std::string& path) {
  struct stat info = {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {};
    return Refused(std::strerror(errno));
  }
  if (!S_ISREG(info.st_mode)) return Refused("not a regular file");
  if (info.st_size > kMaxStoreBytes) return Refused("larger than 16 MiB");
  // Should something else take the file's place after the check, opening
  // without blocking keeps a FIFO from holding the start up.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
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

std::string DefaultStorePath() {
  // As the toolkit finds the folder: $XDG_CONFIG_HOME when it names one in
  // full, else ~/.config.
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string folder;
  if (config != nullptr && config[0] == '/') {
    folder = config;
  } else {
    const char* home = std::getenv("HOME");
    folder = std::string(home != nullptr ? home : "") + "/.config";
  }
  return folder + "/Korvell/RGB.conf";
}

}  // namespace tintara
