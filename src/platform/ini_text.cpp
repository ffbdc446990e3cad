#include "platform/ini_text.h"

#include <cstdint>
#include <utility>

namespace tintara {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

struct CodePoint {
  std::uint32_t code;
  std::size_t length;  // in bytes
};

// The well-formed UTF-8 sequence at `at`, or nothing (a stray byte, an
// overlong form, a surrogate, a sequence cut short).
std::optional<CodePoint> Utf8At(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return CodePoint{lead, 1};
  std::size_t length = 0;
  std::uint32_t code = 0;
  std::uint32_t least = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, least = 0x10000;
  } else {
    return std::nullopt;
  }
  if (at + length > text.size()) return std::nullopt;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (byte(k) & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
  return CodePoint{code, length};
}

bool IsUtf8WithoutNul(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::optional<CodePoint> point = Utf8At(text, at);
    if (!point || point->code == 0) return false;
    at += point->length;
  }
  return true;
}

// The bytes of "@ByteArray(...)": each character stands for the byte of its
// number, which QSettings writes as \x escapes from 0x7F up. A stray byte
// stands for itself; nothing when a character is beyond one byte.
std::optional<std::string> BytesOfCharacters(std::string_view text) {
  std::string bytes;
  for (std::size_t at = 0; at < text.size();) {
    const std::optional<CodePoint> point = Utf8At(text, at);
    if (!point) {
      bytes += text[at++];
      continue;
    }
    if (point->code > 0xFF) return std::nullopt;
    bytes += static_cast<char>(point->code);
    at += point->length;
  }
  return bytes;
}

char SimpleEscape(char c) {
  switch (c) {
    case 'a':
      return '\a';
    case 'b':
      return '\b';
    case 'f':
      return '\f';
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    case 'v':
      return '\v';
    case '"':
    case '?':
    case '\'':
    case '\\':
      return c;
    default:
      return 0;
  }
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// One text after its escapes and quotes are undone: what it says by its
// leading '@'.
IniValue TypedValue(std::string text) {
  if (StartsWith(text, "@") && text.back() == ')') {
    constexpr std::string_view kBytes = "@ByteArray(";
    constexpr std::string_view kString = "@String(";
    if (StartsWith(text, kBytes)) {
      std::optional<std::string> bytes =
          BytesOfCharacters(std::string_view(text).substr(kBytes.size(), text.size() - 12));
      if (!bytes) return {IniValue::Kind::kOther, {}};
      return {IniValue::Kind::kBytes, std::move(*bytes)};
    }
    if (StartsWith(text, kString)) {
      return {IniValue::Kind::kText, text.substr(kString.size(), text.size() - 9)};
    }
    for (std::string_view other :
         {"@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point(", "@Invalid("}) {
      if (StartsWith(text, other)) return {IniValue::Kind::kOther, {}};
    }
  }
  if (StartsWith(text, "@@")) text.erase(0, 1);
  return {IniValue::Kind::kText, std::move(text)};
}

void AppendHex(std::string& out, std::uint32_t code) {
  constexpr char kDigits[] = "0123456789abcdef";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[code % 16]);
    code /= 16;
  } while (code != 0);
  out += "\\x";
  out += digits;
}

