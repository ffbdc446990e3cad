#include "cli/cli.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>

#include "cli/palette.h"
#include "colour/colour_models.h"
#include "colour/colour_text.h"
#include "colour/contrast.h"
#include "colour/css_spaces.h"
#include "colour/css_text.h"
#include "colour/number_text.h"
#include "output/body_reader.h"
#include "output/copy_formats.h"
#include "platform/ini_text.h"
#include "platform/store_file.h"

namespace tintara::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage:\n"
    "  tintara-cli convert MODEL [V1 V2 V3]        model values to R G B\n"
    "  tintara-cli convert --to MODEL [R G B]      R G B to model values\n"
    "  tintara-cli text FORMAT [COLOUR] [--names] [--upper]\n"
    "                                              the copy text of format 0..16\n"
    "  tintara-cli text css4 [COLOUR] [--space SPACE]\n"
    "                                              the colour as a style sheet writes it\n"
    "  tintara-cli parse [TEXT...]                 style-sheet colours to RRGGBB\n"
    "  tintara-cli contrast [FG BG]                the contrast of FG text on BG\n"
    "  tintara-cli read [FILE] [--contrast]        the colours of a BODY tag or a text\n"
    "  tintara-cli palette [--format gpl|css|json|txt] [--store PATH]\n"
    "                                              the user palette and the favourites\n"
    "  tintara-cli --help | --version\n"
    "\n"
    "MODEL is one of rgb, ymc, esl, hsl, hsv, ycc, with whole values clamped into\n"
    "the model's ranges (or 0..255 for R G B), or one of the style-sheet spaces\n"
    "lab, lch, oklab, oklch, hwb, xyz, p3, with decimal values: lab L 0..100, a b;\n"
    "lch L C H; oklab L 0..1, a b; oklch L 0..1, C H; hwb H W B (W B 0..100); xyz\n"
    "X Y Z (D65); p3 R G B 0..1 (display-p3). They print with at most 4\n"
    "significant digits. A colour outside sRGB is brought into it as style sheets\n"
    "do (its OkLCh chroma reduced) and its line ends in ' clipped' when a channel\n"
    "lay outside by more than half a step.\n"
    "COLOUR is six hexadecimal digits, optionally after '#'. --names writes colour\n"
    "names where one exists, --upper writes upper case.\n"
    "Without values, COLOUR, TEXT or FG BG, one input per line is read from\n"
    "standard input and one line is printed for each; a bad line prints 'error: '\n"
    "and the reason, and the exit status is then 1.\n"
    "text css4 writes rgb(), hsl(), hwb(), lab(), lch(), oklab(), oklch() or\n"
    "color() for SPACE rgb (the default), hsl, hwb, lab, lch, oklab, oklch, xyz or\n"
    "p3, with as few decimals as give the same colour back.\n"
    "parse reads each TEXT (or line) as one style-sheet colour: hexadecimal of 3,\n"
    "4, 6 or 8 digits, a name, transparent, rgb(), rgba(), hsl(), hsla(), hwb(),\n"
    "lab(), lch(), oklab(), oklch() or color() in the spaces srgb, srgb-linear,\n"
    "display-p3, xyz, xyz-d50 and xyz-d65; it prints 'RRGGBB ALPHA', with\n"
    "' clipped' as above.\n"
    "contrast takes two COLOURs and prints\n"
    "'ratio=R aa-normal=V aa-large=V aaa-normal=V aaa-large=V': R is the WCAG 2.2\n"
    "contrast ratio R:1 with two decimals, each V is 'pass' or 'fail' (AA and\n"
    "AAA, normal and large text). The verdicts come from the exact ratio; R is\n"
    "rounded, but never up onto a ratio the colours miss (4.4996 is 4.49), so R\n"
    "compared with 3, 4.5 and 7 gives the same verdicts.\n"
    "read takes FILE (at most 16 MiB), or standard input without one, and prints\n"
    "'text=RRGGBB link=RRGGBB vlink=RRGGBB alink=RRGGBB bgcolor=RRGGBB' for the\n"
    "colour attributes it found ('-' for one not found), 'colour=RRGGBB' for a\n"
    "single colour, or 'none'. A line break at the very end is ignored. An\n"
    "attribute value that is not a colour is reported on standard error, and the\n"
    "exit status is then 1.\n"
    "read --contrast adds 'text-contrast=R link-contrast=R vlink-contrast=R\n"
    "alink-contrast=R' to the attributes, each role's ratio against the\n"
    "background, or against the default c0c0c0 when bgcolor is not given ('-'\n"
    "for a role not found).\n"
    "palette prints the ten user-palette slots and the favourites from the\n"
    "program's settings (~/.config/Korvell/RGB.conf) or from PATH, only reading\n"
    "them: as a GIMP palette (gpl, the default), CSS custom properties (css), a\n"
    "JSON array of {name, hex, source} (json) or one RRGGBB a line (txt).\n";

