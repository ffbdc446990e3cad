#include "mainwindow/editor/editor_math.h"

#include <cstdint>

#include "colour/colour_text.h"
#include "colour/conversions.h"

namespace tintara {

int ReadHexField(std::string_view text) {
  std::uint64_t value = 0;
  for (char c : text) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return 0;
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > 0xffffffffu) return 0;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::string HexFieldText(int value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::uint32_t v = static_cast<std::uint32_t>(value);
  char buffer[8];
  int n = 0;
  do {
    buffer[n++] = kDigits[v & 0xf];
    v >>= 4;
  } while (v != 0);
  std::string text;
  while (n > 0) text.push_back(buffer[--n]);
  return text;
}

RgbColor ColourFromRows(SlideModel model, int row, const std::array<int, 3>& rows,
                        RgbColor current) {
  const int value = rows[row];
  switch (model) {
    case SlideModel::kRgb: {
      int rgb[3] = {current.r, current.g, current.b};
      rgb[row] = value;
      return RgbColor::FromInts(rgb[0], rgb[1], rgb[2]);
    }
    case SlideModel::kYmc: {
      // Y pairs with blue, M with green, C with red.
      int rgb[3] = {current.r, current.g, current.b};
      rgb[2 - row] = Complement(value);
      return RgbColor::FromInts(rgb[0], rgb[1], rgb[2]);
    }
    default:
      return ModelToRgb(model, {rows[0], rows[1], rows[2]});
  }
}

namespace {

// The value of row k's component at strip column i.
int StripValue(SlideModel model, int row, int i) {
  switch (model) {
    case SlideModel::kRgb:
    case SlideModel::kYmc:
      return 255 * i / kStripLength;
    case SlideModel::kEsl:
      return (row == 0 ? 239 : 240) * i / kStripLength;
    case SlideModel::kHsl:
      return (row == 0 ? 246 : 255) * i / kStripLength;
    case SlideModel::kHsv:
      return (row == 0 ? 360 : 100) * i / kStripLength;
    case SlideModel::kYcc:
      return 255 * i / kStripLength - (row == 0 ? 0 : 128);
  }
  return 0;
}

}  // namespace

std::uint32_t StripColour(SlideModel model, int row, int column, const std::array<int, 3>& rows) {
  int v[3] = {rows[0], rows[1], rows[2]};
  v[row] = StripValue(model, row, column);
  return ModelToPacked(model, v[0], v[1], v[2]);
}

}  // namespace tintara