// QSettings' escaping of one text. `characters_are_bytes` for the inside of
// "@ByteArray(...)", where every byte is a character of its own and those
// from 0x7F up are escaped; otherwise the text is UTF-8 and written as it is.
std::string Escaped(std::string_view text, bool characters_are_bytes) {
  std::string out;
  bool needs_quotes = false;
  // After a numeric escape a hex digit would be read as part of it.
  bool escape_next_hex_digit = false;
  for (std::size_t at = 0; at < text.size();) {
    std::uint32_t code = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (!characters_are_bytes) {
      const CodePoint point = *Utf8At(text, at);
      code = point.code;
      length = point.length;
    }
    const std::string_view unit = text.substr(at, length);
    at += length;
    if (code == ';' || code == ',' || code == '=') needs_quotes = true;
    if (escape_next_hex_digit && code < 0x80 && HexDigit(static_cast<char>(code)) >= 0) {
      AppendHex(out, code);
      continue;
    }
    escape_next_hex_digit = false;
    const char c = static_cast<char>(code);
    switch (code) {
      case 0:
        out += "\\0";
        escape_next_hex_digit = true;
        continue;
      case '\a':
        out += "\\a";
        continue;
      case '\b':
        out += "\\b";
        continue;
      case '\f':
        out += "\\f";
        continue;
      case '\n':
        out += "\\n";
        continue;
      case '\r':
        out += "\\r";
        continue;
      case '\t':
        out += "\\t";
        continue;
      case '\v':
        out += "\\v";
        continue;
      case '"':
      case '\\':
        out += '\\';
        out += c;
        continue;
      default:
        break;
    }
    if (code <= 0x1F || (code >= 0x7F && characters_are_bytes)) {
      AppendHex(out, code);
      escape_next_hex_digit = true;
    } else {
      out += unit;
    }
  }
  if (needs_quotes || (!out.empty() && (out.front() == ' ' || out.back() == ' '))) {
    out = '"' + out + '"';
  }
  return out;
}

}  // namespace

IniText::IniText(std::string_view bytes) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = start;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
    ReadLine(bytes.substr(start, end - start));
    if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() &&
        bytes[end + 1] == '\n') {
      ++end;
    }
    start = end + 1;
  }
}

