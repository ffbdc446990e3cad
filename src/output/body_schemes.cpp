#include "output/body_schemes.h"

#include <cstdint>

namespace tintara {
namespace {

constexpr RgbColor Rgb(std::uint32_t rrggbb) {
  return {static_cast<std::uint8_t>(rrggbb >> 16), static_cast<std::uint8_t>(rrggbb >> 8),
          static_cast<std::uint8_t>(rrggbb)};
}

}  // namespace

const std::array<BodyScheme, kBodySchemeCount> BodySchemeTable = {{
    {"標準色", {Rgb(0x000000), Rgb(0x0000EE), Rgb(0x551A8B), Rgb(0xEE0000), Rgb(0xC0C0C0)}},    // 0
    {"モノクロ", {Rgb(0xEEEEEE), Rgb(0xEEEEEE), Rgb(0xBBBBBB), Rgb(0x888888), Rgb(0x000000)}},  // 1
    {"黒地に薄緑ﾘﾝｸ",
     {Rgb(0xFFFFFF), Rgb(0xDDFFDD), Rgb(0xDDFFFF), Rgb(0x888888), Rgb(0x000000)}},  // 2
    {"白地に薄緑ﾘﾝｸ",
     {Rgb(0x000000), Rgb(0x00B800), Rgb(0xF08000), Rgb(0xEE0000), Rgb(0xFFFFFF)}},  // 3
    {"白地に赤ﾘﾝｸ",
     {Rgb(0x000000), Rgb(0xE33C40), Rgb(0x008000), Rgb(0x33A8EE), Rgb(0xFFFFFF)}},              // 4
    {"白地に黒", {Rgb(0x000000), Rgb(0x000000), Rgb(0xFF8000), Rgb(0xEE0000), Rgb(0xFFFFFF)}},  // 5
    {"白地に茶", {Rgb(0xE09D54), Rgb(0xFF8000), Rgb(0x804000), Rgb(0x800000), Rgb(0xFFFFFF)}},  // 6
    {"薄緑に黒", {Rgb(0x000000), Rgb(0x0050FF), Rgb(0x0050FF), Rgb(0xEE0000), Rgb(0xF0FFF0)}},  // 7
    {"薄黄に紺", {Rgb(0x000080), Rgb(0xAA3FBF), Rgb(0x35AF32), Rgb(0xEE0000), Rgb(0xFFFEE6)}},  // 8
    {"黄色", {Rgb(0x000000), Rgb(0x6600FF), Rgb(0x660099), Rgb(0xFF4500), Rgb(0xFFFFCC)}},      // 9
    {"薄だいだい",
     {Rgb(0x000000), Rgb(0x993388), Rgb(0x551A8B), Rgb(0xEE0000), Rgb(0xFFEECC)}},  // 10
    {"オレンジ",
     {Rgb(0xFFD5C0), Rgb(0xC0CC55), Rgb(0xB90000), Rgb(0xF9B570), Rgb(0xEF6517)}},        // 11
    {"茶", {Rgb(0xFFB67A), Rgb(0x00CCAD), Rgb(0xC58CF9), Rgb(0xEE7100), Rgb(0x8F4800)}},  // 12
    {"灰に黄文字",
     {Rgb(0xEBEC31), Rgb(0xC0C0C0), Rgb(0x0080FF), Rgb(0xFF0000), Rgb(0xC0C0C0)}},  // 13
    {"灰に緑文字",
     {Rgb(0x205020), Rgb(0x104010), Rgb(0x101040), Rgb(0x208020), Rgb(0xC0C0C0)}},            // 14
    {"薄青", {Rgb(0x000000), Rgb(0x0000EE), Rgb(0x551A8B), Rgb(0xEE0000), Rgb(0xCCDDDD)}},    // 15
    {"薄水色", {Rgb(0x000000), Rgb(0x0000EE), Rgb(0x551A8B), Rgb(0xEE0000), Rgb(0xA6CAF0)}},  // 16
    {"青地に白",
     {Rgb(0xFFFFFF), Rgb(0x10E8EE), Rgb(0xBCD37A), Rgb(0xEEDD00), Rgb(0x8477FF)}},            // 17
    {"薄青緑", {Rgb(0x000066), Rgb(0x0000FF), Rgb(0x993399), Rgb(0xFFCC00), Rgb(0x99CCCC)}},  // 18
    {"緑", {Rgb(0x006D00), Rgb(0x0000EE), Rgb(0x551A8B), Rgb(0xEE0000), Rgb(0x00C16C)}},      // 19
    {"シアン", {Rgb(0x000000), Rgb(0x0000EE), Rgb(0x551A8B), Rgb(0xEE0000), Rgb(0x00FFFF)}},  // 20
    {"青地に黒",
     {Rgb(0x000000), Rgb(0x011B54), Rgb(0x730056), Rgb(0xFF0000), Rgb(0x387AFF)}},  // 21
    {"紺地に黒",
     {Rgb(0x000000), Rgb(0x0000FF), Rgb(0x7700FF), Rgb(0xEE0000), Rgb(0x3333CC)}},  // 22
    {"青地に薄水色",
     {Rgb(0x75C5FF), Rgb(0x10DAEE), Rgb(0x9DD581), Rgb(0xEEF0E6), Rgb(0x0048AB)}},        // 23
    {"紺", {Rgb(0x000000), Rgb(0xFFF8D7), Rgb(0x6699CC), Rgb(0xC23D78), Rgb(0x336699)}},  // 24
    {"紺地に薄青緑",
     {Rgb(0xB6DDCD), Rgb(0x224EFF), Rgb(0xBAA1CD), Rgb(0xC85B4C), Rgb(0x31145D)}},  // 25
    {"黒地に濃緑",
     {Rgb(0x556B2F), Rgb(0xC0C0C0), Rgb(0x696969), Rgb(0x800040), Rgb(0x000000)}},  // 26
    {"黒地に青",
     {Rgb(0x2598C9), Rgb(0xFCFEA3), Rgb(0xE24E68), Rgb(0x2F7401), Rgb(0x000000)}},  // 27
    {"黒地に白",
     {Rgb(0xFFFFFF), Rgb(0xFFBB33), Rgb(0xBB7733), Rgb(0xFF0000), Rgb(0x000000)}},  // 28
    {"黒地に薄黄",
     {Rgb(0xFFFFC0), Rgb(0xFF8080), Rgb(0xFFFF60), Rgb(0x0000EE), Rgb(0x180303)}},  // 29
    {"黒地に黄緑",
     {Rgb(0xC0FF00), Rgb(0xFF0080), Rgb(0x00FF00), Rgb(0xFF0080), Rgb(0x000000)}},  // 30
    {"黒地にピンク",
     {Rgb(0xFF55FF), Rgb(0x00CC00), Rgb(0xFF0000), Rgb(0x0000EE), Rgb(0x000000)}},            // 31
    {"ピンク", {Rgb(0xFFFF00), Rgb(0x59FF62), Rgb(0xEAF394), Rgb(0xBCF69A), Rgb(0xFF92FF)}},  // 32
}};

}  // namespace tintara
