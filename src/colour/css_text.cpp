#include "colour/css_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "colour/colour_text.h"

namespace tintara {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == y; });
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A piece of the text for an error message: control and non-ASCII bytes as
// \xNN, and cut short, so that a hostile text cannot drive the terminal or
// flood it.
std::string Shown(std::string_view text) {
  static constexpr char kDigits[] = "0123456789abcdef";
  constexpr std::size_t kMost = 40;
  std::string shown = "'";
  for (std::size_t i = 0; i < text.size() && i < kMost; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x20 && byte < 0x7f) {
      shown += text[i];
    } else {
      shown += "\\x";
      shown += kDigits[byte >> 4];
      shown += kDigits[byte & 0xf];
    }
  }
  if (text.size() > kMost) shown += "...";
  return shown + "'";
}

struct ParseError {
  std::string message;
};

// The names style sheets know beside the program's own table: the grey
// spellings with the other vowel, and one later addition.
constexpr NamedColor kExtraCssNames[] = {
    {"darkgrey", {0xA9, 0xA9, 0xA9}},  {"darkslategrey", {0x2F, 0x4F, 0x4F}},
    {"dimgrey", {0x69, 0x69, 0x69}},   {"grey", {0x80, 0x80, 0x80}},
    {"lightgray", {0xD3, 0xD3, 0xD3}}, {"lightslategrey", {0x77, 0x88, 0x99}},
    {"slategrey", {0x70, 0x80, 0x90}}, {"rebeccapurple", {0x66, 0x33, 0x99}},
};

CssColour FromRgb(RgbColor colour, double alpha = 1) {
  CssColour result;
  result.values = {colour.r / 255.0, colour.g / 255.0, colour.b / 255.0};
  result.alpha = alpha;
  return result;
}

CssColour ReadName(std::string_view name) {
  if (SameWord(name, "transparent")) return FromRgb({0, 0, 0}, 0);
  for (const NamedColor& entry : NamedColorTable) {
    if (SameWord(name, entry.name)) return FromRgb(entry.value);
  }
  for (const NamedColor& entry : kExtraCssNames) {
    if (SameWord(name, entry.name)) return FromRgb(entry.value);
  }
  if (SameWord(name, "currentcolor")) {
    throw ParseError{"'currentcolor' is the colour of the text around it, not a colour of its own"};
  }
  throw ParseError{"unknown colour name " + Shown(name)};
}

CssColour ReadHex(std::string_view digits) {
  const std::size_t n = digits.size();
  if (n != 3 && n != 4 && n != 6 && n != 8) {
    throw ParseError{Shown("#" + std::string(digits.substr(0, 40))) +
                     " must have 3, 4, 6 or 8 hexadecimal digits"};
  }
  int values[4] = {0, 0, 0, 255};
  const bool short_form = n <= 4;
  for (std::size_t k = 0; k < (short_form ? n : n / 2); ++k) {
    int value = 0;
    for (std::size_t d = 0; d < (short_form ? 1u : 2u); ++d) {
      const char c = digits[short_form ? k : 2 * k + d];
      const int digit = HexDigitValue(c);
      if (digit < 0)
        throw ParseError{Shown(std::string_view(&c, 1)) + " is not a hexadecimal digit"};
      value = value * 16 + digit;
    }
    values[k] = short_form ? value * 17 : value;
  }
  return FromRgb(RgbColor::FromInts(values[0], values[1], values[2]), values[3] / 255.0);
}

enum class Unit { kNone, kPercent, kDeg, kRad, kGrad, kTurn };

struct Token {
  enum class Kind { kNumber, kNone, kComma, kSlash, kWord };
  Kind kind = Kind::kNumber;
  double value = 0;
  Unit unit = Unit::kNone;
  std::string_view text;
};

// The value of a number already checked to be one. Larger magnitudes mean
// nothing for a colour; keeping them finite keeps every later step finite.
double NumberValue(std::string_view number) {
  constexpr double kLargest = 1e6;
  const bool negative = number.front() == '-';
  if (number.front() == '+' || negative) number.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too small to tell from 0, or too large for any colour.
    const std::size_t exponent = number.find_first_of("eE");
    const bool tiny = (exponent != std::string_view::npos && number[exponent + 1] == '-') ||
                      number.find_first_not_of('0') == number.find('.');
    value = tiny ? 0 : kLargest;
  }
  value = std::min(value, kLargest);
  return negative ? -value : value;
}

