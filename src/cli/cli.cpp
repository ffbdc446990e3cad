#include "cli/cli.h"

#include <charconv>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>

#include "colour/colour_models.h"
#include "output/copy_formats.h"

namespace tintara::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage:\n"
    "  tintara-cli convert MODEL [V1 V2 V3]        model values to R G B\n"
    "  tintara-cli convert --to MODEL [R G B]      R G B to model values\n"
    "  tintara-cli text FORMAT [COLOUR] [--names] [--upper]\n"
    "                                              the copy text of format 0..16\n"
    "  tintara-cli --help\n"
    "\n"
    "MODEL is one of rgb, ymc, esl, hsl, hsv, ycc. Values are clamped into the\n"
    "model's ranges (or 0..255 for R G B). COLOUR is six hexadecimal digits,\n"
    "optionally after '#'. --names writes colour names where one exists,\n"
    "--upper writes upper case.\n"
    "Without values or COLOUR, one input per line is read from standard input\n"
    "and one line is printed for each; a bad line prints 'error: ' and the\n"
    "reason, and the exit status is then 1.\n";

// A usage problem: reported on standard error, exit status 2.
struct UsageError {
  std::string message;
};

std::optional<long long> ParseInteger(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  long long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

int ClampToInt(long long value, ComponentRange range) {
  if (value > range.max) return range.max;
  if (value < range.min) return range.min;
  return static_cast<int>(value);
}

std::optional<RgbColor> ParseColour(std::string_view text) {
  if (!text.empty() && text.front() == '#') text.remove_prefix(1);
  if (text.size() != 6) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
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
    long long parsed[3];
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

class TextJob {
 public:
  TextJob(int format, bool names, bool upper) : format_(format), names_(names), upper_(upper) {}

  std::optional<std::string> Run(const std::vector<std::string_view>& words,
                                 std::string& error) const {
    if (words.size() != 1) {
      error = words.empty() ? "expected a colour" : "expected one colour, got " +
                                                         std::to_string(words.size()) + " words";
      return std::nullopt;
    }
    const auto colour = ParseColour(words[0]);
    if (!colour) {
      error = "'" + std::string(words[0]) + "' is not six hexadecimal digits";
      return std::nullopt;
    }
    return BuildCopyText(*colour, format_, !names_, !upper_).text;
  }

 private:
  int format_;
  bool names_;
  bool upper_;
};

// Runs a job on the given values, or on each line of standard input when
// no values were given.
template <typename Job>
int RunJob(const Job& job, const std::vector<std::string_view>& values, bool from_input,
           std::istream& in, std::ostream& out, std::ostream& err) {
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
                     "' (use rgb, ymc, esl, hsl, hsv or ycc)"};
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
  const SlideModel model = ParseModel(positional.front());
  positional.erase(positional.begin());
  if (!positional.empty() && positional.size() != 3) {
    throw UsageError{"convert takes three values, got " + std::to_string(positional.size())};
  }
  return RunJob(ConvertJob(model, to_model), positional, positional.empty(), in, out, err);
}

int RunText(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
            std::ostream& err) {
  bool names = false;
  bool upper = false;
  std::vector<std::string_view> positional;
  for (std::string_view arg : args) {
    if (arg == "--names") {
      names = true;
    } else if (arg == "--upper") {
      upper = true;
    } else if (IsOption(arg)) {
      throw UsageError{"unknown option '" + std::string(arg) + "' for text"};
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.empty()) throw UsageError{"text needs a FORMAT"};
  const auto format = ParseInteger(positional.front());
  if (!format || *format < 0 || *format >= kCopyFormatCount) {
    throw UsageError{"FORMAT must be a number from 0 to 16, not '" +
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
    if (args.empty()) throw UsageError{"no command given (try --help)"};
    const std::string_view command = args.front();
    args.erase(args.begin());
    if (command == "convert") return RunConvert(args, in, out, err);
    if (command == "text") return RunText(args, in, out, err);
    throw UsageError{"unknown command '" + std::string(command) + "' (try --help)"};
  } catch (const UsageError& error) {
    err << "tintara-cli: " << error.message << '\n';
    return kExitUsage;
  }
}

}  // namespace tintara::cli
