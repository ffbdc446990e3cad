#ifndef TINTARA_PICTURES_PICTURE_INPUT_H_
#define TINTARA_PICTURES_PICTURE_INPUT_H_

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <string>
#include <string_view>

class QMimeData;

// Pictures and texts brought in by opening, dropping or pasting: what a file
// or the clipboard holds, sorted into a picture to show or a text for the
// BODY tag reader. No window here; the main window acts on the results.
namespace tintara {

// The open dialog's filter before any image-loader plug-in adds its entry,
// as description and pattern pairs between vertical bars.
inline constexpr std::string_view kAllTypeFilterText = "AllType   [*.*]|*.*|";

// A filter of description|pattern| pairs in the form QFileDialog takes:
// "AllType   [*.*]|*.*|" gives "AllType   [*.*] (*)". Patterns separated by
// semicolons become blank-separated, each followed by its lower-case form;
// "*.*" means every file, dotted or not.
QString QtNameFilters(std::string_view filter_text);

// A file that is not a picture is read whole as text; past this size it is
// refused instead, so a stray disk image cannot fill the memory.
inline constexpr qint64 kMaxTextFileBytes = qint64{16} * 1024 * 1024;
// No picture file this program can show is larger.
inline constexpr qint64 kMaxBitmapFileBytes = qint64{256} * 1024 * 1024;
// A pasted picture has at most as many pixels as a square of this side
// (256 MiB as 32-bit pixels); a larger one is refused before it is decoded.
inline constexpr int kMaxPastedPictureSide = 8192;
inline constexpr qint64 kMaxPastedPicturePixels =
    qint64{kMaxPastedPictureSide} * kMaxPastedPictureSide;

struct DibPicture;

// A Windows bitmap ("BM" at the start), decoded; a null image for anything
// else, and for a bitmap that is damaged or cut short anywhere.
QImage DecodeBitmap(const QByteArray& bytes);

// A checked picture as an image to show.
QImage ImageOfDib(const DibPicture& picture);

// Line breaks of any kind (CR LF, LF, a lone CR) as CR LF, the form the
// reader's text has wherever it came from.
std::string ReaderText(const QByteArray& bytes);

enum class InputKind {
  kNothing,     // nothing to bring in
  kPicture,     // a picture to show (maybe without pixels; such a one is not shown)
  kText,        // a text for the BODY tag reader
  kTooLarge,    // a file or clipboard content too large to read; nothing changes
  kUnreadable,  // a file that cannot be read; nothing changes
};

struct Input {
  InputKind kind = InputKind::kNothing;
  QImage picture;
  std::string text;
};

// Decodes a file's bytes through the picture plug-ins; a null image when none
// did.
using PlugInDecoder = std::function<QImage(const QByteArray& bytes)>;

// An opened or dropped file: a bitmap, else a picture the plug-ins decode,
// else its text. There is no look at the file's extension.
Input ReadFileInput(const QString& path, const PlugInDecoder& plug_ins = {});

// The clipboard: a picture when it holds one in any form, else its text,
// else nothing. A picture wins over text held at the same time.
Input ReadClipboardInput(const QMimeData* data);

// The picture tiled over the preview group's background, 137 x 312, from its
// top-left corner: a larger picture shows its own top-left part.
QImage TiledBackground(const QImage& picture);

// The first of the dropped files, with its whole path; empty when the first
// item dropped is not a local file.
QString FirstDroppedFile(const QMimeData* data);

}  // namespace tintara

#endif  // TINTARA_PICTURES_PICTURE_INPUT_H_