Token ReadNumber(std::string_view text, std::size_t& i) {
  const std::size_t start = i;
  if (text[i] == '+' || text[i] == '-') ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i + 1 < text.size() && text[i] == '.' && IsDigit(text[i + 1])) {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) throw ParseError{Shown(text.substr(start, 12)) + " is not a number"};
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      i = j;
      while (i < text.size() && IsDigit(text[i])) ++i;
    }
  }
  Token token;
  token.text = text.substr(start, i - start);
  token.value = NumberValue(token.text);
  const std::size_t unit_start = i;
  if (i < text.size() && text[i] == '%') {
    ++i;
    token.unit = Unit::kPercent;
  } else {
    while (i < text.size() && (IsLetter(text[i]) || IsDigit(text[i]) || text[i] == '-')) ++i;
    const std::string_view unit = text.substr(unit_start, i - unit_start);
    if (unit.empty()) {
      token.unit = Unit::kNone;
    } else if (SameWord(unit, "deg")) {
      token.unit = Unit::kDeg;
    } else if (SameWord(unit, "rad")) {
      token.unit = Unit::kRad;
    } else if (SameWord(unit, "grad")) {
      token.unit = Unit::kGrad;
    } else if (SameWord(unit, "turn")) {
      token.unit = Unit::kTurn;
    } else {
      throw ParseError{"unknown unit " + Shown(unit) + " in " +
                       Shown(text.substr(start, i - start))};
    }
  }
  token.text = text.substr(start, i - start);
  return token;
}

// No colour function holds more than eight pieces ("r , g , b , a" or
// "space c1 c2 c3 / a"); a text of many more is refused as soon as that is
// plain, before it costs memory in proportion to its length.
constexpr std::size_t kMostTokens = 16;

std::vector<Token> Tokenise(std::string_view text) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    if (tokens.size() > kMostTokens) throw ParseError{"too many values"};
    const char c = text[i];
    if (IsBlank(c)) {
      ++i;
    } else if (c == ',' || c == '/') {
      Token token;
      token.kind = c == ',' ? Token::Kind::kComma : Token::Kind::kSlash;
      token.text = text.substr(i, 1);
      tokens.push_back(token);
      ++i;
    } else if (IsDigit(c) || c == '.' || c == '+' || c == '-') {
      if (c == '-' && i + 1 < text.size() && IsLetter(text[i + 1])) {
        throw ParseError{"unexpected " + Shown(text.substr(i, 12))};
      }
      tokens.push_back(ReadNumber(text, i));
    } else if (IsLetter(c)) {
      const std::size_t start = i;
      while (i < text.size() && (IsLetter(text[i]) || IsDigit(text[i]) || text[i] == '-')) ++i;
      Token token;
      token.text = text.substr(start, i - start);
      token.kind = SameWord(token.text, "none") ? Token::Kind::kNone : Token::Kind::kWord;
      tokens.push_back(token);
    } else if (c == '(' || c == ')') {
      throw ParseError{"calculations and nested functions are not read"};
    } else {
      throw ParseError{"unexpected " + Shown(text.substr(i, 1))};
    }
  }
  return tokens;
}

// How one component may be written and what 100% stands for.
struct Component {
  std::string_view name;
  bool hue = false;
  double hundred_percent = 100;
};

double HueDegrees(const Token& token, std::string_view function) {
  switch (token.unit) {
    case Unit::kNone:
    case Unit::kDeg:
      return token.value;
    case Unit::kRad:
      return token.value * 180 / std::numbers::pi;
    case Unit::kGrad:
      return token.value * 0.9;
    case Unit::kTurn:
      return token.value * 360;
    case Unit::kPercent:
      break;
  }
  throw ParseError{"the hue of " + std::string(function) +
                   "() cannot be a percentage: " + Shown(token.text)};
}

double ComponentValue(const Token& token, const Component& component, std::string_view function) {
  if (token.kind == Token::Kind::kNone) return 0;
  if (token.kind != Token::Kind::kNumber) {
    throw ParseError{"expected the " + std::string(component.name) + " of " +
                     std::string(function) + "(), not " + Shown(token.text)};
  }
  if (component.hue) return HueDegrees(token, function);
  if (token.unit == Unit::kPercent) return token.value / 100 * component.hundred_percent;
  if (token.unit != Unit::kNone) {
    throw ParseError{"the " + std::string(component.name) + " of " + std::string(function) +
                     "() cannot be an angle: " + Shown(token.text)};
  }
  return token.value;
}

