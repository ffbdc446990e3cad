#ifndef TINTARA_COLOUR_CONTRAST_H_
#define TINTARA_COLOUR_CONTRAST_H_

#include <string>

#include "colour/rgb_color.h"

// How well text of one colour reads on another, as the WCAG 2.2 success
// criteria measure it: the relative luminance of each sRGB colour and the
// ratio of the two, from 1:1 (no contrast) to 21:1 (black on white).
namespace tintara {

// The least ratios the criteria ask for. Large text is at least 18 points,
// or 14 points bold.
inline constexpr double kAaNormalTextRatio = 4.5;
inline constexpr double kAaLargeTextRatio = 3.0;
inline constexpr double kAaaNormalTextRatio = 7.0;
inline constexpr double kAaaLargeTextRatio = 4.5;

// 0 for black to 1 for white.
double RelativeLuminance(RgbColor colour);

// (L1 + 0.05) / (L2 + 0.05) with the lighter colour's luminance as L1, so
// the order of the two colours does not matter.
double ContrastRatio(RgbColor first, RgbColor second);

// Each verdict is decided on the exact ratio, never on the rounded figure.
struct ContrastVerdicts {
  bool aa_normal = false;
  bool aa_large = false;
  bool aaa_normal = false;
  bool aaa_large = false;
};

ContrastVerdicts JudgeContrast(double ratio);

// The ratio with two decimals, "4.48", rounded to the nearest hundredth;
// except that a ratio just short of a required ratio is never written as
// that ratio: 4.4996 is "4.49", not "4.50". A figure read back and compared
// with the required ratios therefore gives the same verdicts as the exact
// ratio.
std::string ContrastRatioText(double ratio);

}  // namespace tintara

#endif  // TINTARA_COLOUR_CONTRAST_H_
