#include "platform/kdeglobals_text.h"

#include <algorithm>
#include <charconv>

namespace tintara {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

// What one line of the file is, as the desktop's own reader sees it.
struct Parsed {
  enum Kind { kOther, kGroup, kEntry } kind = kOther;
  std::string name;          // group name (parts joined by ']['), or the key
  bool immutable = false;    // [$i]
  bool deleted = false;      // [$d]
  bool localised = false;    // Key[de]=…: another entry than Key
  std::size_t value_at = 0;  // where the value starts, blanks after '=' skipped
};

Parsed ParseLine(std::string_view line) {
  Parsed parsed;
  const std::string_view text = Trim(line);
  if (text.empty() || text.front() == '#') return parsed;
  if (text.front() == '[') {
    parsed.kind = Parsed::kGroup;
    std::size_t at = 0;
    while (at < text.size() && text[at] == '[') {
      const std::size_t close = text.find(']', at);
      if (close == std::string_view::npos) break;
      const std::string_view part = text.substr(at + 1, close - at - 1);
      if (part == "$i") {
        parsed.immutable = true;
      } else {
        if (!parsed.name.empty()) parsed.name += "][";
        parsed.name += part;
      }
      at = close + 1;
    }
    return parsed;
  }
  // "Key[$d]" without a value is how a deleted entry is written.
  const std::size_t equals = std::min(line.find('='), line.size());
  std::string_view key = Trim(line.substr(0, equals));
  const std::size_t bracket = key.find('[');
  if (bracket != std::string_view::npos) {
    for (std::string_view rest = key.substr(bracket); rest.size() > 1 && rest.front() == '[';) {
      const std::size_t close = rest.find(']');
      if (close == std::string_view::npos) break;
      const std::string_view part = rest.substr(1, close - 1);
      if (!part.empty() && part.front() == '$') {
        parsed.immutable = parsed.immutable || part.find('i') != std::string_view::npos;
        parsed.deleted = parsed.deleted || part.find('d') != std::string_view::npos;
      } else {
        parsed.localised = true;
      }
      rest.remove_prefix(close + 1);
    }
    key = Trim(key.substr(0, bracket));
  }
  if (equals == line.size() && !parsed.deleted) return {};
  parsed.kind = Parsed::kEntry;
  parsed.name = std::string(key);
  parsed.value_at = line.find_first_not_of(kBlanks, equals + 1);
  if (parsed.value_at == std::string_view::npos) parsed.value_at = line.size();
  return parsed;
}

std::optional<int> Channel(std::string_view text) {
  text = Trim(text);
  int value = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
  if (value < 0 || value > 255) return {};
  return value;
}

}  // namespace

KdeGlobalsText::KdeGlobalsText(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t newline = bytes.find('\n');
    TextLine line;
    if (newline == std::string_view::npos) {
      line.text = std::string(bytes);
      bytes = {};
    } else {
      const bool crlf = newline > 0 && bytes[newline - 1] == '\r';
      line.text = std::string(bytes.substr(0, crlf ? newline - 1 : newline));
      line.ending = crlf ? "\r\n" : "\n";
      bytes.remove_prefix(newline + 1);
    }
    lines_.push_back(std::move(line));
  }
  // New lines follow the file's own line endings.
  if (!lines_.empty() && !lines_.front().ending.empty()) ending_ = lines_.front().ending;
}

std::string KdeGlobalsText::Bytes() const {
  std::string bytes;
  for (const TextLine& line : lines_) bytes += line.text + line.ending;
  return bytes;
}

std::optional<KdeGlobalsText::KeyLine> KdeGlobalsText::FindKey(std::string_view group,
                                                               std::string_view key) const {
  std::optional<KeyLine> found;
  std::string current;
  for (std::size_t index = 0; index < lines_.size(); ++index) {
    const Parsed parsed = ParseLine(lines_[index].text);
    if (parsed.kind == Parsed::kGroup) {
      current = parsed.name;
    } else if (parsed.kind == Parsed::kEntry && current == group && parsed.name == key &&
               !parsed.localised) {
      // A locked entry cannot be overridden further down; otherwise the last one counts.
      if (found && found->immutable) continue;
      found = KeyLine{index, parsed.immutable};
    }
  }
  return found;
}

bool KdeGlobalsText::GroupImmutable(std::string_view group) const {
  bool before_first_group = true;
  for (const TextLine& line : lines_) {
    const Parsed parsed = ParseLine(line.text);
    if (parsed.kind != Parsed::kGroup) continue;
    // "[$i]" alone before any group locks the whole file.
    if (parsed.immutable && (parsed.name == group || (parsed.name.empty() && before_first_group))) {
      return true;
    }
    if (!parsed.name.empty()) before_first_group = false;
  }
  return false;
}

std::optional<std::size_t> KdeGlobalsText::GroupEnd(std::string_view group) const {
  std::optional<std::size_t> end;
  bool inside = false;
  for (std::size_t index = 0; index < lines_.size(); ++index) {
    const Parsed parsed = ParseLine(lines_[index].text);
    if (parsed.kind == Parsed::kGroup) {
      inside = parsed.name == group;
      if (inside) end = index;
    } else if (inside && parsed.kind == Parsed::kEntry) {
      // After the group's last entry: blank lines and comments that follow it
      // usually belong to the next group.
      end = index;
    }
  }
  return end;
}

