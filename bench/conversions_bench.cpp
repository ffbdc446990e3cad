// Times every colour conversion and counts heap allocations while it runs.
// Each conversion of the six models should take well under 20 ns, each of
// the style-sheet spaces well under 100 ns, and none may allocate.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "colour/colour_models.h"
#include "colour/conversions.h"
#include "colour/css_spaces.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

// The counting operator new takes its memory from malloc, so the matching
// delete frees it; GCC cannot see that the two belong together.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace tintara {
namespace {

// Walks through many inputs so the branch predictor sees every sextant.
template <typename Fn>
void RunOverColours(benchmark::State& state, Fn fn) {
  const long before = allocations.load();
  int i = 0;
  for (auto _ : state) {
    const int r = (i * 37) & 255, g = (i * 91) & 255, b = (i * 53) & 255;
    benchmark::DoNotOptimize(fn(r, g, b));
    ++i;
  }
  state.counters["allocs"] = static_cast<double>(allocations.load() - before);
}

void BM_EslToRgb(benchmark::State& s) {
  RunOverColours(s, [](int a, int b, int c) { return EslToRgbPacked(a % 240, b % 241, c % 241); });
}
void BM_RgbToEsl(benchmark::State& s) { RunOverColours(s, RgbToEsl); }
void BM_HslToRgb(benchmark::State& s) {
  RunOverColours(s, [](int a, int b, int c) { return HslToRgbPacked(a % 246 + 1, b, c); });
}
void BM_RgbToHsl(benchmark::State& s) { RunOverColours(s, RgbToHsl); }
void BM_RgbToHslReal(benchmark::State& s) {
  RunOverColours(s, [](int a, int b, int c) { return RgbToHslReal(a, b, c).first; });
}
void BM_HsvToRgb(benchmark::State& s) {
  RunOverColours(
      s, [](int a, int b, int c) { return HsvToRgbPacked(a * 360 / 255, b % 101, c % 101); });
}
void BM_RgbToHsv(benchmark::State& s) { RunOverColours(s, RgbToHsv); }
void BM_YccToRgb(benchmark::State& s) {
  RunOverColours(s, [](int a, int b, int c) { return YccToRgbPacked(a, b - 128, c - 128); });
}
void BM_RgbToYcc(benchmark::State& s) { RunOverColours(s, RgbToYcc); }
void BM_YmcToRgb(benchmark::State& s) {
  RunOverColours(s, [](int a, int b, int c) {
    return ModelToRgb(SlideModel::kYmc, {a, b, c}).Packed();
  });
}
void BM_EslToRgbOneChannel(benchmark::State& s) {
  RunOverColours(s, [](int a, int b, int c) {
    return EslToRgbChannel(RgbChannel::kGreen, a % 240, b % 241, c % 241);
  });
}
void BM_RgbToEslOneComponent(benchmark::State& s) { RunOverColours(s, RgbToEslE); }

// 8-bit sRGB into a style-sheet space.
void BM_RgbToCss(benchmark::State& s, CssSpace space) {
  RunOverColours(
      s, [space](int r, int g, int b) { return RgbToCss(space, RgbColor::FromInts(r, g, b))[0]; });
}

// A colour of the space back to 8-bit sRGB, gamut check included; the
// inputs are sRGB colours, as most colours on a page are.
void BM_CssToRgb(benchmark::State& s, CssSpace space) {
  static CssTriple inputs[256];
  for (int i = 0; i < 256; ++i) {
    inputs[i] = RgbToCss(space, RgbColor::FromInts(i * 37, i * 91, i * 53));
  }
  RunOverColours(
      s, [space](int r, int, int) { return SrgbToRgb(MapToSrgb(space, inputs[r]).srgb).Packed(); });
}

// Colours well outside sRGB, brought in by chroma reduction.
void BM_GamutMapOklch(benchmark::State& s) {
  RunOverColours(s, [](int r, int g, int b) {
    const CssTriple far = {0.3 + r / 512.0, 0.25 + g / 1024.0, b * 360 / 256.0};
    return SrgbToRgb(MapToSrgb(CssSpace::kOklch, far).srgb).Packed();
  });
}

BENCHMARK_CAPTURE(BM_RgbToCss, Hsl, CssSpace::kHsl);
BENCHMARK_CAPTURE(BM_RgbToCss, Hwb, CssSpace::kHwb);
BENCHMARK_CAPTURE(BM_RgbToCss, SrgbLinear, CssSpace::kSrgbLinear);
BENCHMARK_CAPTURE(BM_RgbToCss, XyzD65, CssSpace::kXyzD65);
BENCHMARK_CAPTURE(BM_RgbToCss, XyzD50, CssSpace::kXyzD50);
BENCHMARK_CAPTURE(BM_RgbToCss, Lab, CssSpace::kLab);
BENCHMARK_CAPTURE(BM_RgbToCss, Lch, CssSpace::kLch);
BENCHMARK_CAPTURE(BM_RgbToCss, Oklab, CssSpace::kOklab);
BENCHMARK_CAPTURE(BM_RgbToCss, Oklch, CssSpace::kOklch);
BENCHMARK_CAPTURE(BM_RgbToCss, DisplayP3, CssSpace::kDisplayP3);
BENCHMARK_CAPTURE(BM_CssToRgb, Hsl, CssSpace::kHsl);
BENCHMARK_CAPTURE(BM_CssToRgb, Hwb, CssSpace::kHwb);
BENCHMARK_CAPTURE(BM_CssToRgb, SrgbLinear, CssSpace::kSrgbLinear);
BENCHMARK_CAPTURE(BM_CssToRgb, XyzD65, CssSpace::kXyzD65);
BENCHMARK_CAPTURE(BM_CssToRgb, XyzD50, CssSpace::kXyzD50);
BENCHMARK_CAPTURE(BM_CssToRgb, Lab, CssSpace::kLab);
BENCHMARK_CAPTURE(BM_CssToRgb, Lch, CssSpace::kLch);
BENCHMARK_CAPTURE(BM_CssToRgb, Oklab, CssSpace::kOklab);
BENCHMARK_CAPTURE(BM_CssToRgb, Oklch, CssSpace::kOklch);
BENCHMARK_CAPTURE(BM_CssToRgb, DisplayP3, CssSpace::kDisplayP3);
BENCHMARK(BM_GamutMapOklch);

BENCHMARK(BM_EslToRgb);
BENCHMARK(BM_RgbToEsl);
BENCHMARK(BM_HslToRgb);
BENCHMARK(BM_RgbToHsl);
BENCHMARK(BM_RgbToHslReal);
BENCHMARK(BM_HsvToRgb);
BENCHMARK(BM_RgbToHsv);
BENCHMARK(BM_YccToRgb);
BENCHMARK(BM_RgbToYcc);
BENCHMARK(BM_YmcToRgb);
BENCHMARK(BM_EslToRgbOneChannel);
BENCHMARK(BM_RgbToEslOneComponent);

}  // namespace
}  // namespace tintara

BENCHMARK_MAIN();
