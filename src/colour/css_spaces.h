#ifndef TINTARA_COLOUR_CSS_SPACES_H_
#define TINTARA_COLOUR_CSS_SPACES_H_

#include <array>
#include <optional>
#include <string_view>

#include "colour/rgb_color.h"

// The colour spaces of today's style sheets, with the matrices and constants
// their standard publishes, in double precision. Values are in the units the
// style-sheet functions use:
//   sRGB, linear sRGB, display-p3: 0..1 per channel (outside for colours out of gamut)
//   XYZ (D65 or D50): Y of white 1
//   HSL: hue in degrees, saturation and lightness 0..100
//   HWB: hue in degrees, whiteness and blackness 0..100
//   Lab, LCh (D50): L 0..100, a and b about -125..125, C 0..150, hue in degrees
//   Oklab, OkLCh: L 0..1, a and b about -0.4..0.4, C 0..0.4, hue in degrees
namespace tintara {

enum class CssSpace {
  kSrgb,
  kSrgbLinear,
  kDisplayP3,
  kXyzD65,
  kXyzD50,
  kHsl,
  kHwb,
  kLab,
  kLch,
  kOklab,
  kOklch,
};

using CssTriple = std::array<double, 3>;

// To and from CIE XYZ with the D65 white, the space every conversion passes.
CssTriple CssToXyzD65(CssSpace space, const CssTriple& values);
CssTriple CssFromXyzD65(CssSpace space, const CssTriple& xyz);

// Between any two spaces, hue and all, with nothing clipped.
CssTriple ConvertCss(CssSpace from, CssSpace to, const CssTriple& values);

// An 8-bit sRGB colour in any space.
CssTriple RgbToCss(CssSpace space, RgbColor colour);

// The just-noticeable difference the gamut mapping allows between a colour
// and its clipped form, in deltaEOK.
inline constexpr double kGamutJnd = 0.02;

struct SrgbMapping {
  CssTriple srgb;  // 0..1 each
  // A channel lay outside sRGB by more than half an 8-bit step.
  bool clipped = false;
};

// The colour brought into sRGB the way style sheets do it: kept when inside,
// else its OkLCh chroma reduced (lightness and hue kept) until clipping the
// rest changes it by less than kGamutJnd; white and black beyond L 1 and 0.
SrgbMapping MapToSrgb(CssSpace space, const CssTriple& values);

// The mapped colour rounded to 8 bits.
RgbColor SrgbToRgb(const CssTriple& srgb);

}  // namespace tintara

#endif  // TINTARA_COLOUR_CSS_SPACES_H_
