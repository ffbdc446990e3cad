#include "cli/palette.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <set>

#include "colour/colour_text.h"
#include "platform/store_file.h"

namespace tintara::cli {
namespace {

// The names and ranges the program stores the palette under.
constexpr int kSlotCount = 10;
constexpr int kMostFavourites = 10000;
constexpr int kFirstChannel = 255;

std::optional<std::int32_t> StoredNumber(const IniText& store, const std::string& name) {
  const std::optional<std::string_view> raw = store.RawValue({}, name);
  if (!raw) return std::nullopt;
  const IniValue value = DecodeIniValue(*raw);
  if (value.kind != IniValue::Kind::kText) return std::nullopt;
  return ParseStoredNumber(value.text);
}

std::string StoredText(const IniText& store, const std::string& name) {
  const std::optional<std::string_view> raw = store.RawValue({}, name);
  if (!raw) return {};
  IniValue value = DecodeIniValue(*raw);
  if (value.kind != IniValue::Kind::kText && value.kind != IniValue::Kind::kBytes) return {};
  return std::move(value.text);
}

// The colour under "<prefix>R<index>"-style names, each channel carried over
// from the last one read when it is missing or out of range.
RgbColor ReadColour(const IniText& store, const std::array<std::string, 3>& names,
                    std::array<int, 3>& last) {
  for (std::size_t c = 0; c < 3; ++c) {
    const auto stored = StoredNumber(store, names[c]);
    if (stored && *stored >= 0 && *stored <= 255) last[c] = *stored;
  }
  return RgbColor::FromInts(last[0], last[1], last[2]);
}

// Control characters would end a line of the palette file early.
std::string OneLine(std::string_view text) {
  std::string line = ValidUtf8(text);
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  }
  return line;
}

std::string DisplayName(const PaletteEntry& entry, int index) {
  if (!entry.favourite) return "User " + std::to_string(index);
  return entry.name;
}

std::string GplText(const std::vector<PaletteEntry>& entries) {
  std::string text = "GIMP Palette\nName: Tintara\nColumns: 10\n#\n";
  int slot = 0;
  for (const PaletteEntry& entry : entries) {
    char channels[16];
    std::snprintf(channels, sizeof channels, "%3d %3d %3d", entry.colour.r, entry.colour.g,
                  entry.colour.b);
    text += channels;
    text += '\t';
    text += OneLine(DisplayName(entry, slot));
    text += '\n';
    if (!entry.favourite) ++slot;
  }
  return text;
}

// Lower-case letters, digits, '-' and '_' of the name, and its characters
// beyond ASCII, with a '-' for each run of anything else: "Sky blue; 2" is
// sky-blue-2. Names that come out empty or taken get a number.
std::string CssName(std::string_view name, int index, std::set<std::string>& taken) {
  const std::string valid = ValidUtf8(name);
  std::string safe;
  for (char c : valid) {
    const auto byte = static_cast<unsigned char>(c);
    char kept = 0;
    if (c >= 'A' && c <= 'Z') {
      kept = static_cast<char>(c - 'A' + 'a');
    } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || byte >= 0x80) {
      kept = c;
    }
    if (kept != 0) {
      safe += kept;
    } else if (!safe.empty() && safe.back() != '-') {
      safe += '-';
    }
  }
  while (!safe.empty() && safe.back() == '-') safe.pop_back();
  if (safe.empty()) safe = "favourite-" + std::to_string(index);
  std::string unique = safe;
  for (int n = 2; taken.contains(unique); ++n) unique = safe + "-" + std::to_string(n);
  taken.insert(unique);
  return unique;
}

std::string CssText(const std::vector<PaletteEntry>& entries) {
  std::string text = ":root {\n";
  std::set<std::string> taken;
  int slot = 0;
  int favourite = 0;
  for (const PaletteEntry& entry : entries) {
    std::string name;
    if (entry.favourite) {
      name = CssName(entry.name, favourite++, taken);
    } else {
      name = "user-" + std::to_string(slot++);
      taken.insert(name);
    }
    text += "  --tintara-" + name + ": #" + HexColorText(entry.colour) + ";\n";
  }
  return text + "}\n";
}

std::string JsonString(std::string_view text) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string json = "\"";
  for (char c : ValidUtf8(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (c == '\n') {
      json += "\\n";
    } else if (byte < 0x20 || byte == 0x7f) {
      json += "\\u00";
      json += kDigits[byte >> 4];
      json += kDigits[byte & 0xf];
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string JsonText(const std::vector<PaletteEntry>& entries) {
  std::string text = "[";
  int slot = 0;
  const char* separator = "\n";
  for (const PaletteEntry& entry : entries) {
    text += separator;
    text += "  {\"name\": " + JsonString(DisplayName(entry, slot)) + ", \"hex\": \"#" +
            HexColorText(entry.colour) + "\", \"source\": \"" +
            (entry.favourite ? "favourite" : "user") + "\"}";
    separator = ",\n";
    if (!entry.favourite) ++slot;
  }
  return text + "\n]\n";
}

}  // namespace

std::vector<PaletteEntry> ReadPalette(const IniText& store) {
  std::vector<PaletteEntry> entries;
  std::array<int, 3> last = {kFirstChannel, kFirstChannel, kFirstChannel};
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const std::string digit = std::to_string(slot);
    PaletteEntry entry;
    entry.colour = ReadColour(store, {"R" + digit, "G" + digit, "B" + digit}, last);
    entries.push_back(std::move(entry));
  }
  const auto count = StoredNumber(store, "Favorite");
  const int favourites = count && *count >= 0 && *count <= kMostFavourites ? *count : 0;
  for (int j = 0; j < favourites; ++j) {
    const std::string digits = std::to_string(j);
    PaletteEntry entry;
    entry.favourite = true;
    entry.name = StoredText(store, "Favorite" + digits);
    entry.colour =
        ReadColour(store, {"FavoriteR" + digits, "FavoriteG" + digits, "FavoriteB" + digits}, last);
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::optional<PaletteFormat> PaletteFormatFromKey(std::string_view key) {
  if (key == "gpl") return PaletteFormat::kGpl;
  if (key == "css") return PaletteFormat::kCss;
  if (key == "json") return PaletteFormat::kJson;
  if (key == "txt") return PaletteFormat::kTxt;
  return std::nullopt;
}

std::string PaletteText(const std::vector<PaletteEntry>& entries, PaletteFormat format) {
  switch (format) {
    case PaletteFormat::kGpl:
      return GplText(entries);
    case PaletteFormat::kCss:
      return CssText(entries);
    case PaletteFormat::kJson:
      return JsonText(entries);
    case PaletteFormat::kTxt:
      break;
  }
  std::string text;
  for (const PaletteEntry& entry : entries) text += HexColorText(entry.colour) + "\n";
  return text;
}

}  // namespace tintara::cli
