// Where the windows appear on a desktop with a window manager: the frame,
// title bar included, is what the user sees centred, and the main window's
// frame is what its stored place names.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <memory>
#include <ostream>

#include "mainwindow/dialogs/tform_about.h"
#include "mainwindow/dialogs/tform_input.h"
#include "mainwindow/dialogs/tform_option.h"
#include "mainwindow/program_windows.h"
#include "platform/memory_settings_store.h"

// Points in failures read as x,y.
inline void PrintTo(const QPoint& point, std::ostream* out) {
  *out << point.x() << ',' << point.y();
}

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

  // Where the manager's frame around `window` really stands on the screen,
  // asked of the X server: the window's ancestor that is a child of the
  // root. (The toolkit's own idea of it is what is under test.)
  static QPoint RealFrameCorner(const QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    xcb_window_t current = static_cast<xcb_window_t>(window.winId());
    for (;;) {
      std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
          xcb_query_tree_reply(connection, xcb_query_tree(connection, current), nullptr),
          &std::free);
      if (!tree || tree->parent == tree->root) break;
      current = tree->parent;
    }
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, current), nullptr),
        &std::free);
    return geometry ? QPoint(geometry->x, geometry->y) : QPoint(-1, -1);
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

  // Starts the program's windows on `store`, waits until the manager has
  // framed the main window, ends with Ctrl+X as the user would, and tells
  // where the frame stood meanwhile.
  static QPoint StartAndExit(MemorySettingsStore& store) {
    ProgramWindows windows(
        TForm1Services{&store, [](const QString&) {}, nullptr, nullptr, {}, nullptr});
    TForm1& main = windows.Main();
    main.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&main));
    WaitForFrame(main);
    const QPoint frame = RealFrameCorner(main);
    main.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(main.isVisible());
    return frame;
  }

  static QPoint Stored(const MemorySettingsStore& store) {
    const auto left = store.Get("Left");
    const auto top = store.Get("Top");
    if (!left || !top) return {-1, -1};
    return {std::get<std::int32_t>(*left), std::get<std::int32_t>(*top)};
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

TEST_F(WindowCentringTest, StartAndExitWithNothingMovedKeepTheStoredPlace) {
  MemorySettingsStore store;
  store.Set("Left", 200);
  store.Set("Top", 150);
  for (int start = 1; start <= 3; ++start) {
    SCOPED_TRACE(start);
    // The frame stands where the place says, and that place is written back.
    EXPECT_EQ(StartAndExit(store), QPoint(200, 150));
    EXPECT_EQ(Stored(store), QPoint(200, 150));
  }
}

TEST_F(WindowCentringTest, FirstStartsPlaceIsKept) {
  MemorySettingsStore store;
  const QPoint first = StartAndExit(store);
  EXPECT_EQ(Stored(store), first);
  for (int start = 2; start <= 3; ++start) {
    SCOPED_TRACE(start);
    EXPECT_EQ(StartAndExit(store), first);
    EXPECT_EQ(Stored(store), first);
  }
}

}  // namespace
}  // namespace tintara