double AlphaValue(const Token& token) {
  if (token.kind == Token::Kind::kNone) return 0;
  if (token.kind != Token::Kind::kNumber ||
      (token.unit != Unit::kNone && token.unit != Unit::kPercent)) {
    throw ParseError{"expected an alpha value, not " + Shown(token.text)};
  }
  return std::clamp(token.unit == Unit::kPercent ? token.value / 100 : token.value, 0.0, 1.0);
}

struct Layout {
  CssTriple values{};
  double alpha = 1;
};

// Three components and an optional alpha: separated by blanks with the alpha
// after '/', or, where `legacy_allowed`, by commas in the older form.
Layout ReadComponents(const std::vector<Token>& tokens, std::size_t first,
                      const std::array<Component, 3>& components, std::string_view function,
                      bool legacy_allowed) {
  const bool legacy = std::any_of(tokens.begin() + static_cast<std::ptrdiff_t>(first), tokens.end(),
                                  [](const Token& t) { return t.kind == Token::Kind::kComma; });
  const std::string name(function);
  if (legacy && !legacy_allowed) throw ParseError{name + "() takes no commas"};
  std::vector<const Token*> values;
  const Token* alpha = nullptr;
  if (legacy) {
    // v , v , v [, a]
    const std::size_t count = tokens.size() - first;
    if (count != 5 && count != 7) {
      throw ParseError{name + "() with commas takes three or four values"};
    }
    for (std::size_t k = first; k < tokens.size(); ++k) {
      const bool comma_place = (k - first) % 2 == 1;
      if (comma_place != (tokens[k].kind == Token::Kind::kComma)) {
        throw ParseError{name + "() with commas takes values separated by single commas"};
      }
      if (tokens[k].kind == Token::Kind::kNone) {
        throw ParseError{"'none' cannot stand among commas"};
      }
      if (comma_place) continue;
      if (values.size() < 3) {
        values.push_back(&tokens[k]);
      } else {
        alpha = &tokens[k];
      }
    }
  } else {
    std::size_t k = first;
    for (; k < tokens.size() && tokens[k].kind != Token::Kind::kSlash; ++k) {
      values.push_back(&tokens[k]);
    }
    if (values.size() != 3) {
      throw ParseError{name + "() takes three values, got " + std::to_string(values.size())};
    }
    if (k < tokens.size()) {
      if (k + 2 != tokens.size()) throw ParseError{"expected one alpha value after '/'"};
      alpha = &tokens[k + 1];
    }
  }
  Layout layout;
  for (int c = 0; c < 3; ++c)
    layout.values[c] = ComponentValue(*values[c], components[c], function);
  if (alpha != nullptr) layout.alpha = AlphaValue(*alpha);
  // The legacy forms are stricter about units.
  if (legacy && function == "rgb") {
    const bool percent = values[0]->unit == Unit::kPercent;
    for (const Token* v : values) {
      if ((v->unit == Unit::kPercent) != percent) {
        throw ParseError{"rgb() with commas takes three numbers or three percentages"};
      }
    }
  }
  if (legacy && function == "hsl") {
    if (values[1]->unit != Unit::kPercent || values[2]->unit != Unit::kPercent) {
      throw ParseError{"hsl() with commas takes percentages for saturation and lightness"};
    }
  }
  return layout;
}

// Clamps into lo..hi; notes a change of more than `tolerance`.
double Clamp(double value, double lo, double hi, double tolerance, bool& clamped) {
  const double result = std::clamp(value, lo, hi);
  if (std::fabs(result - value) > tolerance) clamped = true;
  return result;
}

