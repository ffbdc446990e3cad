#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "mainwindow/settings/main_settings.h"
#include "mainwindow/settings/option_settings.h"
#include "platform/qt_settings_store.h"

// The settings logic against a real store file.
namespace tintara {
namespace {

const WindowPlacement kPlacement{{{0, 0, 1920, 1040}}, 640, 480, 640, 280};

TEST(SettingsFile, FirstStartFillsTheFileWithEveryDefault) {
  QTemporaryDir home;
  const QString path = home.path() + "/Korvell/RGB.conf";
  QtSettingsStore store(path);
  EXPECT_FALSE(LoadMainSettings(store, kPlacement).write_error);
  EXPECT_FALSE(LoadOptionSettings(store).write_error);

  QSettings file(path, QSettings::IniFormat);
  EXPECT_EQ(file.allKeys().size(), 2 + 30 + 5 + 4);
  EXPECT_EQ(file.value("Top").toString(), "280");
  EXPECT_EQ(file.value("B9").toString(), "255");
  EXPECT_EQ(file.value("ColorPalette").toString(), "8");
  EXPECT_EQ(file.value("PiccerTime").toString(), "500");

  QtSettingsStore again(path);
  const MainSettings loaded = LoadMainSettings(again, kPlacement).settings;
  EXPECT_EQ(loaded.left, 640);
  EXPECT_TRUE(loaded.output_lower);
}

TEST(SettingsFile, AStoreThatCannotBeWrittenKeepsItsContentAndNamesTheValue) {
  QTemporaryDir home;
  // Its name leaves no room for the temporary file a new version goes to.
  const QString path = home.path() + "/" + QString(250, 'k');
  const QByteArray old_content = "[General]\nTop=5\nLeft=6\nFavorite=1\nFavorite0=sky\n";
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(old_content);
  }
  QtSettingsStore store(path);
  MainSettingsLoad load = LoadMainSettings(store, kPlacement);
  ASSERT_TRUE(load.write_error);
  EXPECT_STREQ(load.write_error->what(), "'R0' の設定に失敗しました");
  EXPECT_EQ(load.settings.top, 5);
  ASSERT_EQ(load.settings.favourites.size(), 1u);
  EXPECT_EQ(load.settings.favourites[0].name, "sky");

  load.settings.favourites.clear();
  const std::optional<SettingsWriteError> saved = SaveMainSettings(store, load.settings);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->value_name(), "Top");

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), old_content);
}

TEST(SettingsFile, FavouriteNamesOfAnyTextComeBackUnchanged) {
  QTemporaryDir home;
  const QString path = home.path() + "/Korvell/RGB.conf";
  const std::vector<std::string> names = {
      "a=b",        "x;y",         "\"quoted\"",    "back\\slash", "line\nTop=5\nLeft=9",
      "夕焼けの空", "a, b, c",     "@Variant(\\0)", "@Invalid()",  "@",
      "@@x",        "  blanks  ",  "#comment",      "[General]",   "",
      "50%",        "tab\there\r",
  };
  MainSettings settings;
  settings.top = 11;
  settings.left = 22;
  for (std::size_t k = 0; k < names.size(); ++k) {
    settings.favourites.push_back({names[k], RgbColor::FromInts(static_cast<int>(k), 1, 2)});
  }
  {
    QtSettingsStore store(path);
    ASSERT_FALSE(SaveMainSettings(store, settings));
  }
  QtSettingsStore again(path);
  const MainSettingsLoad load = LoadMainSettings(again, kPlacement);
  EXPECT_FALSE(load.write_error);
  EXPECT_EQ(load.settings.top, 11);
  EXPECT_EQ(load.settings.left, 22);
  ASSERT_EQ(load.settings.favourites.size(), names.size());
  for (std::size_t k = 0; k < names.size(); ++k) {
    EXPECT_EQ(load.settings.favourites[k].name, names[k]) << k;
    EXPECT_EQ(load.settings.favourites[k].colour, RgbColor::FromInts(static_cast<int>(k), 1, 2))
        << k;
  }
}

}  // namespace
}  // namespace tintara
