#include "mainwindow/palette/palette_math.h"

#include <algorithm>

#include "colour/conversions.h"

namespace tintara {
namespace {

// The eighteen model components, numbered like the palette channels.
enum Component {
  kRed,
  kGreen,
  kBlue,
  kYellow,
  kMagenta,
  kCyan,
  kEslHue,
  kEslSaturation,
  kEslLightness,
  kHslHue,
  kHslSaturation,
  kHslLightness,
  kHsvHue,
  kHsvSaturation,
  kHsvValue,
  kLuma,
  kBlueDifference,
  kRedDifference,
};

constexpr ComponentRange kComponentRanges[kPaletteChannelCount] = {
    {0, 255}, {0, 255}, {0, 255}, {0, 255}, {0, 255}, {0, 255}, {0, 239}, {0, 240},    {0, 240},
    {1, 246}, {0, 255}, {0, 255}, {0, 360}, {0, 100}, {0, 100}, {0, 255}, {-128, 127}, {-128, 127},
};

constexpr std::string_view kComponentCaptions[kPaletteChannelCount] = {
    "赤(R)",     "緑(G)",       "青(B)",     "黄(Y)",   "紫(M)",       "青緑(C)",
    "色合い(E)", "鮮やかさ(S)", "明るさ(L)", "色相(H)", "鮮やかさ(S)", "明るさ(L)",
    "色相(H)",   "鮮やかさ(S)", "色値(V)",   "輝度(Y)", "色相(Cb)",    "色相(Cr)",
};

constexpr PaletteAxisRow MakeRow(int channel) {
  const int base = channel - channel % 3;
  int others[2] = {};
  int n = 0;
  for (int c = base; c < base + 3; ++c) {
    if (c != channel) others[n++] = c;
  }
  return {channel,
          others[0],
          others[1],
          kComponentRanges[others[0]],
          kComponentRanges[others[1]],
          kComponentRanges[channel],
          kComponentCaptions[others[0]],
          kComponentCaptions[others[1]],
          kComponentCaptions[channel]};
}

constexpr std::array<PaletteAxisRow, kPaletteChannelCount> MakeTable() {
  std::array<PaletteAxisRow, kPaletteChannelCount> table{};
  for (int c = 0; c < kPaletteChannelCount; ++c) table[c] = MakeRow(c);
  return table;
}

constexpr std::array<PaletteAxisRow, kPaletteChannelCount> kAxisTable = MakeTable();

// Places x, y and bar back into model order.
void ToModelOrder(int channel, double x, double y, double bar, double (&out)[3]) {
  const PaletteAxisRow& row = kAxisTable[channel];
  const int base = channel - channel % 3;
  out[row.x - base] = x;
  out[row.y - base] = y;
  out[row.bar - base] = bar;
}

std::uint32_t PaletteRealToPacked(int channel, double x, double y, double bar) {
  double v[3];
  ToModelOrder(channel, x, y, bar, v);
  return ModelToPacked(ModelOfChannel(channel), v[0], v[1], v[2]);
}

// The value a cell samples on an axis, from its pixel offset u (0, 8, .., 248).
int CellSample(int component, int u) {
  switch (component) {
    case kYellow:
    case kMagenta:
    case kCyan:
      return u + 7;
    case kEslHue:
      return (239 * u) / 256;
    case kEslSaturation:
    case kEslLightness:
      return (240 * u) / 256;
    case kHslHue: {
      const int h = (245 * u) / 256;
      return h == 0 ? 246 : h;
    }
    case kHsvHue:
      return (360 * u) / 256;
    case kHsvSaturation:
    case kHsvValue:
      return (100 * u) / 256;
    case kBlueDifference:
    case kRedDifference:
      return u - 127;
    default:
      return u;
  }
}

}  // namespace

const PaletteAxisRow& PaletteAxisTable(int channel) { return kAxisTable[channel]; }

SlideModel ModelOfChannel(int channel) { return static_cast<SlideModel>(channel / 3); }

PaletteValues RgbToPalette(int channel, RgbColor colour) {
  const SlideModel model = ModelOfChannel(channel);
  const ModelTriple m = RgbToModel(model, colour);
  const int values[3] = {m.first, m.second, m.third};
  const PaletteAxisRow& row = kAxisTable[channel];
  const int base = channel - channel % 3;
  return {values[row.x - base], values[row.y - base], values[row.bar - base]};
}

RgbColor PaletteToRgb(int channel, int x, int y, int bar) {
  return RgbColor::FromPacked(PaletteRealToPacked(channel, x, y, bar));
}

void BuildPaletteGrid(int channel, int bar, PaletteGrid& grid) {
  const PaletteAxisRow& row = kAxisTable[channel];
  int x_samples[kGridCells];
  for (int c = 0; c < kGridCells; ++c) x_samples[c] = CellSample(row.x, kCellSize * c);
  for (int r = 0; r < kGridCells; ++r) {
    const int y_sample = CellSample(row.y, 248 - kCellSize * r);
    for (int c = 0; c < kGridCells; ++c) {
      grid[kGridCells * r + c] = PaletteRealToPacked(channel, x_samples[c], y_sample, bar);
    }
  }
}

std::uint32_t BarBandColour(int channel, int band, RgbColor current) {
  const int r = current.r, g = current.g, b = current.b;
  const double centre = band + 0.5;
  switch (ModelOfChannel(channel)) {
    case SlideModel::kRgb: {
      int rgb[3] = {r, g, b};
      rgb[channel] = 2 * band + 1;
      return RgbColor::FromInts(rgb[0], rgb[1], rgb[2]).Packed();
    }
    case SlideModel::kYmc: {
      // Y pairs with blue, M with green, C with red.
      int rgb[3] = {r, g, b};
      rgb[2 - (channel - kYellow)] = 254 - 2 * band;
      return RgbColor::FromInts(rgb[0], rgb[1], rgb[2]).Packed();
    }
    case SlideModel::kEsl: {
      const ModelTriple esl = RgbToEsl(r, g, b);
      double v[3] = {static_cast<double>(esl.first), static_cast<double>(esl.second),
                     static_cast<double>(esl.third)};
      v[channel - kEslHue] = centre * 1.875;
      return EslToRgbPacked(v[0], v[1], v[2]);
    }
    case SlideModel::kHsl: {
      const RealTriple hsl = RgbToHslReal(r, g, b);
      double v[3] = {hsl.first, hsl.second, hsl.third};
      v[channel - kHslHue] = channel == kHslHue ? centre * 1.921875 : centre * 2;
      return HslToRgbPacked(v[0], v[1], v[2]);
    }
    case SlideModel::kHsv: {
      const ModelTriple hsv = RgbToHsv(r, g, b);
      int v[3] = {hsv.first, hsv.second, hsv.third};
      v[channel - kHsvHue] = static_cast<int>(centre * (channel == kHsvHue ? 360 : 100) / 128);
      return HsvToRgbPacked(v[0], v[1], v[2]);
    }
    case SlideModel::kYcc: {
      const RealTriple ycc = RgbToYccReal(r, g, b);
      double v[3] = {ycc.first, ycc.second, ycc.third};
      v[channel - kLuma] = channel == kLuma ? 2 * band : 2 * band - 128;
      return YccToRgbPacked(v[0], v[1], v[2]);
    }
  }
  return 0;
}

PixelPoint MarkerPoint(const PaletteAxisRow& axes, int x_slider_position, int y_slider_position) {
  return {((x_slider_position - axes.x_range.min) * 256) / (axes.x_range.max - axes.x_range.min),
          ((y_slider_position - axes.y_range.min) * 256) / (axes.y_range.max - axes.y_range.min)};
}

int ArrowTop(const PaletteAxisRow& axes, int bar_slider_position) {
  return ((bar_slider_position - axes.bar_range.min) * 256) /
         (axes.bar_range.max - axes.bar_range.min);
}

MarkerLayout LayoutMarkers(PixelPoint p) {
  return {{p.x - 1, p.y - 14}, {p.x - 1, p.y + 7}, {p.x - 14, p.y - 1}, {p.x + 7, p.y - 1}};
}

namespace {
int ClampMouse(int v) { return std::clamp(v, 0, 255); }
}  // namespace

int MouseToX(const PaletteAxisRow& axes, int mouse_x) {
  return axes.x_range.min + ((axes.x_range.max - axes.x_range.min) * ClampMouse(mouse_x)) / 255;
}

int MouseToY(const PaletteAxisRow& axes, int mouse_y) {
  return axes.y_range.max - ((axes.y_range.max - axes.y_range.min) * ClampMouse(mouse_y)) / 255;
}

int MouseToBar(const PaletteAxisRow& axes, int mouse_y) {
  return axes.bar_range.max -
         ((axes.bar_range.max - axes.bar_range.min) * ClampMouse(mouse_y)) / 255;
}

DragMode HitTestPress(int mx, int my) {
  if (my >= 0 && my < 256 && mx >= 280 && mx <= 305) return DragMode::kBar;
  if (my < 256 && mx < 256) return DragMode::kField;
  if (my >= 84 && my < 178 && mx >= 332 && mx <= 482) return DragMode::kSwatch;
  return DragMode::kNone;
}

}  // namespace tintara
