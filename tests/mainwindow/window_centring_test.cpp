// Where the windows first appear on a desktop with a window manager: the
// frame, title bar included, is what the user sees centred.
#include <gtest/gtest.h>

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "mainwindow/dialogs/tform_about.h"
#include "mainwindow/dialogs/tform_input.h"
#include "mainwindow/dialogs/tform_option.h"
#include "mainwindow/program_windows.h"
#include "platform/memory_settings_store.h"

namespace tintara {
namespace {

class WindowCentringTest : public testing::Test {
 protected:
  void SetUp() override {
    windows_ = std::make_unique<ProgramWindows>(
        TForm1Services{&store_, [](const QString&) {}, nullptr, nullptr, {}, nullptr});
  }

  // Shows a modal dialog the way its command does and reads where its
  // frame settles once the window manager has framed it.
  static QRect SettledFrame(QDialog& dialog) {
    QRect frame;
    QTimer::singleShot(0, &dialog, [&] {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
      WaitForFrame(dialog);
      frame = FrameOf(dialog);
      dialog.reject();
    });
    dialog.exec();
    return frame;
  }

  // The frame as the window manager last reported it. (The widget's own
  // frame geometry is brought up to date only when the window moves, and a
  // window placed right the first time never does.)
  static QRect FrameOf(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return handle != nullptr ? handle->frameGeometry() : window.frameGeometry();
  }

  // A manager frames a window a little after mapping it; the frame is there
  // once it is larger than the window itself and has stopped moving.
  static void WaitForFrame(QWidget& window) {
    QRect last;
    for (int i = 0; i < 100; ++i) {
      QTest::qWait(20);
      const QRect frame = FrameOf(window);
      if (frame != window.geometry() && frame == last) return;
      last = frame;
    }
  }

  static QPoint ScreenCentre() {
    return QGuiApplication::primaryScreen()->availableGeometry().center();
  }

  static void ExpectCentred(const QRect& frame, const char* what) {
    SCOPED_TRACE(what);
    ASSERT_GT(frame.height(), 0);
    // Halving an odd size may leave a pixel over on either side.
    EXPECT_NEAR(frame.center().x(), ScreenCentre().x(), 1);
    EXPECT_NEAR(frame.center().y(), ScreenCentre().y(), 1);
  }

  MemorySettingsStore store_;
  std::unique_ptr<ProgramWindows> windows_;
};

TEST_F(WindowCentringTest, DialogFramesAreCentredOnTheScreenWithTheMainWindowUp) {
  windows_->Main().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&windows_->Main()));
  WaitForFrame(windows_->Main());
  ExpectCentred(SettledFrame(windows_->Option()), "options");
  ExpectCentred(SettledFrame(windows_->About()), "version");
  ExpectCentred(SettledFrame(windows_->Input()), "favourite name");
  // Shown a second time, a dialog is centred again, as it is every time.
  ExpectCentred(SettledFrame(windows_->About()), "version again");
}

TEST_F(WindowCentringTest, OptionsFrameIsCentredBeforeAnyOtherWindowIsShown) {
  // The first start shows the options dialog before the main window.
  ExpectCentred(SettledFrame(windows_->Option()), "options first");
}

}  // namespace
}  // namespace tintara
