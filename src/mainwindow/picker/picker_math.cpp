#include "mainwindow/picker/picker_math.h"

#include <algorithm>
#include <cstdio>

namespace tintara {
namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;

// One axis of a plan: the visible run of the square's pixels, its place in
// the picture, and the black runs before and after it.
struct AxisPlan {
  int source_start = 0;  // on the monitor
  int source_length = 0;
  int target_start = 0;
  int target_end = 0;
  int fill_before = 0;  // target pixels [0, fill_before) are black
  int fill_after = 0;   // target pixels [fill_after, D) are black when < D
};

AxisPlan PlanAxis(int c, int n, int extent) {
  const int side = 2 * n + 1;
  constexpr int d = kMagnifierSize;
  // The square's columns first..last-1 lie on the monitor.
  const int first = std::max(0, n - c);
  const int last = std::min(side, extent - c + n);
  AxisPlan axis;
  axis.source_start = c - n + first;
  axis.source_length = std::max(0, last - first);
  axis.target_start = d * first / side;
  // Cut at the near edge only, the visible pixels reach the far edge of the
  // picture; a width of d * length / side would leave a column short of it,
  // showing what an earlier position left there.
  axis.target_end = last == side ? d : d * last / side;
  axis.fill_before = axis.target_start;
  axis.fill_after = axis.target_end;
  return axis;
}

}  // namespace

int MagnifierWindowLeft(int cursor_x, const PixelRect& monitor, int window_width) {
  const int x = cursor_x - monitor.left;
  const int w = monitor.width;
  const int left = 2 * x < w ? (2 * w) / 3 - window_width / 3 : w / 3 - (2 * window_width) / 3;
  return monitor.left + left;
}

int MagnifierWindowTop(const PixelRect& monitor, int window_height) {
  return monitor.top + monitor.height / 2 - window_height / 2;
}

MagnifierPlan PlanMagnifier(int x, int y, int n, const PixelRect& monitor) {
  constexpr int d = kMagnifierSize;
  MagnifierPlan plan;
  if (monitor.empty()) {
    plan.fills[0] = {0, 0, d, d};
    plan.fill_count = 1;
    return plan;
  }
  // A cursor between monitors counts as on the nearest edge of this one.
  const int cx = std::clamp(x - monitor.left, 0, monitor.width - 1);
  const int cy = std::clamp(y - monitor.top, 0, monitor.height - 1);
  const AxisPlan h = PlanAxis(cx, n, monitor.width);
  const AxisPlan v = PlanAxis(cy, n, monitor.height);
  plan.source = {monitor.left + h.source_start, monitor.top + v.source_start, h.source_length,
                 v.source_length};
  plan.target = {h.target_start, v.target_start, h.target_end - h.target_start,
                 v.target_end - v.target_start};
  auto add_fill = [&plan](PixelRect r) {
    if (!r.empty()) plan.fills[plan.fill_count++] = r;
  };
  add_fill({0, 0, h.fill_before, d});
  add_fill({h.fill_after, 0, d - h.fill_after, d});
  add_fill({0, 0, d, v.fill_before});
  add_fill({0, v.fill_after, d, d - v.fill_after});
  return plan;
}

void DrawMagnifier(const MagnifierPlan& plan, const std::uint32_t* source, int source_stride,
                   std::uint32_t* target, int target_stride) {
  for (int k = 0; k < plan.fill_count; ++k) {
    const PixelRect& f = plan.fills[k];
    for (int j = f.top; j < f.bottom(); ++j) {
      std::fill(target + j * target_stride + f.left, target + j * target_stride + f.right(),
                kBlack);
    }
  }
  const PixelRect& s = plan.source;
  const PixelRect& t = plan.target;
  if (s.empty() || t.empty()) return;
  std::array<int, kMagnifierSize> columns{};
  for (int i = 0; i < t.width; ++i) columns[i] = i * s.width / t.width;
  const std::uint32_t* previous_row = nullptr;
  for (int j = 0; j < t.height; ++j) {
    const std::uint32_t* from = source + (j * s.height / t.height) * source_stride;
    std::uint32_t* to = target + (t.top + j) * target_stride + t.left;
    if (from == previous_row) {
      // The same screen row as the line above: copy that line whole.
      std::copy(to - target_stride, to - target_stride + t.width, to);
      continue;
    }
    for (int i = 0; i < t.width; ++i) to[i] = from[columns[i]];
    previous_row = from;
  }
}

MarkerBars MagnifierFrame(int n) {
  const double c = 210.0 / (2 * n + 1);
  auto t = [](double v) { return static_cast<int>(v); };
  const int near = t(c * n);
  const int outer = t(c * n - 2);
  const int far = t(c * (n + 1));
  const int length = t(c + 2);
  MarkerBars bars;
  bars.up = {near, outer, length, 2};
  bars.down = {outer, far, length, 2};
  bars.left = {outer, outer, 2, length};
  bars.right = {far, near, 2, length};
  return bars;
}

int CentredLeft(int centre, int width) { return centre - width / 2; }

int CentredInWindow(int window_width, int label_width) {
  return window_width / 2 - label_width / 2;
}

std::string LivePositionText(int x, int y) {
  return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

std::string FrozenPositionText(int x, int y) {
  return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

std::string MeasureText(int anchor_x, int anchor_y, int x, int y) {
  return "(" + std::to_string(anchor_x) + "," + std::to_string(anchor_y) + ") - (" +
         std::to_string(x) + "," + std::to_string(y) + ") : [" + std::to_string(x - anchor_x) +
         "," + std::to_string(y - anchor_y) + "]";
}

std::string ReadoutHex(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(value));
  return text;
}

}  // namespace tintara
