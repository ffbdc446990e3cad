#include "platform/x11_screen_reader.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <functional>

namespace tintara {
namespace {

using Colouring = std::function<QRgb(int x, int y)>;

// Every device pixel of a small area a colour of its own, so that a shift
// or a flip shows.
QRgb Distinct(int x, int y) { return qRgb(x * 3 & 0xFF, y * 5 & 0xFF, (x + y) * 11 & 0xFF); }

// Colours every depth holds exactly, in four quadrants of 20 by 20.
QRgb Quadrants(int x, int y) {
  static constexpr QRgb kColours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                                      qRgb(255, 255, 0)};
  return kColours[(x >= 20 ? 1 : 0) + (y >= 20 ? 2 : 0)];
}

QImage Expected(QSize size, const Colouring& colour, QPoint from = {}) {
  QImage image(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) image.setPixel(x, y, colour(from.x() + x, from.y() + y));
  }
  return image;
}

testing::AssertionResult SameImage(const QImage& actual, const QImage& expected) {
  if (actual.size() != expected.size() || actual.format() != QImage::Format_RGB32)
    return testing::AssertionFailure() << "size or format differs";
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      if (actual.pixel(x, y) != expected.pixel(x, y)) {
        return testing::AssertionFailure() << "at (" << x << ", " << y << ") " << std::hex
                                           << actual.pixel(x, y) << " for " << expected.pixel(x, y);
      }
    }
  }
  return testing::AssertionSuccess();
}

// A bare window at a fixed place that paints one colour per device pixel.
class PatternWindow : public QWidget {
 public:
  PatternWindow(const QRect& logical, Colouring colour) : colour_(std::move(colour)) {
    setWindowFlags(Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(logical);
  }

  // Where the server has the window, with the screen at the origin.
  QRect DeviceRect() const {
    const qreal ratio = devicePixelRatioF();
    return QRect((QPointF(pos()) * ratio).toPoint(), (QSizeF(size()) * ratio).toSize());
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    const qreal ratio = devicePixelRatioF();
    QImage image = Expected((QSizeF(size()) * ratio).toSize(), colour_);
    image.setDevicePixelRatio(ratio);
    QPainter(this).drawImage(0, 0, image);
  }

 private:
  Colouring colour_;
};

class X11ScreenReaderTest : public testing::Test {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs X11";
    reader_ = X11ScreenReader::ForApplication();
    ASSERT_NE(reader_, nullptr);
  }

  // Shows the window and waits until the server has all of it.
  testing::AssertionResult ShowOnScreen(PatternWindow& window, const Colouring& colour) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return testing::AssertionFailure() << "not shown";
    const QRect device = window.DeviceRect();
    const QImage expected = Expected(device.size(), colour);
    static_cast<void>(QTest::qWaitFor([&] { return reader_->Grab(device) == expected; }, 5000));
    return SameImage(reader_->Grab(device), expected);
  }

  std::unique_ptr<X11ScreenReader> reader_;
};

TEST_F(X11ScreenReaderTest, TheDesktopReaderOfAnX11SessionIsThis) {
  EXPECT_NE(dynamic_cast<X11ScreenReader*>(MakeDesktopScreenReader().get()), nullptr);
}

// Run with QT_SCALE_FACTOR=2 as well: every coordinate stays in device pixels.
TEST_F(X11ScreenReaderTest, GrabAndPixelReadEveryDevicePixel) {
  if (qEnvironmentVariable("QT_SCALE_FACTOR") == QLatin1String("2")) {
    ASSERT_EQ(qGuiApp->devicePixelRatio(), 2.0);
  }
  const qreal ratio = qGuiApp->devicePixelRatio();
  PatternWindow window(QRect(50, 50, 40, 30), Distinct);
  ASSERT_EQ(window.DeviceRect(), QRect(QPoint(50, 50) * ratio, QSize(40, 30) * ratio));
  ASSERT_TRUE(ShowOnScreen(window, Distinct));

  const QRect device = window.DeviceRect();
  const QRect inner = device.adjusted(3, 5, -7, -2);
  EXPECT_TRUE(SameImage(reader_->Grab(inner), Expected(inner.size(), Distinct, {3, 5})));
  for (const QPoint at : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(17, 23),
                          QPoint(device.width() - 1, device.height() - 1)}) {
    EXPECT_EQ(reader_->Pixel(device.topLeft() + at), Distinct(at.x(), at.y()))
        << at.x() << ", " << at.y();
  }

  // The pointer too: the toolkit's logical position, seen in device pixels.
  const QPoint pointer_was = QCursor::pos();
  for (const QPoint logical : {QPoint(123, 45), QPoint(7, 301)}) {
    QCursor::setPos(logical);
    EXPECT_EQ(reader_->CursorPosition(), (QPointF(logical) * ratio).toPoint());
  }
  QCursor::setPos(pointer_was);
}

