#ifndef TINTARA_COLOUR_COLOUR_MODELS_H_
#define TINTARA_COLOUR_COLOUR_MODELS_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "colour/conversions.h"
#include "colour/rgb_color.h"

namespace tintara {

// The six models the three-row editor shows, in the order the options list them.
enum class SlideModel : std::uint8_t { kRgb = 0, kYmc = 1, kEsl = 2, kHsl = 3, kHsv = 4, kYcc = 5 };
inline constexpr int kSlideModelCount = 6;

struct ComponentRange {
  int min = 0;
  int max = 0;
  // Maximum first, then minimum, the way the editor's rows clamp.
  constexpr int Clamp(int value) const {
    if (value > max) value = max;
    if (value < min) value = min;
    return value;
  }
};

struct ModelInfo {
  std::string_view key;                    // the model's short name: "rgb", "ymc", ...
  std::array<ComponentRange, 3> ranges;    // rows 1..3
  std::array<std::string_view, 3> labels;  // the rows' captions
};

const ModelInfo& InfoOf(SlideModel model);
std::optional<SlideModel> SlideModelFromKey(std::string_view key);

ModelTriple ClampToModel(SlideModel model, ModelTriple values);
// Components given as they are, real and not clamped: the samples of the
// palette's cells and bands and the strips' columns. RGB and YMC components
// are taken as whole numbers.
std::uint32_t ModelToPacked(SlideModel model, double first, double second, double third);
// The three components, clamped first, converted to RGB.
RgbColor ModelToRgb(SlideModel model, ModelTriple values);
ModelTriple RgbToModel(SlideModel model, RgbColor colour);

}  // namespace tintara

#endif  // TINTARA_COLOUR_COLOUR_MODELS_H_
