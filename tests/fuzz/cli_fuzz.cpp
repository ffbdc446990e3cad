// tintara-cli's colour arguments and batch lines on any bytes. The first
// byte picks what is run (modulo 8: convert or text over standard input,
// convert or text with the bytes as arguments, read over standard input;
// parse over standard input or with the bytes as arguments, convert in a
// style-sheet space, text css4), the second its options: for convert the
// model in its low three bits and --to in bit 3, for text the format in its
// low five bits, --names in bit 5 and --upper in bit 6, for the style-sheet
// verbs the space in its low bits and --to in bit 3. Every line printed must
// be well formed, in range, and, for plain input, equal to what the colour
// core gives directly.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "colour/colour_models.h"
#include "colour/colour_text.h"
#include "colour/css_text.h"
#include "fuzz_check.h"
#include "output/body_reader.h"
#include "output/copy_formats.h"

namespace tintara {
namespace {

constexpr std::string_view kModelKeys[] = {"rgb", "ymc", "esl", "hsl", "hsv", "ycc"};
constexpr std::string_view kCssKeys[] = {"lab", "lch", "oklab", "oklch", "hwb", "xyz", "p3"};

struct Run {
  int status = 0;
  std::string out;
  std::string err;
};

Run RunCli(const std::vector<std::string>& args, std::string_view input) {
  std::istringstream in{std::string(input)};
  std::ostringstream out, err;
  Run run;
  run.status = cli::Run(args, in, out, err);
  run.out = out.str();
  run.err = err.str();
  FUZZ_CHECK(run.status == cli::kExitOk || run.status == cli::kExitBadInput ||
             run.status == cli::kExitUsage);
  // A usage problem is reported on standard error and nothing else. (An
  // argument quoted in it may hold line breaks of its own.)
  if (run.status == cli::kExitUsage) {
    FUZZ_CHECK(run.out.empty());
    FUZZ_CHECK(run.err.rfind("tintara-cli: ", 0) == 0 && run.err.back() == '\n');
  }
  return run;
}

// Lines as a line-by-line reading sees them: a last line without a break
// counts, an empty one after the last break does not.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator, bool keep_empty) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    const std::string_view word =
        text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (keep_empty || !word.empty()) words.push_back(word);
    if (end == std::string_view::npos) return words;
    start = end + 1;
  }
}

bool OnlyOf(std::string_view text, std::string_view allowed) {
  return text.find_first_not_of(allowed) == std::string_view::npos;
}

// One sign at most and up to 18 digits: a number every reading agrees on.
std::optional<long long> PlainNumber(std::string_view word) {
  bool negative = false;
  if (!word.empty() && (word[0] == '+' || word[0] == '-')) {
    negative = word[0] == '-';
    word.remove_prefix(1);
  }
  if (word.empty() || word.size() > 18 || !OnlyOf(word, "0123456789")) return std::nullopt;
  long long value = 0;
  for (char c : word) value = value * 10 + (c - '0');
  return negative ? -value : value;
}

int Clamped(long long value, ComponentRange range) {
  return static_cast<int>(value < range.min ? range.min : value > range.max ? range.max : value);
}

std::optional<std::vector<long long>> ThreeNumbers(std::string_view line) {
  std::vector<long long> numbers;
  for (std::string_view word : SplitAt(line, ' ', false)) {
    const auto number = PlainNumber(word);
    if (!number) return std::nullopt;
    numbers.push_back(*number);
  }
  if (numbers.size() != 3) return std::nullopt;
  return numbers;
}

std::string Expected(SlideModel model, bool to_model, const std::vector<long long>& numbers) {
  if (to_model) {
    constexpr ComponentRange kByte{0, 255};
    const ModelTriple v =
        RgbToModel(model, RgbColor::FromInts(Clamped(numbers[0], kByte), Clamped(numbers[1], kByte),
                                             Clamped(numbers[2], kByte)));
    return std::to_string(v.first) + " " + std::to_string(v.second) + " " + std::to_string(v.third);
  }
  const auto& ranges = InfoOf(model).ranges;
  const RgbColor colour =
      ModelToRgb(model, ModelTriple{Clamped(numbers[0], ranges[0]), Clamped(numbers[1], ranges[1]),
                                    Clamped(numbers[2], ranges[2])});
  return std::to_string(colour.r) + " " + std::to_string(colour.g) + " " + std::to_string(colour.b);
}

