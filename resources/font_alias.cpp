#include "resources/font_alias.h"

#include <fontconfig/fontconfig.h>

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

QString WindowFontFamily() {
  // Asked of the font configuration itself: the toolkit's list of fonts may
  // still be being filled on another thread at start. What is installed does
  // not change while the program runs.
  static const QString family = [] {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(kWindowFontFamily));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts =
        pattern != nullptr && objects != nullptr ? FcFontList(nullptr, pattern, objects) : nullptr;
    const bool installed = fonts != nullptr && fonts->nfont > 0;
    if (fonts != nullptr) FcFontSetDestroy(fonts);
    if (objects != nullptr) FcObjectSetDestroy(objects);
    if (pattern != nullptr) FcPatternDestroy(pattern);
    return QString::fromUtf8(installed ? kWindowFontFamily : kWindowFontStandIn);
  }();
  return family;
}

}  // namespace tintara
