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

void PutLittleEndian(QByteArray& to, quint32 value, int bytes = 4) {
  for (int k = 0; k < bytes; ++k) to += static_cast<char>((value >> (8 * k)) & 0xff);
}

// A bitmap file with a 40-byte header: `table` (colours, all used) after it,
// then the rows.
QByteArray BitmapFile(int width, int height, int bits, quint32 compression, const QByteArray& table,
                      const QByteArray& rows) {
  QByteArray header;
  for (const quint32 value : {40u, static_cast<quint32>(width), static_cast<quint32>(height)}) {
    PutLittleEndian(header, value);
  }
  PutLittleEndian(header, 1, 2);
  PutLittleEndian(header, static_cast<quint32>(bits), 2);
  PutLittleEndian(header, compression);
  PutLittleEndian(header, static_cast<quint32>(rows.size()));
  for (const qsizetype value : {qsizetype{0}, qsizetype{0}, table.size() / 4, qsizetype{0}}) {
    PutLittleEndian(header, static_cast<quint32>(value));  // the table's entries third
  }
  QByteArray file("BM");
  const auto rows_at = static_cast<quint32>(14 + header.size() + table.size());
  PutLittleEndian(file, rows_at + static_cast<quint32>(rows.size()));
  PutLittleEndian(file, 0);
  PutLittleEndian(file, rows_at);
  return file + header + table + rows;
}

// 4-byte colour table entries: blue, green, red, 0.
QByteArray ColourTable(std::initializer_list<QRgb> colours, int entries) {
  QByteArray table;
  for (const QRgb colour : colours) {
    table += static_cast<char>(qBlue(colour));
    table += static_cast<char>(qGreen(colour));
    table += static_cast<char>(qRed(colour));
    table += '\0';
  }
  table.resize(4 * entries, '\0');
  return table;
}

// 24-bit rows of one colour, padded to 4 bytes.
QByteArray PlainRows(int width, int height, QRgb colour) {
  QByteArray row;
  for (int x = 0; x < width; ++x) {
    row += static_cast<char>(qBlue(colour));
    row += static_cast<char>(qGreen(colour));
    row += static_cast<char>(qRed(colour));
  }
  row.resize((row.size() + 3) / 4 * 4, '\0');
  return row.repeated(height);
}

// A bitmap is tried as such, then by the plug-ins, then read as text: what
// it went to.
Input ReadAsFile(const QByteArray& bytes, bool* plug_ins_asked) {
  QTemporaryDir dir;
  QFile file(dir.filePath("picture.bmp"));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  file.close();
  *plug_ins_asked = false;
  return ReadFileInput(file.fileName(), [plug_ins_asked](const QByteArray&) {
    *plug_ins_asked = true;
    return QImage();
  });
}

// A bitmap whose rows or colours do not all lie in the file is not a picture
// at all: the rest of it would be whatever memory held.
TEST(ReadFileInputTest, ABitmapCutShortAnywhereGoesOnToThePlugInsAndTheText) {
  const QRgb blue = qRgb(0x40, 0x80, 0xC0);
  const QByteArray full = BitmapFile(137, 312, 24, 0, {}, PlainRows(137, 312, blue));
  bool plug_ins_asked = false;
  Input input = ReadAsFile(full, &plug_ins_asked);
  ASSERT_EQ(input.kind, InputKind::kPicture);
  EXPECT_FALSE(plug_ins_asked);
  EXPECT_EQ(input.picture.size(), QSize(137, 312));
  EXPECT_EQ(input.picture.pixel(0, 0), blue);
  EXPECT_EQ(input.picture.pixel(136, 311), blue);

  const QByteArray top_down = BitmapFile(3, -4, 24, 0, {}, PlainRows(3, 4, blue));
  const QByteArray indexed = BitmapFile(2, 2, 8, 0, ColourTable({blue}, 256), QByteArray(8, '\0'));
  // Eight pixels of colour 1, the end of the row, then the same again.
  const QByteArray run_length = BitmapFile(8, 2, 8, 1, ColourTable({0, blue}, 256),
                                           QByteArray("\x08\x01\x00\x00\x08\x01\x00\x01", 8));
  const QByteArray run_length4 = BitmapFile(8, 2, 4, 2, ColourTable({0, blue}, 16),
                                            QByteArray("\x08\x11\x00\x00\x08\x11\x00\x01", 8));
  const struct {
    const char* what;
    QByteArray bytes;
  } kCut[] = {
      {"rows", full.left(1290)},
      {"last byte", full.chopped(1)},
      {"rows stored top first", top_down.chopped(4)},
      {"colour table", indexed.left(14 + 40 + 100)},
      {"run-length rows", run_length.chopped(4)},
      {"a run cut in two", run_length.chopped(3)},
      {"four-bit run-length rows", run_length4.chopped(3)},
  };
  for (const auto& cut : kCut) {
    SCOPED_TRACE(cut.what);
    input = ReadAsFile(cut.bytes, &plug_ins_asked);
    EXPECT_EQ(input.kind, InputKind::kText);
    EXPECT_TRUE(plug_ins_asked);
    EXPECT_TRUE(input.text == ReaderText(cut.bytes));
  }
  for (const QByteArray& whole : {top_down, indexed, run_length, run_length4}) {
    input = ReadAsFile(whole, &plug_ins_asked);
    ASSERT_EQ(input.kind, InputKind::kPicture);
    EXPECT_EQ(input.picture.pixel(1, 1), blue);
  }
}

