#include "colour/css_text.h"

#include <gtest/gtest.h>

#include <string>

#include "colour/colour_text.h"

namespace tintara {
namespace {

struct Shown {
  std::string hex;
  double alpha;
  bool clipped;
};

Shown Read(std::string_view text) {
  const CssReading reading = ReadCssColour(text);
  if (!reading.colour) return {"error: " + reading.error, -1, false};
  const CssSrgb rgb = CssColourToRgb(*reading.colour);
  return {HexColorText(rgb.colour), reading.colour->alpha, rgb.clipped};
}

struct Case {
  const char* text;
  const char* hex;
  double alpha;
};

TEST(CssText, ReadsEverySyntaxOfAPage) {
  const Case cases[] = {
      {"#f00", "ff0000", 1},
      {"#F008", "ff0000", 0x88 / 255.0},
      {"#7654CD", "7654cd", 1},
      {"#7654cd80", "7654cd", 0x80 / 255.0},
      {"  red\t", "ff0000", 1},
      {"RebeccaPurple", "663399", 1},
      {"grey", "808080", 1},
      {"lightgray", "d3d3d3", 1},
      {"transparent", "000000", 0},
      {"rgb(255, 0, 128)", "ff0080", 1},
      {"rgba(255,0,128,0.5)", "ff0080", 0.5},
      {"rgb(100%, 0%, 50%, 25%)", "ff0080", 0.25},
      {"rgb(255 0 128 / 50%)", "ff0080", 0.5},
      {"RGB(255 0 128/.5)", "ff0080", 0.5},
      {"rgb(100% 0 50%)", "ff0080", 1},
      {"rgb(none 255 none / none)", "00ff00", 0},
      {"rgb(127.5 0 0)", "800000", 1},
      {"rgb(2.55e2 0 0)", "ff0000", 1},
      {"hsl(120, 100%, 25%)", "008000", 1},
      {"hsla(120, 100%, 25%, .5)", "008000", 0.5},
      {"hsl(120deg 100% 25%)", "008000", 1},
      {"hsl(120 100 25)", "008000", 1},
      {"hsl(0.3333turn 100% 50%)", "00ff00", 1},
      {"hsl(133.333grad 100% 50%)", "00ff00", 1},
      {"hsl(2.0944rad 100% 50%)", "00ff00", 1},
      {"hsl(-240 100% 50%)", "00ff00", 1},
      {"hsl(none 0% 50%)", "808080", 1},
      {"hwb(0 0% 0%)", "ff0000", 1},
      {"hwb(120 60% 60%)", "808080", 1},
      {"hwb(240 20 40 / 0.3)", "333399", 0.3},
      {"lab(44.36% 36.05 -58.99)", "7654cd", 1},
      {"lab(44.36 28.84% -47.19%)", "7654cd", 1},
      {"lch(54.2905 106.8372 40.8577)", "ff0000", 1},
      {"oklab(62.8% 0.2249 0.1258)", "ff0000", 1},
      {"oklab(0.628 56.21% 31.46%)", "ff0000", 1},
      {"oklch(62.8% 0.2577 29.23)", "ff0000", 1},
      {"oklch(0.628 64.42% 29.23deg)", "ff0000", 1},
      {"color(srgb 1 0 0.5)", "ff0080", 1},
      {"color(srgb 100% 0% 50% / 0.5)", "ff0080", 0.5},
      {"color(srgb-linear 1 0 0.2158605)", "ff0080", 1},
      {"color(display-p3 0.9175 0.2003 0.4996)", "ff0080", 1},
      {"color(xyz 0.21661 0.14602 0.59452)", "7654cd", 1},
      {"color(xyz-d65 0.21661 0.14602 0.59452)", "7654cd", 1},
      {"color(xyz-d50 0.2005 0.14089 0.4472)", "7654cd", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Shown shown = Read(c.text);
    EXPECT_EQ(shown.hex, c.hex);
    EXPECT_NEAR(shown.alpha, c.alpha, 1e-9);
    EXPECT_FALSE(shown.clipped);
  }
}

TEST(CssText, KnowsTheNamesOfStyleSheets) {
  int names = 0;
  for (const NamedColor& entry : NamedColorTable) {
    EXPECT_EQ(Read(std::string(entry.name)).hex, HexColorText(entry.value)) << entry.name;
    ++names;
  }
  for (const char* name : {"darkgrey", "darkslategrey", "dimgrey", "grey", "lightgray",
                           "lightslategrey", "slategrey", "rebeccapurple"}) {
    const Shown shown = Read(name);
    EXPECT_EQ(shown.hex.find("error"), std::string::npos) << name;
    // Each spelling with an e names the colour of its spelling with an a.
    std::string other = name;
    if (const auto e = other.find("grey"); e != std::string::npos) {
      other.replace(e, 4, "gray");
      if (other == "lightgray") other = "lightgrey";
      EXPECT_EQ(shown.hex, Read(other).hex) << name;
    }
    ++names;
  }
  EXPECT_EQ(names, 148);
  EXPECT_EQ(Read("lightgray").hex, "d3d3d3");
  EXPECT_EQ(Read("NAVY").hex, "000080");
}

TEST(CssText, SaysClippedForColoursOutsideSrgb) {
  const Shown p3 = Read("color(display-p3 1 0 0)");
  EXPECT_TRUE(p3.clipped);
  EXPECT_EQ(p3.hex, "ff0b0c");
  EXPECT_TRUE(Read("oklch(70% 0.4 150)").clipped);
  EXPECT_TRUE(Read("oklch(100% 0.3 40)").clipped);
  EXPECT_EQ(Read("oklch(100% 0.3 40)").hex, "ffffff");
  EXPECT_TRUE(Read("lab(50 120 0)").clipped);
  EXPECT_TRUE(Read("rgb(300 0 0)").clipped);
  EXPECT_EQ(Read("rgb(300 0 0)").hex, "ff0000");
  EXPECT_TRUE(Read("color(srgb 1.1 0 0)").clipped);
  EXPECT_FALSE(Read("color(srgb 1.001 0 0)").clipped);
  EXPECT_FALSE(Read("rgb(255.4 0 0)").clipped);
}

TEST(CssText, RefusesWhatIsNoColourWithAReason) {
  for (const char* text : {"",
                           "   ",
                           "bogus",
                           "currentcolor",
                           "#ff",
                           "#ff00f",
                           "#fffffffff",
                           "#ggg",
                           "rgb(1 2)",
                           "rgb(1 2 3 4)",
                           "rgb(1, 2 3)",
                           "rgb(1, 2, 3,)",
                           "rgb(1,, 2, 3)",
                           "rgb(100%, 0, 0)",
                           "rgb(none, 0, 0)",
                           "rgb(1 2 3 /)",
                           "rgb(1 2 3 / 4 5)",
                           "rgb(1 2 3",
                           "rgb 1 2 3",
                           "rgb(1deg 2 3)",
                           "rgb(1px 2 3)",
                           "hsl(120, 100, 50)",
                           "hsl(10% 50% 50%)",
                           "hwb(0, 0%, 0%)",
                           "lab(50 1deg 0)",
                           "oklch(50% 0.1 10%)",
                           "color(rec2020 1 0 0)",
                           "color(1 0 0)",
                           "color(srgb 1 0)",
                           "calc(1)",
                           "rgb(calc(1) 2 3)",
                           "rgb(1 2 3) red",
                           "rgb(1 2 3)x",
                           "1 2 3",
                           "rgb(. 2 3)",
                           "rgb(1. 2 3)",
                           "rgb(1e 2 3)",
                           "rgb(--1 2 3)",
                           "rgb(-a 2 3)",
                           "ff0000"}) {
    SCOPED_TRACE(text);
    const CssReading reading = ReadCssColour(text);
    EXPECT_FALSE(reading.colour.has_value());
    EXPECT_FALSE(reading.error.empty());
  }
  EXPECT_EQ(ReadCssColour("bogus").error, "unknown colour name 'bogus'");
  EXPECT_EQ(ReadCssColour("color(rec2020 1 0 0)").error, "colour space 'rec2020' is not supported");
}

TEST(CssText, HostileTextIsRefusedSafely) {
  const std::string long_text = "rgb(" + std::string(1'000'000, '1') + " 0 0)";
  EXPECT_EQ(Read(long_text).hex, "ff0000");
  EXPECT_EQ(Read("lab(50 1e308 1e308)").clipped, true);
  EXPECT_EQ(Read("oklch(50% 1e999 1e999)").clipped, true);
  EXPECT_EQ(Read("hsl(1e300 50% 50%)").hex.size(), 6u);
  EXPECT_EQ(Read("rgb(1e-999 0 0)").hex, "000000");
  std::string many = "rgb(";
  for (int i = 0; i < 1'000'000; ++i) many += "1 ";
  EXPECT_EQ(ReadCssColour(many + ")").error, "too many values");
  const std::string nested = std::string(100'000, '(') + std::string(100'000, ')');
  EXPECT_FALSE(ReadCssColour("rgb" + nested).colour.has_value());
  // The reason never carries control bytes or the whole of a long text.
  for (const std::string& text :
       {std::string("\x1b[2J"), std::string("rgb(\x1b 0 0)"), std::string("bad\0name", 8),
        std::string("#\x9b\x9b\x9b"), "color(" + std::string(5000, 'x') + " 1 2 3)",
        std::string(5000, 'z')}) {
    const CssReading reading = ReadCssColour(text);
    ASSERT_FALSE(reading.colour.has_value());
    for (char c : reading.error) {
      EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7f);
    }
    EXPECT_LT(reading.error.size(), 200u);
  }
}

TEST(CssText, WritesShortNumbers) {
  EXPECT_EQ(ShortNumberText(0.62795536), "0.628");
  EXPECT_EQ(ShortNumberText(0.25768330), "0.2577");
  EXPECT_EQ(ShortNumberText(29.2338803), "29.23");
  EXPECT_EQ(ShortNumberText(100), "100");
  EXPECT_EQ(ShortNumberText(99.99999), "100");
  EXPECT_EQ(ShortNumberText(-0.5), "-0.5");
  EXPECT_EQ(ShortNumberText(-0.00001), "0");
  EXPECT_EQ(ShortNumberText(3.7e-8), "0");
  EXPECT_EQ(ShortNumberText(0.00012), "0.0001");
  EXPECT_EQ(ShortNumberText(12345.6), "12346");
  EXPECT_EQ(ReadCssNumber("-1.5e2"), -150);
  EXPECT_EQ(ReadCssNumber("+.5"), 0.5);
  EXPECT_EQ(ReadCssNumber("1e999"), 1e6);
  EXPECT_EQ(ReadCssNumber("-1e999"), -1e6);
  EXPECT_EQ(ReadCssNumber("1e-999"), 0);
  EXPECT_EQ(ReadCssNumber("0.000" + std::string(400, '0') + "1"), 0);
  for (const char* bad :
       {"", "1.", ".", "e5", "1e", "5%", "0x10", "inf", "nan", "1 ", " 1", "--1"}) {
    EXPECT_FALSE(ReadCssNumber(bad).has_value()) << bad;
  }
}

TEST(CssText, WritesTheModernSyntaxOfEachSpace) {
  EXPECT_EQ(Css4Text({255, 0, 128}, Css4Syntax::kRgb), "rgb(255 0 128)");
  EXPECT_EQ(Css4Text({255, 0, 128}, Css4Syntax::kHsl), "hsl(329.9 100% 50%)");
  EXPECT_EQ(Css4Text({0, 128, 0}, Css4Syntax::kHsl), "hsl(120 100% 25.1%)");
  EXPECT_EQ(Css4Text({255, 0, 0}, Css4Syntax::kHwb), "hwb(0 0% 0%)");
  EXPECT_EQ(Css4Text({255, 0, 0}, Css4Syntax::kLab), "lab(54.29 80.8 69.89)");
  EXPECT_EQ(Css4Text({255, 255, 255}, Css4Syntax::kOklch), "oklch(100% 0 0)");
  EXPECT_EQ(Css4Text({128, 128, 128}, Css4Syntax::kLch).find("lch(53.59 0 0"), 0u);
  EXPECT_EQ(Css4Text({0x76, 0x54, 0xcd}, Css4Syntax::kXyz).rfind("color(xyz-d65 0.2166 ", 0), 0u);
  EXPECT_EQ(Css4Text({255, 0, 0}, Css4Syntax::kP3).rfind("color(display-p3 0.9175 ", 0), 0u);
  EXPECT_EQ(Css4SyntaxFromKey("OKLCH"), Css4Syntax::kOklch);
  EXPECT_EQ(Css4SyntaxFromKey("display-p3"), Css4Syntax::kP3);
  EXPECT_FALSE(Css4SyntaxFromKey("cmyk").has_value());
}

// Every colour of a sample, in every syntax, reads back as itself. The
// companion's bench run checks all 16.7 million in rgb, oklch and lab.
TEST(CssText, ModernSyntaxReadsBackAsTheSameColour) {
  const Css4Syntax syntaxes[] = {Css4Syntax::kRgb,   Css4Syntax::kHsl, Css4Syntax::kHwb,
                                 Css4Syntax::kLab,   Css4Syntax::kLch, Css4Syntax::kOklab,
                                 Css4Syntax::kOklch, Css4Syntax::kXyz, Css4Syntax::kP3};
  for (std::uint32_t packed = 0; packed < 0x1000000; packed += 4093) {
    for (std::uint32_t near : {packed, packed ^ 0xffffffu, packed & 0x0f0f0fu}) {
      const RgbColor colour = RgbColor::FromPacked(near);
      for (Css4Syntax syntax : syntaxes) {
        const std::string text = Css4Text(colour, syntax);
        const CssReading back = ReadCssColour(text);
        ASSERT_TRUE(back.colour.has_value()) << text;
        ASSERT_EQ(CssColourToRgb(*back.colour).colour, colour) << text;
        EXPECT_FALSE(CssColourToRgb(*back.colour).clipped) << text;
      }
    }
  }
}

}  // namespace
}  // namespace tintara
