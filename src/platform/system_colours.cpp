#include "platform/system_colours.h"

namespace tintara {
namespace {

// The classic desktop scheme, index by index.
constexpr std::array<RgbColor, kSystemColourIndexCount> kClassicColours = {{
    {212, 208, 200},  // scroll bar
    {58, 110, 165},   // desktop
    {10, 36, 106},    // active caption
    {128, 128, 128},  // inactive caption
    {212, 208, 200},  // menu
    {255, 255, 255},  // window
    {0, 0, 0},        // window frame
    {0, 0, 0},        // menu text
    {0, 0, 0},        // window text
    {255, 255, 255},  // caption text
    {212, 208, 200},  // active border
    {212, 208, 200},  // inactive border
    {128, 128, 128},  // application workspace
    {10, 36, 106},    // highlight
    {255, 255, 255},  // highlighted text
    {212, 208, 200},  // button face
    {128, 128, 128},  // button shadow
    {128, 128, 128},  // grey text
    {0, 0, 0},        // button text
    {212, 208, 200},  // inactive caption text
    {255, 255, 255},  // button highlight
    {64, 64, 64},     // 3-D dark shadow
    {212, 208, 200},  // 3-D light
}};

}  // namespace

RgbColor ClassicSystemColour(int index) {
  if (index < 0 || index >= kSystemColourIndexCount) return {};
  return kClassicColours[static_cast<std::size_t>(index)];
}

}  // namespace tintara
