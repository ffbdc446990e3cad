#include "colour/contrast.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace tintara {
namespace {

constexpr RgbColor kBlack{0, 0, 0};
constexpr RgbColor kWhite{255, 255, 255};

RgbColor Grey(std::uint8_t level) { return {level, level, level}; }

TEST(Contrast, LuminanceWeighsTheLinearChannels) {
  EXPECT_DOUBLE_EQ(RelativeLuminance(kBlack), 0.0);
  EXPECT_NEAR(RelativeLuminance(kWhite), 1.0, 1e-12);
  EXPECT_NEAR(RelativeLuminance({255, 0, 0}), 0.2126, 1e-12);
  EXPECT_NEAR(RelativeLuminance({0, 255, 0}), 0.7152, 1e-12);
  EXPECT_NEAR(RelativeLuminance({0, 0, 255}), 0.0722, 1e-12);
  // Dark channels up to 10 are linear; from 11 on the power curve applies.
  EXPECT_NEAR(RelativeLuminance(Grey(1)), 1 / 255.0 / 12.92, 1e-12);
  EXPECT_NEAR(RelativeLuminance(Grey(10)), 10 / 255.0 / 12.92, 1e-12);
  EXPECT_NEAR(RelativeLuminance(Grey(11)), 0.0033465, 1e-7);
  EXPECT_NEAR(RelativeLuminance(Grey(0x80)), 0.2158605, 1e-7);
}

TEST(Contrast, RatiosOfPublishedPairsInEitherOrder) {
  EXPECT_DOUBLE_EQ(ContrastRatio(kBlack, kWhite), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio({0x12, 0x34, 0x56}, {0x12, 0x34, 0x56}), 1.0);
  EXPECT_NEAR(ContrastRatio(Grey(0x77), kWhite), 4.478, 1e-3);
  EXPECT_NEAR(ContrastRatio(Grey(0x76), kWhite), 4.542, 1e-3);
  EXPECT_NEAR(ContrastRatio({0, 0, 255}, kWhite), 8.592, 1e-3);
  EXPECT_NEAR(ContrastRatio({0, 0x80, 0}, kWhite), 5.137, 1e-3);
  const RgbColor purple{0x55, 0x1a, 0x8b};
  const RgbColor silver{0xc0, 0xc0, 0xc0};
  EXPECT_DOUBLE_EQ(ContrastRatio(purple, silver), ContrastRatio(silver, purple));
  EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, kBlack), 21.0);
}

TEST(Contrast, VerdictsComeFromTheExactRatio) {
  const ContrastVerdicts grey_77 = JudgeContrast(ContrastRatio(Grey(0x77), kWhite));
  EXPECT_FALSE(grey_77.aa_normal);
  EXPECT_TRUE(grey_77.aa_large);
  EXPECT_FALSE(grey_77.aaa_normal);
  EXPECT_FALSE(grey_77.aaa_large);
  const ContrastVerdicts grey_76 = JudgeContrast(ContrastRatio(Grey(0x76), kWhite));
  EXPECT_TRUE(grey_76.aa_normal);
  EXPECT_TRUE(grey_76.aaa_large);
  EXPECT_FALSE(grey_76.aaa_normal);

  // The required ratios themselves pass; a hair below fails.
  EXPECT_TRUE(JudgeContrast(4.5).aa_normal);
  EXPECT_FALSE(JudgeContrast(4.4999999).aa_normal);
  EXPECT_TRUE(JudgeContrast(3.0).aa_large);
  EXPECT_FALSE(JudgeContrast(2.9999999).aa_large);
  EXPECT_TRUE(JudgeContrast(7.0).aaa_normal);
  EXPECT_FALSE(JudgeContrast(6.9999999).aaa_normal);
}

TEST(Contrast, FiguresAreRoundedToTwoDecimals) {
  EXPECT_EQ(ContrastRatioText(21.0), "21.00");
  EXPECT_EQ(ContrastRatioText(1.0), "1.00");
  EXPECT_EQ(ContrastRatioText(ContrastRatio(Grey(0x77), kWhite)), "4.48");  // not 4.47
  EXPECT_EQ(ContrastRatioText(ContrastRatio(Grey(0x59), kWhite)), "7.00");  // 7.005 passes
  EXPECT_EQ(ContrastRatioText(ContrastRatio({255, 0, 0}, kWhite)), "4.00");
  EXPECT_EQ(ContrastRatioText(4.5), "4.50");
  EXPECT_EQ(ContrastRatioText(10.996), "11.00");
}

TEST(Contrast, AFailingRatioIsNeverWrittenAsTheRatioItMisses) {
  // Rounded plainly these would read 4.50, 3.00 and 7.00.
  EXPECT_EQ(ContrastRatioText(ContrastRatio(Grey(0x07), Grey(0x77))), "4.49");
  EXPECT_EQ(ContrastRatioText(ContrastRatio(kBlack, Grey(0x59))), "2.99");
  EXPECT_EQ(ContrastRatioText(ContrastRatio(Grey(0x24), Grey(0xae))), "6.99");
  EXPECT_EQ(ContrastRatioText(4.4949), "4.49");
}

TEST(Contrast, EveryFigureReadBackGivesTheExactVerdicts) {
  for (int fore = 0; fore < 256; ++fore) {
    for (int back = 0; back < 256; back += 3) {
      const double ratio = ContrastRatio(Grey(static_cast<std::uint8_t>(fore)),
                                         Grey(static_cast<std::uint8_t>(back)));
      const std::string text = ContrastRatioText(ratio);
      const double shown = std::strtod(text.c_str(), nullptr);
      ASSERT_NEAR(shown, ratio, 0.01) << fore << " on " << back;
      const ContrastVerdicts exact = JudgeContrast(ratio);
      const ContrastVerdicts read_back = JudgeContrast(shown);
      ASSERT_EQ(exact.aa_normal, read_back.aa_normal) << text;
      ASSERT_EQ(exact.aa_large, read_back.aa_large) << text;
      ASSERT_EQ(exact.aaa_normal, read_back.aaa_normal) << text;
    }
  }
}

}  // namespace
}  // namespace tintara
