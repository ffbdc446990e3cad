#include "pictures/picture_input.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>

namespace tintara {
namespace {

TEST(QtNameFiltersTest, BarPairsBecomeDialogFilters) {
  EXPECT_EQ(QtNameFilters(kAllTypeFilterText), "AllType   [*.*] (*)");
  EXPECT_EQ(QtNameFilters("AllType   [*.*]|*.*|JPEG   [*.JPG;*.JPEG]|*.JPG;*.JPEG|"),
            "AllType   [*.*] (*);;JPEG   [*.JPG;*.JPEG] (*.JPG *.jpg *.JPEG *.jpeg)");
}

TEST(ReadFileInputTest, TextUpToSixteenMebibytesAndNoMore) {
  QTemporaryDir dir;
  const auto sized = [&dir](const QString& name, qint64 size) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(size));
    return file.fileName();
  };
  const Input largest = ReadFileInput(sized("16.txt", kMaxTextFileBytes));
  EXPECT_EQ(largest.kind, InputKind::kText);
  EXPECT_EQ(largest.text.size(), static_cast<std::size_t>(kMaxTextFileBytes));
  EXPECT_EQ(ReadFileInput(sized("more.txt", kMaxTextFileBytes + 1)).kind, InputKind::kTooLarge);
  // A bitmap may be larger than a text, up to its own limit.
  QFile bitmap(dir.filePath("huge.bmp"));
  ASSERT_TRUE(bitmap.open(QIODevice::WriteOnly) && bitmap.write("BM") == 2 &&
              bitmap.resize(kMaxBitmapFileBytes + 1));
  bitmap.close();
  EXPECT_EQ(ReadFileInput(bitmap.fileName()).kind, InputKind::kTooLarge);
  EXPECT_EQ(ReadFileInput(dir.path()).kind, InputKind::kUnreadable);
  // A pipe would never end: refused at once, not waited on.
  const QString pipe = dir.filePath("pipe");
  ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
  EXPECT_EQ(ReadFileInput(pipe).kind, InputKind::kUnreadable);
  EXPECT_EQ(ReadFileInput(dir.filePath("gone")).kind, InputKind::kUnreadable);
}

// Bitmaps with one thing wrong each (made by data/make_malformed.py): none
// may bring the reader down, and what does not decode is read as text, as
// any file that is not a picture is.
TEST(ReadFileInputTest, DamagedBitmapsDecodeSoundlyOrGoOnToTheTextReader) {
  const QDir folder(QStringLiteral(TINTARA_MALFORMED_BITMAPS));
  const QStringList names = folder.entryList(QDir::Files);
  ASSERT_GE(names.size(), 20);
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const Input input = ReadFileInput(file.fileName());
    if (input.kind == InputKind::kPicture) {
      // Whatever decodes is a picture no larger than its file could hold.
      EXPECT_FALSE(input.picture.isNull());
      EXPECT_LE(qint64{input.picture.width()} * input.picture.height(), bytes.size() * 8);
    } else {
      ASSERT_EQ(input.kind, InputKind::kText);
      EXPECT_EQ(input.text, ReaderText(bytes));
    }
  }
  for (const char* name : {"header-cut-after-magic.bmp", "header-cut-in-info-header.bmp",
                           "width-zero.bmp", "height-zero.bmp", "width-largest.bmp",
                           "both-huge.bmp", "bpp-zero.bmp", "text-after-magic.bmp"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ReadFileInput(folder.filePath(name)).kind, InputKind::kText);
  }
}

// A file may hold less or more than it claimed when it was measured, as one
// that shrinks or grows while it is read does: what is there is read.
TEST(ReadFileInputTest, ReadsWhatAFileHoldsNotWhatItsSizeSaid) {
  // The kernel gives its own files a size of 4096 bytes, or of none.
  for (const char* path : {"/sys/kernel/mm/transparent_hugepage/enabled", "/proc/self/status"}) {
    SCOPED_TRACE(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QByteArray bytes = file.readAll();
    ASSERT_NE(file.size(), bytes.size());
    const Input input = ReadFileInput(path);
    ASSERT_EQ(input.kind, InputKind::kText);
    // /proc/self is the reader's own, so only its start is the same.
    EXPECT_EQ(input.text.substr(0, 5), ReaderText(bytes).substr(0, 5));
  }
}

TEST(ReadFileInputTest, SoundBitmapIsAPicture) {
  QTemporaryDir dir;
  QImage sound(4, 2, QImage::Format_RGB32);
  sound.fill(qRgb(0x33, 0x66, 0x99));
  ASSERT_TRUE(sound.save(dir.filePath("sound.bmp"), "BMP"));
  const Input input = ReadFileInput(dir.filePath("sound.bmp"));
  ASSERT_EQ(input.kind, InputKind::kPicture);
  EXPECT_EQ(input.picture.size(), QSize(4, 2));
  EXPECT_EQ(input.picture.pixel(3, 1), qRgb(0x33, 0x66, 0x99));
}

void PutBigEndian(QByteArray& to, quint32 value) {
  for (int shift = 24; shift >= 0; shift -= 8) to += static_cast<char>((value >> shift) & 0xff);
}

QByteArray PngChunk(const QByteArray& type_and_data) {
  quint32 crc = 0xffffffff;
  for (const char c : type_and_data) {
    crc ^= static_cast<quint8>(c);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
  }
  QByteArray chunk;
  PutBigEndian(chunk, static_cast<quint32>(type_and_data.size() - 4));
  chunk += type_and_data;
  PutBigEndian(chunk, ~crc);
  return chunk;
}

// A PNG file that claims a size, with no pixels behind it.
QByteArray PngClaiming(quint32 width, quint32 height) {
  QByteArray header("IHDR");
  PutBigEndian(header, width);
  PutBigEndian(header, height);
  header += QByteArray("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
  return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk(header) + PngChunk("IDAT") +
         PngChunk("IEND");
}

TEST(ReadClipboardInputTest, RefusesWhatIsTooLargeBeforeHoldingItAll) {
  QMimeData huge_picture;
  huge_picture.setData("image/png", PngClaiming(30000, 30000));
  EXPECT_EQ(ReadClipboardInput(&huge_picture).kind, InputKind::kTooLarge);
  huge_picture.setData("image/png", PngClaiming(8192, 8193));
  EXPECT_EQ(ReadClipboardInput(&huge_picture).kind, InputKind::kTooLarge);

  QImage small(3, 2, QImage::Format_RGB32);
  small.fill(qRgb(1, 2, 3));
  QByteArray png;
  QBuffer buffer(&png);
  ASSERT_TRUE(small.save(&buffer, "PNG"));
  QMimeData offered;
  offered.setData("image/png", png);
  const Input picture = ReadClipboardInput(&offered);
  ASSERT_EQ(picture.kind, InputKind::kPicture);
  EXPECT_EQ(picture.picture.pixel(2, 1), qRgb(1, 2, 3));

  QMimeData text;
  text.setData("text/plain", QByteArray(kMaxTextFileBytes, 'x'));
  EXPECT_EQ(ReadClipboardInput(&text).kind, InputKind::kText);
  text.setData("text/plain", QByteArray(kMaxTextFileBytes + 1, 'x'));
  EXPECT_EQ(ReadClipboardInput(&text).kind, InputKind::kTooLarge);
}

}  // namespace
}  // namespace tintara
