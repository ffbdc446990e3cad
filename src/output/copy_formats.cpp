#include "output/copy_formats.h"

#include "colour/colour_text.h"

namespace tintara {

const std::array<CopyFormatEntry, kCopyFormatCount> kCopyFormats = {{
    {"RRGGBB", "一般的な形式です"},
    {"0xRRGGBB", "頭に16進数を示す記号をつけました"},
    {"0xBBGGRR", "プログラミングに便利です"},
    {"Color = \"#RRGGBB\"", "HTMLでの一般的な色指定"},
    {"Color : #RRGGBB", "スタイルシートでの色指定"},
    {"BackGround : #RRGGBB", "スタイルシートでの背景色の指定"},
    {"<HR Color = \"RRGGBB\">", "罫線"},
    {"<Font Color = \"#RRGGBB\"></Font>", "フォントの色指定"},
    {"<Marquee BGColor = \"#RRGGBB\"></Marquee>", "テキストがスクロールする範囲の背景の色"},
    {"<Table BGColor = \"#RRGGBB\"></Table>", "表全体のセルの色"},
    {"<Table BorderColor = \"#RRGGBB\"></Table>", "表の枠線の色"},
    {"<Table BorderColorLight = \"#RRGGBB\"></Table>", "表の枠線の明るい部分の色"},
    {"<Table BorderColorDark = \"#RRGGBB\"></Table>", "表の枠線の暗い部分の色"},
    {"<TR BGColor = \"#RRGGBB\"></TR>", "行全体のセルの色"},
    {"<TD BGColor = \"#RRGGBB\"></TD>", "列全体のセルの色"},
    {"<TH BGColor = \"#RRGGBB\"></TH>", "個別のセルの色"},
    {"<FrameSet BorderColor = \"#RRGGBB\"></FrameSet>", "フレームの枠の色"},
}};

namespace {

constexpr int kFormatBare = 0;
constexpr int kFormatPrefixed = 1;
constexpr int kFormatReversed = 2;
constexpr int kFormatRule = 6;  // its item shows the placeholder without "#"

std::string TwoDigits(std::uint8_t value) {
  const std::string hex = HexColorText({value, 0, 0});
  return hex.substr(0, 2);
}

// Puts the colour word where the item's placeholder stands.
std::string WrapInTemplate(int format, const std::string& word) {
  const std::string_view item = kCopyFormats[format].item;
  const std::string_view placeholder = format == kFormatRule ? "RRGGBB" : "#RRGGBB";
  const std::size_t at = item.find(placeholder);
  std::string text(item.substr(0, at));
  text += word;
  text += item.substr(at + placeholder.size());
  return text;
}

}  // namespace

CopyText BuildCopyText(RgbColor colour, int format, bool output_num, bool output_lower) {
  const bool known = format >= 0 && format < kCopyFormatCount;
  std::string text = HexColorText(colour);
  if (known) {
    const bool templated = format > kFormatReversed;
    if (templated) text.insert(0, "#");
    if (!output_num && (format == kFormatBare || templated) && HasUsableName(colour)) {
      text = std::string(ColorToName(colour));
    }
    if (format == kFormatPrefixed) {
      text.insert(0, "0x");
    } else if (format == kFormatReversed) {
      text = "0x" + TwoDigits(colour.b) + TwoDigits(colour.g) + TwoDigits(colour.r);
    } else if (templated) {
      text = WrapInTemplate(format, text);
    }
  }
  CopyText result;
  result.button_hint = text + std::string(kCopyHintSuffix);
  result.text = OutputCaseRule(text, output_lower);
  result.window_title = std::string(kWindowTitlePrefix) + result.text;
  return result;
}

}  // namespace tintara