// A usage problem: reported on standard error, exit status 2.
struct UsageError {
  std::string message;
};

// A whole number as the window's decimal fields read it: one optional sign,
// then digits, saturating far beyond any range (which clamps it anyway).
// Unlike a field, which ignores what follows the digits, a word holding
// anything else is refused.
std::optional<int> ParseInteger(std::string_view text) {
  const DecimalReading reading = ReadDecimalPrefix(text);
  const bool starts_with_number = !text.empty() && (text.front() == '+' || text.front() == '-' ||
                                                    (text.front() >= '0' && text.front() <= '9'));
  if (!starts_with_number || !reading.has_digits || reading.end != text.size()) return std::nullopt;
  return reading.value;
}

int ClampToInt(int value, ComponentRange range) {
  if (value > range.max) return range.max;
  if (value < range.min) return range.min;
  return value;
}

std::optional<RgbColor> ParseColour(std::string_view text) {
  if (!text.empty() && text.front() == '#') text.remove_prefix(1);
  if (text.size() != 6) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return RgbColor{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                  static_cast<std::uint8_t>(value)};
}

std::vector<std::string_view> SplitWords(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

// One conversion job: the three values in, one line of text out, or an error
// message describing what was wrong with the values.
class ConvertJob {
 public:
  ConvertJob(SlideModel model, bool to_model) : model_(model), to_model_(to_model) {}

  std::optional<std::string> Run(const std::vector<std::string_view>& values,
                                 std::string& error) const {
    if (values.size() != 3) {
      error = "expected three numbers, got " + std::to_string(values.size());
      return std::nullopt;
    }
    int parsed[3];
    for (int i = 0; i < 3; ++i) {
      const auto value = ParseInteger(values[i]);
      if (!value) {
        error = "'" + std::string(values[i]) + "' is not a whole number";
        return std::nullopt;
      }
      parsed[i] = *value;
    }
    if (to_model_) {
      constexpr ComponentRange kByte{0, 255};
      const RgbColor colour = RgbColor::FromInts(
          ClampToInt(parsed[0], kByte), ClampToInt(parsed[1], kByte), ClampToInt(parsed[2], kByte));
      const ModelTriple v = RgbToModel(model_, colour);
      return std::to_string(v.first) + " " + std::to_string(v.second) + " " +
             std::to_string(v.third);
    }
    const auto& ranges = InfoOf(model_).ranges;
    const ModelTriple v{ClampToInt(parsed[0], ranges[0]), ClampToInt(parsed[1], ranges[1]),
                        ClampToInt(parsed[2], ranges[2])};
    const RgbColor colour = ModelToRgb(model_, v);
    return std::to_string(colour.r) + " " + std::to_string(colour.g) + " " +
           std::to_string(colour.b);
  }

 private:
  SlideModel model_;
  bool to_model_;
};

// The style-sheet spaces convert takes, with the function that writes a
// colour of the space.
struct CssModel {
  std::string_view key;
  CssSpace space;
  std::string_view function;  // up to the first value
};

constexpr CssModel kCssModels[] = {
    {"lab", CssSpace::kLab, "lab("},
    {"lch", CssSpace::kLch, "lch("},
    {"oklab", CssSpace::kOklab, "oklab("},
    {"oklch", CssSpace::kOklch, "oklch("},
    {"hwb", CssSpace::kHwb, "hwb("},
    {"xyz", CssSpace::kXyzD65, "color(xyz-d65 "},
    {"p3", CssSpace::kDisplayP3, "color(display-p3 "},
};

const CssModel* CssModelFromKey(std::string_view key) {
  for (const CssModel& model : kCssModels) {
    if (model.key == key) return &model;
  }
  return nullptr;
}

// "R G B", and " clipped" when the colour lay outside sRGB.
std::string RgbLine(const CssSrgb& rgb) {
  return std::to_string(rgb.colour.r) + " " + std::to_string(rgb.colour.g) + " " +
         std::to_string(rgb.colour.b) + (rgb.clipped ? " clipped" : "");
}

// convert for the style-sheet spaces: decimal values, read by the very rules
// of the space's function, so that `convert oklch L C H` and
// `parse 'oklch(L C H)'` agree.
class CssConvertJob {
 public:
  CssConvertJob(const CssModel& model, bool to_model) : model_(model), to_model_(to_model) {}

  std::optional<std::string> Run(const std::vector<std::string_view>& values,
                                 std::string& error) const {
    if (values.size() != 3) {
      error = "expected three numbers, got " + std::to_string(values.size());
      return std::nullopt;
    }
    if (to_model_) {
      int channels[3];
      for (int i = 0; i < 3; ++i) {
        const auto value = ParseInteger(values[i]);
        if (!value) {
          error = "'" + std::string(values[i]) + "' is not a whole number";
          return std::nullopt;
        }
        channels[i] = ClampToInt(*value, {0, 255});
      }
      const CssTriple v =
          RgbToCss(model_.space, RgbColor::FromInts(channels[0], channels[1], channels[2]));
      std::string parts[3] = {ShortNumberText(v[0]), ShortNumberText(v[1]), ShortNumberText(v[2])};
      // A grey has no hue to speak of.
      const bool polar = model_.space == CssSpace::kLch || model_.space == CssSpace::kOklch;
      if (polar && parts[1] == "0") parts[2] = "0";
      return parts[0] + " " + parts[1] + " " + parts[2];
    }
    std::string text(model_.function);
    for (int i = 0; i < 3; ++i) {
      const auto value = ReadCssNumber(values[i]);
      if (!value) {
        error = "'" + std::string(values[i]) + "' is not a number";
        return std::nullopt;
      }
      char number[32];
      std::snprintf(number, sizeof number, "%.17g", *value);
      text += (i > 0 ? " " : "") + std::string(number);
    }
    const CssReading reading = ReadCssColour(text + ")");
    if (!reading.colour) {
      error = reading.error;
      return std::nullopt;
    }
    return RgbLine(CssColourToRgb(*reading.colour));
  }

 private:
  const CssModel& model_;
  bool to_model_;
};

// The copy text of a numbered format, or with `css4` set the colour in a
// style sheet's modern syntax.
class TextJob {
 public:
  TextJob(int format, bool names, bool upper) : format_(format), names_(names), upper_(upper) {}
  explicit TextJob(Css4Syntax css4) : css4_(css4) {}

  std::optional<std::string> Run(const std::vector<std::string_view>& words,
                                 std::string& error) const {
    if (words.size() != 1) {
      error = words.empty() ? "expected a colour"
                            : "expected one colour, got " + std::to_string(words.size()) + " words";
      return std::nullopt;
    }
    const auto colour = ParseColour(words[0]);
    if (!colour) {
      error = "'" + std::string(words[0]) + "' is not six hexadecimal digits";
      return std::nullopt;
    }
    if (css4_) return Css4Text(*colour, *css4_);
    return BuildCopyText(*colour, format_, !names_, !upper_).text;
  }

 private:
  int format_ = 0;
  bool names_ = false;
  bool upper_ = false;
  std::optional<Css4Syntax> css4_;
};

class ContrastJob {
 public:
  std::optional<std::string> Run(const std::vector<std::string_view>& words,
                                 std::string& error) const {
    if (words.size() != 2) {
      error = "expected two colours, got " + std::to_string(words.size());
      return std::nullopt;
    }
    RgbColor colours[2];
    for (int i = 0; i < 2; ++i) {
      const auto colour = ParseColour(words[i]);
      if (!colour) {
        error = "'" + std::string(words[i]) + "' is not six hexadecimal digits";
        return std::nullopt;
      }
      colours[i] = *colour;
    }
    const double ratio = ContrastRatio(colours[0], colours[1]);
    const ContrastVerdicts verdicts = JudgeContrast(ratio);
    const auto word = [](bool pass) { return pass ? "pass" : "fail"; };
    return "ratio=" + ContrastRatioText(ratio) + " aa-normal=" + word(verdicts.aa_normal) +
           " aa-large=" + word(verdicts.aa_large) + " aaa-normal=" + word(verdicts.aaa_normal) +
           " aaa-large=" + word(verdicts.aaa_large);
  }
};

// Runs a job on the given values, or on each line of standard input when
// no values were given.
template <typename Job>
int RunJob(const Job& job, const std::vector<std::string_view>& values, bool from_input,
           std::istream& in, std::ostream& out, std::ostream& /*err*/) {
  std::string error;
  if (!from_input) {
    const auto line = job.Run(values, error);
    if (!line) throw UsageError{error};
    out << *line << '\n';
    return kExitOk;
  }
  int status = kExitOk;
  std::string input;
  while (std::getline(in, input)) {
    const auto line = job.Run(SplitWords(input), error);
    if (line) {
      out << *line << '\n';
    } else {
      out << "error: " << error << '\n';
      status = kExitBadInput;
    }
  }
  return status;
}

SlideModel ParseModel(std::string_view key) {
  const auto model = SlideModelFromKey(key);
  if (!model) {
    throw UsageError{"unknown model '" + std::string(key) +
                     "' (use rgb, ymc, esl, hsl, hsv, ycc, lab, lch, oklab, oklch, hwb, xyz "
                     "or p3)"};
  }
  return *model;
}

bool IsOption(std::string_view arg) { return arg.size() > 2 && arg.substr(0, 2) == "--"; }

int RunConvert(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
  bool to_model = false;
  std::vector<std::string_view> positional;
  for (std::string_view arg : args) {
    if (arg == "--to") {
      to_model = true;
    } else if (IsOption(arg)) {
      throw UsageError{"unknown option '" + std::string(arg) + "' for convert"};
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.empty()) throw UsageError{"convert needs a MODEL"};
  const CssModel* css_model = CssModelFromKey(positional.front());
  const std::optional<SlideModel> model =
      css_model ? std::nullopt : std::optional(ParseModel(positional.front()));
  positional.erase(positional.begin());
  if (!positional.empty() && positional.size() != 3) {
    throw UsageError{"convert takes three values, got " + std::to_string(positional.size())};
  }
  if (model)
    return RunJob(ConvertJob(*model, to_model), positional, positional.empty(), in, out, err);
  return RunJob(CssConvertJob(*css_model, to_model), positional, positional.empty(), in, out, err);
}

int RunText(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
            std::ostream& err) {
  bool names = false;
  bool upper = false;
  std::optional<std::string_view> space;
  std::vector<std::string_view> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--names") {
      names = true;
    } else if (arg == "--upper") {
      upper = true;
    } else if (arg == "--space") {
      if (i + 1 == args.size()) throw UsageError{"--space needs a SPACE"};
      space = args[++i];
    } else if (IsOption(arg)) {
      throw UsageError{"unknown option '" + std::string(arg) + "' for text"};
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.empty()) throw UsageError{"text needs a FORMAT"};
  if (positional.front() == "css4") {
    if (names || upper) throw UsageError{"--names and --upper are for the numbered formats"};
    const auto syntax = Css4SyntaxFromKey(space.value_or("rgb"));
    if (!syntax) {
      throw UsageError{"unknown space '" + std::string(*space) +
                       "' (use rgb, hsl, hwb, lab, lch, oklab, oklch, xyz or p3)"};
    }
    positional.erase(positional.begin());
    if (positional.size() > 1) {
      throw UsageError{"text takes one colour, got " + std::to_string(positional.size())};
    }
    if (positional.size() == 1 && !ParseColour(positional.front())) {
      throw UsageError{"'" + std::string(positional.front()) + "' is not six hexadecimal digits"};
    }
    return RunJob(TextJob(*syntax), positional, positional.empty(), in, out, err);
  }
  if (space) throw UsageError{"--space is for text css4"};
  const auto format = ParseInteger(positional.front());
  if (!format || *format < 0 || *format >= kCopyFormatCount) {
    throw UsageError{"FORMAT must be a number from 0 to 16 or css4, not '" +
                     std::string(positional.front()) + "'"};
  }
  positional.erase(positional.begin());
  if (positional.size() > 1) {
    throw UsageError{"text takes one colour, got " + std::to_string(positional.size())};
  }
  if (positional.size() == 1 && !ParseColour(positional.front())) {
    throw UsageError{"'" + std::string(positional.front()) + "' is not six hexadecimal digits"};
  }
  return RunJob(TextJob(static_cast<int>(*format), names, upper), positional, positional.empty(),
                in, out, err);
}

int RunContrast(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
                std::ostream& err) {
  for (std::string_view arg : args) {
    if (IsOption(arg)) throw UsageError{"unknown option '" + std::string(arg) + "' for contrast"};
  }
  if (!args.empty() && args.size() != 2) {
    throw UsageError{"contrast takes two colours, got " + std::to_string(args.size())};
  }
  for (std::string_view arg : args) {
    if (!ParseColour(arg)) {
      throw UsageError{"'" + std::string(arg) + "' is not six hexadecimal digits"};
    }
  }
  return RunJob(ContrastJob(), args, args.empty(), in, out, err);
}

// Pages and clipboard texts are small; anything bigger is not worth reading.
constexpr std::size_t kReadLimit = 16 * 1024 * 1024;

// A line break at the very end: CR LF or LF.
std::size_t FinalLineBreakLength(std::string_view text) {
  if (text.empty() || text.back() != '\n') return 0;
  return text.size() >= 2 && text[text.size() - 2] == '\r' ? 2 : 1;
}

// The whole stream without its final line break, or nothing when what is
// left holds more than kReadLimit bytes. Files and piped text usually end in
// a line break; without dropping it a file holding just "navy" would not
// read as navy.
std::optional<std::string> ReadAtMostLimit(std::istream& in) {
  // Room for the limit and a final CR LF.
  constexpr std::size_t kRoom = kReadLimit + 2;
  std::string text;
  char buffer[64 * 1024];
  while (in) {
    in.read(buffer, sizeof buffer);
    const auto count = static_cast<std::size_t>(in.gcount());
    if (count > kRoom - text.size()) return std::nullopt;
    text.append(buffer, count);
  }
  text.resize(text.size() - FinalLineBreakLength(text));
  if (text.size() > kReadLimit) return std::nullopt;
  return text;
}

std::string ReadInput(std::string_view path, std::istream& in) {
  const std::string name(path);
  const std::string quoted = "'" + name + "'";
  std::optional<std::string> text;
  if (path.empty()) {
    text = ReadAtMostLimit(in);
    if (in.bad()) throw UsageError{"cannot read standard input"};
  } else {
    std::error_code ec;
    if (std::filesystem::is_directory(name, ec)) throw UsageError{quoted + " is a directory"};
    std::ifstream file(name, std::ios::binary);
    if (!file) throw UsageError{"cannot open " + quoted + ": " + std::strerror(errno)};
    text = ReadAtMostLimit(file);
    if (file.bad()) throw UsageError{"cannot read " + quoted};
  }
  if (!text) {
    throw UsageError{(path.empty() ? std::string("standard input") : quoted) +
                     " is larger than 16 MiB"};
  }
  return std::move(*text);
}

// Control and non-ASCII bytes from a binary file are shown as \xNN, so an
// error message cannot drive the terminal.
std::string Printable(std::string_view text) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string shown;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f) {
      shown += c;
    } else {
      shown += "\\x";
      shown += kDigits[byte >> 4];
      shown += kDigits[byte & 0xf];
    }
  }
  return shown;
}

