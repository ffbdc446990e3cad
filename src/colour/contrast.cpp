#include "colour/contrast.h"

#include <cmath>
#include <cstdio>

namespace tintara {
namespace {

// One sRGB channel, 0..255, as linear light 0..1.
double LinearChannel(std::uint8_t value) {
  const double c = value / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(RgbColor colour) {
  return 0.2126 * LinearChannel(colour.r) + 0.7152 * LinearChannel(colour.g) +
         0.0722 * LinearChannel(colour.b);
}

double ContrastRatio(RgbColor first, RgbColor second) {
  const double a = RelativeLuminance(first);
  const double b = RelativeLuminance(second);
  const double lighter = a > b ? a : b;
  const double darker = a > b ? b : a;
  return (lighter + 0.05) / (darker + 0.05);
}

ContrastVerdicts JudgeContrast(double ratio) {
  return {ratio >= kAaNormalTextRatio, ratio >= kAaLargeTextRatio, ratio >= kAaaNormalTextRatio,
          ratio >= kAaaLargeTextRatio};
}

std::string ContrastRatioText(double ratio) {
  long long hundredths = std::llround(ratio * 100);
  for (const double required : {kAaLargeTextRatio, kAaNormalTextRatio, kAaaNormalTextRatio}) {
    const long long required_hundredths = std::llround(required * 100);
    if (ratio < required && hundredths >= required_hundredths) {
      hundredths = required_hundredths - 1;
    }
  }
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%02lld", hundredths / 100, hundredths % 100);
  return text;
}

}  // namespace tintara
