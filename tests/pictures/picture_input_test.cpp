#include "pictures/picture_input.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QImage>
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

}  // namespace
}  // namespace tintara
