#include "output/body_reader.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "colour/colour_text.h"

namespace tintara {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether the bytes at `at` spell `lower_word` once lower-cased; false when
// the text ends first.
bool MatchesAt(std::string_view text, std::size_t at, std::string_view lower_word) {
  if (at > text.size() || text.size() - at < lower_word.size()) return false;
  for (std::size_t k = 0; k < lower_word.size(); ++k) {
    if (AsciiLower(text[at + k]) != lower_word[k]) return false;
  }
  return true;
}

// Whether the table has this name, in any letter case. Pages hold millions
// of words; a binary search over the names keeps each test cheap.
bool IsTableName(std::string_view word) {
  struct SortedNames {
    std::array<std::string_view, kNamedColorCount> names;
    std::size_t longest = 0;
    SortedNames() {
      for (std::size_t k = 0; k < names.size(); ++k) {
        names[k] = NamedColorTable[k].name;
        longest = std::max(longest, names[k].size());
      }
      std::sort(names.begin(), names.end());
    }
  };
  static const SortedNames table;
  char lower[32];
  if (word.empty() || word.size() > table.longest || word.size() > sizeof lower) return false;
  for (std::size_t k = 0; k < word.size(); ++k) lower[k] = AsciiLower(word[k]);
  return std::binary_search(table.names.begin(), table.names.end(),
                            std::string_view(lower, word.size()));
}

// NameToColor gives black for any word it does not know, so whether the
// word is a name at all is settled first.
std::optional<RgbColor> ColourName(std::string_view word) {
  if (!IsTableName(word)) return std::nullopt;
  return NameToColor(word);
}

// Exactly two hexadecimal digits.
std::optional<std::uint8_t> FullPair(std::string_view pair) {
  if (pair.size() != 2 || HexDigitValue(pair[0]) < 0 || HexDigitValue(pair[1]) < 0)
    return std::nullopt;
  return static_cast<std::uint8_t>(HexDigitValue(pair[0]) * 16 + HexDigitValue(pair[1]));
}

// Six hexadecimal digits, red first.
std::optional<RgbColor> SixDigits(std::string_view six) {
  const auto r = FullPair(six.substr(0, 2));
  const auto g = FullPair(six.substr(2, 2));
  const auto b = FullPair(six.substr(4, 2));
  if (!r || !g || !b) return std::nullopt;
  return RgbColor{*r, *g, *b};
}

struct ValueReading {
  RgbColor colour;
  std::string bad_text;  // set when a pair failed to convert
};

// An attribute value: a colour name, or up to three pairs of digits where a
// short pair converts what it has ("f" is 15) and a missing one is 0.
ValueReading ConvertValue(std::string_view value) {
  ValueReading reading;
  if (const auto named = ColourName(value); named) {
    reading.colour = *named;
    return reading;
  }
  std::uint8_t channels[3] = {0, 0, 0};
  for (std::size_t k = 0; k < 3; ++k) {
    const std::string_view pair = value.substr(std::min(2 * k, value.size()), 2);
    int number = 0;
    for (char c : pair) {
      if (HexDigitValue(c) < 0) {
        reading.bad_text = "0x0" + std::string(pair);
        return reading;
      }
      number = number * 16 + HexDigitValue(c);
    }
    channels[k] = static_cast<std::uint8_t>(number);
  }
  reading.colour = RgbColor{channels[0], channels[1], channels[2]};
  return reading;
}

bool IsValueLead(char c) { return c == '"' || c == ' ' || c == '=' || c == '#'; }
bool EndsValue(char c) { return c == '"' || c == '>' || c == ' '; }

// The value that starts at `at`, after any quotes, blanks, "=" and "#".
std::string_view ValueAt(std::string_view text, std::size_t at) {
  while (at < text.size() && IsValueLead(text[at])) ++at;
  if (at >= text.size()) return {};
  std::size_t end = at;
  while (end < text.size() && !EndsValue(text[end])) ++end;
  return text.substr(at, end - at);
}

std::optional<BodyRole> RoleStartingWith(char lower) {
  switch (lower) {
    case 't':
      return BodyRole::kText;
    case 'l':
      return BodyRole::kLink;
    case 'v':
      return BodyRole::kVlink;
    case 'a':
      return BodyRole::kAlink;
    case 'b':
      return BodyRole::kBgcolor;
    default:
      return std::nullopt;
  }
}

// Looks for the five attribute names anywhere up to "/body", the first ">"
// after an attribute, or the fifth attribute. A name followed by blanks
// before its "=" is not taken; blanks after the "=" are skipped.
void ScanAttributes(std::string_view text, BodyReadResult& result) {
  const std::size_t length = text.size();
  constexpr std::size_t kLongestName = 7;  // also leaves room for "/body"
  int found = 0;
  std::size_t i = 0;
  while (length >= kLongestName && i <= length - kLongestName) {
    const char first = AsciiLower(text[i]);
    // No two names share a first letter, so one role at most can match here.
    const std::optional<BodyRole> role = RoleStartingWith(first);
    if (role && !result.roles[RoleIndex(*role)] && MatchesAt(text, i, InfoOf(*role).attribute)) {
      std::size_t j = i + InfoOf(*role).attribute.size();
      bool equals = false;
      do {
        if (j < length && text[j] == '=') equals = true;
        ++j;
      } while (j < length && text[j] == ' ');
      if (equals) {
        ValueReading value = ConvertValue(ValueAt(text, j));
        if (!value.bad_text.empty()) {
          result.kind = BodyReadKind::kConversionError;
          result.message = ConversionErrorMessage(value.bad_text);
          result.bad_text = std::move(value.bad_text);
          return;
        }
        result.roles[RoleIndex(*role)] = value.colour;
        if (++found == static_cast<int>(kBodyRoleCount)) break;
      }
      // Scanning goes on inside the value, so a second "vlink=" further on
      // can still give the link colour.
      i = j + 1;
      continue;
    }
    if (first == '/' && MatchesAt(text, i, "/body")) break;
    if (found > 0 && first == '>') break;
    ++i;
  }
  if (found > 0) result.kind = BodyReadKind::kRoles;
}

bool IsWordSeparator(char c) { return c == ' ' || c == '#' || c == '"'; }

// The first word that is a colour name or six digits. Line breaks, tabs, "="
// and ">" belong to the words.
std::optional<RgbColor> FirstColourWord(std::string_view text) {
  std::size_t start = 0;
  for (std::size_t j = 0; j <= text.size(); ++j) {
    if (j < text.size() && !IsWordSeparator(text[j])) continue;
    const std::string_view word = text.substr(start, j - start);
    if (const auto named = ColourName(word); named) return named;
    if (word.size() == 6) {
      if (const auto digits = SixDigits(word); digits) return digits;
    }
    start = j + 1;
  }
  return std::nullopt;
}

}  // namespace

