#ifndef TINTARA_APP_PICK_PRINTING_H_
#define TINTARA_APP_PICK_PRINTING_H_

#include "app/start_arguments.h"

namespace tintara {

class SettingsStore;

// Runs tintara --pick --print in this process, with the application object
// made: a frozen pick with the options in `settings` (never written), no
// main window and no clipboard. Returns the exit status: 0 after printing
// the picked colour's text, 1 when the user gave up or the screen could not
// be copied.
int PrintPickedColour(const StartRequest& request, SettingsStore& settings);

}  // namespace tintara

#endif  // TINTARA_APP_PICK_PRINTING_H_
