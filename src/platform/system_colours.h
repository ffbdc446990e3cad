#ifndef TINTARA_PLATFORM_SYSTEM_COLOURS_H_
#define TINTARA_PLATFORM_SYSTEM_COLOURS_H_

#include <array>
#include <memory>

#include "colour/rgb_color.h"

// The desktop's own colours: read them, and change one so that the desktop
// repaints in it.
namespace tintara {

// The classic numbering of the desktop's colours that the program's list of
// screen-design entries refers to. Two names for one number are one colour.
enum SystemColourIndex : int {
  kColorScrollBar = 0,
  kColorBackground = 1,  // the desktop
  kColorActiveCaption = 2,
  kColorInactiveCaption = 3,
  kColorMenu = 4,
  kColorWindow = 5,
  kColorWindowFrame = 6,
  kColorMenuText = 7,
  kColorWindowText = 8,
  kColorCaptionText = 9,
  kColorActiveBorder = 10,
  kColorInactiveBorder = 11,
  kColorAppWorkspace = 12,
  kColorHighlight = 13,
  kColorHighlightText = 14,
  kColorBtnFace = 15,    // also 3-D face
  kColorBtnShadow = 16,  // also 3-D shadow
  kColorGrayText = 17,
  kColorBtnText = 18,
  kColorInactiveCaptionText = 19,
  kColorBtnHighlight = 20,  // also 3-D highlight
  kColor3dDkShadow = 21,
  kColor3dLight = 22,
};
inline constexpr int kSystemColourIndexCount = 23;

// The colours of the classic desktop scheme, by index: where a desktop has
// no colour of its own for an index, this is where it starts.
RgbColor ClassicSystemColour(int index);

class SystemColours {
 public:
  virtual ~SystemColours() = default;

  // The present colour of `index` (0..22).
  virtual RgbColor Get(int index) = 0;
  // Gives `index` (0..22) a new colour; the desktop repaints in it. A change
  // the desktop refuses, or one that fails, passes silently.
  virtual void Set(int index, RgbColor colour) = 0;
};

// The desktop's colours as this session provides them: on a KDE Plasma
// session its active colour scheme, elsewhere the program's own palette.
std::unique_ptr<SystemColours> MakeDesktopSystemColours();

}  // namespace tintara

#endif  // TINTARA_PLATFORM_SYSTEM_COLOURS_H_
