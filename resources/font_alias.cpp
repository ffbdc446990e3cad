#include "resources/font_alias.h"

#include <QFont>
#include <QString>

namespace tintara {

void InstallFontAlias() {
  const QString stand_in = QString::fromUtf8(kWindowFontStandIn);
  for (const char* family : {kWindowFontFamily, kWindowFontLatinFamily}) {
    // Qt keeps each substitute once, so a second call changes nothing.
    QFont::insertSubstitution(QString::fromUtf8(family), stand_in);
  }
}

}  // namespace tintara
