#ifndef TINTARA_MAINWINDOW_SOURCES_COLOUR_SOURCES_H_
#define TINTARA_MAINWINDOW_SOURCES_COLOUR_SOURCES_H_

#include <array>
#include <string_view>

#include "colour/colour_text.h"

// The ready-made colours the window offers besides its editors: the named
// colours, the standard palette and the screen-design entries, with the
// texts their lists and menus show, and the arithmetic of the standard
// palette's frame.
namespace tintara {

// Item k of the named-colour list: entry k of NamedColorTable, its name and
// a description.
extern const std::array<std::string_view, kNamedColorCount> kNamedItemTexts;

// The caption of item k of the colour-name menu: the bare name, but for
// three items spelt otherwise.
std::string_view NamedMenuCaption(int index);

struct StandardCell {
  const char* hint;          // the picture's hint over the cell
  const char* menu_caption;  // its item in the standard-palette menu
};
extern const std::array<StandardCell, kStandardColorCount> kStandardCells;

// One entry of the screen-design list and menu, and the desktop colour it
// stands for.
struct ScreenDesignEntry {
  const char* item_text;
  const char* menu_caption;  // nullptr when the menu reads as the list
  int system_index;          // a SystemColourIndex
};
inline constexpr int kScreenDesignEntryCount = 26;
extern const std::array<ScreenDesignEntry, kScreenDesignEntryCount> kScreenDesignEntries;

std::string_view ScreenDesignMenuCaption(int entry);

// The standard palette: sixteen cells 18 pixels wide, and a red frame of
// four bars around the cell under the mouse.
inline constexpr int kStandardCellWidth = 18;

// The cell under x pixels from the picture's left edge. Cells outside 0..15
// are the caller's to pass over.
constexpr int StandardCellAt(int x) { return x / kStandardCellWidth; }

struct StandardFrame {
  int left;   // of the top, bottom and left bars
  int right;  // of the right bar
};
// Where the frame's bars stand, in the panel's coordinates, around `cell`
// of the picture at `image_left`.
StandardFrame StandardFrameOnCell(int image_left, int cell);
// The cell the frame stands on, from the left of its top bar.
int StandardCellOfFrame(int frame_left, int image_left);

// The favourite selected after deleting favourite `deleted` of
// `count_before`: the same index, which now shows the next one, or the one
// before when the last was deleted (-1 when none is left).
int SelectionAfterDelete(int deleted, int count_before);

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_SOURCES_COLOUR_SOURCES_H_
