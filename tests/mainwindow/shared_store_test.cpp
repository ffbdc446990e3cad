// Two copies of the program over one settings file, each with a store of its
// own as two processes have: what one saves must survive the other's close.
#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "mainwindow/dialogs/tform_input.h"
#include "mainwindow/dialogs/tform_option.h"
#include "mainwindow/program_windows.h"
#include "platform/qt_settings_store.h"

namespace tintara {
namespace {

const WindowPlacement kPlacement{{{0, 0, 1920, 1040}}, 640, 480, 640, 280};

class Copy {
 public:
  explicit Copy(const QString& path)
      : store_(path),
        windows_(TForm1Services{
            .settings = &store_,
            .error_box = [](const QString& message) { ADD_FAILURE() << message.toStdString(); },
            .ask = [](const QString&, const QString&) { return true; }}) {}

  TForm1& form() { return windows_.Main(); }

  void StoreInSlot(int slot, RgbColor colour) {
    form().EditU->setText(QString::number(slot));
    form().SetCurrentColour(colour);
    form().BitBtnSaveUserClick();
  }

  void AddFavourite(const QString& name, RgbColor colour) {
    form().SetCurrentColour(colour);
    QTimer::singleShot(0, [this, name] {
      TFormInput& input = windows_.Input();
      QTRY_VERIFY(input.isVisible());
      input.MemoInput->insert(name);
      QTest::mouseClick(input.BitBtnOk, Qt::LeftButton);
    });
    form().SpeedButtonFavAddClick();
  }

  // Runs `act` on the options dialog once it is up, from inside its loop.
  void WithOptions(std::function<void(TFormOption&)> act) {
    QTimer::singleShot(0, [this, act] {
      TFormOption& dialog = windows_.Option();
      QTRY_VERIFY(dialog.isVisible());
      act(dialog);
    });
    form().MenuOptionClick();
  }

 private:
  QtSettingsStore store_;
  ProgramWindows windows_;
};

class SharedStoreTest : public testing::Test {
 protected:
  MainSettings Stored() {
    QtSettingsStore store(path_);
    return LoadMainSettings(store, kPlacement, false).settings;
  }

  QTemporaryDir home_;
  const QString path_ = home_.path() + "/Korvell/RGB.conf";
};

TEST_F(SharedStoreTest, WhatOneCopySavedSurvivesTheOthersClose) {
  Copy first(path_);
  Copy second(path_);
  first.AddFavourite("夕焼け", {200, 80, 40});
  first.StoreInSlot(3, {10, 20, 30});
  second.StoreInSlot(5, {40, 50, 60});
  second.form().StoreOptions(2, SlideModel::kHsv, true, true);

  first.form().close();
  second.form().close();

  const MainSettings stored = Stored();
  ASSERT_EQ(stored.favourites.size(), 1u);
  EXPECT_EQ(stored.favourites[0].name, "夕焼け");
  EXPECT_EQ(stored.favourites[0].colour, (RgbColor{200, 80, 40}));
  EXPECT_EQ(stored.user_palette[3], (RgbColor{10, 20, 30}));
  EXPECT_EQ(stored.user_palette[5], (RgbColor{40, 50, 60}));
  EXPECT_EQ(stored.palette_channel, 2);
  EXPECT_EQ(stored.slide_model, SlideModel::kHsv);

  // The options dialog's close is a close too.
  first.WithOptions([](TFormOption& dialog) {
    dialog.ScrollBarPiccer->setValue(900);
    dialog.BitBtnOK->click();
  });
  second.WithOptions([](TFormOption& dialog) { dialog.BitBtnCancel->click(); });
  QtSettingsStore store(path_);
  EXPECT_EQ(LoadOptionSettings(store).settings.piccer_time, 900);

  // The favourite deleted by the copy closed last stays deleted.
  Copy third(path_);
  Copy fourth(path_);
  fourth.form().SpeedButtonFavDelClick();
  ASSERT_TRUE(fourth.form().Favourites().empty());
  fourth.form().close();
  third.form().close();
  EXPECT_TRUE(Stored().favourites.empty());
}

TEST_F(SharedStoreTest, ADeletedStoreIsWrittenWholeByTheCopyClosedAfterwards) {
  Copy first(path_);
  Copy second(path_);
  second.AddFavourite("sky", {1, 2, 3});
  ASSERT_TRUE(QFile::remove(path_));

  first.form().close();
  // The copy that started with no favourite writes "Favorite" as its own.
  MainSettings stored = Stored();
  EXPECT_TRUE(stored.favourites.empty());
  EXPECT_EQ(stored.user_palette[9], (RgbColor{255, 255, 255}));

  ASSERT_TRUE(QFile::remove(path_));
  second.form().close();
  QSettings file(path_, QSettings::IniFormat);
  EXPECT_EQ(file.allKeys().size(), 2 + 30 + 5 + 4);
  stored = Stored();
  ASSERT_EQ(stored.favourites.size(), 1u);
  EXPECT_EQ(stored.favourites[0].colour, (RgbColor{1, 2, 3}));
}

}  // namespace
}  // namespace tintara
