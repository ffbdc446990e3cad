#ifndef TINTARA_APP_PLUG_IN_LISTING_H_
#define TINTARA_APP_PLUG_IN_LISTING_H_

#include <QString>

namespace tintara {

// The picture plug-ins of `folder` (ending in a separator) as --help lists
// them: the folder, then one line per plug-in the host keeps, in the order
// the program tries them. Runs the plug-in helper, so it needs an
// application object but no display.
QString PlugInListing(const QString& folder);

}  // namespace tintara

#endif  // TINTARA_APP_PLUG_IN_LISTING_H_
