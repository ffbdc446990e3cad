#ifndef TINTARA_MAINWINDOW_EDITOR_EDITOR_MATH_H_
#define TINTARA_MAINWINDOW_EDITOR_EDITOR_MATH_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "colour/colour_models.h"
#include "colour/number_text.h"
#include "colour/rgb_color.h"

// Arithmetic of the three-row editor: reading and writing its number
// fields, deriving the colour from its rows, and the gradient strips.
namespace tintara {

// What a decimal field holds, read as ReadDecimalPrefix reads it.
inline int ReadDecimalField(std::string_view text) { return ReadDecimalPrefix(text).value; }

// A hexadecimal field, read as if "0x0" stood in front: 0 on any character
// that is not a hexadecimal digit. Up to eight digits are one 32-bit value in
// two's complement, so "ffffff80" reads back as -128; more digits give 0.
int ReadHexField(std::string_view text);

// Lower-case hexadecimal without leading zeros; negative values as their
// eight-digit two's complement (-128 is ffffff80).
std::string HexFieldText(int value);

// The colour after row k (0..2) of the editor took a new value. In RGB and
// YMC only the paired channel changes; the other models recompute all three
// channels from the three rows.
RgbColor ColourFromRows(SlideModel model, int row, const std::array<int, 3>& rows,
                        RgbColor current);

inline constexpr int kStripLength = 369;
// The colour of column i of the strip under row k, with the other two rows
// at their values.
std::uint32_t StripColour(SlideModel model, int row, int column, const std::array<int, 3>& rows);

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_EDITOR_EDITOR_MATH_H_