std::string ConversionErrorMessage(std::string_view bad_text) {
  std::string message = "'";
  message += bad_text;
  message += "' は整数ではありません";
  return message;
}

BodyReadResult ReadBodyTag(std::string_view text) {
  BodyReadResult result;
  ScanAttributes(text, result);
  if (result.kind != BodyReadKind::kNothing) return result;

  // A page never gets this far with roles found: a text that is one name or
  // six digits holds no attribute.
  std::optional<RgbColor> colour = ColourName(text);
  if (!colour && (text.size() == 6 || (text.size() == 7 && text[0] == '#'))) {
    colour = SixDigits(text.substr(text.size() - 6));
  }
  if (!colour) colour = FirstColourWord(text);
  if (colour) {
    result.kind = BodyReadKind::kColour;
    result.colour = *colour;
  }
  return result;
}

BodyEffects ApplyBodyReading(BodyComposerState& composer, const BodyReadResult& reading) {
  BodyEffects effects;
  if (reading.kind == BodyReadKind::kColour) {
    effects.current_colour = reading.colour;
    effects.refresh_all = true;
    return effects;
  }
  if (reading.kind != BodyReadKind::kRoles) return effects;

  // Include first, then leave out, so the last-box rule never holds on to a
  // role the page does not have.
  for (BodyRole role : kAllBodyRoles) {
    if (reading.roles[RoleIndex(role)]) effects += RoleCheckBoxChanged(composer, role, true);
  }
  for (BodyRole role : kAllBodyRoles) {
    if (!reading.roles[RoleIndex(role)]) effects += RoleCheckBoxChanged(composer, role, false);
  }
  // A role left out keeps the colour its cleared box gave it, the role's
  // default, as a box cleared by hand does; the others take the page's.
  BodyColours colours = composer.values;
  for (BodyRole role : kAllBodyRoles) {
    if (const auto& value = reading.roles[RoleIndex(role)]; value) {
      colours[RoleIndex(role)] = *value;
    }
  }
  effects += ApplyBodyScheme(composer, colours);
  return effects;
}

}  // namespace tintara
