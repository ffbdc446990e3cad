#ifndef TINTARA_PLATFORM_STORE_FILE_H_
#define TINTARA_PLATFORM_STORE_FILE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Reading the settings file, shared by the program and the companion.
namespace tintara {

// A store file larger than this is not read at all.
inline constexpr std::int64_t kMaxStoreBytes = 16 * 1024 * 1024;

struct FileReading {
  enum class Outcome { kAbsent, kRead, kRefused };
  Outcome outcome = Outcome::kAbsent;
  std::string bytes;
  std::string refusal;  // why, for kRefused
};

// The whole file, when it is a regular file of at most kMaxStoreBytes. A FIFO,
// a device or a folder is refused before it is opened, so that nothing waits
// for a writer or reads without end. Nothing is written or locked: the file
// may be read while the program runs.
FileReading ReadStoreFile(const std::string& path);

// Only a whole decimal number is taken: "12px" or "+5" are texts, not numbers.
std::optional<std::int32_t> ParseStoredNumber(std::string_view text);

// The program's own store: ~/.config/Korvell/RGB.conf, or the same under
// $XDG_CONFIG_HOME.
std::string DefaultStorePath();

}  // namespace tintara

#endif  // TINTARA_PLATFORM_STORE_FILE_H_
