// Ending the program by SIGTERM, SIGINT or SIGHUP at awkward moments: a
// slider held down, a pick running, the options dialog or a message box open.
// Each time the program's signal handling ends it as its exit command does:
// what the user was in the middle of is given up, the settings are saved
// whole, and nothing of the program is left on the screen or holding the
// keyboard. On a real X server, for the picker.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "mainwindow/dialogs/tform_option.h"
#include "mainwindow/picker/overlay_windows.h"
#include "mainwindow/picker/piccer_button.h"
#include "mainwindow/program_windows.h"
#include "platform/error_box.h"
#include "platform/qt_settings_store.h"
#include "platform/screen_reader.h"
#include "platform/termination_signals.h"

namespace tintara {
namespace {

constexpr char kStore[] =
    "[General]\nTop=120\nLeft=90\nR0=10\nG0=20\nB0=30\nColorPalette=8\nColorSlide=0\n"
    "OutputNum=1\nOutputLower=1\nFavorite=1\nFavorite0=sky\nFavoriteR0=1\nFavoriteG0=2\n"
    "FavoriteB0=3\nRadioUser=1\nPiccerTime=1\nRadioPiccer=0\nPiccerArea=10\n";

class EndingBySignal : public testing::TestWithParam<int> {
 protected:
  void SetUp() override { WriteStore(kStore); }

  void WriteStore(const QByteArray& bytes) {
    QFile file(path_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  void Start(ErrorBox error_box = [](const QString&) {}) {
    screen_ = MakeDesktopScreenReader();
    windows_ = std::make_unique<ProgramWindows>(TForm1Services{
        .settings = &store_, .error_box = std::move(error_box), .screen = screen_.get()});
    ListenForSignals();
    Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    start_place_ = Main().pos();
    // The user's work, which only the save on the way out keeps.
    Main().ChooseModels(13, SlideModel::kHsv);
  }

  void ListenForSignals() {
    signals_ = std::make_unique<TerminationSignals>([this] {
      ++signals_taken_;
      windows_->Main().EndBySignal();
    });
  }

  TForm1& Main() { return windows_->Main(); }

  void Signal() { ASSERT_EQ(std::raise(GetParam()), 0); }

  // Should the signal leave a dialog or a box open, the test fails rather
  // than waits for ever.
  void FailIfStillModalIn(int ms) {
    QTimer::singleShot(ms, [] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        ADD_FAILURE() << modal->metaObject()->className() << " still open";
        modal->close();
      }
    });
  }

  // The program ended as by its exit command, with the window's place from
  // before whatever the user was doing.
  void ExpectEndedAndSaved() {
    ASSERT_TRUE(QTest::qWaitFor([&] { return signals_taken_ == 1; }, 5000));
    EXPECT_FALSE(Main().isVisible());
    for (const QWidget* window : QApplication::topLevelWidgets()) {
      EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
    }
    EXPECT_EQ(QWidget::keyboardGrabber(), nullptr);
    QSettings saved(path_, QSettings::IniFormat);
    EXPECT_EQ(saved.status(), QSettings::NoError);
    EXPECT_EQ(saved.allKeys().size(), 2 + 30 + 5 + 4 + 4);
    EXPECT_EQ(saved.value("Left").toInt(), start_place_.x());
    EXPECT_EQ(saved.value("Top").toInt(), start_place_.y());
    EXPECT_EQ(saved.value("Favorite0").toString(), "sky");
    EXPECT_EQ(saved.value("ColorPalette").toInt(), 13);
    EXPECT_EQ(saved.value("ColorSlide").toInt(), 4);
  }

