#include "app/start_arguments.h"

#include <cstddef>
#include <utility>

#include "output/copy_formats.h"

namespace tintara {
namespace {

bool IsOption(std::string_view arg) { return arg.size() > 1 && arg.front() == '-'; }

// The options the toolkit and its X11 plug-in take out of the arguments
// themselves, as they read them: "--name" is taken as "-name", and a few
// also take their value after '='.
struct ToolkitOption {
  std::string_view name;
  enum class Value { kNone, kNext, kNextOrJoined } value;
};
constexpr ToolkitOption kToolkitOptions[] = {
    {"-platform", ToolkitOption::Value::kNext},
    {"-platformpluginpath", ToolkitOption::Value::kNext},
    {"-platformtheme", ToolkitOption::Value::kNext},
    {"-plugin", ToolkitOption::Value::kNext},
    {"-qwindowgeometry", ToolkitOption::Value::kNext},
    {"-qwindowtitle", ToolkitOption::Value::kNext},
    {"-qwindowicon", ToolkitOption::Value::kNext},
    {"-geometry", ToolkitOption::Value::kNext},
    {"-title", ToolkitOption::Value::kNext},
    {"-icon", ToolkitOption::Value::kNext},
    {"-session", ToolkitOption::Value::kNext},
    {"-display", ToolkitOption::Value::kNext},
    {"-name", ToolkitOption::Value::kNext},
    {"-visual", ToolkitOption::Value::kNext},
    {"-style", ToolkitOption::Value::kNextOrJoined},
    {"-stylesheet", ToolkitOption::Value::kNextOrJoined},
    {"-qmljsdebugger", ToolkitOption::Value::kNextOrJoined},
    {"-reverse", ToolkitOption::Value::kNone},
    {"-widgetcount", ToolkitOption::Value::kNone},
    {"-testability", ToolkitOption::Value::kNone},
    {"-sync", ToolkitOption::Value::kNone},
    {"-nograb", ToolkitOption::Value::kNone},
    {"-dograb", ToolkitOption::Value::kNone},
};

// The toolkit option ARG is, if any; *joined tells whether ARG holds its
// value already ("-style=fusion").
const ToolkitOption* FindToolkitOption(std::string_view arg, bool* joined) {
  if (arg.starts_with("--")) arg.remove_prefix(1);
  for (const ToolkitOption& option : kToolkitOptions) {
    *joined = false;
    if (arg == option.name) return &option;
    *joined = option.value == ToolkitOption::Value::kNextOrJoined && arg.starts_with(option.name) &&
              arg.substr(option.name.size()).starts_with('=');
    if (*joined) return &option;
  }
  return nullptr;
}

StartRequest Refused(std::string message) {
  StartRequest request;
  request.action = StartRequest::Action::kUsageError;
  request.message = std::move(message);
  return request;
}

// 0..16 written in decimal digits only; -1 for anything else.
int ReadFormat(std::string_view text) {
  if (text.empty() || text.size() > 2) return -1;
  int format = 0;
  for (const char digit : text) {
    if (digit < '0' || digit > '9') return -1;
    format = format * 10 + (digit - '0');
  }
  return format < kCopyFormatCount ? format : -1;
}

}  // namespace

const std::string_view kStartUsage =
    "Usage: tintara [FILE]\n"
    "       tintara --pick [--print [--format N] [--names] [--upper]]\n"
    "       tintara --help | --version\n"
    "\n"
    "Starts the colour tool. FILE, when given, is opened once the window is shown,\n"
    "as File > Open does: a Windows bitmap, or a picture one of the plug-ins reads,\n"
    "is tiled behind the BODY tag preview and named in the tag; any other file is\n"
    "read as text for a BODY tag or a colour. Put \"--\" before a FILE whose name\n"
    "starts with '-'.\n"
    "\n"
    "One program runs in a desktop session: started again, tintara raises the\n"
    "running window, hands it FILE or asks it to pick, and exits.\n"
    "\n"
    "  --pick         freeze the screen at once and take the clicked pixel's colour:\n"
    "                 it becomes the current colour, its copy text goes to the\n"
    "                 clipboard and the window is shown; Escape gives up\n"
    "  --print        with --pick: print the picked colour's copy text instead and\n"
    "                 exit (status 1 when given up); no window, no clipboard\n"
    "  --format N     with --print: copy format N (0..16) as tintara-cli text writes\n"
    "                 it, in numbers and lower case unless --names or --upper say\n"
    "                 otherwise; without it, the format and form the options chose\n"
    "  --names        with --print: colour names where there is one\n"
    "  --upper        with --print: upper case\n"
    "  --bus-activated  started by the session bus: show nothing until asked\n"
    "  -h, --help     print this help and exit\n"
    "  -v, --version  print the version and exit\n"
    "\n"
    "The toolkit's own options, such as -platform or -display, are taken as well.\n";

StartRequest ReadStartArguments(const std::vector<std::string>& args) {
  StartRequest request;
  std::vector<std::string> files;
  std::string refusal;  // the first one; --help or --version still win
  bool options_end = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    bool joined = false;
    if (options_end) {
      files.push_back(arg);
    } else if (arg == "--") {
      options_end = true;
    } else if (arg == "--help" || arg == "-h") {
      request.action = StartRequest::Action::kHelp;
      return request;
    } else if (arg == "--version" || arg == "-v") {
      request.action = StartRequest::Action::kVersion;
      return request;
    } else if (arg == "--pick") {
      request.pick = true;
    } else if (arg == "--print") {
      request.print = true;
    } else if (arg == "--bus-activated") {
      request.bus_activated = true;
    } else if (arg == "--names") {
      request.names = true;
    } else if (arg == "--upper") {
      request.upper = true;
    } else if (arg == "--format" || arg.starts_with("--format=")) {
      std::string_view value;
      if (arg == "--format") {
        if (i + 1 == args.size()) {
          if (refusal.empty()) refusal = "--format needs a number 0..16";
          continue;
        }
        value = args[++i];
      } else {
        value = std::string_view(arg).substr(9);
      }
      request.format = ReadFormat(value);
      if (request.format < 0 && refusal.empty()) {
        refusal = "--format needs a number 0..16, got '" + std::string(value) + "'";
      }
    } else if (const ToolkitOption* option = FindToolkitOption(arg, &joined)) {
      request.toolkit_options.push_back(arg);
      if (option->value == ToolkitOption::Value::kNone || joined) continue;
      if (i + 1 < args.size()) {
        request.toolkit_options.push_back(args[++i]);
      } else if (refusal.empty()) {
        refusal = "option '" + arg + "' needs a value (try --help)";
      }
    } else if (IsOption(arg)) {
      if (refusal.empty()) refusal = "unknown option '" + arg + "' (try --help)";
    } else {
      files.push_back(arg);
    }
  }
  if (!refusal.empty()) return Refused(refusal);
  if (files.size() > 1) {
    return Refused("one FILE at most, got " + std::to_string(files.size()) + " (try --help)");
  }
  if (!files.empty()) {
    if (files.front().empty()) return Refused("empty file name");
    if (request.pick) return Refused("--pick takes no FILE");
    request.file = files.front();
  }
  if (request.print && !request.pick) return Refused("--print needs --pick");
  if (request.bus_activated && (request.pick || !request.file.empty())) {
    return Refused("--bus-activated takes no other argument");
  }
  if (!request.print && (request.format >= 0 || request.names || request.upper)) {
    return Refused("--format, --names and --upper need --print");
  }
  return request;
}

std::string PrintedPickText(RgbColor colour, const StartRequest& request, int format,
                            bool output_num, bool output_lower) {
  if (request.format >= 0) {
    return BuildCopyText(colour, request.format, !request.names, !request.upper).text;
  }
  return BuildCopyText(colour, format, output_num && !request.names, output_lower && !request.upper)
      .text;
}

std::string VersionText() { return std::string("tintara ") + TINTARA_VERSION + "\n"; }

}  // namespace tintara
