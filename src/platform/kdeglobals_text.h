#ifndef TINTARA_PLATFORM_KDEGLOBALS_TEXT_H_
#define TINTARA_PLATFORM_KDEGLOBALS_TEXT_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "colour/rgb_color.h"

// The desktop's configuration file in the KDE format, edited one line at a
// time: whatever the program does not change keeps every byte it had
// (comments, order, blank lines, line endings, other groups and keys).
namespace tintara {

class KdeGlobalsText {
 public:
  explicit KdeGlobalsText(std::string_view bytes = {});

  std::string Bytes() const;

  // The value of `key` in `group` as written (blanks around it trimmed), or
  // nothing when the key is absent or marked deleted.
  std::optional<std::string> Value(std::string_view group, std::string_view key) const;
  // The whole line of `key`, without its line ending.
  std::optional<std::string> Line(std::string_view group, std::string_view key) const;
  bool HasGroup(std::string_view group) const;
  // True when the file, the group or the key is marked [$i]: the desktop's
  // administrator locked it, and a write is refused.
  bool IsImmutable(std::string_view group, std::string_view key) const;

  // Gives `key` the value `value`: its line keeps the key's spelling and
  // markers, only the value changes. A missing key is added at the end of its
  // group, a missing group at the end of the file. False when refused.
  bool SetValue(std::string_view group, std::string_view key, std::string_view value);
  // Puts `line` (a whole "key=value" line) in place of the key's line, or
  // where SetValue would add it. False when refused.
  bool SetLine(std::string_view group, std::string_view key, std::string_view line);
  // Takes the key's line out. False when refused or absent.
  bool Remove(std::string_view group, std::string_view key);
  // Takes out a group with no entries and no comments left, with the blank
  // line that was put before it. False when the group holds anything.
  bool RemoveGroupIfEmpty(std::string_view group);

 private:
  struct TextLine {
    std::string text;
    std::string ending;  // "\n", "\r\n", or "" for a last line without one
  };
  struct KeyLine {
    std::size_t line;
    bool immutable;
  };

  std::optional<KeyLine> FindKey(std::string_view group, std::string_view key) const;
  // The line after which a new key of `group` goes, or nothing without the group.
  std::optional<std::size_t> GroupEnd(std::string_view group) const;
  bool GroupImmutable(std::string_view group) const;
  void InsertLine(std::size_t at, std::string text);
  void EraseLine(std::size_t at);
  bool PutLine(std::string_view group, std::string_view key, std::string line);

  std::vector<TextLine> lines_;
  std::string ending_ = "\n";
};

// A colour as the KDE files write it: "r,g,b" or "r,g,b,a" (blanks allowed),
// or "#rrggbb". Nothing for anything else.
std::optional<RgbColor> ParseKdeColour(std::string_view value);
// "r,g,b", the form the desktop writes.
std::string FormatKdeColour(RgbColor colour);

}  // namespace tintara

#endif  // TINTARA_PLATFORM_KDEGLOBALS_TEXT_H_