// A large area, as the frozen screen copies it, is read another way than the
// magnifier's small squares (through memory shared with the server); it must
// come out the same, at every depth, also where it reaches off the root.
TEST_F(X11ScreenReaderTest, ALargeGrabReadsAsASmallOne) {
  PatternWindow window(QRect(40, 30, 300, 260), Distinct);
  ASSERT_TRUE(ShowOnScreen(window, Distinct));
  const QRect device = window.DeviceRect();
  ASSERT_GE(device.width() * device.height(), 256 * 256);
  EXPECT_TRUE(SameImage(reader_->Grab(device), Expected(device.size(), Distinct)));

  const QRect root = DesktopRect(reader_->Monitors());
  const QRect beyond(root.topLeft() - QPoint(10, 10), root.size() + QSize(20, 20));
  const QImage all = reader_->Grab(beyond);
  ASSERT_EQ(all.size(), beyond.size());
  EXPECT_EQ(all.pixel(0, 0), kUnreadablePixel);
  EXPECT_EQ(all.pixel(all.width() - 1, all.height() - 1), kUnreadablePixel);
  const QPoint inside = device.topLeft() - beyond.topLeft();
  EXPECT_TRUE(SameImage(all.copy(QRect(inside, device.size())), Expected(device.size(), Distinct)));
}

// The memory large reads go through is kept from one read to the next and
// may be the picture itself: a later read must neither show an earlier
// screen nor change a picture still held, nor one that was drawn on.
TEST_F(X11ScreenReaderTest, LargeReadsInTurnEachShowTheirOwnMoment) {
  const auto inverse = [](int x, int y) { return Distinct(x, y) ^ 0x00FFFFFFu; };
  PatternWindow window(QRect(40, 30, 300, 260), Distinct);
  ASSERT_TRUE(ShowOnScreen(window, Distinct));
  const QRect device = window.DeviceRect();
  QImage before = reader_->Grab(device);
  ASSERT_TRUE(SameImage(before, Expected(device.size(), Distinct)));

  PatternWindow cover(QRect(40, 30, 300, 260), inverse);
  ASSERT_TRUE(ShowOnScreen(cover, inverse));
  const QImage covered = reader_->Grab(device);
  EXPECT_TRUE(SameImage(covered, Expected(device.size(), inverse)));
  EXPECT_TRUE(SameImage(before, Expected(device.size(), Distinct)));

  // Drawn on, as the rubber band draws, and let go: the next reads are the
  // screen's.
  before.fill(Qt::black);
  before = QImage();
  EXPECT_TRUE(SameImage(reader_->Grab(device), Expected(device.size(), inverse)));
  cover.hide();
  ASSERT_TRUE(ShowOnScreen(window, Distinct));
  EXPECT_TRUE(SameImage(reader_->Grab(device), Expected(device.size(), Distinct)));
  EXPECT_TRUE(SameImage(covered, Expected(device.size(), inverse)));
}

// A whole-screen copy put back on a window by the server alone: the window
// shows the copy, and a change to the copy once it is refreshed there.
TEST_F(X11ScreenReaderTest, TheServerShowsAWholeScreenCopyByItself) {
  PatternWindow pattern(QRect(40, 30, 300, 260), Distinct);
  ASSERT_TRUE(ShowOnScreen(pattern, Distinct));
  const QRect root = DesktopRect(reader_->Monitors());
  QImage frozen = reader_->Grab(root);
  pattern.hide();

  QWidget overlay(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
  overlay.setAttribute(Qt::WA_OpaquePaintEvent);
  overlay.setGeometry(QRect(root.topLeft(), root.size() / overlay.devicePixelRatioF()));
  overlay.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&overlay));
  // Only a copy as it came, on a window of its size.
  EXPECT_EQ(reader_->ShowOnServer(frozen.copy(), &overlay), nullptr);
  const auto shown = reader_->ShowOnServer(frozen, &overlay);
  if (qEnvironmentVariable("QT_SCALE_FACTOR").isEmpty() && frozen.depth() == 32 &&
      QGuiApplication::primaryScreen()->depth() == 24) {
    ASSERT_NE(shown, nullptr);
  }
  if (shown == nullptr) GTEST_SKIP() << "this server cannot";

  const QRect spot(QPoint(60, 50), QSize(100, 40));
  const auto screen_shows = [&] {
    return reader_->Grab(spot) == frozen.copy(spot.translated(-root.topLeft()));
  };
  EXPECT_TRUE(QTest::qWaitFor(screen_shows, 2000));
  QPainter(&frozen).fillRect(spot.translated(-root.topLeft()), QColor(0x10, 0x20, 0x30));
  shown->Refresh(spot.translated(-root.topLeft()));
  EXPECT_TRUE(QTest::qWaitFor(screen_shows, 2000));
  EXPECT_EQ(reader_->Pixel(spot.center()), qRgb(0x10, 0x20, 0x30));
}

