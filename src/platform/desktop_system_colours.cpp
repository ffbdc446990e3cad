#include <QString>
#include <memory>

#include "platform/kde_system_colours.h"
#include "platform/palette_system_colours.h"
#include "platform/system_colours.h"

namespace tintara {

std::unique_ptr<SystemColours> MakeDesktopSystemColours() {
  // Only Plasma keeps its colours in a file the program can change and tell
  // every application about; elsewhere the program changes its own palette.
  if (qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(QStringLiteral("KDE"))) {
    return std::make_unique<KdeSystemColours>();
  }
  return std::make_unique<PaletteSystemColours>();
}

}  // namespace tintara
