#ifndef TINTARA_OUTPUT_COPY_FORMATS_H_
#define TINTARA_OUTPUT_COPY_FORMATS_H_

#include <array>
#include <string>
#include <string_view>

#include "colour/rgb_color.h"

// The seventeen ways the current colour is written for the clipboard.
namespace tintara {

inline constexpr int kCopyFormatCount = 17;

struct CopyFormatEntry {
  std::string_view item;  // the list's text; its placeholder is replaced by the colour
  std::string_view hint;  // shown as the list's hint while the format is chosen
};

extern const std::array<CopyFormatEntry, kCopyFormatCount> kCopyFormats;

// Appended to the copy text to form the copy button's hint.
inline constexpr std::string_view kCopyHintSuffix = "をクリップボードにコピー";
inline constexpr std::string_view kWindowTitlePrefix = "Tintara ";

struct CopyText {
  std::string text;          // what the copy puts on the clipboard
  std::string button_hint;   // the text before the case rule, then the suffix
  std::string window_title;  // "Tintara " and the text
};

// format is the index of the chosen item; one outside 0..16 gives the bare
// six digits. output_num false writes names where the table has them;
// output_lower false writes the whole text in capitals.
CopyText BuildCopyText(RgbColor colour, int format, bool output_num, bool output_lower);

}  // namespace tintara

#endif  // TINTARA_OUTPUT_COPY_FORMATS_H_
