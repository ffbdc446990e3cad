#include "app/start_arguments.h"

#include <cstddef>
#include <utility>

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

}  // namespace

const std::string_view kStartUsage =
    "Usage: tintara [FILE]\n"
    "       tintara --help | --version\n"
    "\n"
    "Starts the colour tool. FILE, when given, is opened once the window is shown,\n"
    "as File > Open does: a Windows bitmap, or a picture one of the plug-ins reads,\n"
    "is tiled behind the BODY tag preview and named in the tag; any other file is\n"
    "read as text for a BODY tag or a colour. Put \"--\" before a FILE whose name\n"
    "starts with '-'.\n"
    "\n"
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
    request.file = files.front();
  }
  return request;
}

std::string VersionText() { return std::string("tintara ") + TINTARA_VERSION + "\n"; }

}  // namespace tintara
