#include "mainwindow/user_palette/user_palette_math.h"

#include "colour/colour_text.h"

namespace tintara {

std::string UserReadoutText(RgbColor colour, bool output_num, bool output_lower) {
  return OutputCaseRule(ColorWord(colour, !output_num), output_lower);
}

}  // namespace tintara
