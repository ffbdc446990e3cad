#include "colour/colour_models.h"

#include <gtest/gtest.h>

namespace tintara {
namespace {

TEST(ColourModels, KeysNameEveryModelAndNothingElse) {
  for (int m = 0; m < kSlideModelCount; ++m) {
    const auto model = static_cast<SlideModel>(m);
    EXPECT_EQ(SlideModelFromKey(InfoOf(model).key), model);
  }
  EXPECT_FALSE(SlideModelFromKey("RGB").has_value());
  EXPECT_FALSE(SlideModelFromKey("").has_value());
}

TEST(ColourModels, ClampingUsesEachRowsOwnRange) {
  EXPECT_EQ(ClampToModel(SlideModel::kRgb, {300, -20, 128}), (ModelTriple{255, 0, 128}));
  EXPECT_EQ(ClampToModel(SlideModel::kEsl, {240, 241, -1}), (ModelTriple{239, 240, 0}));
  EXPECT_EQ(ClampToModel(SlideModel::kHsl, {0, 256, 300}), (ModelTriple{1, 255, 255}));
  EXPECT_EQ(ClampToModel(SlideModel::kHsv, {361, 101, -5}), (ModelTriple{360, 100, 0}));
  EXPECT_EQ(ClampToModel(SlideModel::kYcc, {-20, -200, 200}), (ModelTriple{0, -128, 127}));
}

TEST(ColourModels, YmcPairsYellowWithBlue) {
  EXPECT_EQ(ModelToRgb(SlideModel::kYmc, {55, 189, 222}), (RgbColor{33, 66, 200}));
  EXPECT_EQ(RgbToModel(SlideModel::kYmc, {10, 20, 30}), (ModelTriple{225, 235, 245}));
}

TEST(ColourModels, StartColourInEveryModel) {
  const RgbColor grey{192, 192, 192};
  EXPECT_EQ(RgbToModel(SlideModel::kEsl, grey), (ModelTriple{0, 0, 180}));
  EXPECT_EQ(RgbToModel(SlideModel::kHsl, grey), (ModelTriple{246, 0, 192}));
  EXPECT_EQ(RgbToModel(SlideModel::kYcc, grey), (ModelTriple{192, 0, 0}));
  EXPECT_EQ(RgbToModel(SlideModel::kHsv, grey), (ModelTriple{0, 0, 75}));
}

}  // namespace
}  // namespace tintara
