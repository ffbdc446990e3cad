#ifndef TINTARA_OUTPUT_BODY_READER_H_
#define TINTARA_OUTPUT_BODY_READER_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "colour/rgb_color.h"
#include "output/body_composer.h"

// Takes colours back out of a text: the colour attributes of an HTML page's
// BODY tag, or else one colour (a name, six digits, or the first colour word).
namespace tintara {

enum class BodyReadKind : std::uint8_t {
  kNothing,          // no colour in the text; nothing changes
  kRoles,            // attributes found; they go to the composer
  kColour,           // one colour found; it becomes the current colour
  kConversionError,  // an attribute value is neither a name nor digits
};

struct BodyReadResult {
  BodyReadKind kind = BodyReadKind::kNothing;
  // kRoles: the value of each role found, in role order; empty when not found.
  std::array<std::optional<RgbColor>, kBodyRoleCount> roles;
  // kColour: the colour taken.
  RgbColor colour;
  // kConversionError: the text that failed to convert ("0x0re" for the
  // value red2) and the message the window shows for it.
  std::string bad_text;
  std::string message;
};

// Reads the text as bytes. Safe on any input; linear in its length.
BodyReadResult ReadBodyTag(std::string_view text);

// "'0x0re' は整数ではありません" for "0x0re".
std::string ConversionErrorMessage(std::string_view bad_text);

// Hands what was read to the composer: found roles are written with their
// values, the others are left out and keep the values they had; a single
// colour becomes the current colour. Nothing and errors change nothing.
BodyEffects ApplyBodyReading(BodyComposerState& composer, const BodyReadResult& reading);

}  // namespace tintara

#endif  // TINTARA_OUTPUT_BODY_READER_H_
