#ifndef TINTARA_RESOURCES_RESOURCE_NAMES_H_
#define TINTARA_RESOURCES_RESOURCE_NAMES_H_

#include <array>
#include <string_view>

// Where the program's pictures and help pages live inside its Qt resources.
// Any target linking tintara_resources sees them under ":/" at once; nothing
// has to be initialised by hand. The pictures are drawn by
// resources/make_art.py; change them there and run it again.
namespace tintara::res {

// The screen picker's cursor: a black eyedropper with a white rim, 32 x 32,
// its tip (the hot spot) at column 0, row 13.
inline constexpr char kCursorPiccer[] = ":/cursors/PICCER.xpm";
inline constexpr int kCursorSize = 32;
inline constexpr int kPiccerHotSpotX = 0;
inline constexpr int kPiccerHotSpotY = 13;

// A bitmap loaded by its resource name, with the size it has.
struct NamedBitmap {
  std::string_view name;
  const char* path;
  int width;
  int height;
};

// Menu check-mark bitmaps. Each is attached beside the menu items named
// after it: MenuFileOpen; MenuFileExit; PopEditSave; PopEditCopy, PopEditBody
// and PopEditUser; PopEditPaste; MenuSelName; MenuSelWin; MenuSelWinBack;
// MenuSelStand.
inline constexpr char kBitmapOpen[] = ":/bitmaps/BITMAPOPEN.xpm";
inline constexpr char kBitmapExit[] = ":/bitmaps/BITMAPEXIT.xpm";
inline constexpr char kBitmapSaveU[] = ":/bitmaps/BITMAPSAVEU.xpm";
inline constexpr char kBitmapCopy[] = ":/bitmaps/BITMAPCOPY.xpm";
inline constexpr char kBitmapPaste[] = ":/bitmaps/BITMAPPASTE.xpm";
inline constexpr char kBitmapEarth[] = ":/bitmaps/BITMAPEARTH.xpm";
inline constexpr char kBitmapDisp[] = ":/bitmaps/BITMAPDISP.xpm";
inline constexpr char kBitmapUndo[] = ":/bitmaps/BITMAPUNDO.xpm";
inline constexpr char kBitmapStd[] = ":/bitmaps/BITMAPSTD.xpm";

inline constexpr std::array<NamedBitmap, 9> kMenuBitmaps = {{
    {"BITMAPOPEN", kBitmapOpen, 15, 15},
    {"BITMAPEXIT", kBitmapExit, 16, 16},
    {"BITMAPSAVEU", kBitmapSaveU, 12, 12},
    {"BITMAPCOPY", kBitmapCopy, 11, 11},
    {"BITMAPPASTE", kBitmapPaste, 15, 15},
    {"BITMAPEARTH", kBitmapEarth, 15, 15},
    {"BITMAPDISP", kBitmapDisp, 15, 15},
    {"BITMAPUNDO", kBitmapUndo, 11, 11},
    {"BITMAPSTD", kBitmapStd, 16, 16},
}};

// "BITMAP0" .. "BITMAP15": 10 x 10 swatches, one solid standard colour each,
// beside MenuSelStand0 .. MenuSelStandF in order.
inline constexpr int kSwatchBitmapSize = 10;
inline constexpr std::array<NamedBitmap, 16> kSwatchBitmaps = {{
    {"BITMAP0", ":/bitmaps/BITMAP0.xpm", 10, 10},
    {"BITMAP1", ":/bitmaps/BITMAP1.xpm", 10, 10},
    {"BITMAP2", ":/bitmaps/BITMAP2.xpm", 10, 10},
    {"BITMAP3", ":/bitmaps/BITMAP3.xpm", 10, 10},
    {"BITMAP4", ":/bitmaps/BITMAP4.xpm", 10, 10},
    {"BITMAP5", ":/bitmaps/BITMAP5.xpm", 10, 10},
    {"BITMAP6", ":/bitmaps/BITMAP6.xpm", 10, 10},
    {"BITMAP7", ":/bitmaps/BITMAP7.xpm", 10, 10},
    {"BITMAP8", ":/bitmaps/BITMAP8.xpm", 10, 10},
    {"BITMAP9", ":/bitmaps/BITMAP9.xpm", 10, 10},
    {"BITMAP10", ":/bitmaps/BITMAP10.xpm", 10, 10},
    {"BITMAP11", ":/bitmaps/BITMAP11.xpm", 10, 10},
    {"BITMAP12", ":/bitmaps/BITMAP12.xpm", 10, 10},
    {"BITMAP13", ":/bitmaps/BITMAP13.xpm", 10, 10},
    {"BITMAP14", ":/bitmaps/BITMAP14.xpm", 10, 10},
    {"BITMAP15", ":/bitmaps/BITMAP15.xpm", 10, 10},
}};

// The version dialog's title picture, "BITMAPTITLE". Its background is pure
// white (0xFFFFFF) and the lettering never is, so the dialog can swap white
// for its button-face colour when it paints.
inline constexpr char kBitmapTitle[] = ":/bitmaps/BITMAPTITLE.png";
inline constexpr int kTitleWidth = 200;
inline constexpr int kTitleHeight = 40;

// The resource path of a bitmap by its resource name ("BITMAPOPEN",
// "BITMAP7", "BITMAPTITLE"), or nullptr for a name the program does not have.
constexpr const char* BitmapPath(std::string_view name) {
  for (const NamedBitmap& bitmap : kMenuBitmaps) {
    if (bitmap.name == name) return bitmap.path;
  }
  for (const NamedBitmap& bitmap : kSwatchBitmaps) {
    if (bitmap.name == name) return bitmap.path;
  }
  if (name == "BITMAPTITLE") return kBitmapTitle;
  return nullptr;
}

// Tool-button glyphs, transparent around the picture. The tool bar and the
// colour-source selectors (27 x 27 buttons) take the larger size; the
// buttons inside the colour-source strip and the user palette the smaller.
inline constexpr int kToolGlyphSize = 20;
inline constexpr int kSmallGlyphSize = 16;

// Tool bar.
inline constexpr char kGlyphOpen[] = ":/glyphs/open.xpm";               // SpeedButtonPicture
inline constexpr char kGlyphCopyBody[] = ":/glyphs/copy_body.xpm";      // ButtonCopyBody
inline constexpr char kGlyphPaste[] = ":/glyphs/paste.xpm";             // SpeedButtonPaste
inline constexpr char kGlyphPiccer[] = ":/glyphs/piccer.xpm";           // BitBtnPiccer
inline constexpr char kGlyphCopyColour[] = ":/glyphs/copy_colour.xpm";  // SpeedButtonCopy

// The four colour-source selectors, in order: SpeedButtonColorFix,
// SpeedButtonColorWin, SpeedButtonColorFav, SpeedButtonColorStd.
inline constexpr char kGlyphSourceNames[] = ":/glyphs/source_names.xpm";
inline constexpr char kGlyphSourceScreen[] = ":/glyphs/source_screen.xpm";
inline constexpr char kGlyphSourceFavourites[] = ":/glyphs/source_favourites.xpm";
inline constexpr char kGlyphSourceStandard[] = ":/glyphs/source_standard.xpm";

// Screen-design strip: SpeedButtonWinSave, SpeedButtonFixBefore,
// SpeedButtonWinBack.
inline constexpr char kGlyphScreenSet[] = ":/glyphs/screen_set.xpm";
inline constexpr char kGlyphScreenStartup[] = ":/glyphs/screen_startup.xpm";
inline constexpr char kGlyphScreenRestore[] = ":/glyphs/screen_restore.xpm";

// Favourites strip: SpeedButtonFavAdd, SpeedButtonFavDel.
inline constexpr char kGlyphFavouriteAdd[] = ":/glyphs/favourite_add.xpm";
inline constexpr char kGlyphFavouriteDelete[] = ":/glyphs/favourite_delete.xpm";

// User palette: BitBtnSaveUser, ButtonCopyUser.
inline constexpr char kGlyphUserSave[] = ":/glyphs/user_save.xpm";
inline constexpr char kGlyphUserCopy[] = ":/glyphs/user_copy.xpm";

struct Glyph {
  const char* path;
  int size;  // width and height
};

inline constexpr std::array<Glyph, 16> kGlyphs = {{
    {kGlyphOpen, kToolGlyphSize},
    {kGlyphCopyBody, kToolGlyphSize},
    {kGlyphPaste, kToolGlyphSize},
    {kGlyphPiccer, kToolGlyphSize},
    {kGlyphCopyColour, kToolGlyphSize},
    {kGlyphSourceNames, kToolGlyphSize},
    {kGlyphSourceScreen, kToolGlyphSize},
    {kGlyphSourceFavourites, kToolGlyphSize},
    {kGlyphSourceStandard, kToolGlyphSize},
    {kGlyphScreenSet, kSmallGlyphSize},
    {kGlyphScreenStartup, kSmallGlyphSize},
    {kGlyphScreenRestore, kSmallGlyphSize},
    {kGlyphFavouriteAdd, kSmallGlyphSize},
    {kGlyphFavouriteDelete, kSmallGlyphSize},
    {kGlyphUserSave, kSmallGlyphSize},
    {kGlyphUserCopy, kSmallGlyphSize},
}};

// The application icon at the sizes desktops ask for.
inline constexpr char kIcon16[] = ":/icons/tintara-16.png";
inline constexpr char kIcon32[] = ":/icons/tintara-32.png";
inline constexpr char kIcon48[] = ":/icons/tintara-48.png";
inline constexpr char kIcon256[] = ":/icons/tintara-256.png";

struct IconFile {
  const char* path;
  int size;
};
inline constexpr std::array<IconFile, 4> kIcons = {
    {{kIcon16, 16}, {kIcon32, 32}, {kIcon48, 48}, {kIcon256, 256}}};

// The help pages, UTF-8 HTML in Japanese. They are compiled in and also
// installed as files under <prefix>/share/<kHelpDataDir>, which is where a
// browser can open them (QStandardPaths::locate with GenericDataLocation
// finds kHelpDataDir + "/" + kHelpContentsFile).
inline constexpr char kHelpContents[] = ":/help/index.html";
inline constexpr char kHelpKeywords[] = ":/help/keywords.html";
inline constexpr char kHelpStyle[] = ":/help/help.css";
inline constexpr char kHelpDataDir[] = "tintara/help";
inline constexpr char kHelpContentsFile[] = "index.html";
inline constexpr char kHelpKeywordsFile[] = "keywords.html";

}  // namespace tintara::res

#endif  // TINTARA_RESOURCES_RESOURCE_NAMES_H_