TEST_F(X11ScreenReaderTest, WhatLiesOffTheRootIsWhite) {
  const qreal ratio = qGuiApp->devicePixelRatio();
  PatternWindow window(QRect(0, 0, qRound(20 / ratio), qRound(20 / ratio)), Distinct);
  ASSERT_TRUE(ShowOnScreen(window, Distinct));

  const QImage corner = reader_->Grab(QRect(-5, -7, 20, 20));
  EXPECT_TRUE(SameImage(corner, Expected({20, 20}, [](int x, int y) {
                          return x < 5 || y < 7 ? kUnreadablePixel : Distinct(x - 5, y - 7);
                        })));

  const QRect root = DesktopRect(reader_->Monitors());
  const QImage far_corner = reader_->Grab(QRect(root.bottomRight() - QPoint(1, 1), QSize(4, 4)));
  ASSERT_EQ(far_corner.size(), QSize(4, 4));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      if (x >= 2 || y >= 2) {
        EXPECT_EQ(far_corner.pixel(x, y), kUnreadablePixel) << x << ", " << y;
      }
    }
  }

  EXPECT_TRUE(SameImage(reader_->Grab(QRect(-40, -40, 10, 10)),
                        Expected({10, 10}, [](int, int) { return kUnreadablePixel; })));
  EXPECT_EQ(reader_->Pixel({-1, 0}), kUnreadablePixel);
  EXPECT_EQ(reader_->Pixel({root.width(), 0}), kUnreadablePixel);
  EXPECT_EQ(reader_->Pixel({0, root.height()}), kUnreadablePixel);
}

// Run on a 16-bit server as well, where pixels are not 32-bit BGRX.
TEST_F(X11ScreenReaderTest, ReadsColoursAtTheServersDepth) {
  const qreal ratio = qGuiApp->devicePixelRatio();
  PatternWindow window(QRect(QPoint(200, 150) / ratio, QSize(40, 40) / ratio), Quadrants);
  ASSERT_TRUE(ShowOnScreen(window, Quadrants));
  const QRect across = QRect(QPoint(200 + 18, 150 + 17), QSize(5, 6));
  EXPECT_TRUE(SameImage(reader_->Grab(across), Expected(across.size(), Quadrants, {18, 17})));
}

TEST_F(X11ScreenReaderTest, WindowsAreGoneOnceTheServerUnmapsThem) {
  PatternWindow shown(QRect(300, 300, 30, 30), Quadrants);
  const QWidget never_shown;
  ASSERT_TRUE(ShowOnScreen(shown, Quadrants));
  EXPECT_FALSE(reader_->WindowsGone({&shown}));
  EXPECT_FALSE(reader_->WindowsGone({&never_shown, &shown}));
  EXPECT_TRUE(reader_->WindowsGone({&never_shown}));
  EXPECT_TRUE(reader_->WindowsGone({}));

  shown.hide();
  EXPECT_TRUE(QTest::qWaitFor([&] { return reader_->WindowsGone({&shown, &never_shown}); }, 5000));
}

TEST_F(X11ScreenReaderTest, SettlesOnlyWhileACompositorOwnsItsSelection) {
  EXPECT_EQ(reader_->SettleTime(), 0);

  // Stand in for a compositing manager of screen 0.
  xcb_connection_t* connection =
      qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
  const xcb_window_t owner = xcb_generate_id(connection);
  xcb_create_window(connection, XCB_COPY_FROM_PARENT, owner, screen->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, 13, "_NET_WM_CM_S0"), nullptr);
  ASSERT_NE(atom, nullptr);
  xcb_set_selection_owner(connection, owner, atom->atom, XCB_CURRENT_TIME);
  std::free(atom);
  EXPECT_EQ(reader_->SettleTime(), 200);

  // The selection goes with its window.
  xcb_destroy_window(connection, owner);
  EXPECT_EQ(reader_->SettleTime(), 0);
}

