// Times every colour conversion and counts heap allocations while it runs.
// Each conversion should take well under 20 ns and allocate nothing.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "colour/colour_models.h"
#include "colour/conversions.h"

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