  QTemporaryDir home_;
  const QString path_ = home_.path() + "/RGB.conf";
  QtSettingsStore store_{path_};
  std::unique_ptr<ScreenReader> screen_;
  std::unique_ptr<ProgramWindows> windows_;
  std::unique_ptr<TerminationSignals> signals_;
  QPoint start_place_;
  int signals_taken_ = 0;
};

TEST_P(EndingBySignal, WhileASliderIsHeldDown) {
  Start();
  QScrollBar* slider = Main().ScrollBarR;
  QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(slider->width() / 2, 5));
  QTest::mouseMove(slider, QPoint(slider->width() / 2 + 40, 5));
  Signal();
  ExpectEndedAndSaved();
}

TEST_P(EndingBySignal, WhilePressAndDragPickingMovesTheWindow) {
  WriteStore(QByteArray(kStore).replace("RadioPiccer=0", "RadioPiccer=1"));
  Start();
  if (!screen_->ReadsLiveScreen()) GTEST_SKIP() << "no live screen to pick from";
  QTest::mousePress(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
  ASSERT_TRUE(Main().PickerBusy());
  ASSERT_NE(Main().pos(), start_place_);  // the window became the magnifier
  Signal();
  ExpectEndedAndSaved();
}

TEST_P(EndingBySignal, WhileTheScreenIsFrozenForAPick) {
  Start();
  QTest::mouseClick(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
  ASSERT_TRUE(QTest::qWaitFor([&] { return windows_->Caption().isVisible(); }, 5000));
  ASSERT_EQ(QWidget::keyboardGrabber(), &windows_->Caption());
  Signal();
  ExpectEndedAndSaved();
}

TEST_P(EndingBySignal, WhileThePickerWaitsForItsDelay) {
  WriteStore(QByteArray(kStore).replace("PiccerTime=1", "PiccerTime=10000"));
  Start();
  QTest::mouseClick(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
  ASSERT_TRUE(Main().PickerBusy());
  Signal();
  ExpectEndedAndSaved();
  EXPECT_FALSE(Main().PickerBusy());
}

TEST_P(EndingBySignal, WhileTheOptionsDialogIsOpenCancelsIt) {
  Start();
  bool dialog_seen = false;
  QTimer::singleShot(0, [&] {
    TFormOption& dialog = windows_->Option();
    dialog_seen = QTest::qWaitFor([&] { return dialog.isVisible(); }, 5000);
    // Changed, but neither OK nor Cancel pressed.
    dialog.PaletteRadioButtons[14]->click();
    dialog.RadioButtonUserClick->click();
    Signal();
  });
  FailIfStillModalIn(10000);
  Main().MenuOptionClick();
  EXPECT_TRUE(dialog_seen);
  ExpectEndedAndSaved();
  EXPECT_EQ(QSettings(path_, QSettings::IniFormat).value("RadioUser").toInt(), 1);
}

// A store that cannot be written: the box that says so comes once the
// window is up, and the signal ends the program while it is open.
TEST_P(EndingBySignal, WhileTheStartUpErrorBoxIsOpen) {
  ASSERT_TRUE(QFile::remove(path_));
  ASSERT_TRUE(QDir().mkpath(path_));
  std::vector<QString> shown;
  bool window_was_up = false;
  screen_ = MakeDesktopScreenReader();
  windows_ = std::make_unique<ProgramWindows>(
      TForm1Services{.settings = &store_,
                     .error_box =
                         [&](const QString& message) {
                           shown.push_back(message);
                           window_was_up = Main().isVisible();
                           QTimer::singleShot(50, [&] {
                             if (QApplication::activeModalWidget() != nullptr) Signal();
                           });
                           StandardErrorBox()(message);
                         },
                     .screen = screen_.get()});
  ListenForSignals();
  EXPECT_TRUE(shown.empty());
  testing::internal::CaptureStderr();
  FailIfStillModalIn(8000);
  Main().show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return signals_taken_ == 1; }, 10000));
  EXPECT_FALSE(Main().isVisible());
  const std::string said = testing::internal::GetCapturedStderr();
  // Both windows' write-backs fail as one; the failed save on the way out
  // goes to standard error.
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "'Top' の設定に失敗しました");
  EXPECT_TRUE(window_was_up);
  EXPECT_NE(said.find("tintara: 'Top' の設定に失敗しました"), std::string::npos) << said;
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(QFileInfo(path_).isDir());
}

INSTANTIATE_TEST_SUITE_P(Signals, EndingBySignal, testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const testing::TestParamInfo<int>& info) {
                           return std::string(info.param == SIGTERM  ? "SIGTERM"
                                              : info.param == SIGINT ? "SIGINT"
                                                                     : "SIGHUP");
                         });

}  // namespace
}  // namespace tintara
