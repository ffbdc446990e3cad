#ifndef TINTARA_PLATFORM_MEMORY_SYSTEM_COLOURS_H_
#define TINTARA_PLATFORM_MEMORY_SYSTEM_COLOURS_H_

#include <array>
#include <vector>

#include "platform/system_colours.h"

namespace tintara {

// System colours kept in memory, starting from the classic scheme: for
// windows that are given no desktop, and for tests, which can also read
// back every change asked for.
class MemorySystemColours final : public SystemColours {
 public:
  struct Change {
    int index;
    RgbColor colour;
  };

  MemorySystemColours();

  RgbColor Get(int index) override;
  void Set(int index, RgbColor colour) override;

  // Every Set call so far, in order, refused ones included.
  const std::vector<Change>& Changes() const { return changes_; }
  // From now on every Set is refused and changes nothing.
  void RefuseChanges() { refuse_ = true; }

 private:
  std::array<RgbColor, kSystemColourIndexCount> colours_{};
  std::vector<Change> changes_;
  bool refuse_ = false;
};

}  // namespace tintara

#endif  // TINTARA_PLATFORM_MEMORY_SYSTEM_COLOURS_H_
