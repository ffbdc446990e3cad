#ifndef TINTARA_PLATFORM_INI_TEXT_H_
#define TINTARA_PLATFORM_INI_TEXT_H_

#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Settings files in the INI dialect of Qt's QSettings, which older stores and
// other programs read and write. Read one line at a time, so that a damaged
// line (an unmatched quote, say) costs that line and never the lines after it.
namespace tintara {

class IniText {
 public:
  explicit IniText(std::string_view bytes = {});

  // The file as it is to be written: every line kept as it was except the
  // ones that could not be read, which are left out, and the entries given
  // new values. Lines end in "\n".
  std::string Bytes() const;

  // False when some line could not be read as it stands (no '=', an unmatched
  // quote, a section without ']'), or a key of the top section comes twice:
  // Bytes() then gives up some of what the file held.
  bool whole() const { return whole_; }

  // The value of `key` as written after its '=' (up to a comment), or nothing
  // when absent. `section` empty is the top section, "[General]". Of a key
  // written twice, the last one counts.
  std::optional<std::string_view> RawValue(std::string_view section, std::string_view key) const;

  // Gives `key` of the top section the value `raw` (already encoded). A new
  // key goes after the last line of the top section.
  void SetRawValue(std::string_view key, std::string_view raw);

 private:
  struct Line {
    std::string text;
    bool kept = true;       // false for a line that is not written back
    std::size_t value = 0;  // where the value starts in `text`, for an entry
    std::size_t value_end = 0;
  };
  // Where an entry's line is: one of `lines_`, or one of `added_`.
  struct EntryPlace {
    bool added = false;
    std::size_t index = 0;
  };

  void ReadLine(std::string_view line);
  Line& LineAt(EntryPlace place);
  const Line& LineAt(EntryPlace place) const;

  std::vector<Line> lines_;
  std::deque<Line> added_;  // new keys of the top section
  // Top-section keys, then "section\n" + key for the others.
  std::map<std::string, EntryPlace, std::less<>> entries_;
  std::string section_;              // of the line being read
  bool in_top_section_ = true;       // while reading
  std::size_t top_section_end_ = 0;  // lines_ before which new keys go
  bool has_top_section_ = false;
  bool whole_ = true;
};

// What a value says, as QSettings would read it.
struct IniValue {
  enum class Kind {
    kText,   // a text; `text` is its UTF-8 (bytes that are not UTF-8 kept as they were)
    kBytes,  // "@ByteArray(...)": `text` holds the bytes
    kList,   // texts separated by commas
    kOther,  // a value of some other type ("@Variant(...)", "@Rect(...)", ...)
  };
  Kind kind = Kind::kText;
  std::string text;
};

IniValue DecodeIniValue(std::string_view raw);

// `text` as a value that reads back as exactly these bytes: a text when it
// is UTF-8 without a NUL, else "@ByteArray(...)".
std::string EncodeIniText(std::string_view text);

// The text with every byte that is not part of well-formed UTF-8 replaced by
// U+FFFD, for readers that take nothing else.
std::string ValidUtf8(std::string_view text);

}  // namespace tintara

#endif  // TINTARA_PLATFORM_INI_TEXT_H_
