#include "colour/colour_text.h"

namespace tintara {

const std::array<NamedColor, kNamedColorCount> NamedColorTable = {{
    {"aliceblue", RgbColor{0xF0, 0xF8, 0xFF}},             // 0
    {"antiquewhite", RgbColor{0xFA, 0xEB, 0xD7}},          // 1
    {"aqua", RgbColor{0x00, 0xFF, 0xFF}},                  // 2
    {"aquamarine", RgbColor{0x7F, 0xFF, 0xD4}},            // 3
    {"azure", RgbColor{0xF0, 0xFF, 0xFF}},                 // 4
    {"beige", RgbColor{0xF5, 0xF5, 0xDC}},                 // 5
    {"bisque", RgbColor{0xFF, 0xE4, 0xC4}},                // 6
    {"black", RgbColor{0x00, 0x00, 0x00}},                 // 7
    {"blanchedalmond", RgbColor{0xFF, 0xEB, 0xCD}},        // 8
    {"blue", RgbColor{0x00, 0x00, 0xFF}},                  // 9
    {"blueviolet", RgbColor{0x8A, 0x2B, 0xE2}},            // 10
    {"brown", RgbColor{0xA5, 0x2A, 0x2A}},                 // 11
    {"burlywood", RgbColor{0xDE, 0xB8, 0x87}},             // 12
    {"cadetblue", RgbColor{0x5F, 0x9E, 0xA0}},             // 13
    {"chartreuse", RgbColor{0x7F, 0xFF, 0x00}},            // 14
    {"chocolate", RgbColor{0xD2, 0x69, 0x1E}},             // 15
    {"coral", RgbColor{0xFF, 0x7F, 0x50}},                 // 16
    {"cornflowerblue", RgbColor{0x64, 0x95, 0xED}},        // 17
    {"cornsilk", RgbColor{0xFF, 0xF8, 0xDC}},              // 18
    {"crimson", RgbColor{0xDC, 0x14, 0x3C}},               // 19
    {"cyan", RgbColor{0x00, 0xFF, 0xFF}},                  // 20
    {"darkblue", RgbColor{0x00, 0x00, 0x8B}},              // 21
    {"darkcyan", RgbColor{0x00, 0x8B, 0x8B}},              // 22
    {"darkgoldenrod", RgbColor{0xB8, 0x86, 0x0B}},         // 23
    {"darkgray", RgbColor{0xA9, 0xA9, 0xA9}},              // 24
    {"darkgreen", RgbColor{0x00, 0x64, 0x00}},             // 25
    {"darkkhaki", RgbColor{0xBD, 0xB7, 0x6B}},             // 26
    {"darkmagenta", RgbColor{0x8B, 0x00, 0x8B}},           // 27
    {"darkolivegreen", RgbColor{0x55, 0x6B, 0x2F}},        // 28
    {"darkorange", RgbColor{0xFF, 0x8C, 0x00}},            // 29
    {"darkorchid", RgbColor{0x99, 0x32, 0xCC}},            // 30
    {"darkred", RgbColor{0x8B, 0x00, 0x00}},               // 31
    {"darksalmon", RgbColor{0xE9, 0x96, 0x7A}},            // 32
    {"darkseagreen", RgbColor{0x8F, 0xBC, 0x8F}},          // 33
    {"darkslateblue", RgbColor{0x48, 0x3D, 0x8B}},         // 34
    {"darkslategray", RgbColor{0x2F, 0x4F, 0x4F}},         // 35
    {"darkturquoise", RgbColor{0x00, 0xCE, 0xD1}},         // 36
    {"darkviolet", RgbColor{0x94, 0x00, 0xD3}},            // 37
    {"deeppink", RgbColor{0xFF, 0x14, 0x93}},              // 38
    {"deepskyblue", RgbColor{0x00, 0xBF, 0xFF}},           // 39
    {"dimgray", RgbColor{0x69, 0x69, 0x69}},               // 40
    {"dodgerblue", RgbColor{0x1E, 0x90, 0xFF}},            // 41
    {"firebrick", RgbColor{0xB2, 0x22, 0x22}},             // 42
    {"floralwhite", RgbColor{0xFF, 0xFA, 0xF0}},           // 43
    {"forestgreen", RgbColor{0x22, 0x8B, 0x22}},           // 44
    {"fuchsia", RgbColor{0xFF, 0x00, 0xFF}},               // 45
    {"gainsboro", RgbColor{0xDC, 0xDC, 0xDC}},             // 46
    {"ghostwhite", RgbColor{0xF8, 0xF8, 0xFF}},            // 47
    {"gold", RgbColor{0xFF, 0xD7, 0x00}},                  // 48
    {"goldenrod", RgbColor{0xDA, 0xA5, 0x20}},             // 49
    {"gray", RgbColor{0x80, 0x80, 0x80}},                  // 50
    {"green", RgbColor{0x00, 0x80, 0x00}},                 // 51
    {"greenyellow", RgbColor{0xAD, 0xFF, 0x2F}},           // 52
    {"honeydew", RgbColor{0xF0, 0xFF, 0xF0}},              // 53
    {"hotpink", RgbColor{0xFF, 0x69, 0xB4}},               // 54
    {"indianred", RgbColor{0xCD, 0x5C, 0x5C}},             // 55
    {"indigo", RgbColor{0x4B, 0x00, 0x82}},                // 56
    {"ivory", RgbColor{0xFF, 0xFF, 0xF0}},                 // 57
    {"khaki", RgbColor{0xF0, 0xE6, 0x8C}},                 // 58
    {"lavender", RgbColor{0xE6, 0xE6, 0xFA}},              // 59
    {"lavenderblush", RgbColor{0xFF, 0xF0, 0xF5}},         // 60
    {"lawngreen", RgbColor{0x7C, 0xFC, 0x00}},             // 61
    {"lemonchiffon", RgbColor{0xFF, 0xFA, 0xCD}},          // 62
    {"lightblue", RgbColor{0xAD, 0xD8, 0xE6}},             // 63
    {"lightcoral", RgbColor{0xF0, 0x80, 0x80}},            // 64
    {"lightcyan", RgbColor{0xE0, 0xFF, 0xFF}},             // 65
    {"lightgoldenrodyellow", RgbColor{0xFA, 0xFA, 0xD2}},  // 66
    {"lightgreen", RgbColor{0x90, 0xEE, 0x90}},            // 67
    {"lightgrey", RgbColor{0xD3, 0xD3, 0xD3}},             // 68
    {"lightpink", RgbColor{0xFF, 0xB6, 0xC1}},             // 69
    {"lightsalmon", RgbColor{0xFF, 0xA0, 0x7A}},           // 70
    {"lightseagreen", RgbColor{0x20, 0xB2, 0xAA}},         // 71
    {"lightskyblue", RgbColor{0x87, 0xCE, 0xFA}},          // 72
    {"lightslategray", RgbColor{0x77, 0x88, 0x99}},        // 73
    {"lightsteelblue", RgbColor{0xB0, 0xC4, 0xDE}},        // 74
    {"lightyellow", RgbColor{0xFF, 0xFF, 0xE0}},           // 75
    {"lime", RgbColor{0x00, 0xFF, 0x00}},                  // 76
    {"limegreen", RgbColor{0x32, 0xCD, 0x32}},             // 77
    {"linen", RgbColor{0xFA, 0xF0, 0xE6}},                 // 78
    {"magenta", RgbColor{0xFF, 0x00, 0xFF}},               // 79
    {"maroon", RgbColor{0x80, 0x00, 0x00}},                // 80
    {"mediumaquamarine", RgbColor{0x66, 0xCD, 0xAA}},      // 81
    {"mediumblue", RgbColor{0x00, 0x00, 0xCD}},            // 82
    {"mediumorchid", RgbColor{0xBA, 0x55, 0xD3}},          // 83
    {"mediumpurple", RgbColor{0x93, 0x70, 0xDB}},          // 84
    {"mediumseagreen", RgbColor{0x3C, 0xB3, 0x71}},        // 85
    {"mediumslateblue", RgbColor{0x7B, 0x68, 0xEE}},       // 86
    {"mediumspringgreen", RgbColor{0x00, 0xFA, 0x9A}},     // 87
    {"mediumturquoise", RgbColor{0x48, 0xD1, 0xCC}},       // 88
    {"mediumvioletred", RgbColor{0xC7, 0x15, 0x85}},       // 89
    {"midnightblue", RgbColor{0x19, 0x19, 0x70}},          // 90
    {"mintcream", RgbColor{0xF5, 0xFF, 0xFA}},             // 91
    {"mistyrose", RgbColor{0xFF, 0xE4, 0xE1}},             // 92
    {"moccasin", RgbColor{0xFF, 0xE4, 0xB5}},              // 93
    {"navajowhite", RgbColor{0xFF, 0xDE, 0xAD}},           // 94
    {"navy", RgbColor{0x00, 0x00, 0x80}},                  // 95
    {"oldlace", RgbColor{0xFD, 0xF5, 0xE6}},               // 96
    {"olive", RgbColor{0x80, 0x80, 0x00}},                 // 97
    {"olivedrab", RgbColor{0x6B, 0x8E, 0x23}},             // 98
    {"orange", RgbColor{0xFF, 0xA5, 0x00}},                // 99
    {"orangered", RgbColor{0xFF, 0x45, 0x00}},             // 100
    {"orchid", RgbColor{0xDA, 0x70, 0xD6}},                // 101
    {"palegoldenrod", RgbColor{0xEE, 0xE8, 0xAA}},         // 102
    {"palegreen", RgbColor{0x98, 0xFB, 0x98}},             // 103
    {"paleturquoise", RgbColor{0xAF, 0xEE, 0xEE}},         // 104
    {"palevioletred", RgbColor{0xDB, 0x70, 0x93}},         // 105
    {"papayawhip", RgbColor{0xFF, 0xEF, 0xD5}},            // 106
    {"peachpuff", RgbColor{0xFF, 0xDA, 0xB9}},             // 107
    {"peru", RgbColor{0xCD, 0x85, 0x3F}},                  // 108
    {"pink", RgbColor{0xFF, 0xC0, 0xCB}},                  // 109
    {"plum", RgbColor{0xDD, 0xA0, 0xDD}},                  // 110
    {"powderblue", RgbColor{0xB0, 0xE0, 0xE6}},            // 111
    {"purple", RgbColor{0x80, 0x00, 0x80}},                // 112
    {"red", RgbColor{0xFF, 0x00, 0x00}},                   // 113
    {"rosybrown", RgbColor{0xBC, 0x8F, 0x8F}},             // 114
    {"royalblue", RgbColor{0x41, 0x69, 0xE1}},             // 115
    {"saddlebrown", RgbColor{0x8B, 0x45, 0x13}},           // 116
    {"salmon", RgbColor{0xFA, 0x80, 0x72}},                // 117
    {"sandybrown", RgbColor{0xF4, 0xA4, 0x60}},            // 118
    {"seagreen", RgbColor{0x2E, 0x8B, 0x57}},              // 119
    {"seashell", RgbColor{0xFF, 0xF5, 0xEE}},              // 120
    {"sienna", RgbColor{0xA0, 0x52, 0x2D}},                // 121
    {"silver", RgbColor{0xC0, 0xC0, 0xC0}},                // 122
    {"skyblue", RgbColor{0x87, 0xCE, 0xEB}},               // 123
    {"slateblue", RgbColor{0x6A, 0x5A, 0xCD}},             // 124
    {"slategray", RgbColor{0x70, 0x80, 0x90}},             // 125
    {"snow", RgbColor{0xFF, 0xFA, 0xFA}},                  // 126
    {"springgreen", RgbColor{0x00, 0xFF, 0x7F}},           // 127
    {"steelblue", RgbColor{0x46, 0x82, 0xB4}},             // 128
    {"tan", RgbColor{0xD2, 0xB4, 0x8C}},                   // 129
    {"teal", RgbColor{0x00, 0x80, 0x80}},                  // 130
    {"thistle", RgbColor{0xD8, 0xBF, 0xD8}},               // 131
    {"tomato", RgbColor{0xFF, 0x63, 0x47}},                // 132
    {"turquoise", RgbColor{0x40, 0xE0, 0xD0}},             // 133
    {"violet", RgbColor{0xEE, 0x82, 0xEE}},                // 134
    {"wheat", RgbColor{0xF5, 0xDE, 0xB3}},                 // 135
    {"white", RgbColor{0xFF, 0xFF, 0xFF}},                 // 136
    {"whitesmoke", RgbColor{0xF5, 0xF5, 0xF5}},            // 137
    {"yellow", RgbColor{0xFF, 0xFF, 0x00}},                // 138
    {"yellowgreen", RgbColor{0x9A, 0xCD, 0x32}},           // 139
}};

namespace {

constexpr std::array<RgbColor, kStandardColorCount> kStandardColors = {{
    {0x00, 0x00, 0x00},
    {0x80, 0x00, 0x00},
    {0x00, 0x80, 0x00},
    {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80},
    {0x80, 0x00, 0x80},
    {0x00, 0x80, 0x80},
    {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80},
    {0xFF, 0x00, 0x00},
    {0x00, 0xFF, 0x00},
    {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF},
    {0xFF, 0x00, 0xFF},
    {0x00, 0xFF, 0xFF},
    {0xFF, 0xFF, 0xFF},
}};

constexpr char kHexDigits[] = "0123456789abcdef";

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Index of the first entry with this value, or -1.
int FindValue(RgbColor colour) {
  for (int i = 0; i < kNamedColorCount; ++i) {
    if (NamedColorTable[i].value == colour) return i;
  }
  return -1;
}

}  // namespace

RgbColor StandardColor(int index) { return kStandardColors[index]; }

std::string HexColorText(RgbColor colour) {
  std::string text(6, '0');
  const std::uint8_t channels[3] = {colour.r, colour.g, colour.b};
  for (int i = 0; i < 3; ++i) {
    text[2 * i] = kHexDigits[channels[i] >> 4];
    text[2 * i + 1] = kHexDigits[channels[i] & 0xf];
  }
  return text;
}

std::string_view ColorToName(RgbColor colour) {
  const int index = FindValue(colour);
  return NamedColorTable[index < 0 ? kNamedColorFallback : index].name;
}

bool HasUsableName(RgbColor colour) { return FindValue(colour) >= 0; }

std::string ColorWord(RgbColor colour, bool use_names) {
  if (use_names && HasUsableName(colour)) return std::string(ColorToName(colour));
  return HexColorText(colour);
}

RgbColor NameToColor(std::string_view text) {
  for (const NamedColor& entry : NamedColorTable) {
    if (entry.name.size() != text.size()) continue;
    bool equal = true;
    for (std::size_t i = 0; i < text.size() && equal; ++i) {
      equal = AsciiLower(text[i]) == entry.name[i];
    }
    if (equal) return entry.value;
  }
  return NamedColorTable[kNamedColorFallback].value;
}

std::string OutputCaseRule(std::string_view text, bool lower) {
  std::string result(text);
  for (char& c : result) c = lower ? AsciiLower(c) : AsciiUpper(c);
  return result;
}

}  // namespace tintara