// Three whole numbers in the ranges of the model (or of R, G, B).
void CheckConverted(std::string_view line, SlideModel model, bool to_model) {
  const std::vector<std::string_view> words = SplitAt(line, ' ', true);
  FUZZ_CHECK(words.size() == 3);
  for (std::size_t k = 0; k < 3; ++k) {
    const auto number = PlainNumber(words[k]);
    FUZZ_CHECK(number && std::to_string(*number) == words[k]);
    const ComponentRange range = to_model ? InfoOf(model).ranges[k] : ComponentRange{0, 255};
    FUZZ_CHECK(*number >= range.min && *number <= range.max);
  }
}

void CheckBatch(const Run& run, std::string_view input,
                const std::function<void(std::string_view in, std::string_view out)>& check_line) {
  FUZZ_CHECK(run.status != cli::kExitUsage);
  const std::vector<std::string_view> in_lines = Lines(input);
  const std::vector<std::string_view> out_lines = Lines(run.out);
  FUZZ_CHECK(run.out.empty() || run.out.back() == '\n');
  FUZZ_CHECK(in_lines.size() == out_lines.size());
  bool any_error = false;
  for (std::size_t k = 0; k < in_lines.size(); ++k) {
    const bool error = out_lines[k].rfind("error: ", 0) == 0;
    any_error = any_error || error;
    check_line(in_lines[k], error ? std::string_view() : out_lines[k]);
    if (error) FUZZ_CHECK(out_lines[k].size() > 7);
  }
  FUZZ_CHECK(run.status == (any_error ? cli::kExitBadInput : cli::kExitOk));
}

void FuzzConvertBatch(std::uint8_t options, std::string_view input) {
  const int model_index = (options & 7u) % kSlideModelCount;
  const SlideModel model = static_cast<SlideModel>(model_index);
  const bool to_model = options & 8u;
  std::vector<std::string> args = {"convert"};
  if (to_model) args.push_back("--to");
  args.emplace_back(kModelKeys[model_index]);
  const Run run = RunCli(args, input);
  CheckBatch(run, input, [&](std::string_view in, std::string_view out) {
    if (!out.empty()) CheckConverted(out, model, to_model);
    if (!OnlyOf(in, "0123456789+- ")) return;
    if (SplitAt(in, ' ', false).size() != 3) FUZZ_CHECK(out.empty());
    if (const auto numbers = ThreeNumbers(in); numbers) {
      FUZZ_CHECK(out == Expected(model, to_model, *numbers));
    }
  });
}

std::optional<RgbColor> PlainColour(std::string_view word) {
  if (!word.empty() && word[0] == '#') word.remove_prefix(1);
  if (word.size() != 6 || !OnlyOf(word, "0123456789abcdefABCDEF")) return std::nullopt;
  const auto pair = [&](std::size_t at) {
    return std::stoi(std::string(word.substr(at, 2)), nullptr, 16);
  };
  return RgbColor::FromInts(pair(0), pair(2), pair(4));
}

void FuzzTextBatch(std::uint8_t options, std::string_view input) {
  const int format = (options & 31u) % kCopyFormatCount;
  const bool names = options & 32u;
  const bool upper = options & 64u;
  std::vector<std::string> args = {"text", std::to_string(format)};
  if (names) args.emplace_back("--names");
  if (upper) args.emplace_back("--upper");
  const Run run = RunCli(args, input);
  CheckBatch(run, input, [&](std::string_view in, std::string_view out) {
    if (!OnlyOf(in, "0123456789abcdefABCDEF# ")) return;
    const std::vector<std::string_view> words = SplitAt(in, ' ', false);
    const auto colour = words.size() == 1 ? PlainColour(words[0]) : std::nullopt;
    FUZZ_CHECK(colour ? out == BuildCopyText(*colour, format, !names, !upper).text : out.empty());
  });
}

