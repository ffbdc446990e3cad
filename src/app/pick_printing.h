#ifndef TINTARA_APP_PICK_PRINTING_H_
#define TINTARA_APP_PICK_PRINTING_H_

#include <string>

#include "app/start_arguments.h"
#include "colour/rgb_color.h"

namespace tintara {

class SettingsStore;

// The text --pick --print writes for `colour`: copy format `request.format`
// as tintara-cli text writes it, or else the copy text the options chose
// (`format`, `output_num`, `output_lower`), --names and --upper switching
// names and capitals on.
std::string PrintedPickText(RgbColor colour, const StartRequest& request, int format,
                            bool output_num, bool output_lower);

// Runs tintara --pick --print in this process, with the application object
// made: a frozen pick with the options in `settings` (never written), no
// main window and no clipboard. Returns the exit status: 0 after printing
// the picked colour's text, 1 when the user gave up or the screen could not
// be copied.
int PrintPickedColour(const StartRequest& request, SettingsStore& settings);

}  // namespace tintara

#endif  // TINTARA_APP_PICK_PRINTING_H_
