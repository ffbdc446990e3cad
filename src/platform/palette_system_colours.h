#ifndef TINTARA_PLATFORM_PALETTE_SYSTEM_COLOURS_H_
#define TINTARA_PLATFORM_PALETTE_SYSTEM_COLOURS_H_

#include <array>

#include "platform/system_colours.h"

namespace tintara {

// The colours of a desktop the program cannot change: its own application
// palette, for the indices that have a palette role, so that its windows
// repaint in a new colour at once; a table started from the classic scheme
// for the others.
class PaletteSystemColours final : public SystemColours {
 public:
  PaletteSystemColours();

  RgbColor Get(int index) override;
  void Set(int index, RgbColor colour) override;

 private:
  std::array<RgbColor, kSystemColourIndexCount> memory_{};
};

}  // namespace tintara

#endif  // TINTARA_PLATFORM_PALETTE_SYSTEM_COLOURS_H_
