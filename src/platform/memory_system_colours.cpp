#include "platform/memory_system_colours.h"

namespace tintara {

MemorySystemColours::MemorySystemColours() {
  for (int index = 0; index < kSystemColourIndexCount; ++index) {
    colours_[static_cast<std::size_t>(index)] = ClassicSystemColour(index);
  }
}

RgbColor MemorySystemColours::Get(int index) {
  if (index < 0 || index >= kSystemColourIndexCount) return {};
  return colours_[static_cast<std::size_t>(index)];
}

void MemorySystemColours::Set(int index, RgbColor colour) {
  changes_.push_back({index, colour});
  if (refuse_ || index < 0 || index >= kSystemColourIndexCount) return;
  colours_[static_cast<std::size_t>(index)] = colour;
}

}  // namespace tintara
