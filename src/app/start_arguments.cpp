#include "app/start_arguments.h"

namespace tintara {
namespace {

bool IsOption(std::string_view arg) { return arg.size() > 1 && arg.front() == '-'; }

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
  for (const std::string& arg : args) {
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h") return {StartRequest::Action::kHelp, {}, {}};
    if (arg == "--version" || arg == "-v") return {StartRequest::Action::kVersion, {}, {}};
  }
  StartRequest request;
  std::vector<std::string> files;
  bool options_end = false;
  for (const std::string& arg : args) {
    if (!options_end && arg == "--") {
      options_end = true;
    } else if (!options_end && IsOption(arg)) {
      return {StartRequest::Action::kUsageError, {}, "unknown option '" + arg + "' (try --help)"};
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() > 1) {
    return {StartRequest::Action::kUsageError,
            {},
            "one FILE at most, got " + std::to_string(files.size()) + " (try --help)"};
  }
  if (!files.empty()) {
    if (files.front().empty()) return {StartRequest::Action::kUsageError, {}, "empty file name"};
    request.file = files.front();
  }
  return request;
}

std::string VersionText() { return std::string("tintara ") + TINTARA_VERSION + "\n"; }

}  // namespace tintara
