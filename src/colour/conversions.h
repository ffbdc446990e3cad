#ifndef TINTARA_COLOUR_CONVERSIONS_H_
#define TINTARA_COLOUR_CONVERSIONS_H_

#include <cstdint>

#include "colour/rgb_color.h"

// Conversions between RGB and the five other colour models. Each model has
// its own rounding, hue scale and grey convention; the numbers they give are
// the numbers the user sees, so they are kept exactly as they are even where
// a round trip is not exact (255,0,0 -> HSL -> 254,0,0).
//
// Model to RGB takes real inputs: the editors pass whole numbers, the
// palette bar passes fractional ones.
namespace tintara {

// Three whole model components in row order (E,S,L / H,S,L / H,S,V / Y,Cb,Cr).
struct ModelTriple {
  int first = 0;
  int second = 0;
  int third = 0;
  friend constexpr bool operator==(ModelTriple, ModelTriple) = default;
};

// The same components before truncation, for the palette bar's bands.
struct RealTriple {
  double first = 0;
  double second = 0;
  double third = 0;
};

// ESL: E 0..239, S 0..240, L 0..240. Results rounded half up.
int EslToRgbChannel(RgbChannel channel, double e, double s, double l);
RgbColor EslToRgb(double e, double s, double l);
std::uint32_t EslToRgbPacked(double e, double s, double l);
// Truncated toward zero. Grey gives E = 0, S = 0.
int RgbToEslE(int r, int g, int b);
int RgbToEslS(int r, int g, int b);
int RgbToEslL(int r, int g, int b);
ModelTriple RgbToEsl(int r, int g, int b);

// HSL: H 1..246 (246 is red; as input 0 means the same), S 0..255, L 0..255.
int HslToRgbChannel(RgbChannel channel, double h, double s, double l);
RgbColor HslToRgb(double h, double s, double l);
std::uint32_t HslToRgbPacked(double h, double s, double l);
int RgbToHslH(int r, int g, int b);
int RgbToHslS(int r, int g, int b);
int RgbToHslL(int r, int g, int b);
ModelTriple RgbToHsl(int r, int g, int b);
// H, S, L before truncation (a hue of exactly 0 is still given as 246).
RealTriple RgbToHslReal(int r, int g, int b);

// HSV: H 0..360 degrees (360 means 0), S and V 0..100 percent.
int HsvToRgbChannel(RgbChannel channel, double h, double s, double v);
RgbColor HsvToRgb(double h, double s, double v);
std::uint32_t HsvToRgbPacked(double h, double s, double v);
int RgbToHsvH(int r, int g, int b);
int RgbToHsvS(int r, int g, int b);
int RgbToHsvV(int r, int g, int b);
ModelTriple RgbToHsv(int r, int g, int b);

// Y/Cb/Cr with single-precision constants and no offset: Cb, Cr -128..127.
// Every result is truncated toward zero; RGB results are clamped to 0..255.
int YccToRgbChannel(RgbChannel channel, double y, double cb, double cr);
RgbColor YccToRgb(double y, double cb, double cr);
std::uint32_t YccToRgbPacked(double y, double cb, double cr);
int RgbToYccY(int r, int g, int b);
int RgbToYccCb(int r, int g, int b);
int RgbToYccCr(int r, int g, int b);
ModelTriple RgbToYcc(int r, int g, int b);
RealTriple RgbToYccReal(int r, int g, int b);

// YMC: each component is the complement of its paired channel (Y-B, M-G, C-R).
constexpr int Complement(int value) { return 255 - value; }

}  // namespace tintara

#endif  // TINTARA_COLOUR_CONVERSIONS_H_
