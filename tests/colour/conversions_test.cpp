#include "colour/conversions.h"

#include <gtest/gtest.h>

#include "colour/colour_models.h"

namespace tintara {
namespace {

struct RgbToModels {
  RgbColor rgb;
  ModelTriple ymc, esl, hsl, hsv, ycc;
};

class RgbToModelsTest : public testing::TestWithParam<RgbToModels> {};

TEST_P(RgbToModelsTest, EveryModelGivesTheWorkedValues) {
  const RgbToModels& w = GetParam();
  EXPECT_EQ(RgbToModel(SlideModel::kYmc, w.rgb), w.ymc);
  EXPECT_EQ(RgbToEsl(w.rgb.r, w.rgb.g, w.rgb.b), w.esl);
  EXPECT_EQ(RgbToHsl(w.rgb.r, w.rgb.g, w.rgb.b), w.hsl);
  EXPECT_EQ(RgbToHsv(w.rgb.r, w.rgb.g, w.rgb.b), w.hsv);
  EXPECT_EQ(RgbToYcc(w.rgb.r, w.rgb.g, w.rgb.b), w.ycc);
}

INSTANTIATE_TEST_SUITE_P(WorkedValues, RgbToModelsTest,
                         testing::Values(RgbToModels{{33, 66, 200},
                                                     {55, 189, 222},
                                                     {152, 172, 109},
                                                     {155, 182, 116},
                                                     {228, 83, 78},
                                                     {71, 72, -27}},
                                         RgbToModels{{100, 180, 255},
                                                     {0, 75, 155},
                                                     {139, 240, 167},
                                                     {142, 255, 177},
                                                     {209, 60, 100},
                                                     {164, 50, -46}},
                                         RgbToModels{{90, 30, 201},
                                                     {54, 225, 165},
                                                     {174, 177, 108},
                                                     {178, 188, 115},
                                                     {261, 85, 78},
                                                     {67, 75, 16}},
                                         RgbToModels{{255, 128, 0},
                                                     {255, 127, 0},
                                                     {20, 240, 120},
                                                     {20, 255, 127},
                                                     {30, 100, 100},
                                                     {151, -85, 73}},
                                         RgbToModels{{255, 0, 0},
                                                     {255, 255, 0},
                                                     {0, 240, 120},
                                                     {246, 255, 127},
                                                     {0, 100, 100},
                                                     {76, -42, 127}},
                                         RgbToModels{{128, 128, 128},
                                                     {127, 127, 127},
                                                     {0, 0, 120},
                                                     {246, 0, 128},
                                                     {0, 0, 50},
                                                     {128, 0, 0}}));

struct ModelToRgbCase {
  SlideModel model;
  ModelTriple input;
  RgbColor rgb;
};

class ModelToRgbTest : public testing::TestWithParam<ModelToRgbCase> {};

TEST_P(ModelToRgbTest, GivesTheWorkedColour) {
  const ModelToRgbCase& c = GetParam();
  EXPECT_EQ(ModelToRgb(c.model, c.input), c.rgb);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, ModelToRgbTest,
    testing::Values(ModelToRgbCase{SlideModel::kEsl, {152, 172, 109}, {33, 66, 199}},
                    ModelToRgbCase{SlideModel::kEsl, {0, 0, 180}, {191, 191, 191}},
                    ModelToRgbCase{SlideModel::kHsl, {155, 182, 116}, {33, 66, 199}},
                    ModelToRgbCase{SlideModel::kHsl, {246, 255, 127}, {254, 0, 0}},
                    ModelToRgbCase{SlideModel::kHsv, {228, 83, 78}, {34, 67, 199}},
                    ModelToRgbCase{SlideModel::kHsv, {209, 60, 100}, {102, 181, 255}},
                    ModelToRgbCase{SlideModel::kYcc, {71, 72, -27}, {33, 65, 198}},
                    ModelToRgbCase{SlideModel::kYcc, {255, 127, 127}, {255, 120, 255}},
                    ModelToRgbCase{SlideModel::kYcc, {0, -128, -128}, {0, 135, 0}}));

TEST(Conversions, PackedAndPerChannelFormsAgreeWithTheTriple) {
  const RgbColor esl = EslToRgb(152, 172, 109);
  EXPECT_EQ(EslToRgbPacked(152, 172, 109), 0x00C74221u);  // 33, 66, 199 with red low
  EXPECT_EQ(esl.Packed(), EslToRgbPacked(152, 172, 109));
  EXPECT_EQ(HsvToRgbChannel(RgbChannel::kGreen, 228, 83, 78), 67);
  EXPECT_EQ(HslToRgbChannel(RgbChannel::kBlue, 155, 182, 116), 199);
  EXPECT_EQ(YccToRgbChannel(RgbChannel::kRed, 255, 127, 127), 255);
  EXPECT_EQ(RgbToEslS(33, 66, 200), 172);
  EXPECT_EQ(RgbToHslL(33, 66, 200), 116);
  EXPECT_EQ(RgbToHsvH(90, 30, 201), 261);
  EXPECT_EQ(RgbToYccCr(33, 66, 200), -27);
}

TEST(Conversions, HueConventionsOfRedAndGrey) {
  // HSL hue 0 and 246 are the same red; HSV 360 and 0 likewise.
  EXPECT_EQ(HslToRgb(0, 255, 127), HslToRgb(246, 255, 127));
  EXPECT_EQ(HsvToRgb(360, 100, 100), HsvToRgb(0, 100, 100));
  // The grey hue is 0 in ESL and HSV but 246 in HSL.
  EXPECT_EQ(RgbToEslE(77, 77, 77), 0);
  EXPECT_EQ(RgbToHsvH(77, 77, 77), 0);
  EXPECT_EQ(RgbToHslH(77, 77, 77), 246);
}

TEST(Conversions, TwoChannelTiesTakeTheTableHues) {
  EXPECT_EQ(RgbToEslE(200, 200, 10), 40);   // yellow
  EXPECT_EQ(RgbToEslE(10, 200, 10), 80);    // green
  EXPECT_EQ(RgbToEslE(10, 200, 200), 120);  // cyan
  EXPECT_EQ(RgbToEslE(10, 10, 200), 160);   // blue
  EXPECT_EQ(RgbToEslE(200, 10, 200), 200);  // magenta
  EXPECT_EQ(RgbToHslH(200, 200, 10), 41);
  EXPECT_EQ(RgbToHslH(10, 200, 10), 82);
  EXPECT_EQ(RgbToHslH(10, 200, 200), 123);
  EXPECT_EQ(RgbToHslH(10, 10, 200), 164);
  EXPECT_EQ(RgbToHslH(200, 10, 200), 205);
}

TEST(Conversions, RoundTripsAreNotExactAndStayThatWay) {
  const ModelTriple hsl = RgbToHsl(255, 0, 0);
  EXPECT_EQ(HslToRgb(hsl.first, hsl.second, hsl.third), (RgbColor{254, 0, 0}));
  const ModelTriple esl = RgbToEsl(192, 192, 192);
  EXPECT_EQ(EslToRgb(esl.first, esl.second, esl.third), (RgbColor{191, 191, 191}));
}

TEST(Conversions, YccOfEveryGreyIsTheGreyWithNoColourDifference) {
  for (int v = 0; v <= 255; ++v) {
    ASSERT_EQ(RgbToYcc(v, v, v), (ModelTriple{v, 0, 0})) << "grey " << v;
  }
}

TEST(Conversions, FractionalInputsFromThePaletteBarAreAccepted) {
  // The bar passes band centres such as 1.875 * 64.5; they must neither be
  // rounded first nor leave the channel range.
  const RgbColor band = EslToRgb(1.875 * 64.5, 240, 120);
  const RgbColor below = EslToRgb(120, 240, 120);
  const RgbColor above = EslToRgb(121, 240, 120);
  EXPECT_GE(band.b, below.b);
  EXPECT_LE(band.b, above.b);
  EXPECT_EQ(HslToRgb(0.5, 255, 127).r, 254);
}

// Every colour, converted to each model, lands inside the model's ranges and
// never reaches the excluded ends (HSL hue 0, HSV hue 360).
TEST(Conversions, EveryColourConvertsIntoTheModelRanges) {
  for (int r = 0; r <= 255; r += 3) {
    for (int g = 0; g <= 255; g += 3) {
      for (int b = 0; b <= 255; b += 3) {
        const RgbColor c = RgbColor::FromInts(r, g, b);
        for (int m = 0; m < kSlideModelCount; ++m) {
          const auto model = static_cast<SlideModel>(m);
          const ModelTriple v = RgbToModel(model, c);
          ASSERT_EQ(ClampToModel(model, v), v)
              << "model " << m << " rgb " << r << "," << g << "," << b;
        }
        ASSERT_NE(RgbToHslH(r, g, b), 0);
        ASSERT_LT(RgbToHsvH(r, g, b), 360);
      }
    }
  }
}

// Converting to a model and back stays within the model's quantisation (one
// hue step at full saturation moves a channel by up to 255 * 6 / 240): a wrong
// sextant or a swapped ramp would be far off.
TEST(Conversions, ModelRoundTripsStayClose) {
  for (int r = 0; r <= 255; r += 5) {
    for (int g = 0; g <= 255; g += 5) {
      for (int b = 0; b <= 255; b += 5) {
        const RgbColor c = RgbColor::FromInts(r, g, b);
        constexpr struct {
          SlideModel model;
          int tolerance;
        } kModels[] = {{SlideModel::kYmc, 0},
                       {SlideModel::kEsl, 8},
                       {SlideModel::kHsl, 7},
                       {SlideModel::kHsv, 6},
                       {SlideModel::kYcc, 3}};
        for (const auto [model, tolerance] : kModels) {
          const RgbColor back = ModelToRgb(model, RgbToModel(model, c));
          ASSERT_NEAR(back.r, r, tolerance) << static_cast<int>(model);
          ASSERT_NEAR(back.g, g, tolerance) << static_cast<int>(model);
          ASSERT_NEAR(back.b, b, tolerance) << static_cast<int>(model);
        }
      }
    }
  }
}

}  // namespace
}  // namespace tintara
