// The BODY tag reader on any text: what it reads must equal a plain,
// position-by-position reading of the same text, and a tag the composer
// writes must read back as the colours it was written with.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "colour/colour_text.h"
#include "fuzz_check.h"
#include "output/body_composer.h"
#include "output/body_reader.h"
#include "plain_readings.h"

namespace tintara {
namespace {

using plain::Lower;
using plain::TableColour;

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  return Lower(c) - 'a' + 10;
}

// "0x0" put in front of the digits and converted: nothing when a character
// is not a digit.
std::optional<int> Prefixed(std::string_view digits) {
  int value = 0;
  for (char c : digits) {
    if (!IsHex(c)) return std::nullopt;
    value = value * 16 + HexValue(c);
  }
  return value;
}

std::optional<RgbColor> SixDigits(std::string_view six) {
  int channels[3];
  for (int k = 0; k < 3; ++k) {
    if (!IsHex(six[2 * k]) || !IsHex(six[2 * k + 1])) return std::nullopt;
    channels[k] = HexValue(six[2 * k]) * 16 + HexValue(six[2 * k + 1]);
  }
  return RgbColor::FromInts(channels[0], channels[1], channels[2]);
}

// The reading done the slow way: positions count from 1, and a position past
// the end holds a character that matches nothing.
class PlainReading {
 public:
  explicit PlainReading(std::string_view text)
      : text_(text), length_(static_cast<long>(text.size())) {}

  BodyReadResult Read() {
    BodyReadResult result;
    int found = 0;
    for (long i = 1; i <= length_ - 6;) {
      bool name_here = false;
      for (BodyRole role : kAllBodyRoles) {
        const std::string_view name = InfoOf(role).attribute;
        if (result.roles[RoleIndex(role)] || !LowerAt(i, name)) continue;
        name_here = true;
        long j = i + static_cast<long>(name.size());
        bool equals = false;
        do {
          if (At(j) == '=') equals = true;
          ++j;
        } while (At(j) == ' ');
        if (equals) {
          std::string bad_text;
          const RgbColor value = Value(j, bad_text);
          if (!bad_text.empty()) {
            result = BodyReadResult();
            result.kind = BodyReadKind::kConversionError;
            result.bad_text = bad_text;
            return result;
          }
          result.roles[RoleIndex(role)] = value;
          ++found;
        }
        i = j + 1;
        break;
      }
      if (found == static_cast<int>(kBodyRoleCount)) break;
      if (name_here) continue;
      if (LowerAt(i, "/body")) break;
      if (found > 0 && At(i) == '>') break;
      ++i;
    }
    if (found > 0) result.kind = BodyReadKind::kRoles;

    // The whole text as a name, then as six digits; a page never is either.
    std::optional<RgbColor> colour = TableColour(text_);
    if (length_ == 6 || (length_ == 7 && text_[0] == '#')) {
      if (const auto digits = SixDigits(text_.substr(text_.size() - 6)); digits) colour = digits;
    }
    FUZZ_CHECK(!(found > 0 && colour));
    if (found == 0 && !colour) colour = FirstColourWord();
    if (colour) {
      result.kind = BodyReadKind::kColour;
      result.colour = *colour;
    }
    return result;
  }

 private:
  char At(long position) const {
    return position >= 1 && position <= length_ ? text_[static_cast<std::size_t>(position - 1)]
                                                : '\0';
  }
  bool LowerAt(long position, std::string_view word) const {
    for (std::size_t k = 0; k < word.size(); ++k) {
      if (Lower(At(position + static_cast<long>(k))) != word[k]) return false;
    }
    return true;
  }

  RgbColor Value(long p, std::string& bad_text) const {
    while (At(p) == '"' || At(p) == ' ' || At(p) == '=' || At(p) == '#') ++p;
    std::string value;
    while (p <= length_ && At(p) != '"' && At(p) != '>' && At(p) != ' ') value += At(p++);
    if (const auto named = TableColour(value); named) return *named;
    int channels[3] = {0, 0, 0};
    for (std::size_t k = 0; k < 3; ++k) {
      const std::string pair = 2 * k < value.size() ? value.substr(2 * k, 2) : std::string();
      const std::optional<int> number = Prefixed(pair);
      if (!number) {
        bad_text = "0x0" + pair;
        return {};
      }
      channels[k] = *number;
    }
    return RgbColor::FromInts(channels[0], channels[1], channels[2]);
  }