// " text-contrast=R ..." for the four roles drawn on the background: each
// found role against the page's background, or against the background the
// composer gives a tag without one.
void WriteContrastWithBackground(const BodyReadResult& reading, std::ostream& out) {
  const auto& found_background = reading.roles[RoleIndex(BodyRole::kBgcolor)];
  const RgbColor background =
      found_background ? *found_background : InfoOf(BodyRole::kBgcolor).default_colour;
  for (BodyRole role : {BodyRole::kText, BodyRole::kLink, BodyRole::kVlink, BodyRole::kAlink}) {
    const auto& value = reading.roles[RoleIndex(role)];
    out << ' ' << InfoOf(role).attribute << "-contrast="
        << (value ? ContrastRatioText(ContrastRatio(*value, background)) : std::string("-"));
  }
}

int RunRead(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
            std::ostream& err) {
  bool contrast = false;
  std::vector<std::string_view> positional;
  for (std::string_view arg : args) {
    if (arg == "--contrast") {
      contrast = true;
    } else if (IsOption(arg)) {
      throw UsageError{"unknown option '" + std::string(arg) + "' for read"};
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() > 1) {
    throw UsageError{"read takes one file, got " + std::to_string(positional.size())};
  }
  if (!positional.empty() && positional.front().empty()) throw UsageError{"empty file name"};
  const std::string text = ReadInput(positional.empty() ? "" : positional.front(), in);

  const BodyReadResult reading = ReadBodyTag(text);
  switch (reading.kind) {
    case BodyReadKind::kRoles: {
      const char* separator = "";
      for (BodyRole role : kAllBodyRoles) {
        const auto& value = reading.roles[RoleIndex(role)];
        out << separator << InfoOf(role).attribute << '='
            << (value ? HexColorText(*value) : std::string("-"));
        separator = " ";
      }
      if (contrast) WriteContrastWithBackground(reading, out);
      out << '\n';
      return kExitOk;
    }
    case BodyReadKind::kColour:
      out << "colour=" << HexColorText(reading.colour) << '\n';
      return kExitOk;
    case BodyReadKind::kConversionError:
      out.flush();
      err << ConversionErrorMessage(Printable(reading.bad_text)) << '\n';
      return kExitBadInput;
    case BodyReadKind::kNothing:
      break;
  }
  out << "none\n";
  return kExitOk;
}

// One style-sheet colour: "RRGGBB ALPHA", with " clipped" when it lay
// outside sRGB.
std::optional<std::string> ParseLine(std::string_view text, std::string& error) {
  const CssReading reading = ReadCssColour(text);
  if (!reading.colour) {
    error = reading.error;
    return std::nullopt;
  }
  const CssSrgb rgb = CssColourToRgb(*reading.colour);
  return HexColorText(rgb.colour) + " " + ShortNumberText(reading.colour->alpha) +
         (rgb.clipped ? " clipped" : "");
}

// Each argument, or each line of standard input, is one colour text (texts
// hold blanks of their own), printed as a batch is.
int RunParse(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out) {
  int status = kExitOk;
  std::string error;
  const auto one = [&](std::string_view text) {
    const auto line = ParseLine(text, error);
    if (line) {
      out << *line << '\n';
    } else {
      out << "error: " << error << '\n';
      status = kExitBadInput;
    }
  };
  if (!args.empty()) {
    for (std::string_view arg : args) one(arg);
    return status;
  }
  std::string input;
  while (std::getline(in, input)) one(input);
  return status;
}

int RunPalette(const std::vector<std::string_view>& args, std::ostream& out) {
  PaletteFormat format = PaletteFormat::kGpl;
  std::optional<std::string> store_path;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--format" || arg == "--store") {
      if (i + 1 == args.size()) throw UsageError{std::string(arg) + " needs a value"};
      const std::string_view value = args[++i];
      if (arg == "--store") {
        if (value.empty()) throw UsageError{"empty file name"};
        store_path = std::string(value);
        continue;
      }
      const auto chosen = PaletteFormatFromKey(value);
      if (!chosen) {
        throw UsageError{"unknown format '" + std::string(value) + "' (use gpl, css, json or txt)"};
      }
      format = *chosen;
    } else {
      throw UsageError{"unknown argument '" + std::string(arg) + "' for palette"};
    }
  }
  const std::string path = store_path.value_or(DefaultStorePath());
  const FileReading reading = ReadStoreFile(path);
  if (reading.outcome == FileReading::Outcome::kRefused) {
    throw UsageError{"cannot read '" + path + "': " + reading.refusal};
  }
  // The program's own store may not exist yet: its palette is then the
  // program's first one. A file named by the user must be there.
  if (reading.outcome == FileReading::Outcome::kAbsent && store_path) {
    throw UsageError{"cannot open '" + path + "': " + std::strerror(ENOENT)};
  }
  out << PaletteText(ReadPalette(IniText(reading.bytes)), format);
  return kExitOk;
}

}  // namespace

