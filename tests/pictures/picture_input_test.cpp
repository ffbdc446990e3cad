#include "pictures/picture_input.h"

#include <gtest/gtest.h>

#include <QFile>
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
  EXPECT_EQ(ReadFileInput(dir.path()).kind, InputKind::kUnreadable);
  EXPECT_EQ(ReadFileInput(dir.filePath("gone")).kind, InputKind::kUnreadable);
}

}  // namespace
}  // namespace tintara
