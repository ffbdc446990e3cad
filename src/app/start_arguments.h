#ifndef TINTARA_APP_START_ARGUMENTS_H_
#define TINTARA_APP_START_ARGUMENTS_H_

#include <string>
#include <string_view>
#include <vector>

#include "colour/rgb_color.h"

namespace tintara {

// What the command line asks of the program.
struct StartRequest {
  enum class Action { kRun, kHelp, kVersion, kUsageError };
  Action action = Action::kRun;
  // The file to open once the window is shown; empty for none.
  std::string file;
  // Why the arguments were refused, for kUsageError.
  std::string message;
  // --pick: a colour taken from the screen at once, instead of the window.
  bool pick = false;
  // --print with --pick: the picked colour's copy text to standard output,
  // in a process of its own that shows no window and touches no clipboard.
  bool print = false;
  // --format N (0..16) chooses the printed text as tintara-cli text does,
  // with --names and --upper; without it the program's own copy text is
  // printed, the two options only switching names or capitals on.
  int format = -1;
  bool names = false;
  bool upper = false;
  // --bus-activated: started by the session bus for a launcher's request,
  // which says whether to show the window, open a file or pick.
  bool bus_activated = false;
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

// The text --pick --print writes for `colour`: copy format `request.format`
// as tintara-cli text writes it, or else the copy text the options chose
// (`format`, `output_num`, `output_lower`), --names and --upper switching
// names and capitals on.
std::string PrintedPickText(RgbColor colour, const StartRequest& request, int format,
                            bool output_num, bool output_lower);

// "tintara 1.62" and a line break.
std::string VersionText();

}  // namespace tintara

#endif  // TINTARA_APP_START_ARGUMENTS_H_