int Run(const std::vector<std::string>& arg_strings, std::istream& in, std::ostream& out,
        std::ostream& err) {
  std::vector<std::string_view> args(arg_strings.begin(), arg_strings.end());
  try {
    for (std::string_view arg : args) {
      if (arg == "--help" || arg == "-h") {
        out << kUsage;
        return kExitOk;
      }
    }
    for (std::string_view arg : args) {
      if (arg == "--version" || arg == "-v") {
        out << "tintara-cli " << TINTARA_VERSION << '\n';
        return kExitOk;
      }
    }
    if (args.empty()) throw UsageError{"no command given (try --help)"};
    const std::string_view command = args.front();
    args.erase(args.begin());
    if (command == "convert") return RunConvert(args, in, out, err);
    if (command == "text") return RunText(args, in, out, err);
    if (command == "contrast") return RunContrast(args, in, out, err);
    if (command == "read") return RunRead(args, in, out, err);
    if (command == "parse") return RunParse(args, in, out);
    if (command == "palette") return RunPalette(args, out);
    throw UsageError{"unknown command '" + std::string(command) + "' (try --help)"};
  } catch (const UsageError& error) {
    out.flush();
    err << "tintara-cli: " << error.message << '\n';
    return kExitUsage;
  }
}

}  // namespace tintara::cli
