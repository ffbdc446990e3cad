#ifndef TINTARA_APP_START_ARGUMENTS_H_
#define TINTARA_APP_START_ARGUMENTS_H_

#include <string>
#include <string_view>
#include <vector>

namespace tintara {

// What the command line asks of the program.
struct StartRequest {
  enum class Action { kRun, kHelp, kVersion, kUsageError };
  Action action = Action::kRun;
  // The file to open once the window is shown; empty for none.
  std::string file;
  // Why the arguments were refused, for kUsageError.
  std::string message;
  // The toolkit's own options among the arguments (-platform xcb, -display
  // :1, --style=fusion ...), each with its value, in their order: all the
  // toolkit is given.
  std::vector<std::string> toolkit_options;
};

// Reads the arguments after the program's name, before the toolkit starts,
// so that nothing here needs a display. --help (-h) and --version (-v) win
// wherever they stand before "--". The toolkit's options are known here and
// set apart with their values; no other option is taken.
StartRequest ReadStartArguments(const std::vector<std::string>& args);

// The usage text of --help, up to the list of picture plug-ins.
extern const std::string_view kStartUsage;

// "tintara 1.62" and a line break.
std::string VersionText();

}  // namespace tintara

#endif  // TINTARA_APP_START_ARGUMENTS_H_