bool KdeGlobalsText::HasGroup(std::string_view group) const { return GroupEnd(group).has_value(); }

std::optional<std::string> KdeGlobalsText::Value(std::string_view group,
                                                 std::string_view key) const {
  const std::optional<KeyLine> found = FindKey(group, key);
  if (!found) return {};
  const std::string& text = lines_[found->line].text;
  const Parsed parsed = ParseLine(text);
  if (parsed.deleted) return {};
  return std::string(Trim(std::string_view(text).substr(parsed.value_at)));
}

std::optional<std::string> KdeGlobalsText::Line(std::string_view group,
                                                std::string_view key) const {
  const std::optional<KeyLine> found = FindKey(group, key);
  if (!found) return {};
  return lines_[found->line].text;
}

bool KdeGlobalsText::IsImmutable(std::string_view group, std::string_view key) const {
  if (GroupImmutable(group)) return true;
  const std::optional<KeyLine> found = FindKey(group, key);
  return found && found->immutable;
}

void KdeGlobalsText::InsertLine(std::size_t at, std::string text) {
  TextLine line{std::move(text), ending_};
  // A file that ended without a line ending still does: the new last line
  // goes without one. EraseLine undoes exactly this.
  if (at == lines_.size() && at > 0 && lines_[at - 1].ending.empty()) {
    lines_[at - 1].ending = ending_;
    line.ending.clear();
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void KdeGlobalsText::EraseLine(std::size_t at) {
  if (at + 1 == lines_.size() && at > 0 && lines_[at].ending.empty()) {
    lines_[at - 1].ending.clear();
  }
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(at));
}

bool KdeGlobalsText::PutLine(std::string_view group, std::string_view key, std::string line) {
  if (IsImmutable(group, key)) return false;
  if (const std::optional<KeyLine> found = FindKey(group, key)) {
    lines_[found->line].text = std::move(line);
  } else if (const std::optional<std::size_t> end = GroupEnd(group)) {
    InsertLine(*end + 1, std::move(line));
  } else {
    // A new group goes at the end, a blank line before it as the desktop writes them.
    if (!lines_.empty()) InsertLine(lines_.size(), "");
    InsertLine(lines_.size(), "[" + std::string(group) + "]");
    InsertLine(lines_.size(), std::move(line));
  }
  return true;
}

bool KdeGlobalsText::SetValue(std::string_view group, std::string_view key,
                              std::string_view value) {
  std::string line = std::string(key) + "=" + std::string(value);
  if (const std::optional<KeyLine> found = FindKey(group, key)) {
    const std::string& old = lines_[found->line].text;
    const Parsed parsed = ParseLine(old);
    // Keep the key as it was spelt, its markers and its blanks; a deleted
    // entry comes back as a plain one.
    if (!parsed.deleted) line = old.substr(0, parsed.value_at) + std::string(value);
  }
  return PutLine(group, key, std::move(line));
}

bool KdeGlobalsText::SetLine(std::string_view group, std::string_view key, std::string_view line) {
  return PutLine(group, key, std::string(line));
}

bool KdeGlobalsText::Remove(std::string_view group, std::string_view key) {
  if (IsImmutable(group, key)) return false;
  const std::optional<KeyLine> found = FindKey(group, key);
  if (!found) return false;
  EraseLine(found->line);
  return true;
}

bool KdeGlobalsText::RemoveGroupIfEmpty(std::string_view group) {
  std::optional<std::size_t> header;
  std::size_t section_end = lines_.size();
  for (std::size_t index = 0; index < lines_.size(); ++index) {
    const Parsed parsed = ParseLine(lines_[index].text);
    if (parsed.kind != Parsed::kGroup) continue;
    if (parsed.name == group) {
      header = index;
      section_end = lines_.size();
    } else if (header && section_end == lines_.size()) {
      section_end = index;
    }
  }
  if (!header || GroupImmutable(group)) return false;
  for (std::size_t index = *header + 1; index < section_end; ++index) {
    if (!Trim(lines_[index].text).empty()) return false;
  }
  EraseLine(*header);
  if (*header > 0 && Trim(lines_[*header - 1].text).empty()) EraseLine(*header - 1);
  return true;
}

std::optional<RgbColor> ParseKdeColour(std::string_view value) {
  value = Trim(value);
  if (!value.empty() && value.front() == '#') {
    if (value.size() != 7) return {};
    unsigned packed = 0;
    const auto [end, error] = std::from_chars(value.data() + 1, value.data() + 7, packed, 16);
    if (error != std::errc() || end != value.data() + 7) return {};
    return RgbColor::FromInts(static_cast<int>(packed >> 16), static_cast<int>(packed >> 8),
                              static_cast<int>(packed));
  }
  int channels[4] = {};
  int count = 0;
  for (std::size_t start = 0; start <= value.size(); ++count) {
    std::size_t comma = value.find(',', start);
    if (comma == std::string_view::npos) comma = value.size();
    if (count == 4) return {};
    const std::optional<int> channel = Channel(value.substr(start, comma - start));
    if (!channel) return {};
    channels[count] = *channel;
    start = comma + 1;
  }
  if (count != 3 && count != 4) return {};
  return RgbColor::FromInts(channels[0], channels[1], channels[2]);
}

std::string FormatKdeColour(RgbColor colour) {
  return std::to_string(colour.r) + "," + std::to_string(colour.g) + "," + std::to_string(colour.b);
}

}  // namespace tintara
