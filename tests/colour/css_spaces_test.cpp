#include "colour/css_spaces.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tintara {
namespace {

struct ReferenceRow {
  int rgb[3];
  // lab, lch, oklab, oklch, xyz (D65), display-p3, hwb
  double spaces[7][3];
};

// Three hundred 8-bit colours in the seven spaces, computed by
// make_css_reference.py beside this file: Python, written from the published
// formulas, with the sRGB, display-p3 and Bradford matrices derived there
// from the primaries and white points in exact fractions, so that it shares
// no code and no typed-in matrix with the program but Oklab's.
constexpr ReferenceRow kReference[] = {
#include "colour/css_reference_table.inc"
};

constexpr CssSpace kReferenceSpaces[] = {CssSpace::kLab,   CssSpace::kLch,    CssSpace::kOklab,
                                         CssSpace::kOklch, CssSpace::kXyzD65, CssSpace::kDisplayP3,
                                         CssSpace::kHwb};

bool IsPolar(CssSpace space) {
  return space == CssSpace::kLch || space == CssSpace::kOklch || space == CssSpace::kHwb;
}

double HueDistance(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return std::min(d, 360 - d);
}

void ExpectNear(const CssTriple& actual, const CssTriple& expected, double tolerance,
                bool polar = false) {
  for (int c = 0; c < 3; ++c) {
    SCOPED_TRACE(c);
    if (polar && c == 2) {
      // A hue is only worth comparing where there is some chroma.
      if (expected[1] > 1e-6 && expected[0] > 1e-6) {
        EXPECT_LT(HueDistance(actual[2], expected[2]), tolerance);
      }
    } else {
      EXPECT_NEAR(actual[c], expected[c], tolerance);
    }
  }
}

TEST(CssSpaces, AgreeWithAnIndependentTableBothWays) {
  ASSERT_EQ(std::size(kReference), 300u);
  for (const ReferenceRow& row : kReference) {
    const RgbColor colour = RgbColor::FromInts(row.rgb[0], row.rgb[1], row.rgb[2]);
    for (int s = 0; s < 7; ++s) {
      const CssSpace space = kReferenceSpaces[s];
      SCOPED_TRACE(testing::Message()
                   << row.rgb[0] << " " << row.rgb[1] << " " << row.rgb[2] << " space " << s);
      const CssTriple expected = {row.spaces[s][0], row.spaces[s][1], row.spaces[s][2]};
      ExpectNear(RgbToCss(space, colour), expected, 1e-9, IsPolar(space));
      // And back to sRGB, where nothing is out of gamut.
      const CssTriple back = ConvertCss(space, CssSpace::kSrgb, expected);
      ExpectNear({back[0] * 255, back[1] * 255, back[2] * 255},
                 {double(row.rgb[0]), double(row.rgb[1]), double(row.rgb[2])}, 1e-7);
      EXPECT_EQ(SrgbToRgb(MapToSrgb(space, expected).srgb), colour);
    }
  }
}

TEST(CssSpaces, GiveTheWorkedExamplesOfTheStandard) {
  // #7654CD written five ways (the standard's figures are rounded).
  const CssTriple srgb = {0x76 / 255.0, 0x54 / 255.0, 0xCD / 255.0};
  ExpectNear(ConvertCss(CssSpace::kSrgb, CssSpace::kLab, srgb), {44.36, 36.05, -58.99}, 0.005);
  ExpectNear(ConvertCss(CssSpace::kSrgb, CssSpace::kXyzD50, srgb), {0.2005, 0.14089, 0.4472}, 2e-4);
  ExpectNear(ConvertCss(CssSpace::kSrgb, CssSpace::kXyzD65, srgb), {0.21661, 0.14602, 0.59452},
             2e-4);
  // Red in OkLCh.
  ExpectNear(RgbToCss(CssSpace::kOklch, {255, 0, 0}), {0.62796, 0.25768, 29.2339}, 1e-4, true);
  // hsl(120deg 100% 25%) is dark green; HWB greys when W + B reach 100%.
  EXPECT_EQ(SrgbToRgb(ConvertCss(CssSpace::kHsl, CssSpace::kSrgb, {120, 100, 25})),
            (RgbColor{0, 128, 0}));
  ExpectNear(ConvertCss(CssSpace::kHwb, CssSpace::kSrgb, {40, 60, 60}), {0.5, 0.5, 0.5}, 1e-12);
  ExpectNear(ConvertCss(CssSpace::kHwb, CssSpace::kSrgb, {0, 0, 0}), {1, 0, 0}, 1e-12);
}

// The transfer curve and the cube roots are worked out from tables of first
// guesses: a wrong knot or a slip at a power of two shows as a value off in
// one narrow stretch, so the sweep walks every stretch of many binades.
TEST(CssSpaces, TransferCurveAndCubeRootsAreExactEverywhere) {
  const double white = ConvertCss(CssSpace::kSrgbLinear, CssSpace::kOklab, {1, 1, 1})[0];
  for (double x = 1e-9; x < 1e12; x *= 1.001) {
    SCOPED_TRACE(x);
    const double curve = x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    // Greys, as a grey's way through the other space mixes nothing in.
    for (double sign : {1.0, -1.0}) {
      const double v = sign * x;
      const double linear = ConvertCss(CssSpace::kSrgb, CssSpace::kSrgbLinear, {v, v, v})[1];
      EXPECT_NEAR(linear, sign * curve, curve * 4e-15);
      const double c = sign * curve;
      EXPECT_NEAR(ConvertCss(CssSpace::kSrgbLinear, CssSpace::kSrgb, {c, c, c})[1], v, x * 4e-15);
    }
    // Oklab's lightness is a sum of cube roots: for greys, white's times the
    // cube root of x.
    const double lightness = ConvertCss(CssSpace::kSrgbLinear, CssSpace::kOklab, {x, x, x})[0];
    EXPECT_NEAR(lightness, white * std::cbrt(x), lightness * 4e-15);
  }
  // Zero, and magnitudes beyond the tables, still give the right answers.
  const auto grey = [](double v) {
    return ConvertCss(CssSpace::kSrgbLinear, CssSpace::kSrgb, {v, v, v})[1];
  };
  EXPECT_EQ(grey(0), 0);
  EXPECT_NEAR(grey(1e70), 1.055 * std::pow(1e70, 1 / 2.4) - 0.055, 1e15);
  EXPECT_NEAR(grey(-1e300), -1.055 * std::pow(1e300, 1 / 2.4) + 0.055, 1e110);
  EXPECT_EQ(ConvertCss(CssSpace::kSrgbLinear, CssSpace::kOklab, {0, 0, 0})[0], 0);
  EXPECT_TRUE(std::isnan(ConvertCss(CssSpace::kSrgb, CssSpace::kSrgbLinear,
                                    {std::numeric_limits<double>::quiet_NaN(), 0, 0})[0]));
}

TEST(CssSpaces, HueAndSaturationFormsRoundTrip) {
  for (const CssTriple& hsl :
       {CssTriple{0, 100, 50}, CssTriple{200, 30, 70}, CssTriple{359, 5, 5}}) {
    ExpectNear(ConvertCss(CssSpace::kSrgb, CssSpace::kHsl,
                          ConvertCss(CssSpace::kHsl, CssSpace::kSrgb, hsl)),
               hsl, 1e-9);
  }
  // A negative hue, and a hue beyond a turn, are the same angle.
  ExpectNear(ConvertCss(CssSpace::kHsl, CssSpace::kSrgb, {-120, 100, 50}),
             ConvertCss(CssSpace::kHsl, CssSpace::kSrgb, {600, 100, 50}), 1e-12);
  // Out of gamut, saturation turns negative: the opposite hue is given.
  const CssTriple hsl = ConvertCss(CssSpace::kSrgb, CssSpace::kHsl, {-0.2, 0.5, 0.5});
  EXPECT_GE(hsl[1], 0);
  ExpectNear(ConvertCss(CssSpace::kHsl, CssSpace::kSrgb, hsl), {-0.2, 0.5, 0.5}, 1e-9);
}

TEST(CssGamutMapping, KeepsColoursInsideAndFlagsOnlyThoseWellOutside) {
  const SrgbMapping inside = MapToSrgb(CssSpace::kOklch, RgbToCss(CssSpace::kOklch, {10, 200, 30}));
  EXPECT_FALSE(inside.clipped);
  EXPECT_EQ(SrgbToRgb(inside.srgb), (RgbColor{10, 200, 30}));
  // Less than half an 8-bit step outside: mapped, but not worth a mention.
  const SrgbMapping barely = MapToSrgb(CssSpace::kSrgb, {1.0015, 0.5, -0.0015});
  EXPECT_FALSE(barely.clipped);
  EXPECT_EQ(SrgbToRgb(barely.srgb), (RgbColor{255, 128, 0}));
  EXPECT_TRUE(MapToSrgb(CssSpace::kSrgb, {1.0025, 0.5, 0.5}).clipped);
}

TEST(CssGamutMapping, ReducesChromaKeepingLightnessAndHue) {
  for (const CssTriple& origin : {CssTriple{0.7, 0.4, 150}, CssTriple{0.5, 0.35, 280},
                                  CssTriple{0.9, 0.3, 90}, CssTriple{0.3, 0.2, 20}}) {
    SCOPED_TRACE(origin[2]);
    const SrgbMapping mapped = MapToSrgb(CssSpace::kOklch, origin);
    EXPECT_TRUE(mapped.clipped);
    for (double c : mapped.srgb) {
      EXPECT_GE(c, 0);
      EXPECT_LE(c, 1);
    }
    const CssTriple result = ConvertCss(CssSpace::kSrgb, CssSpace::kOklch, mapped.srgb);
    EXPECT_LT(result[1], origin[1]);
    // Within a just-noticeable difference of the chroma-reduced colour,
    // and not far below the most chroma sRGB holds there.
    EXPECT_NEAR(result[0], origin[0], kGamutJnd);
    EXPECT_LT(HueDistance(result[2], origin[2]), 5);
    const CssTriple more = {origin[0], result[1] + 0.03, origin[2]};
    EXPECT_FALSE(MapToSrgb(CssSpace::kOklch, more).srgb ==
                 ConvertCss(CssSpace::kOklch, CssSpace::kSrgb, more));
  }
  // display-p3 red: a red just inside sRGB, not the clipped 1 0 0.
  const SrgbMapping p3_red = MapToSrgb(CssSpace::kDisplayP3, {1, 0, 0});
  EXPECT_TRUE(p3_red.clipped);
  EXPECT_EQ(SrgbToRgb(p3_red.srgb), (RgbColor{255, 11, 12}));
}

TEST(CssGamutMapping, GivesWhiteAndBlackBeyondTheEndsAndSurvivesNonsense) {
  EXPECT_EQ(SrgbToRgb(MapToSrgb(CssSpace::kOklch, {1, 0.3, 40}).srgb), (RgbColor{255, 255, 255}));
  EXPECT_EQ(SrgbToRgb(MapToSrgb(CssSpace::kOklch, {0, 0.3, 40}).srgb), (RgbColor{0, 0, 0}));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const CssTriple& nonsense : {CssTriple{nan, 0, 0}, CssTriple{0.5, inf, 10},
                                    CssTriple{0.5, 0.2, nan}, CssTriple{1e6, -1e6, 1e6}}) {
    for (CssSpace space : kReferenceSpaces) {
      const SrgbMapping mapped = MapToSrgb(space, nonsense);
      for (double c : mapped.srgb) EXPECT_TRUE(c >= 0 && c <= 1);
    }
  }
}

}  // namespace
}  // namespace tintara
