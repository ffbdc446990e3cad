// The readers of typed numbers and colour names on any text: each must equal
// a plain reading of the text, and what the program writes must read back.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "colour/colour_text.h"
#include "fuzz_check.h"
#include "mainwindow/editor/editor_math.h"
#include "plain_readings.h"

namespace tintara {
namespace {

using plain::Lower;
using plain::TableColour;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  c = Lower(c);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Blanks, one sign, the digits up to the first other character; a number
// too large for an int stops at the int's end.
DecimalReading PlainDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  const std::size_t first_digit = i;
  while (i < text.size() && text[i] == '0') ++i;
  std::string digits;
  while (i < text.size() && IsDigit(text[i])) digits += text[i++];
  DecimalReading reading;
  reading.has_digits = i > first_digit;
  reading.end = i;
  const long long magnitude = digits.size() > 10 ? LLONG_MAX
                              : digits.empty()   ? 0
                                                 : std::stoll(digits);
  if (negative) {
    reading.value =
        magnitude > -static_cast<long long>(INT_MIN) ? INT_MIN : static_cast<int>(-magnitude);
  } else {
    reading.value = magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
  }
  return reading;
}

// "0x0" and the text as one hexadecimal number of at most 32 bits, read as
// a signed int; 0 when it is not one.
int PlainHex(std::string_view text) {
  for (char c : text) {
    if (HexValue(c) < 0) return 0;
  }
  std::size_t first = 0;
  while (first < text.size() && text[first] == '0') ++first;
  if (text.size() - first > 8) return 0;
  std::uint32_t value = 0;
  for (char c : text.substr(first)) value = value * 16 + static_cast<std::uint32_t>(HexValue(c));
  std::int32_t as_int;
  std::memcpy(&as_int, &value, sizeof as_int);
  return as_int;
}

void CheckReadings(std::string_view text) {
  const DecimalReading decimal = ReadDecimalPrefix(text);
  const DecimalReading plain = PlainDecimal(text);
  FUZZ_CHECK(decimal.value == plain.value && decimal.has_digits == plain.has_digits &&
             decimal.end == plain.end);
  FUZZ_CHECK(ReadDecimalField(text) == plain.value);
  FUZZ_CHECK(ReadHexField(text) == PlainHex(text));
  FUZZ_CHECK(NameToColor(text) == TableColour(text).value_or(RgbColor{0, 0, 0}));

  // The case rule changes ASCII letters only, and nothing else.
  const std::string lower = OutputCaseRule(text, true);
  const std::string upper = OutputCaseRule(text, false);
  FUZZ_CHECK(lower.size() == text.size() && upper.size() == text.size());
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char c = text[k];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    FUZZ_CHECK(letter ? lower[k] == Lower(c) : lower[k] == c);
    FUZZ_CHECK(letter ? Lower(upper[k]) == Lower(c) && upper[k] <= 'Z' : upper[k] == c);
  }
}

// Numbers the fields write read back as themselves, also between the
// blanks and the trailing text a user may leave around them.
void CheckWrittenNumbers(std::int32_t value) {
  const std::string decimal = std::to_string(value);
  FUZZ_CHECK(ReadDecimalField(decimal) == value);
  FUZZ_CHECK(ReadDecimalField(" \t" + decimal + "px") == value);
  const std::string hex = HexFieldText(value);
  FUZZ_CHECK(!hex.empty() && hex.size() <= 8 && (hex.size() == 1 || hex[0] != '0'));
  for (char c : hex) FUZZ_CHECK(IsDigit(c) || (c >= 'a' && c <= 'f'));
  FUZZ_CHECK(ReadHexField(hex) == value);
  FUZZ_CHECK(ReadHexField(OutputCaseRule(hex, false)) == value);
}

// A colour's six digits and its name read back as the colour; any name in
// any letter case reads as its value.
void CheckColourWords(RgbColor colour, std::size_t index, std::uint32_t case_bits) {
  const std::string digits = HexColorText(colour);
  FUZZ_CHECK(digits.size() == 6);
  for (std::size_t k = 0; k < 3; ++k) {
    const int high = HexValue(digits[2 * k]);
    const int low = HexValue(digits[2 * k + 1]);
    FUZZ_CHECK(high >= 0 && low >= 0 && Lower(digits[2 * k]) == digits[2 * k]);
    const int channel = k == 0 ? colour.r : k == 1 ? colour.g : colour.b;
    FUZZ_CHECK(high * 16 + low == channel);
  }
  const std::string word = ColorWord(colour, true);
  if (HasUsableName(colour)) {
    FUZZ_CHECK(word == ColorToName(colour));
    FUZZ_CHECK(NameToColor(word) == colour);
  } else {
    FUZZ_CHECK(word == digits);
    FUZZ_CHECK(ColorToName(colour) == "black");
  }
  FUZZ_CHECK(ColorWord(colour, false) == digits);

  const NamedColor& entry = NamedColorTable[index % NamedColorTable.size()];
  std::string cased(entry.name);
  for (std::size_t k = 0; k < cased.size(); ++k) {
    if ((case_bits >> (k % 32)) & 1u) cased[k] = static_cast<char>(cased[k] - ('a' - 'A'));
  }
  FUZZ_CHECK(NameToColor(cased) == entry.value);
  // The first entry with a value names it: aqua before cyan.
  FUZZ_CHECK(NameToColor(ColorToName(entry.value)) == entry.value);
}

}  // namespace
}  // namespace tintara

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tintara;
  CheckReadings(std::string_view(reinterpret_cast<const char*>(data), size));
  std::uint8_t bytes[8] = {};
  std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
  std::int32_t value;
  std::memcpy(&value, bytes, sizeof value);
  CheckWrittenNumbers(value);
  std::uint32_t case_bits;
  std::memcpy(&case_bits, bytes + 4, sizeof case_bits);
  CheckColourWords(RgbColor{bytes[0], bytes[1], bytes[2]}, bytes[3], case_bits);
  return 0;
}
