#include "app/plug_in_listing.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "pictures/susie_plugin.h"

namespace tintara {
namespace {

// What a plug-in says of itself goes to a terminal: no control bytes.
QString Printable(const std::string& text) {
  std::string shown = text;
  for (char& c : shown) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) c = '?';
  }
  return QString::fromUtf8(shown);
}

}  // namespace

QString PlugInListing(const QString& folder) {
  TSusiePlugIn host;
  host.LoadPlugIns(folder + "*.SPI");
  QString listing =
      QStringLiteral("Pictures other than Windows bitmaps are read by the plug-ins in\n") +
      QDir::toNativeSeparators(folder) + ":\n";
  if (host.Count() == 0) listing += QStringLiteral("  (none)\n");
  qsizetype name_width = 0;
  for (int i = 0; i < host.Count(); ++i) {
    name_width = std::max(name_width, QFileInfo(host.PlugInAt(i)->path).fileName().size());
  }
  for (int i = 0; i < host.Count(); ++i) {
    const SusiePlugInEntry& entry = *host.PlugInAt(i);
    // Joined rather than filled in with arg(), which would read a "%1" in a name.
    listing += "  " + QFileInfo(entry.path).fileName().leftJustified(name_width) + "  " +
               Printable(entry.format_name) + " (" + Printable(entry.pattern) + ")\n";
  }
  host.UnloadPlugIns();
  return listing;
}

}  // namespace tintara