// The bytes, cut at NUL bytes, are the arguments after the command.
void FuzzArguments(std::uint8_t options, std::string_view input) {
  const bool text = options & 1u;
  std::vector<std::string> args = {text ? "text" : "convert"};
  for (std::string_view word : SplitAt(input, '\0', true)) args.emplace_back(word);
  if (input.empty()) args.pop_back();
  const Run run = RunCli(args, "");
  bool help = false;
  bool version = false;
  for (const std::string& arg : args) {
    help = help || arg == "--help" || arg == "-h";
    version = version || arg == "--version" || arg == "-v";
  }
  if (help) {
    FUZZ_CHECK(run.status == cli::kExitOk && run.out.rfind("Usage:", 0) == 0);
    return;
  }
  if (version) {
    FUZZ_CHECK(run.status == cli::kExitOk && run.out.rfind("tintara-cli ", 0) == 0);
    return;
  }
  FUZZ_CHECK(run.status != cli::kExitBadInput);
  if (run.status != cli::kExitOk) return;
  // Values given: exactly one line. None: a batch of no lines.
  FUZZ_CHECK(run.out.empty() || run.out.find('\n') == run.out.size() - 1);
  if (text || run.out.empty()) return;
  std::vector<std::string_view> positional;
  bool to_model = false;
  for (std::size_t k = 1; k < args.size(); ++k) {
    if (args[k] == "--to") {
      to_model = true;
    } else {
      positional.push_back(args[k]);
    }
  }
  FUZZ_CHECK(positional.size() == 4);
  // The style-sheet spaces have their own target below.
  if (std::find(std::begin(kCssKeys), std::end(kCssKeys), positional[0]) != std::end(kCssKeys)) {
    return;
  }
  const auto model = SlideModelFromKey(positional[0]);
  FUZZ_CHECK(model.has_value());
  const std::string_view line(run.out.data(), run.out.size() - 1);
  CheckConverted(line, *model, to_model);
  std::vector<long long> numbers;
  for (std::size_t k = 1; k < 4; ++k) {
    if (const auto number = PlainNumber(positional[k]); number) numbers.push_back(*number);
  }
  if (numbers.size() == 3) FUZZ_CHECK(line == Expected(*model, to_model, numbers));
}

// read prints what the BODY tag reader found in the text, a last line break
// left out.
void FuzzRead(std::string_view input) {
  const Run run = RunCli({"read"}, input);
  std::string_view text = input;
  if (!text.empty() && text.back() == '\n') {
    text.remove_suffix(1);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  }
  const BodyReadResult reading = ReadBodyTag(text);
  std::string expected;
  switch (reading.kind) {
    case BodyReadKind::kRoles:
      for (BodyRole role : kAllBodyRoles) {
        const auto& value = reading.roles[RoleIndex(role)];
        if (!expected.empty()) expected += ' ';
        expected +=
            std::string(InfoOf(role).attribute) + "=" + (value ? HexColorText(*value) : "-");
      }
      break;
    case BodyReadKind::kColour:
      expected = "colour=" + HexColorText(reading.colour);
      break;
    case BodyReadKind::kNothing:
      expected = "none";
      break;
    case BodyReadKind::kConversionError:
      FUZZ_CHECK(run.status == cli::kExitBadInput && run.out.empty() && !run.err.empty());
      return;
  }
  FUZZ_CHECK(run.status == cli::kExitOk && run.err.empty());
  FUZZ_CHECK(run.out == expected + "\n");
}

// A line of parse: "RRGGBB ALPHA" with " clipped" after it, or an error
// that holds no control character; and what the reader says directly.
void CheckParsed(std::string_view in, std::string_view out, bool error) {
  const CssReading reading = ReadCssColour(in);
  if (error) {
    FUZZ_CHECK(!reading.colour.has_value());
    FUZZ_CHECK(out == "error: " + reading.error);
    for (char c : out) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f);
    return;
  }
  FUZZ_CHECK(reading.colour.has_value());
  const CssSrgb rgb = CssColourToRgb(*reading.colour);
  FUZZ_CHECK(out == HexColorText(rgb.colour) + " " + ShortNumberText(reading.colour->alpha) +
                        (rgb.clipped ? " clipped" : ""));
  FUZZ_CHECK(reading.colour->alpha >= 0 && reading.colour->alpha <= 1);
}

// parse reads each line whole, as it stands (the line break aside).
void FuzzParseBatch(std::string_view input) {
  const Run run = RunCli({"parse"}, input);
  const std::vector<std::string_view> out_lines = Lines(run.out);
  const std::vector<std::string_view> in_lines = Lines(input);
  FUZZ_CHECK(run.status != cli::kExitUsage && run.err.empty());
  FUZZ_CHECK(in_lines.size() == out_lines.size());
  bool any_error = false;
  for (std::size_t k = 0; k < in_lines.size(); ++k) {
    const bool error = out_lines[k].rfind("error: ", 0) == 0;
    any_error = any_error || error;
    CheckParsed(in_lines[k], out_lines[k], error);
  }
  FUZZ_CHECK(run.status == (any_error ? cli::kExitBadInput : cli::kExitOk));
}