CssColour ReadFunction(std::string_view name, std::string_view inside) {
  const std::vector<Token> tokens = Tokenise(inside);
  constexpr Component kHue{"hue", true};
  CssColour colour;
  const auto take = [&](const Layout& layout, CssSpace space) {
    colour.space = space;
    colour.values = layout.values;
    colour.alpha = layout.alpha;
  };
  constexpr double kHalfStep = 0.5 / 255;
  if (SameWord(name, "rgb") || SameWord(name, "rgba")) {
    constexpr Component kChannel{"channel", false, 255};
    take(ReadComponents(tokens, 0, {kChannel, kChannel, kChannel}, "rgb", true), CssSpace::kSrgb);
    for (double& v : colour.values) v = Clamp(v / 255, 0, 1, kHalfStep, colour.clamped);
    return colour;
  }
  if (SameWord(name, "hsl") || SameWord(name, "hsla")) {
    take(ReadComponents(tokens, 0, {kHue, {"saturation"}, {"lightness"}}, "hsl", true),
         CssSpace::kHsl);
    colour.values[1] = Clamp(colour.values[1], 0, 100, 100 * kHalfStep, colour.clamped);
    colour.values[2] = Clamp(colour.values[2], 0, 100, 100 * kHalfStep, colour.clamped);
    return colour;
  }
  if (SameWord(name, "hwb")) {
    take(ReadComponents(tokens, 0, {kHue, {"whiteness"}, {"blackness"}}, "hwb", false),
         CssSpace::kHwb);
    colour.values[1] = Clamp(colour.values[1], 0, 100, 100 * kHalfStep, colour.clamped);
    colour.values[2] = Clamp(colour.values[2], 0, 100, 100 * kHalfStep, colour.clamped);
    return colour;
  }
  if (SameWord(name, "lab")) {
    take(ReadComponents(tokens, 0, {{{"lightness"}, {"a", false, 125}, {"b", false, 125}}}, "lab",
                        false),
         CssSpace::kLab);
  } else if (SameWord(name, "lch")) {
    take(ReadComponents(tokens, 0, {{{"lightness"}, {"chroma", false, 150}, kHue}}, "lch", false),
         CssSpace::kLch);
    colour.values[1] = std::max(colour.values[1], 0.0);
  } else if (SameWord(name, "oklab")) {
    take(
        ReadComponents(tokens, 0, {{{"lightness", false, 1}, {"a", false, 0.4}, {"b", false, 0.4}}},
                       "oklab", false),
        CssSpace::kOklab);
  } else if (SameWord(name, "oklch")) {
    take(ReadComponents(tokens, 0, {{{"lightness", false, 1}, {"chroma", false, 0.4}, kHue}},
                        "oklch", false),
         CssSpace::kOklch);
    colour.values[1] = std::max(colour.values[1], 0.0);
  } else if (SameWord(name, "color")) {
    if (tokens.empty() || tokens.front().kind != Token::Kind::kWord) {
      throw ParseError{"color() starts with the name of a colour space"};
    }
    const std::string_view space = tokens.front().text;
    if (SameWord(space, "srgb")) {
      colour.space = CssSpace::kSrgb;
    } else if (SameWord(space, "srgb-linear")) {
      colour.space = CssSpace::kSrgbLinear;
    } else if (SameWord(space, "display-p3")) {
      colour.space = CssSpace::kDisplayP3;
    } else if (SameWord(space, "xyz") || SameWord(space, "xyz-d65")) {
      colour.space = CssSpace::kXyzD65;
    } else if (SameWord(space, "xyz-d50")) {
      colour.space = CssSpace::kXyzD50;
    } else {
      throw ParseError{"colour space " + Shown(space) + " is not supported"};
    }
    constexpr Component kValue{"value", false, 1};
    const CssSpace chosen = colour.space;
    take(ReadComponents(tokens, 1, {kValue, kValue, kValue}, "color", false), chosen);
    return colour;
  } else {
    throw ParseError{"unknown colour function " + Shown(name)};
  }
  // Lightness beyond black and white means nothing.
  const double white =
      colour.space == CssSpace::kOklab || colour.space == CssSpace::kOklch ? 1 : 100;
  colour.values[0] = std::clamp(colour.values[0], 0.0, white);
  return colour;
}

CssColour Read(std::string_view text) {
  if (text.empty()) throw ParseError{"empty text"};
  if (text.front() == '#') return ReadHex(text.substr(1));
  const std::size_t open = text.find('(');
  if (open == std::string_view::npos) {
    if (!std::all_of(text.begin(), text.end(), [](char c) { return IsLetter(c); })) {
      throw ParseError{Shown(text) + " is not a colour"};
    }
    return ReadName(text);
  }
  const std::string_view name = text.substr(0, open);
  if (name.empty() || !std::all_of(name.begin(), name.end(), [](char c) { return IsLetter(c); })) {
    throw ParseError{Shown(text.substr(0, open + 1)) + " is not a colour function"};
  }
  if (text.back() != ')') throw ParseError{"missing ')' at the end"};
  return ReadFunction(name, text.substr(open + 1, text.size() - open - 2));
}

// Fixed decimals without trailing zeros, and never "-0".
std::string FixedText(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text = buffer;
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}

