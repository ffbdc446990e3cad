#include "colour/conversions.h"

#include <algorithm>
#include <cmath>

namespace tintara {
namespace {

// Which level a channel takes in one sextant of the hue circle, and for the
// ramps the hue at the ramp's centre.
enum class Level : std::uint8_t { kTop, kBottom, kRise, kFall };
struct Pick {
  Level level;
  int centre;
};

// Rows: red, green, blue. Columns: the six sextants from red upwards.
constexpr Pick kEslPicks[3][6] = {
    {{Level::kTop, 0},
     {Level::kFall, 60},
     {Level::kBottom, 0},
     {Level::kBottom, 0},
     {Level::kRise, 180},
     {Level::kTop, 0}},
    {{Level::kRise, 20},
     {Level::kTop, 0},
     {Level::kTop, 0},
     {Level::kFall, 140},
     {Level::kBottom, 0},
     {Level::kBottom, 0}},
    {{Level::kBottom, 0},
     {Level::kBottom, 0},
     {Level::kRise, 100},
     {Level::kTop, 0},
     {Level::kTop, 0},
     {Level::kFall, 220}},
};

constexpr Pick kHslPicks[3][6] = {
    {{Level::kTop, 0},
     {Level::kFall, 61},
     {Level::kBottom, 0},
     {Level::kBottom, 0},
     {Level::kRise, 184},
     {Level::kTop, 0}},
    {{Level::kRise, 20},
     {Level::kTop, 0},
     {Level::kTop, 0},
     {Level::kFall, 143},
     {Level::kBottom, 0},
     {Level::kBottom, 0}},
    {{Level::kBottom, 0},
     {Level::kBottom, 0},
     {Level::kRise, 102},
     {Level::kTop, 0},
     {Level::kTop, 0},
     {Level::kFall, 225}},
};

// ESL sextants are closed on the right: E = 40 belongs to the first.
int EslSextant(double e) {
  if (e <= 40) return 0;
  if (e <= 80) return 1;
  if (e <= 120) return 2;
  if (e <= 160) return 3;
  if (e <= 200) return 4;
  return 5;
}

// HSL sextants are closed on the left: H = 41 belongs to the second.
int HslSextant(double h) {
  if (h < 41) return 0;
  if (h < 82) return 1;
  if (h < 123) return 2;
  if (h < 164) return 3;
  if (h < 205) return 4;
  return 5;
}

int RoundHalfUp(double value) { return static_cast<int>(value + 0.5); }

double EslLevel(Pick pick, double e, double s, double l) {
  const double k = pick.centre;
  if (l < 120) {
    switch (pick.level) {
      case Level::kTop:
        return 255.0 * l * (240 + s) / 57600;
      case Level::kBottom:
        return 255.0 * l * (240 - s) / 57600;
      case Level::kRise:
        return 255.0 * l / 240 + 255.0 * (e - k) * s * l / 1152000;
      case Level::kFall:
        return 255.0 * l / 240 - 255.0 * (e - k) * s * l / 1152000;
    }
  } else {
    switch (pick.level) {
      case Level::kTop:
        return 255 - 255.0 * (240 - l) * (240 - s) / 57600;
      case Level::kBottom:
        return 255 - 255.0 * (240 - l) * (240 + s) / 57600;
      case Level::kRise:
        return 255 - 255.0 * (240 - l) * (4800 - (e - k) * s) / 1152000;
      case Level::kFall:
        return 255 - 255.0 * (240 - l) * (4800 + (e - k) * s) / 1152000;
    }
  }
  return 0;
}

double HslLevel(Pick pick, double h, double s, double l) {
  const double k = pick.centre;
  if (l < 128) {
    switch (pick.level) {
      case Level::kTop:
        return l + s * l / 255;
      case Level::kBottom:
        return (255 - s) * l / 255;
      case Level::kRise:
        return l + (h - k) * s * l / 5100;
      case Level::kFall:
        return l - (h - k) * s * l / 5100;
    }
  } else {
    switch (pick.level) {
      case Level::kTop:
        return 255 - (255 - l) * (255 - s) / 255;
      case Level::kBottom:
        return 255 - (1 + s / 255) * (255 - l);
      case Level::kRise:
        return 255 - (1 - (h - k) * s / 5100) * (255 - l);
      case Level::kFall:
        return 255 - (1 + (h - k) * s / 5100) * (255 - l);
    }
  }
  return 0;
}

// The hue of a non-grey colour in ESL's 240 steps, before truncation.
double EslHue(double r, double g, double b) {
  if (r > g && g >= b) return 40 * (g - b) / (r - b);
  if (g > b && b <= r && r <= g) return 40 + 40 * (g - r) / (g - b);
  if (g >= b && b > r) return 80 + 40 * (b - r) / (g - r);
  if (b > g && g > r) return 120 + 40 * (b - g) / (b - r);
  if (b > g && g <= r && r <= b) return 160 + 40 * (r - g) / (b - g);
  if (r > b && b > g) return 200 + 40 * (r - b) / (r - g);
  return 0;
}

// The hue of a non-grey colour in HSL's 246 steps, before truncation.
double HslHue(double r, double g, double b) {
  if (r >= g && g >= b) return 41 * (g - b) / (r - b);
  if (g >= b && b >= r) return 82 + 41 * (b - r) / (g - r);
  if (b >= g && g >= r) return 123 + 41 * (b - g) / (b - r);
  if (r >= b && b >= g) return 205 + 41 * (r - b) / (r - g);
  if (g > r && r > b) return 41 + 41 * (g - r) / (g - b);
  if (b > r && r > g) return 164 + 41 * (r - g) / (b - g);
  return 0;
}

// Saturation shared by ESL (scale 240) and HSL (scale 255).
double Saturation(double scale, int max, int min) {
  if (max + min < 255) return scale * (max - min) / (max + min);
  return scale * (max - min) / (510 - max - min);
}

// Single-precision constants, widened exactly.
constexpr double kYr = 0.299f, kYg = 0.587f, kYb = 0.114f;
constexpr double kCbR = -0.1684f, kCbG = -0.3316f, kCbB = 0.5f;
constexpr double kCrR = 0.5f, kCrG = -0.4187f, kCrB = -0.0813f;
constexpr double kRCr = 1.402f;
constexpr double kGCb = 0.3441f, kGCr = 0.7139f;
constexpr double kBCb = 1.7718f, kBCr = 0.0012f;

int ClampChannel(int value) { return std::clamp(value, 0, 255); }

struct HsvFractions {
  double r, g, b;
};

HsvFractions HsvFractionsOf(double h, double s, double v) {
  if (h == 360) h = 0;
  h /= 60;
  s /= 100;
  v /= 100;
  if (s == 0) return {v, v, v};
  const int i = std::max(0, static_cast<int>(h));
  const double f = h - i;
  const double p = v * (1 - s);
  const double q = v * (1 - s * f);
  const double t = v * (1 - s * (1 - f));
  switch (i) {
    case 1:
      return {q, v, p};
    case 2:
      return {p, v, t};
    case 3:
      return {p, q, v};
    case 4:
      return {t, p, v};
    case 5:
      return {v, p, q};
    default:
      return {v, t, p};
  }
}

int HsvChannelValue(double x) { return static_cast<int>(std::floor(255 * x + 0.5)); }

}  // namespace

// ---- ESL ----

int EslToRgbChannel(RgbChannel channel, double e, double s, double l) {
  const Pick pick = kEslPicks[static_cast<int>(channel)][EslSextant(e)];
  return RoundHalfUp(EslLevel(pick, e, s, l));
}

RgbColor EslToRgb(double e, double s, double l) {
  return RgbColor::FromInts(EslToRgbChannel(RgbChannel::kRed, e, s, l),
                            EslToRgbChannel(RgbChannel::kGreen, e, s, l),
                            EslToRgbChannel(RgbChannel::kBlue, e, s, l));
}

std::uint32_t EslToRgbPacked(double e, double s, double l) { return EslToRgb(e, s, l).Packed(); }

int RgbToEslE(int r, int g, int b) {
  if (r == g && g == b) return 0;
  return static_cast<int>(EslHue(r, g, b));
}

int RgbToEslS(int r, int g, int b) {
  if (r == g && g == b) return 0;
  return static_cast<int>(Saturation(240, std::max({r, g, b}), std::min({r, g, b})));
}

int RgbToEslL(int r, int g, int b) {
  if (r == g && g == b) return static_cast<int>(240.0 * r / 255);
  return static_cast<int>(120.0 * (std::max({r, g, b}) + std::min({r, g, b})) / 255);
}

ModelTriple RgbToEsl(int r, int g, int b) {
  return {RgbToEslE(r, g, b), RgbToEslS(r, g, b), RgbToEslL(r, g, b)};
}

// ---- HSL ----

int HslToRgbChannel(RgbChannel channel, double h, double s, double l) {
  if (h == 246) h = 0;
  if (s == 0) return static_cast<int>(l + 0.5);
  const Pick pick = kHslPicks[static_cast<int>(channel)][HslSextant(h)];
  return RoundHalfUp(HslLevel(pick, h, s, l));
}

RgbColor HslToRgb(double h, double s, double l) {
  return RgbColor::FromInts(HslToRgbChannel(RgbChannel::kRed, h, s, l),
                            HslToRgbChannel(RgbChannel::kGreen, h, s, l),
                            HslToRgbChannel(RgbChannel::kBlue, h, s, l));
}

std::uint32_t HslToRgbPacked(double h, double s, double l) { return HslToRgb(h, s, l).Packed(); }

RealTriple RgbToHslReal(int r, int g, int b) {
  if (r == g && g == b) return {246, 0, static_cast<double>(r)};
  const int max = std::max({r, g, b});
  const int min = std::min({r, g, b});
  double h = HslHue(r, g, b);
  if (h == 0) h = 246;
  return {h, Saturation(255, max, min), (max + min) / 2.0};
}

int RgbToHslH(int r, int g, int b) {
  if (r == g && g == b) return 246;
  const int h = static_cast<int>(HslHue(r, g, b));
  return h == 0 ? 246 : h;
}

int RgbToHslS(int r, int g, int b) {
  if (r == g && g == b) return 0;
  return static_cast<int>(Saturation(255, std::max({r, g, b}), std::min({r, g, b})));
}

int RgbToHslL(int r, int g, int b) {
  if (r == g && g == b) return r;
  return (std::max({r, g, b}) + std::min({r, g, b})) / 2;
}

ModelTriple RgbToHsl(int r, int g, int b) {
  return {RgbToHslH(r, g, b), RgbToHslS(r, g, b), RgbToHslL(r, g, b)};
}

// ---- HSV ----

int HsvToRgbChannel(RgbChannel channel, double h, double s, double v) {
  const HsvFractions f = HsvFractionsOf(h, s, v);
  switch (channel) {
    case RgbChannel::kRed:
      return HsvChannelValue(f.r);
    case RgbChannel::kGreen:
      return HsvChannelValue(f.g);
    case RgbChannel::kBlue:
      return HsvChannelValue(f.b);
  }
  return 0;
}

RgbColor HsvToRgb(double h, double s, double v) {
  const HsvFractions f = HsvFractionsOf(h, s, v);
  return RgbColor::FromInts(HsvChannelValue(f.r), HsvChannelValue(f.g), HsvChannelValue(f.b));
}

std::uint32_t HsvToRgbPacked(double h, double s, double v) { return HsvToRgb(h, s, v).Packed(); }

int RgbToHsvH(int r, int g, int b) {
  const double rf = r / 255.0, gf = g / 255.0, bf = b / 255.0;
  const double max = std::max({rf, gf, bf});
  const double d = max - std::min({rf, gf, bf});
  if (d == 0) return 0;
  double h;
  if (rf == max) {
    h = (gf - bf) / d;
  } else if (gf == max) {
    h = 2 + (bf - rf) / d;
  } else {
    h = 4 + (rf - gf) / d;
  }
  h *= 60;
  if (h < 0) h += 360;
  return static_cast<int>(h);
}

int RgbToHsvS(int r, int g, int b) {
  const double rf = r / 255.0, gf = g / 255.0, bf = b / 255.0;
  const double max = std::max({rf, gf, bf});
  if (max == 0) return 0;
  return static_cast<int>(100 * (max - std::min({rf, gf, bf})) / max);
}

int RgbToHsvV(int r, int g, int b) { return static_cast<int>(100 * (std::max({r, g, b}) / 255.0)); }

ModelTriple RgbToHsv(int r, int g, int b) {
  return {RgbToHsvH(r, g, b), RgbToHsvS(r, g, b), RgbToHsvV(r, g, b)};
}

// ---- Y/Cb/Cr ----

int YccToRgbChannel(RgbChannel channel, double y, double cb, double cr) {
  switch (channel) {
    case RgbChannel::kRed:
      return ClampChannel(static_cast<int>(y + kRCr * cr));
    case RgbChannel::kGreen:
      return ClampChannel(static_cast<int>(y - kGCb * cb - kGCr * cr));
    case RgbChannel::kBlue:
      return ClampChannel(static_cast<int>(y + kBCb * cb - kBCr * cr));
  }
  return 0;
}

RgbColor YccToRgb(double y, double cb, double cr) {
  return RgbColor::FromInts(YccToRgbChannel(RgbChannel::kRed, y, cb, cr),
                            YccToRgbChannel(RgbChannel::kGreen, y, cb, cr),
                            YccToRgbChannel(RgbChannel::kBlue, y, cb, cr));
}

std::uint32_t YccToRgbPacked(double y, double cb, double cr) {
  return YccToRgb(y, cb, cr).Packed();
}

RealTriple RgbToYccReal(int r, int g, int b) {
  return {kYr * r + kYg * g + kYb * b, kCbR * r + kCbG * g + kCbB * b,
          kCrR * r + kCrG * g + kCrB * b};
}

int RgbToYccY(int r, int g, int b) { return static_cast<int>(RgbToYccReal(r, g, b).first); }
int RgbToYccCb(int r, int g, int b) { return static_cast<int>(RgbToYccReal(r, g, b).second); }
int RgbToYccCr(int r, int g, int b) { return static_cast<int>(RgbToYccReal(r, g, b).third); }

ModelTriple RgbToYcc(int r, int g, int b) {
  const RealTriple real = RgbToYccReal(r, g, b);
  return {static_cast<int>(real.first), static_cast<int>(real.second),
          static_cast<int>(real.third)};
}

}  // namespace tintara