  std::optional<RgbColor> FirstColourWord() const {
    std::string word;
    for (long j = 1; j <= length_ + 1; ++j) {
      const char c = Lower(At(j));
      if (j <= length_ && c != ' ' && c != '#' && c != '"') {
        word += c;
        continue;
      }
      if (const auto named = TableColour(word); named) return named;
      if (word.size() == 6) {
        if (const auto digits = SixDigits(word); digits) return digits;
      }
      word.clear();
    }
    return std::nullopt;
  }

  std::string_view text_;
  long length_;
};

void CheckSameReading(const BodyReadResult& read, const BodyReadResult& plain) {
  FUZZ_CHECK(read.kind == plain.kind);
  switch (read.kind) {
    case BodyReadKind::kRoles:
      for (std::size_t k = 0; k < kBodyRoleCount; ++k) FUZZ_CHECK(read.roles[k] == plain.roles[k]);
      break;
    case BodyReadKind::kColour:
      FUZZ_CHECK(read.colour == plain.colour);
      break;
    case BodyReadKind::kConversionError:
      FUZZ_CHECK(read.bad_text == plain.bad_text);
      FUZZ_CHECK(read.message == ConversionErrorMessage(read.bad_text));
      break;
    case BodyReadKind::kNothing:
      break;
  }
}

// What the composer takes from the reading.
void CheckApplied(const BodyReadResult& read) {
  BodyComposerState composer;
  const BodyComposerState before = composer;
  const BodyEffects effects = ApplyBodyReading(composer, read);
  if (read.kind == BodyReadKind::kColour) {
    FUZZ_CHECK(effects.current_colour == read.colour);
    FUZZ_CHECK(effects.refresh_all);
  } else if (read.kind == BodyReadKind::kRoles) {
    for (BodyRole role : kAllBodyRoles) {
      const auto& value = read.roles[RoleIndex(role)];
      FUZZ_CHECK(composer.is_written(role) == value.has_value());
      if (value) FUZZ_CHECK(composer.value(role) == *value);
    }
  } else {
    FUZZ_CHECK(!effects.current_colour && !effects.refresh_all);
    FUZZ_CHECK(composer.values == before.values && composer.written == before.written);
  }
}

// Seventeen bytes make a composer state: five colours, the roles written,
// the output options and the active role. Its tag must read back whole.
void CheckRoundTrip(const std::uint8_t* data, std::size_t size) {
  if (size < 17) return;
  BodyComposerState composer;
  for (std::size_t k = 0; k < kBodyRoleCount; ++k) {
    composer.values[k] = RgbColor{data[3 * k], data[3 * k + 1], data[3 * k + 2]};
  }
  const unsigned mask = (data[15] & 0x1Fu) != 0 ? (data[15] & 0x1Fu) : 0x1Fu;
  for (std::size_t k = 0; k < kBodyRoleCount; ++k) composer.written[k] = (mask >> k) & 1u;
  composer.active = kAllBodyRoles[(data[16] >> 2) % kBodyRoleCount];
  const bool output_num = data[16] & 1u;
  const bool output_lower = data[16] & 2u;

  const BodyTag tag =
      ComposeBodyTag(composer, composer.value(composer.active), output_num, output_lower);
  const BodyReadResult read = ReadBodyTag(tag.text);
  FUZZ_CHECK(read.kind == BodyReadKind::kRoles);
  for (BodyRole role : kAllBodyRoles) {
    const auto& value = read.roles[RoleIndex(role)];
    FUZZ_CHECK(value.has_value() == composer.is_written(role));
    if (value) FUZZ_CHECK(*value == composer.value(role));
  }
}

}  // namespace
}  // namespace tintara

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tintara;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const BodyReadResult read = ReadBodyTag(text);
  CheckSameReading(read, PlainReading(text).Read());
  CheckApplied(read);
  CheckRoundTrip(data, size);
  return 0;
}
