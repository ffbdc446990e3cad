#ifndef TINTARA_COLOUR_CSS_TEXT_H_
#define TINTARA_COLOUR_CSS_TEXT_H_

#include <optional>
#include <string>
#include <string_view>

#include "colour/css_spaces.h"
#include "colour/rgb_color.h"

// Colours as style sheets write them today: hexadecimal, names, rgb(), hsl(),
// hwb(), lab(), lch(), oklab(), oklch() and color().
namespace tintara {

struct CssColour {
  CssSpace space = CssSpace::kSrgb;
  CssTriple values{};  // in the units of css_spaces.h; `none` is 0
  double alpha = 1;    // 0..1
  // A value was brought into its range as it was read (rgb(300 0 0)) by more
  // than half an 8-bit step.
  bool clamped = false;
};

struct CssReading {
  std::optional<CssColour> colour;
  std::string error;  // why the text is not a colour, when it is not
};

// The whole text (blanks around it allowed) as one colour. Letter case does
// not matter. The reason given for a text that is not a colour never holds
// control characters.
CssReading ReadCssColour(std::string_view text);

// One number as style sheets write it ("0.5", "-12", "1e-3", not "1." or
// "0x1"), nothing else around it. Magnitudes beyond 1e6 are read as 1e6.
std::optional<double> ReadCssNumber(std::string_view text);

// The colour shown in sRGB: gamut-mapped, rounded to 8 bits.
struct CssSrgb {
  RgbColor colour;
  bool clipped = false;
};
CssSrgb CssColourToRgb(const CssColour& colour);

// At most 4 significant digits and at most 4 decimals, without trailing
// zeros: 0.628, 0.2577, 29.23, 100, -0.5; "0" for anything that rounds to 0.
std::string ShortNumberText(double value);

// The spaces `text css4` writes.
enum class Css4Syntax { kRgb, kHsl, kHwb, kLab, kLch, kOklab, kOklch, kXyz, kP3 };
std::optional<Css4Syntax> Css4SyntaxFromKey(std::string_view key);

// The colour in the modern syntax of the space ("rgb(255 0 128)",
// "oklch(64.5% 0.258 354.9)"), with as few decimals as let ReadCssColour
// give the same colour back.
std::string Css4Text(RgbColor colour, Css4Syntax syntax);

}  // namespace tintara

#endif  // TINTARA_COLOUR_CSS_TEXT_H_