// Run on a server of two heads, 1024x768 and 800x600, left to right. Which
// server it is comes from the script that started it, not from the reader.
TEST_F(X11ScreenReaderTest, TwoHeadsSideBySide) {
  if (qEnvironmentVariable("TINTARA_XVFB_SCREENS").split(' ', Qt::SkipEmptyParts).size() < 2)
    GTEST_SKIP() << "the server has one head";
  const std::vector<QRect> monitors = reader_->Monitors();
  EXPECT_EQ(monitors, (std::vector<QRect>{{0, 0, 1024, 768}, {1024, 0, 800, 600}}));
  EXPECT_EQ(DesktopRect(monitors), QRect(0, 0, 1824, 768));

  PatternWindow on_second(QRect(1024 + 60, 40, 30, 20), Distinct);
  EXPECT_TRUE(ShowOnScreen(on_second, Distinct));
  PatternWindow across(QRect(1024 - 20, 100, 40, 20), Distinct);
  EXPECT_TRUE(ShowOnScreen(across, Distinct));
  EXPECT_EQ(reader_->Pixel({1024, 100}), Distinct(20, 0));
}

TEST(MonitorMath, TheDesktopHoldsEveryMonitor) {
  EXPECT_EQ(DesktopRect({{0, 0, 1024, 768}, {1024, 0, 800, 600}}), QRect(0, 0, 1824, 768));
  EXPECT_EQ(DesktopRect({{-1280, 200, 1280, 1024}, {0, 0, 1920, 1080}}),
            QRect(-1280, 0, 3200, 1224));
  EXPECT_TRUE(DesktopRect({}).isNull());
}

TEST(MonitorMath, APointBelongsToItsMonitorOrTheNearestOne) {
  const QRect left(0, 0, 1024, 768);
  const QRect right(1024, 0, 800, 600);
  const std::vector<QRect> monitors{left, right};
  EXPECT_EQ(MonitorAt(monitors, {1023, 767}), left);
  EXPECT_EQ(MonitorAt(monitors, {1024, 0}), right);
  EXPECT_EQ(MonitorAt(monitors, {1823, 599}), right);
  // Below the smaller head: 77 pixels to the left one, 101 to the right one.
  EXPECT_EQ(MonitorAt(monitors, {1100, 700}), left);
  EXPECT_EQ(MonitorAt(monitors, {1200, 700}), right);
  // Off a corner the distance is diagonal: 60 across and 60 down (85) is
  // nearer than 90 straight down, though not by steps along the axes.
  const QRect square(0, 0, 100, 100);
  const QRect wide(150, 0, 100, 70);
  EXPECT_EQ(MonitorAt({wide, square}, {159, 159}), square);
  EXPECT_EQ(MonitorAt({square, wide}, {159, 120}), wide);
  EXPECT_TRUE(MonitorAt({}, {0, 0}).isNull());
}

// Run on the offscreen platform: the toolkit's own grabs.
TEST(DesktopScreenReaderWithoutX11, ReadsWhatTheToolkitCanGrab) {
  if (QGuiApplication::platformName() != QLatin1String("offscreen"))
    GTEST_SKIP() << "needs the offscreen platform";
  const std::unique_ptr<ScreenReader> reader = MakeDesktopScreenReader();
  std::vector<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens.push_back(screen->geometry());
  EXPECT_EQ(reader->Monitors(), screens);
  EXPECT_EQ(reader->SettleTime(), 0);
  QCursor::setPos(70, 80);
  EXPECT_EQ(reader->CursorPosition(), QPoint(70, 80));

  PatternWindow window(QRect(30, 40, 50, 50), Distinct);
  EXPECT_TRUE(reader->WindowsGone({&window}));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_FALSE(reader->WindowsGone({&window}));
  const QRect inside(35, 42, 20, 10);
  EXPECT_TRUE(QTest::qWaitFor([&] { return reader->Pixel({35, 42}) == Distinct(5, 2); }, 5000));
  EXPECT_TRUE(SameImage(reader->Grab(inside), Expected(inside.size(), Distinct, {5, 2})));

  const QImage off = reader->Grab(QRect(-10, -10, 5, 5));
  EXPECT_EQ(off.size(), QSize(5, 5));
  EXPECT_EQ(off.pixel(0, 0), kUnreadablePixel);
  EXPECT_EQ(reader->Pixel({-1, -1}), kUnreadablePixel);
  window.hide();
  EXPECT_TRUE(reader->WindowsGone({&window}));
}

}  // namespace
}  // namespace tintara
