#include "app/start_arguments.h"

#include <cstddef>
#include <utility>

#include "output/copy_formats.h"

namespace tintara {
namespace {

bool IsOption(std::string_view arg) { return arg.size() > 1 && arg.front() == '-'; }

StartRequest Refused(std::string message) {
  return {StartRequest::Action::kUsageError, {}, std::move(message)};
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
  for (const std::string& arg : args) {
    if (arg == "--") break;
    if (arg == "--help" || arg == "-h") return {StartRequest::Action::kHelp, {}, {}};
    if (arg == "--version" || arg == "-v") return {StartRequest::Action::kVersion, {}, {}};
  }
  StartRequest request;
  std::vector<std::string> files;
  bool options_end = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!options_end && arg == "--") {
      options_end = true;
    } else if (!options_end && arg == "--pick") {
      request.pick = true;
    } else if (!options_end && arg == "--print") {
      request.print = true;
    } else if (!options_end && arg == "--bus-activated") {
      request.bus_activated = true;
    } else if (!options_end && arg == "--names") {
      request.names = true;
    } else if (!options_end && arg == "--upper") {
      request.upper = true;
    } else if (!options_end && (arg == "--format" || arg.starts_with("--format="))) {
      std::string_view value;
      if (arg == "--format") {
        if (i + 1 == args.size()) return Refused("--format needs a number 0..16");
        value = args[++i];
      } else {
        value = std::string_view(arg).substr(9);
      }
      request.format = ReadFormat(value);
      if (request.format < 0) {
        return Refused("--format needs a number 0..16, got '" + std::string(value) + "'");
      }
    } else if (!options_end && IsOption(arg)) {
      return Refused("unknown option '" + arg + "' (try --help)");
    } else {
      files.push_back(arg);
    }
  }
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