struct Css4Form {
  std::string_view key;
  CssSpace space;
  std::string_view prefix;       // up to the first value
  std::array<int, 3> decimals;   // the fewest tried
  std::array<double, 3> scales;  // from the space's units to the text's
  std::array<std::string_view, 3> suffixes;
};

constexpr Css4Form kCss4Forms[] = {
    {"rgb", CssSpace::kSrgb, "rgb(", {0, 0, 0}, {255, 255, 255}, {"", "", ""}},
    {"hsl", CssSpace::kHsl, "hsl(", {1, 1, 1}, {1, 1, 1}, {"", "%", "%"}},
    {"hwb", CssSpace::kHwb, "hwb(", {1, 1, 1}, {1, 1, 1}, {"", "%", "%"}},
    {"lab", CssSpace::kLab, "lab(", {2, 2, 2}, {1, 1, 1}, {"", "", ""}},
    {"lch", CssSpace::kLch, "lch(", {2, 2, 1}, {1, 1, 1}, {"", "", ""}},
    {"oklab", CssSpace::kOklab, "oklab(", {1, 3, 3}, {100, 1, 1}, {"%", "", ""}},
    {"oklch", CssSpace::kOklch, "oklch(", {1, 3, 1}, {100, 1, 1}, {"%", "", ""}},
    {"xyz", CssSpace::kXyzD65, "color(xyz-d65 ", {4, 4, 4}, {1, 1, 1}, {"", "", ""}},
    {"p3", CssSpace::kDisplayP3, "color(display-p3 ", {4, 4, 4}, {1, 1, 1}, {"", "", ""}},
};

}  // namespace

CssReading ReadCssColour(std::string_view text) {
  CssReading reading;
  try {
    reading.colour = Read(Trim(text));
  } catch (const ParseError& error) {
    reading.error = error.message;
  }
  return reading;
}

std::optional<double> ReadCssNumber(std::string_view text) {
  if (text.empty() || !(IsDigit(text[0]) || text[0] == '.' || text[0] == '+' || text[0] == '-')) {
    return std::nullopt;
  }
  try {
    std::size_t i = 0;
    const Token token = ReadNumber(text, i);
    if (i != text.size() || token.unit != Unit::kNone) return std::nullopt;
    return token.value;
  } catch (const ParseError&) {
    return std::nullopt;
  }
}

CssSrgb CssColourToRgb(const CssColour& colour) {
  const SrgbMapping mapping = MapToSrgb(colour.space, colour.values);
  return {SrgbToRgb(mapping.srgb), mapping.clipped || colour.clamped};
}

std::string ShortNumberText(double value) {
  if (!std::isfinite(value) || value == 0) return "0";
  const int whole_digits = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
  return FixedText(value, std::clamp(4 - whole_digits, 0, 4));
}

std::optional<Css4Syntax> Css4SyntaxFromKey(std::string_view key) {
  for (std::size_t k = 0; k < std::size(kCss4Forms); ++k) {
    if (SameWord(key, kCss4Forms[k].key)) return static_cast<Css4Syntax>(k);
  }
  if (SameWord(key, "srgb")) return Css4Syntax::kRgb;
  if (SameWord(key, "display-p3")) return Css4Syntax::kP3;
  return std::nullopt;
}

std::string Css4Text(RgbColor colour, Css4Syntax syntax) {
  const Css4Form& form = kCss4Forms[static_cast<int>(syntax)];
  const CssTriple values = RgbToCss(form.space, colour);
  // A hue means nothing once the chroma (or saturation) is written as 0.
  const bool polar = form.space == CssSpace::kLch || form.space == CssSpace::kOklch;
  std::string text;
  for (int extra = 0; extra <= 8; ++extra) {
    std::array<std::string, 3> parts;
    for (int c = 0; c < 3; ++c) {
      parts[c] = FixedText(values[c] * form.scales[c], form.decimals[c] + extra);
    }
    if (polar && parts[1] == "0") parts[2] = "0";
    text = std::string(form.prefix) + parts[0] + std::string(form.suffixes[0]) + " " + parts[1] +
           std::string(form.suffixes[1]) + " " + parts[2] + std::string(form.suffixes[2]) + ")";
    // Read back as this colour, and not from outside sRGB.
    const CssReading back = ReadCssColour(text);
    if (!back.colour) continue;
    const CssSrgb rgb = CssColourToRgb(*back.colour);
    if (rgb.colour == colour && !rgb.clipped) break;
  }
  return text;
}

}  // namespace tintara
