#include "colour/css_spaces.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace tintara {
namespace {

using Matrix = std::array<CssTriple, 3>;

constexpr CssTriple Multiply(const Matrix& m, const CssTriple& v) {
  return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
          m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
          m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

// The published matrices, exact fractions where they are given so.
constexpr Matrix kLinearSrgbToXyz = {{
    {506752.0 / 1228815, 87881.0 / 245763, 12673.0 / 70218},
    {87098.0 / 409605, 175762.0 / 245763, 12673.0 / 175545},
    {7918.0 / 409605, 87881.0 / 737289, 1001167.0 / 1053270},
}};
constexpr Matrix kXyzToLinearSrgb = {{
    {12831.0 / 3959, -329.0 / 214, -1974.0 / 3959},
    {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
    {705.0 / 12673, -2585.0 / 12673, 705.0 / 667},
}};
constexpr Matrix kLinearP3ToXyz = {{
    {608311.0 / 1250200, 189793.0 / 714400, 198249.0 / 1000160},
    {35783.0 / 156275, 247089.0 / 357200, 198249.0 / 2500400},
    {0.0, 32229.0 / 714400, 5220557.0 / 5000800},
}};
constexpr Matrix kXyzToLinearP3 = {{
    {446124.0 / 178915, -333277.0 / 357830, -72051.0 / 178915},
    {-14852.0 / 17905, 63121.0 / 35810, 423.0 / 17905},
    {11844.0 / 330415, -50337.0 / 660830, 316169.0 / 330415},
}};
// Bradford chromatic adaptation.
constexpr Matrix kD65ToD50 = {{
    {1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
    {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
    {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371},
}};
constexpr Matrix kD50ToD65 = {{
    {0.955473421488075, -0.02309845494876471, 0.06325924320057072},
    {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
    {0.012314014864481998, -0.020507649298898964, 1.330365926242124},
}};
constexpr Matrix kXyzToLms = {{
    {0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
    {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
    {0.0481771893596242, 0.2642395317527308, 0.6335478284694309},
}};
constexpr Matrix kLmsToOklab = {{
    {0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
    {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
    {0.0259040424655478, 0.7827717124575296, -0.8086757549230774},
}};
constexpr Matrix kOklabToLms = {{
    {1.0000000000000000, 0.3963377773761749, 0.2158037573299030},
    {1.0000000000000000, -0.1055613458156586, -0.0638541728258133},
    {1.0000000000000000, -0.0894841775298119, -1.2914855480194092},
}};
constexpr Matrix kLmsToXyz = {{
    {1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
    {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
    {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816},
}};

constexpr Matrix Product(const Matrix& a, const Matrix& b) {
  Matrix m{};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) m[r][c] = a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c];
  }
  return m;
}

// The paths 8-bit colours take most, in one step each.
constexpr Matrix kLinearSrgbToXyzD50 = Product(kD65ToD50, kLinearSrgbToXyz);
constexpr Matrix kLinearSrgbToLms = Product(kXyzToLms, kLinearSrgbToXyz);
constexpr Matrix kLmsToLinearSrgb = Product(kXyzToLinearSrgb, kLmsToXyz);
constexpr Matrix kLinearP3ToLinearSrgb = Product(kXyzToLinearSrgb, kLinearP3ToXyz);
constexpr Matrix kLinearSrgbToLinearP3 = Product(kXyzToLinearP3, kLinearSrgbToXyz);

constexpr CssTriple kD50White = {0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};
constexpr double kLabEpsilon = 216.0 / 24389;
constexpr double kLabKappa = 24389.0 / 27;

constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

template <int N>
constexpr double IntegerPower(double x) {
  if constexpr (N == 1) {
    return x;
  } else if constexpr (N % 2 == 0) {
    const double half = IntegerPower<N / 2>(x);
    return half * half;
  } else {
    return IntegerPower<N - 1>(x) * x;
  }
}

// The N-th root of v >= 1 by Newton's method, for building tables at compile
// time; from above it falls steadily and then settles in a few steps.
template <int N>
constexpr double SlowRoot(double v) {
  double y = v;
  for (int i = 0; i < 1000; ++i) {
    const double next = y - (IntegerPower<N>(y) - v) / (N * IntegerPower<N - 1>(y));
    if (next >= y) break;
    y = next;
  }
  return y;
}

// First guesses for a^(P/N). With a = 2^e * mu and P*e = N*q + r, the power
// is 2^q * (2^r * mu^P)^(1/N): the table holds the second factor for each r
// at the 2^B + 1 evenly spaced knots of the mantissa mu from 1 to 2.
template <int P, int N, int B>
struct PowerKnots {
  std::array<std::array<double, (1 << B) + 1>, N> values{};

  constexpr PowerKnots() {
    for (int r = 0; r < N; ++r) {
      for (int knot = 0; knot <= (1 << B); ++knot) {
        values[r][knot] = SlowRoot<N>((1 << r) * IntegerPower<P>(1 + double(knot) / (1 << B)));
      }
    }
  }
};

template <int P, int N, int B>
constexpr PowerKnots<P, N, B> kPowerKnots;

// a^(P/N) for a >= 0 to within about ten units of the last place, in a
// fraction of the library's time for a general power: a first guess good to
// a few millionths, straight between the table's two nearest knots, then one
// step of Halley's iteration on y^N = a^P, which triples the correct digits.
template <int P, int N, int B>
double RationalPower(double a) {
  // Zero, subnormals, the absurd and NaN go the long way; within these
  // bounds a^P neither overflows nor leaves the normal range.
  constexpr std::uint64_t kLimit = 1000 / P;
  constexpr double kLow = std::bit_cast<double>((1023 - kLimit) << 52);
  constexpr double kHigh = std::bit_cast<double>((1023 + kLimit) << 52);
  if (!(a >= kLow && a <= kHigh)) return std::pow(a, static_cast<double>(P) / N);
  const auto bits = std::bit_cast<std::uint64_t>(a);
  const int exponent = static_cast<int>(bits >> 52) - 1023;
  // Shifts P * exponent to a positive number so that / and % round down.
  constexpr int kShift = 1023 * P / N + 2;
  const auto shifted = static_cast<unsigned>(P * exponent + N * kShift);
  const auto& knots = kPowerKnots<P, N, B>.values[shifted % N];
  constexpr int kFractionBits = 52 - B;
  const unsigned knot = (bits >> kFractionBits) & ((1u << B) - 1);
  const double between = static_cast<double>(bits & ((std::uint64_t{1} << kFractionBits) - 1)) *
                         (1.0 / static_cast<double>(std::uint64_t{1} << kFractionBits));
  const double guess = knots[knot] + (knots[knot + 1] - knots[knot]) * between;
  const std::int64_t scale = static_cast<std::int64_t>(shifted / N) - kShift;
  const double y =
      std::bit_cast<double>(std::bit_cast<std::uint64_t>(guess) +
                            static_cast<std::uint64_t>(scale) * (std::uint64_t{1} << 52));
  const double target = IntegerPower<P>(a);
  const double power = IntegerPower<N>(y);
  return y * (((N - 1) * power + (N + 1) * target) / ((N + 1) * power + (N - 1) * target));
}

double Cbrt(double x) { return std::copysign(RationalPower<1, 3, 6>(std::fabs(x)), x); }

// The sRGB transfer curve, extended to values beyond 0..1 by symmetry.
double SrgbToLinear(double c) {
  const double magnitude = std::fabs(c);
  if (magnitude <= 0.04045) return c / 12.92;
  // t^2.4 = t^2 * (t^(1/5))^2.
  const double t = (magnitude + 0.055) * (1 / 1.055);
  const double fifth = RationalPower<1, 5, 6>(t);
  return std::copysign((t * t) * (fifth * fifth), c);
}

double LinearToSrgb(double c) {
  const double magnitude = std::fabs(c);
  if (magnitude <= 0.0031308) return 12.92 * c;
  return std::copysign(1.055 * RationalPower<5, 12, 7>(magnitude) - 0.055, c);
}

CssTriple Decode(const CssTriple& v) {
  return {SrgbToLinear(v[0]), SrgbToLinear(v[1]), SrgbToLinear(v[2])};
}

CssTriple Encode(const CssTriple& v) {
  return {LinearToSrgb(v[0]), LinearToSrgb(v[1]), LinearToSrgb(v[2])};
}

double NormaliseHue(double hue) {
  if (hue >= 0 && hue < 360) return hue;
  double h = std::fmod(hue, 360.0);
  if (h < 0) h += 360;
  return h == 360 ? 0 : h;
}

// Hue, saturation and lightness (0..100) to sRGB.
CssTriple HslToSrgb(const CssTriple& hsl) {
  const double hue = NormaliseHue(hsl[0]);
  const double sat = hsl[1] / 100;
  const double light = hsl[2] / 100;
  const double a = sat * std::min(light, 1 - light);
  const auto f = [&](double n) {
    // n + hue / 30 lies in 0..20: one wrap at most.
    double k = n + hue / 30;
    if (k >= 12) k -= 12;
    return light - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
  };
  return {f(0), f(8), f(4)};
}

// The hue of an sRGB colour in degrees, 0 for greys.
double SrgbHue(const CssTriple& rgb, double max, double d) {
  if (d == 0) return 0;
  double hue;
  if (max == rgb[0]) {
    hue = (rgb[1] - rgb[2]) / d + (rgb[1] < rgb[2] ? 6 : 0);
  } else if (max == rgb[1]) {
    hue = (rgb[2] - rgb[0]) / d + 2;
  } else {
    hue = (rgb[0] - rgb[1]) / d + 4;
  }
  return hue * 60;
}

CssTriple SrgbToHsl(const CssTriple& rgb) {
  const double max = std::max({rgb[0], rgb[1], rgb[2]});
  const double min = std::min({rgb[0], rgb[1], rgb[2]});
  const double d = max - min;
  const double light = (min + max) / 2;
  double hue = SrgbHue(rgb, max, d);
  double sat = 0;
  if (d != 0 && light != 0 && light != 1) sat = (max - light) / std::min(light, 1 - light);
  // Colours beyond sRGB can give a negative saturation: the same colour
  // with the opposite hue.
  if (sat < 0) {
    hue += 180;
    sat = -sat;
  }
  return {NormaliseHue(hue), sat * 100, light * 100};
}

CssTriple HwbToSrgb(const CssTriple& hwb) {
  const double white = hwb[1] / 100;
  const double black = hwb[2] / 100;
  if (white + black >= 1) {
    const double grey = white / (white + black);
    return {grey, grey, grey};
  }
  CssTriple rgb = HslToSrgb({hwb[0], 100, 50});
  for (double& c : rgb) c = c * (1 - white - black) + white;
  return rgb;
}

CssTriple SrgbToHwb(const CssTriple& rgb) {
  const double max = std::max({rgb[0], rgb[1], rgb[2]});
  const double min = std::min({rgb[0], rgb[1], rgb[2]});
  return {NormaliseHue(SrgbHue(rgb, max, max - min)), min * 100, (1 - max) * 100};
}

CssTriple XyzD50ToLab(const CssTriple& xyz) {
  CssTriple f;
  for (int i = 0; i < 3; ++i) {
    const double v = xyz[i] / kD50White[i];
    f[i] = v > kLabEpsilon ? Cbrt(v) : (kLabKappa * v + 16) / 116;
  }
  return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

CssTriple LabToXyzD50(const CssTriple& lab) {
  const double f1 = (lab[0] + 16) / 116;
  const double f0 = lab[1] / 500 + f1;
  const double f2 = f1 - lab[2] / 200;
  const double f0_cubed = f0 * f0 * f0;
  const double f2_cubed = f2 * f2 * f2;
  const double x = f0_cubed > kLabEpsilon ? f0_cubed : (116 * f0 - 16) / kLabKappa;
  const double y = lab[0] > kLabKappa * kLabEpsilon ? f1 * f1 * f1 : lab[0] / kLabKappa;
  const double z = f2_cubed > kLabEpsilon ? f2_cubed : (116 * f2 - 16) / kLabKappa;
  return {x * kD50White[0], y * kD50White[1], z * kD50White[2]};
}

CssTriple LmsToOklab(const CssTriple& lms) {
  return Multiply(kLmsToOklab, {Cbrt(lms[0]), Cbrt(lms[1]), Cbrt(lms[2])});
}

CssTriple XyzToOklab(const CssTriple& xyz) { return LmsToOklab(Multiply(kXyzToLms, xyz)); }

CssTriple OklabToXyz(const CssTriple& lab) {
  const CssTriple lms = Multiply(kOklabToLms, lab);
  return Multiply(kLmsToXyz,
                  {lms[0] * lms[0] * lms[0], lms[1] * lms[1] * lms[1], lms[2] * lms[2] * lms[2]});
}

CssTriple ToPolar(const CssTriple& lab) {
  const double hue = std::atan2(lab[2], lab[1]) * kDegreesPerRadian;
  return {lab[0], std::sqrt(lab[1] * lab[1] + lab[2] * lab[2]), NormaliseHue(hue)};
}

CssTriple FromPolar(const CssTriple& lch) {
  const double radians = lch[2] / kDegreesPerRadian;
  return {lch[0], lch[1] * std::cos(radians), lch[1] * std::sin(radians)};
}

// Spaces whose conversions run through gamma-encoded sRGB.
bool IsSrgbForm(CssSpace space) {
  return space == CssSpace::kSrgb || space == CssSpace::kHsl || space == CssSpace::kHwb;
}

CssTriple SrgbFormToSrgb(CssSpace space, const CssTriple& values) {
  switch (space) {
    case CssSpace::kHsl:
      return HslToSrgb(values);
    case CssSpace::kHwb:
      return HwbToSrgb(values);
    default:
      return values;
  }
}

CssTriple SrgbToSrgbForm(CssSpace space, const CssTriple& srgb) {
  switch (space) {
    case CssSpace::kHsl:
      return SrgbToHsl(srgb);
    case CssSpace::kHwb:
      return SrgbToHwb(srgb);
    default:
      return srgb;
  }
}

// The 8-bit sRGB channel values made linear, once.
const std::array<double, 256>& LinearChannelTable() {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = SrgbToLinear(i / 255.0);
    return t;
  }();
  return table;
}

bool InSrgb(const CssTriple& srgb) {
  return srgb[0] >= 0 && srgb[0] <= 1 && srgb[1] >= 0 && srgb[1] <= 1 && srgb[2] >= 0 &&
         srgb[2] <= 1;
}

CssTriple Clip(const CssTriple& srgb) {
  return {std::clamp(srgb[0], 0.0, 1.0), std::clamp(srgb[1], 0.0, 1.0),
          std::clamp(srgb[2], 0.0, 1.0)};
}

double DeltaEOk(const CssTriple& a, const CssTriple& b) {
  return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                   (a[2] - b[2]) * (a[2] - b[2]));
}

CssTriple OklchToSrgb(const CssTriple& lch) {
  const CssTriple lms = Multiply(kOklabToLms, FromPolar(lch));
  return Encode(Multiply(kLmsToLinearSrgb, {lms[0] * lms[0] * lms[0], lms[1] * lms[1] * lms[1],
                                            lms[2] * lms[2] * lms[2]}));
}

CssTriple SrgbToOklab(const CssTriple& srgb) {
  return LmsToOklab(Multiply(kLinearSrgbToLms, Decode(srgb)));
}

}  // namespace

CssTriple CssToXyzD65(CssSpace space, const CssTriple& values) {
  switch (space) {
    case CssSpace::kSrgb:
    case CssSpace::kHsl:
    case CssSpace::kHwb:
      return Multiply(kLinearSrgbToXyz, Decode(SrgbFormToSrgb(space, values)));
    case CssSpace::kSrgbLinear:
      return Multiply(kLinearSrgbToXyz, values);
    case CssSpace::kDisplayP3:
      return Multiply(kLinearP3ToXyz, Decode(values));
    case CssSpace::kXyzD65:
      return values;
    case CssSpace::kXyzD50:
      return Multiply(kD50ToD65, values);
    case CssSpace::kLab:
      return Multiply(kD50ToD65, LabToXyzD50(values));
    case CssSpace::kLch:
      return Multiply(kD50ToD65, LabToXyzD50(FromPolar(values)));
    case CssSpace::kOklab:
      return OklabToXyz(values);
    case CssSpace::kOklch:
      return OklabToXyz(FromPolar(values));
  }
  return values;
}

CssTriple CssFromXyzD65(CssSpace space, const CssTriple& xyz) {
  switch (space) {
    case CssSpace::kSrgb:
    case CssSpace::kHsl:
    case CssSpace::kHwb:
      return SrgbToSrgbForm(space, Encode(Multiply(kXyzToLinearSrgb, xyz)));
    case CssSpace::kSrgbLinear:
      return Multiply(kXyzToLinearSrgb, xyz);
    case CssSpace::kDisplayP3:
      return Encode(Multiply(kXyzToLinearP3, xyz));
    case CssSpace::kXyzD65:
      return xyz;
    case CssSpace::kXyzD50:
      return Multiply(kD65ToD50, xyz);
    case CssSpace::kLab:
      return XyzD50ToLab(Multiply(kD65ToD50, xyz));
    case CssSpace::kLch:
      return ToPolar(XyzD50ToLab(Multiply(kD65ToD50, xyz)));
    case CssSpace::kOklab:
      return XyzToOklab(xyz);
    case CssSpace::kOklch:
      return ToPolar(XyzToOklab(xyz));
  }
  return xyz;
}

CssTriple ConvertCss(CssSpace from, CssSpace to, const CssTriple& values) {
  if (from == to) return values;
  // Among the sRGB forms the round way through XYZ would only add error.
  if (IsSrgbForm(from) && IsSrgbForm(to)) {
    return SrgbToSrgbForm(to, SrgbFormToSrgb(from, values));
  }
  if (from == CssSpace::kDisplayP3 && IsSrgbForm(to)) {
    return SrgbToSrgbForm(to, Encode(Multiply(kLinearP3ToLinearSrgb, Decode(values))));
  }
  return CssFromXyzD65(to, CssToXyzD65(from, values));
}

CssTriple RgbToCss(CssSpace space, RgbColor colour) {
  const CssTriple srgb = {colour.r / 255.0, colour.g / 255.0, colour.b / 255.0};
  if (IsSrgbForm(space)) return SrgbToSrgbForm(space, srgb);
  const auto& linear = LinearChannelTable();
  const CssTriple light = {linear[colour.r], linear[colour.g], linear[colour.b]};
  switch (space) {
    case CssSpace::kSrgbLinear:
      return light;
    case CssSpace::kLab:
      return XyzD50ToLab(Multiply(kLinearSrgbToXyzD50, light));
    case CssSpace::kLch:
      return ToPolar(XyzD50ToLab(Multiply(kLinearSrgbToXyzD50, light)));
    case CssSpace::kOklab:
      return LmsToOklab(Multiply(kLinearSrgbToLms, light));
    case CssSpace::kOklch:
      return ToPolar(LmsToOklab(Multiply(kLinearSrgbToLms, light)));
    case CssSpace::kDisplayP3:
      return Encode(Multiply(kLinearSrgbToLinearP3, light));
    default:
      return CssFromXyzD65(space, Multiply(kLinearSrgbToXyz, light));
  }
}

SrgbMapping MapToSrgb(CssSpace space, const CssTriple& values) {
  SrgbMapping mapping;
  const CssTriple srgb = ConvertCss(space, CssSpace::kSrgb, values);
  constexpr double kHalfStep = 0.5 / 255;
  for (double c : srgb) {
    // Also true for NaN, which only absurd input gives.
    if (!(c >= -kHalfStep && c <= 1 + kHalfStep)) mapping.clipped = true;
  }
  if (InSrgb(srgb)) {
    mapping.srgb = srgb;
    return mapping;
  }
  const CssTriple origin =
      space == CssSpace::kOklch ? values : ConvertCss(space, CssSpace::kOklch, values);
  if (!(origin[0] < 1)) {
    mapping.srgb = {1, 1, 1};
    return mapping;
  }
  if (!(origin[0] > 0) || !std::isfinite(origin[1]) || !std::isfinite(origin[2])) {
    mapping.srgb = {0, 0, 0};
    return mapping;
  }
  constexpr double kEpsilon = 0.0001;
  CssTriple current = origin;
  CssTriple clipped = Clip(srgb);
  if (DeltaEOk(SrgbToOklab(clipped), FromPolar(current)) < kGamutJnd) {
    mapping.srgb = clipped;
    return mapping;
  }
  double min = 0;
  double max = origin[1];
  bool min_in_gamut = true;
  while (max - min > kEpsilon) {
    const double chroma = (min + max) / 2;
    current[1] = chroma;
    const CssTriple candidate = OklchToSrgb(current);
    if (min_in_gamut && InSrgb(candidate)) {
      min = chroma;
      continue;
    }
    clipped = Clip(candidate);
    const double e = DeltaEOk(SrgbToOklab(clipped), FromPolar(current));
    if (e < kGamutJnd) {
      if (kGamutJnd - e < kEpsilon) break;
      min_in_gamut = false;
      min = chroma;
    } else {
      max = chroma;
    }
  }
  mapping.srgb = clipped;
  return mapping;
}

RgbColor SrgbToRgb(const CssTriple& srgb) {
  // Half up; the clamped value is never negative.
  const auto byte = [](double c) { return static_cast<int>(std::clamp(c, 0.0, 1.0) * 255 + 0.5); };
  return RgbColor::FromInts(byte(srgb[0]), byte(srgb[1]), byte(srgb[2]));
}

}  // namespace tintara
