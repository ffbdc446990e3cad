#include "resources/font_alias.h"

#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace tintara {

void InstallFontAlias() {
  const QString stand_in = QString::fromUtf8(kWindowFontStandIn);
  for (const char* family : {kWindowFontFamily, kWindowFontLatinFamily}) {
    // Qt keeps each substitute once, so a second call changes nothing.
    QFont::insertSubstitution(QString::fromUtf8(family), stand_in);
  }
}

QString WindowFontFamily() {
  const QString own = QString::fromUtf8(kWindowFontFamily);
  return QFontDatabase::families().contains(own, Qt::CaseInsensitive)
             ? own
             : QString::fromUtf8(kWindowFontStandIn);
}

}  // namespace tintara
