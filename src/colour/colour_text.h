#ifndef TINTARA_COLOUR_COLOUR_TEXT_H_
#define TINTARA_COLOUR_COLOUR_TEXT_H_

#include <array>
#include <string>
#include <string_view>

#include "colour/rgb_color.h"

// The colour vocabulary: the 140 named HTML colours, the 16 standard colours,
// the six-digit form of a colour and the rules for names and letter case.
namespace tintara {

struct NamedColor {
  std::string_view name;
  RgbColor value;
};

inline constexpr int kNamedColorCount = 140;
inline constexpr int kStandardColorCount = 16;
// Entry 7, black, is what both lookups fall back to.
inline constexpr int kNamedColorFallback = 7;

// Alphabetical; lookups scan from index 0, so aqua wins over cyan and
// fuchsia over magenta.
extern const std::array<NamedColor, kNamedColorCount> NamedColorTable;

// Index 0..15; callers pass only indices in that range.
RgbColor StandardColor(int index);

// The value of one hexadecimal digit of either case, or -1 for any other
// character.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Exactly six lower-case hexadecimal digits, red first: ff0a00.
std::string HexColorText(RgbColor colour);

// The first entry with this value, or "black" when there is none.
std::string_view ColorToName(RgbColor colour);

// The colour's name when use_names is set and the table really has it,
// otherwise its six digits.
std::string ColorWord(RgbColor colour, bool use_names);

// True when ColorWord would write a name for this colour.
bool HasUsableName(RgbColor colour);

// Case-insensitive, whole-text match; black for any text that names nothing.
RgbColor NameToColor(std::string_view text);

// Lower-cases (lower = true) or upper-cases the ASCII letters of the whole
// text and leaves every other byte as it is, so UTF-8 passes through.
std::string OutputCaseRule(std::string_view text, bool lower);

}  // namespace tintara

#endif  // TINTARA_COLOUR_COLOUR_TEXT_H_
