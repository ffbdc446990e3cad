#include "pictures/picture_input.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QPainter>
#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <algorithm>
#include <cstdint>

#include "pictures/dib.h"
#include "pictures/tiling.h"

namespace tintara {
namespace {

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString QtPatterns(std::string_view patterns) {
  QStringList list;
  for (QString pattern : FromView(patterns).split(';', Qt::SkipEmptyParts)) {
    pattern = pattern.trimmed();
    if (pattern == "*.*") pattern = "*";
    list << pattern;
    // The dialog matches names case by case on this system, and plug-ins
    // give their patterns in upper case: photo.webp must match *.WEBP too.
    if (pattern.toLower() != pattern) list << pattern.toLower();
  }
  return list.join(' ');
}

Input TextInput(const QByteArray& bytes) {
  Input input;
  input.kind = InputKind::kText;
  input.text = ReaderText(bytes);
  return input;
}

Input PictureInput(QImage picture) {
  Input input;
  input.kind = InputKind::kPicture;
  input.picture = std::move(picture);
  return input;
}

bool TooManyPixels(QSize size) {
  return qint64{size.width()} * size.height() > kMaxPastedPicturePixels;
}

// A picture on the clipboard. Another program offers it encoded (PNG, BMP,
// ...): its size is read from the header and a picture too large is refused
// before it is decoded. One of this program's own is already a picture.
Input ClipboardPicture(const QMimeData& data) {
  for (const QString& format : data.formats()) {
    if (!format.startsWith("image/")) continue;
    QByteArray bytes = data.data(format);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, format.mid(6).toLatin1());
    if (!reader.canRead()) continue;
    if (TooManyPixels(reader.size())) return {InputKind::kTooLarge, {}, {}};
    return PictureInput(reader.read());
  }
  QImage picture = qvariant_cast<QImage>(data.imageData());
  if (TooManyPixels(picture.size())) return {InputKind::kTooLarge, {}, {}};
  return PictureInput(std::move(picture));
}

}  // namespace

QString QtNameFilters(std::string_view filter_text) {
  QStringList filters;
  std::size_t at = 0;
  while (at < filter_text.size()) {
    const std::size_t bar = filter_text.find('|', at);
    if (bar == std::string_view::npos) break;
    const std::string_view description = filter_text.substr(at, bar - at);
    std::size_t end = filter_text.find('|', bar + 1);
    if (end == std::string_view::npos) end = filter_text.size();
    const std::string_view patterns = filter_text.substr(bar + 1, end - bar - 1);
    filters << FromView(description) + " (" + QtPatterns(patterns) + ")";
    at = end + 1;
  }
  return filters.join(";;");
}

QImage DecodeBitmap(const QByteArray& bytes) {
  const DibResult bitmap =
      DecodeBitmapFile(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  if (!bitmap.ok) return {};
  return ImageOfDib(bitmap.picture);
}

QImage ImageOfDib(const DibPicture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_ARGB32);
  for (int y = 0; y < picture.height; ++y) {
    std::copy_n(picture.pixels.data() + static_cast<std::size_t>(y) * picture.width, picture.width,
                reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
  }
  return image;
}

std::string ReaderText(const QByteArray& bytes) {
  std::string text;
  text.reserve(static_cast<std::size_t>(bytes.size()));
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r') {
      text += "\r\n";
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      text += "\r\n";
    } else {
      text += c;
    }
  }
  return text;
}

Input ReadFileInput(const QString& path, const PlugInDecoder& plug_ins) {
  // Only plain files: reading a pipe or a device could wait forever.
  if (!QFileInfo(path).isFile()) return {InputKind::kUnreadable, {}, {}};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {InputKind::kUnreadable, {}, {}};
  if (file.size() > kMaxBitmapFileBytes) return {InputKind::kTooLarge, {}, {}};
  // One byte more than allowed tells a file that grew since it was measured.
  const QByteArray bytes = file.read(kMaxBitmapFileBytes + 1);
  if (file.error() != QFileDevice::NoError) return {InputKind::kUnreadable, {}, {}};
  if (bytes.size() > kMaxBitmapFileBytes) return {InputKind::kTooLarge, {}, {}};

  // The program's own reader first, then the plug-ins, then the text reader.
  if (QImage picture = DecodeBitmap(bytes); !picture.isNull()) {
    return PictureInput(std::move(picture));
  }
  if (plug_ins) {
    if (QImage picture = plug_ins(bytes); !picture.isNull())
      return PictureInput(std::move(picture));
  }
  if (bytes.size() > kMaxTextFileBytes) return {InputKind::kTooLarge, {}, {}};
  return TextInput(bytes);
}

Input ReadClipboardInput(const QMimeData* data) {
  if (data == nullptr) return {};
  const QStringList formats = data->formats();
  const bool offers_picture =
      data->hasImage() || std::any_of(formats.begin(), formats.end(), [](const QString& format) {
        return format.startsWith("image/");
      });
  if (offers_picture) return ClipboardPicture(*data);
  if (data->hasText()) {
    // The bytes as offered, with no wide copy of a text that may be
    // refused: a desktop offers its texts as UTF-8.
    const QByteArray bytes = data->data("text/plain");
    if (bytes.size() > kMaxTextFileBytes) return {InputKind::kTooLarge, {}, {}};
    return TextInput(bytes);
  }
  return {};
}

QImage TiledBackground(const QImage& picture) {
  QImage background(kBackgroundWidth, kBackgroundHeight, QImage::Format_RGB32);
  // A picture with see-through parts shows white there.
  background.fill(Qt::white);
  QPainter painter(&background);
  for (const TileRect& tile : TileRects(picture.width(), picture.height())) {
    painter.drawImage(QPoint(tile.x, tile.y), picture, QRect(0, 0, tile.width, tile.height));
  }
  return background;
}

QString FirstDroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  const QList<QUrl> urls = data->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return {};
  return urls.first().toLocalFile();
}

}  // namespace tintara