void IniText::ReadLine(std::string_view line) {
  const std::string_view content = Trimmed(line);
  if (content.empty() || content.front() == ';' || content.front() == '#') {
    lines_.push_back({std::string(content)});
    return;
  }
  if (content.front() == '[') {
    const std::size_t close = content.find(']');
    if (close == std::string_view::npos) whole_ = false;
    const std::string_view name = Trimmed(
        content.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    in_top_section_ = EqualsIgnoringCase(name, "general");
    section_ = in_top_section_ ? std::string() : std::string(name);
    lines_.push_back({"[" + std::string(name) + "]"});
    if (in_top_section_) {
      has_top_section_ = true;
      top_section_end_ = lines_.size();
    }
    return;
  }

  // As QSettings splits a line: a backslash takes the next character, quotes
  // hide '=' and ';', and an unquoted ';' starts a comment. Unlike it, a line
  // break always ends the line.
  bool in_quotes = false;
  bool damaged = false;
  std::size_t equals = std::string_view::npos;
  std::size_t stop = content.size();
  for (std::size_t i = 0; i < content.size(); ++i) {
    const char c = content[i];
    if (c == '\\') {
      if (i + 1 == content.size()) damaged = true;  // QSettings would join the next line
      ++i;
    } else if (c == '"') {
      in_quotes = !in_quotes;
    } else if (c == '=' && !in_quotes && equals == std::string_view::npos) {
      equals = i;
    } else if (c == ';' && !in_quotes) {
      stop = i;
      break;
    }
  }
  damaged = damaged || in_quotes;
  const std::string_view key =
      equals < stop ? Trimmed(content.substr(0, equals)) : std::string_view();
  if (key.empty()) {
    whole_ = false;
    return;
  }
  if (damaged) whole_ = false;
  std::string entry_key = in_top_section_ ? std::string(key) : section_ + '\n' + std::string(key);
  const auto [it, is_new] = entries_.try_emplace(std::move(entry_key));
  if (!is_new) {
    LineAt(it->second).kept = false;
    whole_ = false;
  }
  // A damaged line still gives its value, as well as it can be read; it is
  // not written back as it stands.
  lines_.push_back({std::string(content), !damaged, equals + 1, stop});
  it->second = {false, lines_.size() - 1};
  if (in_top_section_) {
    has_top_section_ = true;
    top_section_end_ = lines_.size();
  }
}

IniText::Line& IniText::LineAt(EntryPlace place) {
  return place.added ? added_[place.index] : lines_[place.index];
}

const IniText::Line& IniText::LineAt(EntryPlace place) const {
  return place.added ? added_[place.index] : lines_[place.index];
}

std::string IniText::Bytes() const {
  std::string out;
  const auto write_added = [&] {
    for (const Line& line : added_) (out += line.text) += '\n';
  };
  if (!has_top_section_ && !added_.empty()) {
    out += "[General]\n";
    write_added();
    if (!lines_.empty()) out += '\n';
  }
  for (std::size_t i = 0; i <= lines_.size(); ++i) {
    if (has_top_section_ && i == top_section_end_) write_added();
    if (i < lines_.size() && lines_[i].kept) (out += lines_[i].text) += '\n';
  }
  return out;
}

std::optional<std::string_view> IniText::RawValue(std::string_view section,
                                                  std::string_view key) const {
  const auto it = section.empty() ? entries_.find(key)
                                  : entries_.find(std::string(section) + '\n' + std::string(key));
  if (it == entries_.end()) return std::nullopt;
  const Line& line = LineAt(it->second);
  return std::string_view(line.text).substr(line.value, line.value_end - line.value);
}

void IniText::SetRawValue(std::string_view key, std::string_view raw) {
  std::string text = std::string(key) + '=' + std::string(raw);
  const std::size_t value = key.size() + 1;
  const std::size_t value_end = text.size();
  const auto [it, is_new] = entries_.try_emplace(std::string(key));
  if (is_new) {
    added_.push_back({std::move(text), true, value, value_end});
    it->second = {true, added_.size() - 1};
    return;
  }
  LineAt(it->second) = {std::move(text), true, value, value_end};
}

IniValue DecodeIniValue(std::string_view raw) {
  std::string item;
  bool in_quotes = false;
  bool item_quoted = false;
  bool list = false;
  std::size_t keep_blanks_before = 0;  // blanks that came from escapes are never trimmed
  std::size_t i = 0;
  const auto skip_blanks = [&] {
    while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t')) ++i;
    keep_blanks_before = item.size();
  };
  const auto trim_item = [&] {
    if (item_quoted) return;
    while (item.size() > keep_blanks_before && (item.back() == ' ' || item.back() == '\t')) {
      item.pop_back();
    }
  };
  skip_blanks();
  while (i < raw.size()) {
    const char c = raw[i++];
    if (c == '\\') {
      if (i == raw.size()) break;
      const char escape = raw[i++];
      if (const char simple = SimpleEscape(escape); simple != 0) {
        item += simple;
      } else if (escape == 'x' || IsOctalDigit(escape)) {
        const int base = escape == 'x' ? 16 : 8;
        std::uint16_t code = escape == 'x' ? 0 : static_cast<std::uint16_t>(escape - '0');
        const auto digit = [&](char d) {
          return base == 16 ? HexDigit(d) : IsOctalDigit(d) ? d - '0' : -1;
        };
        const std::size_t first = i;
        while (i < raw.size() && digit(raw[i]) >= 0) {
          code = static_cast<std::uint16_t>(code * base + digit(raw[i++]));
        }
        // "\x" without a digit stands for nothing.
        if (escape != 'x' || i > first) AppendUtf8(item, code);
      }
      // Any other escaped character is dropped, as QSettings drops it.
      keep_blanks_before = item.size();
    } else if (c == '"') {
      item_quoted = true;
      in_quotes = !in_quotes;
      if (!in_quotes) skip_blanks();
    } else if (c == ',' && !in_quotes) {
      list = true;
      trim_item();
      item.clear();
      item_quoted = false;
      skip_blanks();
    } else {
      item += c;
    }
  }
  if (list) return {IniValue::Kind::kList, {}};
  trim_item();
  return TypedValue(std::move(item));
}

std::string EncodeIniText(std::string_view text) {
  if (IsUtf8WithoutNul(text)) {
    // A leading '@' would announce a type; QSettings doubles it.
    return Escaped(StartsWith(text, "@") ? "@" + std::string(text) : std::string(text), false);
  }
  return Escaped("@ByteArray(" + std::string(text) + ")", true);
}

std::string ValidUtf8(std::string_view text) {
  std::string valid;
  valid.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::optional<CodePoint> point = Utf8At(text, at);
    if (point) {
      valid.append(text.substr(at, point->length));
      at += point->length;
    } else {
      valid += "\xEF\xBF\xBD";  // U+FFFD
      ++at;
    }
  }
  return valid;
}

}  // namespace tintara
