#ifndef TINTARA_MAINWINDOW_PICKER_PICKER_MATH_H_
#define TINTARA_MAINWINDOW_PICKER_PICKER_MATH_H_

#include <array>
#include <cstdint>
#include <string>

// The screen picker's arithmetic: where the magnifier window goes, which
// screen pixels it enlarges into which part of its picture, where the red
// frame around the centre pixel sits, and the texts of its readouts.
namespace tintara {

// The magnifier's picture is this many pixels on a side.
inline constexpr int kMagnifierSize = 210;
// The shrunk main window of press-and-drag picking.
inline constexpr int kPushWindowWidth = 216;
inline constexpr int kPushClientHeight = 320;
// PanelPiccer covers the client area up to this column.
inline constexpr int kPushPanelRight = 211;
// BitBtnPiccer's place in its tool panel, and where it hides while the
// press-and-drag pick keeps the mouse.
inline constexpr int kPiccerButtonLeft = 83;
inline constexpr int kPiccerButtonHiddenLeft = 400;

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int right() const { return left + width; }   // exclusive
  int bottom() const { return top + height; }  // exclusive
  bool empty() const { return width <= 0 || height <= 0; }
  bool Contains(int x, int y) const { return x >= left && x < right() && y >= top && y < bottom(); }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The magnifier window's left edge: in the third of the monitor away from
// the cursor. `cursor_x` is on the desktop, the result too.
int MagnifierWindowLeft(int cursor_x, const PixelRect& monitor, int window_width);
// Its top edge when it is shown: centred on the monitor's height.
int MagnifierWindowTop(const PixelRect& monitor, int window_height);

// Which screen pixels the magnifier shows at cursor (x, y) with radius n:
// the source rectangle on the desktop is stretched onto the target
// rectangle of the picture, and the fills are painted black for the pixels
// that lie off the monitor. When the square lies whole on the monitor the
// target is the whole picture and there are no fills.
struct MagnifierPlan {
  PixelRect source;
  PixelRect target;
  std::array<PixelRect, 4> fills{};
  int fill_count = 0;
};
MagnifierPlan PlanMagnifier(int x, int y, int n, const PixelRect& monitor);

// Carries out a plan: `source` points at the plan's source rectangle's
// top-left pixel in a picture with `source_stride` pixels per row, `target`
// at a kMagnifierSize square picture with `target_stride` pixels per row.
// Each target pixel takes the source pixel its place falls on (no blending),
// so every screen pixel becomes a block of one colour.
void DrawMagnifier(const MagnifierPlan& plan, const std::uint32_t* source, int source_stride,
                   std::uint32_t* target, int target_stride);

// The four bars of the red frame around the centre pixel, for radius n.
struct MarkerBars {
  PixelRect up;
  PixelRect down;
  PixelRect left;
  PixelRect right;
};
MarkerBars MagnifierFrame(int n);

// The left edge that centres a label of `width` on `centre`.
int CentredLeft(int centre, int width);
// The left edge that centres a label of `label_width` in a window of
// `window_width`.
int CentredInWindow(int window_width, int label_width);
// Column centres of the red, green and blue readouts.
inline constexpr std::array<int, 3> kReadoutCentres = {41, 106, 171};

// "(512, 384)": the position line while the live screen is sampled.
std::string LivePositionText(int x, int y);
// "(512,384)": the position line over the frozen screen.
std::string FrozenPositionText(int x, int y);
// "(100,100) - (40,130) : [-60,30]": a measured rectangle.
std::string MeasureText(int anchor_x, int anchor_y, int x, int y);
// A channel value in lower-case hexadecimal without leading zeros.
std::string ReadoutHex(int value);

// The pixels of the rubber band from the anchor to (x, y), as the outline of
// the rectangle between them (right and bottom exclusive), each pixel once,
// so that inverting them twice leaves the picture as it was.
template <typename Visit>
void ForEachRubberBandPixel(int anchor_x, int anchor_y, int x, int y, Visit visit) {
  const int left = anchor_x < x ? anchor_x : x;
  const int right = anchor_x < x ? x : anchor_x;
  const int top = anchor_y < y ? anchor_y : y;
  const int bottom = anchor_y < y ? y : anchor_y;
  if (right - left < 1 || bottom - top < 1) return;
  for (int i = left; i < right; ++i) visit(i, top);
  if (bottom - 1 > top) {
    for (int i = left; i < right; ++i) visit(i, bottom - 1);
  }
  for (int j = top + 1; j < bottom - 1; ++j) {
    visit(left, j);
    if (right - 1 > left) visit(right - 1, j);
  }
}

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_PICKER_PICKER_MATH_H_
