#include "colour/colour_models.h"

namespace tintara {
namespace {

constexpr ComponentRange kByte{0, 255};
constexpr ComponentRange kSigned{-128, 127};

constexpr std::array<ModelInfo, kSlideModelCount> kModels = {{
    {"rgb", {kByte, kByte, kByte}, {"R", "G", "B"}},
    {"ymc", {kByte, kByte, kByte}, {"Y", "M", "C"}},
    {"esl", {{{0, 239}, {0, 240}, {0, 240}}}, {"E", "S", "L"}},
    {"hsl", {{{1, 246}, kByte, kByte}}, {"H", "S", "L"}},
    {"hsv", {{{0, 360}, {0, 100}, {0, 100}}}, {"H", "S", "V"}},
    {"ycc", {kByte, kSigned, kSigned}, {"Y", "Cb", "Cr"}},
}};

}  // namespace

const ModelInfo& InfoOf(SlideModel model) { return kModels[static_cast<int>(model)]; }

std::optional<SlideModel> SlideModelFromKey(std::string_view key) {
  for (int i = 0; i < kSlideModelCount; ++i) {
    if (kModels[i].key == key) return static_cast<SlideModel>(i);
  }
  return std::nullopt;
}

ModelTriple ClampToModel(SlideModel model, ModelTriple values) {
  const auto& ranges = InfoOf(model).ranges;
  return {ranges[0].Clamp(values.first), ranges[1].Clamp(values.second),
          ranges[2].Clamp(values.third)};
}

std::uint32_t ModelToPacked(SlideModel model, double first, double second, double third) {
  switch (model) {
    case SlideModel::kRgb:
      return RgbColor::FromInts(static_cast<int>(first), static_cast<int>(second),
                                static_cast<int>(third))
          .Packed();
    case SlideModel::kYmc:
      return RgbColor::FromInts(Complement(static_cast<int>(third)),
                                Complement(static_cast<int>(second)),
                                Complement(static_cast<int>(first)))
          .Packed();
    case SlideModel::kEsl:
      return EslToRgbPacked(first, second, third);
    case SlideModel::kHsl:
      return HslToRgbPacked(first, second, third);
    case SlideModel::kHsv:
      return HsvToRgbPacked(first, second, third);
    case SlideModel::kYcc:
      return YccToRgbPacked(first, second, third);
  }
  return 0;
}

RgbColor ModelToRgb(SlideModel model, ModelTriple values) {
  const ModelTriple v = ClampToModel(model, values);
  return RgbColor::FromPacked(ModelToPacked(model, v.first, v.second, v.third));
}

ModelTriple RgbToModel(SlideModel model, RgbColor colour) {
  const int r = colour.r, g = colour.g, b = colour.b;
  switch (model) {
    case SlideModel::kRgb:
      return {r, g, b};
    case SlideModel::kYmc:
      return {Complement(b), Complement(g), Complement(r)};
    case SlideModel::kEsl:
      return RgbToEsl(r, g, b);
    case SlideModel::kHsl:
      return RgbToHsl(r, g, b);
    case SlideModel::kHsv:
      return RgbToHsv(r, g, b);
    case SlideModel::kYcc:
      return RgbToYcc(r, g, b);
  }
  return {};
}

}  // namespace tintara