// The bytes, cut at NUL bytes, are the texts: one line each.
void FuzzParseArguments(std::string_view input) {
  std::vector<std::string> args = {"parse"};
  for (std::string_view word : SplitAt(input, '\0', true)) args.emplace_back(word);
  bool other = false;
  for (std::size_t k = 1; k < args.size(); ++k) {
    other = other || args[k] == "--help" || args[k] == "-h" || args[k] == "--version" ||
            args[k] == "-v";
  }
  const Run run = RunCli(args, "");
  if (other) return;
  const std::vector<std::string_view> out_lines = Lines(run.out);
  FUZZ_CHECK(out_lines.size() == args.size() - 1);
  for (std::size_t k = 1; k < args.size(); ++k) {
    CheckParsed(args[k], out_lines[k - 1], out_lines[k - 1].rfind("error: ", 0) == 0);
  }
}

// A number ShortNumberText writes: at most 4 decimals, no trailing zero.
bool IsShortNumber(std::string_view word) {
  if (!word.empty() && word.front() == '-') word.remove_prefix(1);
  const std::size_t point = word.find('.');
  if (word.empty() || !OnlyOf(word, "0123456789.")) return false;
  if (point == std::string_view::npos) return true;
  const std::string_view decimals = word.substr(point + 1);
  return point > 0 && !decimals.empty() && decimals.size() <= 4 && decimals.back() != '0' &&
         OnlyOf(decimals, "0123456789");
}

void FuzzCssConvertBatch(std::uint8_t options, std::string_view input) {
  const std::string_view key = kCssKeys[(options & 7u) % std::size(kCssKeys)];
  const bool to_model = options & 8u;
  std::vector<std::string> args = {"convert"};
  if (to_model) args.emplace_back("--to");
  args.emplace_back(key);
  const Run run = RunCli(args, input);
  CheckBatch(run, input, [&](std::string_view, std::string_view out) {
    if (out.empty()) return;
    std::vector<std::string_view> words = SplitAt(out, ' ', true);
    if (to_model) {
      FUZZ_CHECK(words.size() == 3);
      for (std::string_view word : words) FUZZ_CHECK(IsShortNumber(word));
      return;
    }
    if (words.size() == 4) {
      FUZZ_CHECK(words.back() == "clipped");
      words.pop_back();
    }
    FUZZ_CHECK(words.size() == 3);
    for (std::string_view word : words) {
      const auto number = PlainNumber(word);
      FUZZ_CHECK(number && *number >= 0 && *number <= 255 && std::to_string(*number) == word);
    }
  });
}

// Each line the modern syntax gives reads back as the colour it came from.
void FuzzCss4Batch(std::uint8_t options, std::string_view input) {
  constexpr std::string_view kSpaces[] = {"rgb",   "hsl",   "hwb", "lab", "lch",
                                          "oklab", "oklch", "xyz", "p3"};
  const std::string space(kSpaces[options % std::size(kSpaces)]);
  const Run run = RunCli({"text", "css4", "--space", space}, input);
  CheckBatch(run, input, [&](std::string_view in, std::string_view out) {
    const std::vector<std::string_view> words = SplitAt(in, ' ', false);
    const auto colour = words.size() == 1 && OnlyOf(in, "0123456789abcdefABCDEF# ")
                            ? PlainColour(words[0])
                            : std::nullopt;
    if (!colour) return;
    const CssReading back = ReadCssColour(out);
    FUZZ_CHECK(back.colour.has_value());
    FUZZ_CHECK(CssColourToRgb(*back.colour).colour == *colour);
  });
}

}  // namespace
}  // namespace tintara

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tintara;
  if (size < 2) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
  switch (data[0] % 8) {
    case 0:
      FuzzConvertBatch(data[1], input);
      break;
    case 1:
      FuzzTextBatch(data[1], input);
      break;
    case 2:
      FuzzArguments(data[1], input);
      break;
    case 3:
      FuzzRead(input);
      break;
    case 4:
      FuzzParseBatch(input);
      break;
    case 5:
      FuzzCssConvertBatch(data[1], input);
      break;
    case 6:
      FuzzCss4Batch(data[1], input);
      break;
    default:
      FuzzParseArguments(input);
  }
  return 0;
}
