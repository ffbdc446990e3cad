#ifndef TINTARA_RESOURCES_FONT_ALIAS_H_
#define TINTARA_RESOURCES_FONT_ALIAS_H_

// The main window is laid out for a 12-pixel Japanese proportional gothic
// named "ＭＳ Ｐゴシック". IPAPGothic (Debian's fonts-ipafont-gothic) has the
// same metrics, so that name is made to mean IPAPGothic. The installed
// fontconfig file 61-tintara-ms-pgothic.conf does the same for the whole
// desktop; InstallFontAlias does it inside the program, installed or not.
namespace tintara {

// UTF-8 family names.
inline constexpr char kWindowFontFamily[] = "ＭＳ Ｐゴシック";
inline constexpr char kWindowFontLatinFamily[] = "MS PGothic";
inline constexpr char kWindowFontStandIn[] = "IPAPGothic";
inline constexpr int kWindowFontPixelSize = 12;

// Registers IPAPGothic as the substitute of both names of the window font.
// Call once before the first window is built; calling again does no harm.
void InstallFontAlias();

}  // namespace tintara

#endif  // TINTARA_RESOURCES_FONT_ALIAS_H_
