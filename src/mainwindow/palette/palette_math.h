#ifndef TINTARA_MAINWINDOW_PALETTE_PALETTE_MATH_H_
#define TINTARA_MAINWINDOW_PALETTE_PALETTE_MATH_H_

#include <array>
#include <cstdint>
#include <string_view>

#include "colour/colour_models.h"
#include "colour/rgb_color.h"

// Arithmetic of the gradient palette: the 32 x 32 field, the bar beside it,
// the markers, and the mapping between mouse positions and values. Nothing
// here draws; the window paints what these functions compute.
namespace tintara {

// The eighteen channels the bar can show, numbered as the options list them:
// three per model, in model order (R G B, Y M C, E S L, H S L, H S V, Y Cb Cr).
inline constexpr int kPaletteChannelCount = 18;
inline constexpr int kDefaultPaletteChannel = 8;  // L of ESL

struct PaletteAxisRow {
  int bar;  // the component on the bar (equal to the channel number)
  int x;    // the model's other two components, in model order
  int y;
  ComponentRange x_range;
  ComponentRange y_range;
  ComponentRange bar_range;
  std::string_view x_caption;
  std::string_view y_caption;
  std::string_view bar_caption;
};

// One row per palette channel.
const PaletteAxisRow& PaletteAxisTable(int channel);

// The model a palette channel belongs to.
SlideModel ModelOfChannel(int channel);

struct PaletteValues {
  int x = 0;
  int y = 0;
  int bar = 0;
  friend constexpr bool operator==(PaletteValues, PaletteValues) = default;
};

PaletteValues RgbToPalette(int channel, RgbColor colour);
RgbColor PaletteToRgb(int channel, int x, int y, int bar);

inline constexpr int kGridCells = 32;
inline constexpr int kCellSize = 8;
inline constexpr int kFieldSize = 256;
using PaletteGrid = std::array<std::uint32_t, kGridCells * kGridCells>;

// Fills the 1024 cells (row-major from the top, packed 0x00BBGGRR) of the
// slice through the model at the given bar value.
void BuildPaletteGrid(int channel, int bar, PaletteGrid& grid);

inline constexpr int kBarBands = 128;
// The colour of bar band i (0 at the bottom) with the other two components
// taken from the current colour.
std::uint32_t BarBandColour(int channel, int band, RgbColor current);

// Geometry of the field, the bar and the markers, in client pixels.
struct PixelPoint {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(PixelPoint, PixelPoint) = default;
};

// The point the markers surround, 0..256 on each axis, from the positions of
// the horizontal slider (x) and the vertical one (which holds max + min - y).
PixelPoint MarkerPoint(const PaletteAxisRow& axes, int x_slider_position, int y_slider_position);
// The top edge of the bar's arrow, from the bar slider's position.
int ArrowTop(const PaletteAxisRow& axes, int bar_slider_position);

// Top-left corners of the four tick images around a marker point.
struct MarkerLayout {
  PixelPoint up, down, left, right;
};
MarkerLayout LayoutMarkers(PixelPoint point);

// Mouse positions (client pixels, clamped to 0..255) to palette values.
int MouseToX(const PaletteAxisRow& axes, int mouse_x);
int MouseToY(const PaletteAxisRow& axes, int mouse_y);
int MouseToBar(const PaletteAxisRow& axes, int mouse_y);

// A vertical slider runs from its maximum at the top: a value and its
// slider position map to each other both ways.
constexpr int VerticalSliderPosition(ComponentRange range, int value) {
  return range.max + range.min - value;
}

// What a left-button press on the window's background starts.
enum class DragMode : std::uint8_t { kNone = 0, kBar = 1, kField = 2, kSwatch = 3 };
DragMode HitTestPress(int mouse_x, int mouse_y);

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_PALETTE_PALETTE_MATH_H_
