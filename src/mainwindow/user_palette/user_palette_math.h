#ifndef TINTARA_MAINWINDOW_USER_PALETTE_USER_PALETTE_MATH_H_
#define TINTARA_MAINWINDOW_USER_PALETTE_USER_PALETTE_MATH_H_

#include <array>
#include <string>

#include "colour/rgb_color.h"

// Where the user palette's slots and the frame around the selected one
// stand inside their group, and how a slot's colour reads.
namespace tintara {

inline constexpr int kUserSlotTop = 11;
inline constexpr int kUserSlotSize = 24;

constexpr int UserSlotLeft(int slot) { return 248 + 32 * slot; }

struct BarRect {
  int left, top, width, height;
  friend constexpr bool operator==(const BarRect&, const BarRect&) = default;
};

// The frame's four red bars around `slot`: top, bottom, left and right.
constexpr std::array<BarRect, 4> UserFrameBars(int slot) {
  return {{{248 + 32 * slot, 9, 25, 3},
           {248 + 32 * slot, 35, 25, 3},
           {246 + 32 * slot, 9, 3, 29},
           {272 + 32 * slot, 9, 3, 29}}};
}

// The readout of a slot's colour: six digits, or its name when names are
// wanted and the colour has one, in the output's letter case.
std::string UserReadoutText(RgbColor colour, bool output_num, bool output_lower);

// The slot a typed character chooses: its digit, or 0 for anything else.
constexpr int SlotOfCharacter(char32_t character) {
  return character >= U'0' && character <= U'9' ? static_cast<int>(character - U'0') : 0;
}

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_USER_PALETTE_USER_PALETTE_MATH_H_
