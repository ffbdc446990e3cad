#ifndef TINTARA_RESOURCES_FONT_ALIAS_H_
#define TINTARA_RESOURCES_FONT_ALIAS_H_

// The main window is laid out for a 12-pixel Japanese proportional gothic
// named "ＭＳ Ｐゴシック". IPAPGothic (Debian's fonts-ipafont-gothic) has the
// same metrics, so that name is made to mean IPAPGothic. The installed
// fontconfig file 61-tintara-ms-pgothic.conf does the same for the whole
// desktop; InstallFontAlias does it inside the program, installed or not.
#include <QString>

namespace tintara {

// UTF-8 family names.
inline constexpr char kWindowFontFamily[] = "ＭＳ Ｐゴシック";
inline constexpr char kWindowFontLatinFamily[] = "MS PGothic";
inline constexpr char kWindowFontStandIn[] = "IPAPGothic";
inline constexpr int kWindowFontPixelSize = 12;

// Registers IPAPGothic as the substitute of both names of the window font.
// Call once before the first window is built; calling again does no harm.
void InstallFontAlias();

// The family the program's fonts ask for: the window font's own name where
// a font of that name is installed, else the stand-in's. Asked for a family
// that is missing, the toolkit first has the font configuration sort every
// font for fall-backs, once per writing system of the text, before it tries
// the substitute; naming the font that will be drawn spares that at start.
// Needs the application object.
QString WindowFontFamily();

}  // namespace tintara

#endif  // TINTARA_RESOURCES_FONT_ALIAS_H_