// Run-length rows may jump over pixels or end early; those pixels get no
// colour from the file and show see-through, never a colour of their own.
TEST(ReadFileInputTest, RunLengthBitmapsShowOnlyThePixelsTheyGive) {
  const QRgb red = qRgb(0xFF, 0, 0);
  const QRgb green = qRgb(0, 0xFF, 0);
  // 6 x 3, bottom row first: 2 red, jump 2 right and 1 up, 2 green;
  // the end of the row; 3 literal pixels (green, red, green) padded to an
  // even count of bytes; the end of the picture.
  const QByteArray rows("\x02\x01\x00\x02\x02\x01\x02\x02\x00\x00\x00\x03\x02\x01\x02\x00\x00\x01",
                        18);
  const QImage picture =
      DecodeBitmap(BitmapFile(6, 3, 8, 1, ColourTable({0, red, green}, 3), rows));
  ASSERT_EQ(picture.size(), QSize(6, 3));
  const auto row = [&picture](int y) {
    std::vector<QRgb> pixels;
    for (int x = 0; x < picture.width(); ++x) pixels.push_back(picture.pixel(x, y));
    return pixels;
  };
  const QRgb none = 0;
  EXPECT_EQ(row(2), (std::vector<QRgb>{red, red, none, none, none, none}));
  EXPECT_EQ(row(1), (std::vector<QRgb>{none, none, none, none, green, green}));
  EXPECT_EQ(row(0), (std::vector<QRgb>{green, red, green, none, none, none}));
  // Over white, as behind the preview.
  EXPECT_EQ(TiledBackground(picture).pixel(3, 0), qRgb(0xFF, 0xFF, 0xFF));

  // Four bits: a run takes two colours in turn, a literal packs two a byte.
  const QByteArray rows4("\x05\x12\x00\x00\x00\x04\x21\x21\x00\x01", 10);
  const QImage picture4 =
      DecodeBitmap(BitmapFile(5, 2, 4, 2, ColourTable({0, red, green}, 16), rows4));
  ASSERT_EQ(picture4.size(), QSize(5, 2));
  EXPECT_EQ(picture4.pixel(0, 1), red);
  EXPECT_EQ(picture4.pixel(1, 1), green);
  EXPECT_EQ(picture4.pixel(4, 1), red);
  EXPECT_EQ(picture4.pixel(0, 0), green);
  EXPECT_EQ(picture4.pixel(3, 0), red);
  EXPECT_EQ(picture4.pixel(4, 0), none);
  // Run-length rows are stored bottom first only.
  EXPECT_TRUE(
      DecodeBitmap(BitmapFile(5, -2, 4, 2, ColourTable({0, red, green}, 16), rows4)).isNull());
}

// The old 12-byte header: 16-bit sides and three-byte colours.
TEST(ReadFileInputTest, OldHeaderBitmapsAreReadAndCheckedToo) {
  QByteArray header;
  PutLittleEndian(header, 12);
  PutLittleEndian(header, 3, 2);
  PutLittleEndian(header, 2, 2);
  PutLittleEndian(header, 1, 2);
  PutLittleEndian(header, 1, 2);                          // two colours
  const QByteArray table("\x00\x00\xFF\xFF\x00\x00", 6);  // red, blue
  const QByteArray rows("\x40\0\0\0\xA0\0\0\0", 8);       // 010, then 101
  QByteArray file("BM");
  PutLittleEndian(file, 14 + 12 + 6 + 8);
  PutLittleEndian(file, 0);
  PutLittleEndian(file, 14 + 12 + 6);
  file += header + table + rows;
  const QImage picture = DecodeBitmap(file);
  ASSERT_EQ(picture.size(), QSize(3, 2));
  EXPECT_EQ(picture.pixel(0, 0), qRgb(0, 0, 0xFF));
  EXPECT_EQ(picture.pixel(1, 0), qRgb(0xFF, 0, 0));
  EXPECT_EQ(picture.pixel(1, 1), qRgb(0, 0, 0xFF));
  EXPECT_TRUE(DecodeBitmap(file.chopped(1)).isNull());
  // A table cut short, the rows said to start inside it.
  QByteArray short_table = file.left(14 + 12 + 3);
  short_table[10] = static_cast<char>(14 + 12 + 3);
  EXPECT_TRUE(DecodeBitmap(short_table + rows).isNull());
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
