// The screen picker on a real X server: the colours come from the screen
// itself, the pointer is the server's, Escape comes from the keyboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "mainwindow/picker/desktop_coordinates.h"
#include "mainwindow/picker/magnifier_view.h"
#include "mainwindow/picker/overlay_windows.h"
#include "mainwindow/picker/piccer_button.h"
#include "mainwindow/picker/picker_math.h"
#include "mainwindow/program_windows.h"
#include "platform/memory_settings_store.h"
#include "platform/screen_reader.h"

// Rectangles in failure messages, as place and size.
void PrintTo(const QRect& rect, std::ostream* out) {
  *out << "(" << rect.x() << "," << rect.y() << " " << rect.width() << "x" << rect.height() << ")";
}

namespace tintara {
namespace {

// Every pixel of the pattern has a colour of its own.
QRgb PatternColour(int x, int y) { return qRgb(40 + x, 20 + y, (x * 7 + y * 3) & 0xFF); }

// A window of the test's own, painted with the pattern, at a place on the
// desktop given in device pixels.
class PatternWindow : public QWidget {
 public:
  PatternWindow(QPoint device_place, const QRect& monitor)
      : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                             Qt::WindowStaysOnTopHint) {
    const qreal ratio = DeviceRatioOf(monitor);
    pattern_ = QImage(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) pattern_.setPixel(x, y, PatternColour(x, y));
    }
    pattern_.setDevicePixelRatio(ratio);
    setGeometry(QRect(ToWindowCoordinates(device_place, monitor),
                      QSize(static_cast<int>(64 / ratio), static_cast<int>(64 / ratio))));
    show();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), pattern_);
  }

 private:
  QImage pattern_;
};

void MovePointer(QPoint device) {
  // xdotool speaks the server's own coordinates, whatever the toolkit scales.
  QProcess::execute("xdotool",
                    {"mousemove", QString::number(device.x()), QString::number(device.y())});
}

// Presses or releases a real button of the server's pointer.
void Button(const char* action, int button) {
  QProcess::execute("xdotool", {action, QString::number(button)});
}

bool WindowManagerRuns() {
  QProcess xprop;
  xprop.start("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"});
  xprop.waitForFinished();
  return xprop.readAllStandardOutput().contains("window id");
}

// Where the server has the window's client area, and how large, in its own
// coordinates: what the user sees, whatever the toolkit believes.
QRect ServerGeometry(const QWidget& window) {
  QProcess xwininfo;
  xwininfo.start("xwininfo", {"-id", QString::number(window.winId())});
  xwininfo.waitForFinished();
  const QString info = QString::fromUtf8(xwininfo.readAllStandardOutput());
  auto value = [&info](const char* name) {
    const qsizetype at = info.indexOf(QLatin1String(name));
    return at < 0 ? -1 : info.mid(at + qstrlen(name)).section('\n', 0, 0).trimmed().toInt();
  };
  return QRect(value("Absolute upper-left X:"), value("Absolute upper-left Y:"), value("Width:"),
               value("Height:"));
}

// The server's geometry once the window manager has stopped changing it.
QRect SettledServerGeometry(const QWidget& window) {
  QRect last = ServerGeometry(window);
  for (int still = 0, i = 0; still < 5 && i < 150; ++i) {
    QTest::qWait(20);
    const QRect now = ServerGeometry(window);
    still = now == last ? still + 1 : 0;
    last = now;
  }
  return last;
}

class PickerDisplayTest : public testing::Test {
 protected:
  void SetUp() override {
    screen_ = MakeDesktopScreenReader();
    windows_ = std::make_unique<ProgramWindows>(
        TForm1Services{&store_, [](const QString&) {}, nullptr, nullptr, {}, screen_.get()});
    QProcess::execute("xsetroot", {"-solid", "#204060"});
    Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
  }

  TForm1& Main() { return windows_->Main(); }
  TFormCaption& Caption() { return windows_->Caption(); }
  TFormMosaic& Mosaic() { return windows_->Mosaic(); }

  void UseMode(bool push, int radius = 10) {
    OptionSettings options;
    options.radio_piccer = push;
    options.piccer_area = radius;
    options.piccer_time = 1;
    Main().ApplyHeldOptions(options);
  }

  // The pattern window, waited for until the server shows it.
  std::unique_ptr<PatternWindow> ShowPattern(QPoint device_place) {
    auto window =
        std::make_unique<PatternWindow>(device_place, MonitorAt(screen_->Monitors(), device_place));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return screen_->Pixel(device_place + QPoint(5, 9)) == PatternColour(5, 9); }, 3000));
    return window;
  }

  void PushPick(QPoint device) {
    QTest::mousePress(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
    MovePointer(device);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(Main().BitBtnPiccer, &move);
    QTest::mouseRelease(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
  }

  void Freeze() {
    QTest::mouseClick(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Caption().isVisible(); }, 5000));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Caption()));
  }
  // A move over the frozen screen as the server reports it.
  void OverlayMove(QPoint device) {
    MovePointer(device);
    const qreal ratio = Caption().ImageCaption->devicePixelRatioF();
    const QPointF local = QPointF(device - Caption().DesktopArea().topLeft()) / ratio;
    QMouseEvent move(QEvent::MouseMove, local, local, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Caption().ImageCaption, &move);
  }
  void OverlayClick(QPoint device) {
    const qreal ratio = Caption().ImageCaption->devicePixelRatioF();
    const QPointF local = QPointF(device - Caption().DesktopArea().topLeft()) / ratio;
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, local, local, Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                        Qt::NoModifier);
      QApplication::sendEvent(Caption().ImageCaption, &event);
    }
  }

  // A right-button drag over the frozen screen by the server's pointer,
  // through `path`, released at its end; `during` runs at each point once
  // the toolkit has seen the move.
  void MeasureDrag(QPoint from, const std::vector<QPoint>& path,
                   const std::function<void(QPoint)>& during) {
    MovePointer(from);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Mosaic().View()->LabelPos->text() == FrozenText(from); }, 3000))
        << Mosaic().View()->LabelPos->text().toStdString();
    Button("mousedown", 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Caption().Measuring(); }, 3000));
    for (QPoint point : path) {
      MovePointer(point);
      const QString text =
          QString::fromStdString(MeasureText(from.x(), from.y(), point.x(), point.y()));
      ASSERT_TRUE(QTest::qWaitFor([&] { return Mosaic().View()->LabelPos->text() == text; }, 3000));
      during(point);
    }
    Button("mouseup", 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Caption().Measuring(); }, 3000));
  }
  static QString FrozenText(QPoint point) {
    return QString::fromStdString(FrozenPositionText(point.x(), point.y()));
  }
  // Whether the screen shows the frozen copy inverted at exactly `inverted`
  // within `area`, and the copy as it is elsewhere.
  bool ScreenShows(const QRect& area, const QImage& frozen, const std::vector<QPoint>& inverted) {
    QImage expected = frozen.copy(area.translated(-Caption().DesktopArea().topLeft()));
    for (QPoint point : inverted) {
      const QPoint inside = point - area.topLeft();
      expected.setPixel(inside, expected.pixel(inside) ^ 0x00FFFFFFu);
    }
    return QTest::qWaitFor([&] { return screen_->Grab(area) == expected; }, 2000);
  }

  static std::vector<QPoint> BandPixels(QPoint anchor, QPoint corner) {
    std::vector<QPoint> band;
    ForEachRubberBandPixel(anchor.x(), anchor.y(), corner.x(), corner.y(),
                           [&](int x, int y) { band.emplace_back(x, y); });
    return band;
  }

  static RgbColor Colour(QRgb pixel) {
    return RgbColor::FromInts(qRed(pixel), qGreen(pixel), qBlue(pixel));
  }

  MemorySettingsStore store_;
  std::unique_ptr<MemorySettingsStore> fresh_store_;
  std::unique_ptr<ScreenReader> screen_;
  std::unique_ptr<ProgramWindows> windows_;
};

TEST_F(PickerDisplayTest, PushModePicksAPixelOfAnotherWindow) {
  UseMode(true);
  const auto pattern = ShowPattern({700, 500});
  PushPick({700 + 17, 500 + 33});
  EXPECT_EQ(Main().CurrentColour(), Colour(PatternColour(17, 33)));
  EXPECT_TRUE(Main().windowTitle().contains(
      QString::asprintf("%06x", PatternColour(17, 33) & 0xFFFFFF), Qt::CaseInsensitive))
      << Main().windowTitle().toStdString();
  EXPECT_FALSE(Main().PushPickPanel().isVisible());
}

TEST_F(PickerDisplayTest, ClickModeFreezesTheDesktopWithoutTheMainWindow) {
  UseMode(false);
  const auto pattern = ShowPattern({700, 500});
  const QRect main_window = Main().frameGeometry();
  Freeze();
  // Where the main window stood, the frozen copy shows the desktop beneath.
  const QPoint inside = main_window.center() - Caption().DesktopArea().topLeft();
  EXPECT_EQ(Caption().Frozen().pixel(inside), qRgb(0x20, 0x40, 0x60));
  OverlayMove({700 + 40, 500 + 2});
  EXPECT_EQ(Mosaic().View()->LabelPos->text(), "(740,502)");
  OverlayClick({700 + 40, 500 + 2});
  EXPECT_EQ(Main().CurrentColour(), Colour(PatternColour(40, 2)));
  EXPECT_TRUE(Main().isVisible());
  EXPECT_FALSE(Caption().isVisible());
}

TEST_F(PickerDisplayTest, MagnifierIsBlackOffTheScreenAtEveryRadius) {
  const QRect monitor = screen_->Monitors().front();
  for (int radius : {1, 10, 99}) {
    UseMode(false, radius);
    Freeze();
    const QImage& picture = Mosaic().View()->ImagePiccer->Picture();
    OverlayMove(monitor.topLeft());
    const MagnifierPlan plan =
        PlanMagnifier(monitor.left(), monitor.top(), radius, ToPixelRect(monitor));
    EXPECT_EQ(picture.pixel(0, 0), 0xFF000000u) << radius;
    EXPECT_EQ(picture.pixel(plan.target.left - 1, 209), 0xFF000000u) << radius;
    EXPECT_EQ(picture.pixel(209, plan.target.top - 1), 0xFF000000u) << radius;
    EXPECT_EQ(picture.pixel(209, 209), Caption().Frozen().pixel(radius, radius)) << radius;
    OverlayMove(monitor.bottomRight());
    EXPECT_EQ(picture.pixel(209, 209), 0xFF000000u) << radius;
    EXPECT_EQ(picture.pixel(0, 0), qRgb(0x20, 0x40, 0x60)) << radius;
    QProcess::execute("xdotool", {"key", "Escape"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Caption().isVisible(); }, 3000)) << radius;
  }
}

TEST_F(PickerDisplayTest, EscapeFromTheKeyboardLeavesTheColourAsItWas) {
  UseMode(false);
  const RgbColor before = Main().CurrentColour();
  Freeze();
  OverlayMove({300, 300});
  QProcess::execute("xdotool", {"key", "Escape"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Caption().isVisible(); }, 3000));
  EXPECT_FALSE(Mosaic().isVisible());
  EXPECT_TRUE(Main().isVisible());
  EXPECT_EQ(Main().CurrentColour(), before);
}

// Someone else holding the frozen picture when the band is drawn makes the
// overlay's a copy of its own: the band must show all the same.
TEST_F(PickerDisplayTest, ABandOnASharedFrozenPictureShows) {
  UseMode(false);
  const auto pattern = ShowPattern({260, 260});
  MovePointer({20, 20});
  Freeze();
  const QImage shared = Caption().Frozen();
  const QImage frozen = shared.copy();
  const QRect area(200, 200, 200, 200);
  const QPoint anchor(310, 290);
  MeasureDrag(anchor, {anchor + QPoint(40, 30)}, [&](QPoint corner) {
    EXPECT_TRUE(ScreenShows(area, frozen, BandPixels(anchor, corner)));
  });
  EXPECT_TRUE(ScreenShows(area, frozen, {}));
  QProcess::execute("xdotool", {"key", "Escape"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Caption().isVisible(); }, 3000));
}

TEST_F(PickerDisplayTest, MeasuringDragsInEveryDirectionLeaveTheScreenAsFrozen) {
  UseMode(false);
  const auto pattern = ShowPattern({260, 260});
  MovePointer({20, 20});
  Freeze();
  const QImage frozen = Caption().Frozen().copy();
  const QRect area(200, 200, 200, 200);
  // Not where another test left the pointer: the toolkit drops a move to
  // the place it last saw.
  const QPoint anchor(310, 290);
  // Right and down, left and down, left and up, right and up, a straight
  // line each way, and a band whose corner swings from one side to another.
  std::vector<std::vector<QPoint>> drags = {{{40, 30}},
                                            {{-40, 30}},
                                            {{-40, -50}},
                                            {{40, -50}},
                                            {{0, -50}},
                                            {{-50, 0}},
                                            {{-40, -50}, {-20, -90}, {30, 50}, {-60, 40}}};
  for (std::vector<QPoint>& path : drags) {
    for (QPoint& point : path) point += anchor;
    SCOPED_TRACE(testing::Message() << path.back().x() << "," << path.back().y());
    MeasureDrag(anchor, path, [&](QPoint corner) {
      // The band's every pixel is on the screen, its left column and top
      // row too, and the bands before it are gone.
      EXPECT_TRUE(ScreenShows(area, frozen, BandPixels(anchor, corner)));
    });
    EXPECT_TRUE(ScreenShows(area, frozen, {}));
    EXPECT_EQ(Caption().Frozen(), frozen);
  }
  QProcess::execute("xdotool", {"key", "Escape"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Caption().isVisible(); }, 3000));
}

// Run with two monitors of different sizes side by side.
TEST_F(PickerDisplayTest, SecondMonitorPicksAndKeepsTheMagnifierOnIt) {
  const std::vector<QRect> monitors = screen_->Monitors();
  if (monitors.size() < 2) GTEST_SKIP() << "one monitor";
  const QRect second = monitors[1];
  const QPoint place = second.topLeft() + QPoint(second.width() / 4, second.height() / 2);
  const auto pattern = ShowPattern(place);
  UseMode(false);
  MovePointer(place);
  Freeze();
  EXPECT_EQ(Caption().DesktopArea(), DesktopRect(monitors));
  OverlayMove(place + QPoint(3, 4));
  // The magnifier's place in device pixels: the toolkit scales from the
  // monitor's corner.
  const qreal ratio = DeviceRatioOf(second);
  const QRect frame = Mosaic().frameGeometry();
  const QRect magnifier(second.topLeft() + (frame.topLeft() - second.topLeft()) * ratio,
                        frame.size() * ratio);
  EXPECT_TRUE(second.contains(magnifier)) << magnifier.x() << "," << magnifier.y();
  const int left =
      MagnifierWindowLeft(place.x() + 3, ToPixelRect(second), static_cast<int>(211 * ratio));
  EXPECT_EQ(frame.left(), ToWindowCoordinates({left, 0}, second).x());
  OverlayClick(place + QPoint(3, 4));
  EXPECT_EQ(Main().CurrentColour(), Colour(PatternColour(3, 4)));

  UseMode(true);
  PushPick(place + QPoint(9, 1));
  EXPECT_EQ(Main().CurrentColour(), Colour(PatternColour(9, 1)));
}

// Run with the toolkit scaling by two: the pick is the device pixel under
// the pointer.
TEST_F(PickerDisplayTest, ScaledWindowsStillPickTheDevicePixel) {
  if (Main().devicePixelRatioF() < 2) GTEST_SKIP() << "not scaled";
  const auto pattern = ShowPattern({600, 400});
  UseMode(true);
  PushPick({600 + 21, 400 + 12});
  EXPECT_EQ(Main().CurrentColour(), Colour(PatternColour(21, 12)));
  UseMode(false);
  Freeze();
  OverlayMove({600 + 5, 400 + 50});
  EXPECT_EQ(Mosaic().View()->LabelPos->text(), "(605,450)");
  OverlayClick({600 + 5, 400 + 50});
  EXPECT_EQ(Main().CurrentColour(), Colour(PatternColour(5, 50)));
}

// Run scaled by two: moves and clicks of the server's pointer on the frozen
// screen read and pick the very device pixel, odd ones and the last too.
TEST_F(PickerDisplayTest, ScaledFrozenScreenPicksOddDevicePixels) {
  if (Main().devicePixelRatioF() < 2) GTEST_SKIP() << "not scaled";
  const QRect monitor = screen_->Monitors().front();
  const QPoint last = monitor.bottomRight();
  const auto middle = ShowPattern({1001 - 31, 701 - 31});
  const auto corner = ShowPattern(last - QPoint(63, 63));
  UseMode(false);
  for (const auto& [device, in_pattern] :
       {std::pair{QPoint(1001, 701), QPoint(31, 31)}, std::pair{last, QPoint(63, 63)}}) {
    SCOPED_TRACE(testing::Message() << device.x() << "," << device.y());
    MovePointer({40, 40});
    Freeze();
    // First beside it: the toolkit drops a move to the place it last saw,
    // and another test may have left the pointer on this very pixel.
    const QPoint beside = device - QPoint(3, 3);
    MovePointer(beside);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Mosaic().View()->LabelPos->text() == FrozenText(beside); }, 3000));
    MovePointer(device);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Mosaic().View()->LabelPos->text() == FrozenText(device); }, 3000))
        << Mosaic().View()->LabelPos->text().toStdString();
    const QRgb pixel = PatternColour(in_pattern.x(), in_pattern.y());
    EXPECT_EQ(Mosaic().View()->LabelR->text(), QString::number(qRed(pixel)));
    EXPECT_EQ(Mosaic().View()->LabelG->text(), QString::number(qGreen(pixel)));
    QProcess::execute("xdotool", {"click", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Caption().isVisible(); }, 3000));
    EXPECT_EQ(Main().CurrentColour(), Colour(pixel));
  }
}

// Run under a window manager: the window comes back where and as large as
// it was, from the first press after a fresh start on, every time.
TEST_F(PickerDisplayTest, PushPickGivesTheWindowBackItsPlaceUnderAWindowManager) {
  if (!WindowManagerRuns()) GTEST_SKIP() << "no window manager";
  const QRect placed = SettledServerGeometry(Main());
  for (int start = 0; start < 20; ++start) {
    SCOPED_TRACE(start);
    windows_.reset();
    fresh_store_ = std::make_unique<MemorySettingsStore>();
    windows_ = std::make_unique<ProgramWindows>(TForm1Services{
        fresh_store_.get(), [](const QString&) {}, nullptr, nullptr, {}, screen_.get()});
    UseMode(true);
    Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    // The first pick at once, while the manager is still framing the
    // window, then one more once it is settled.
    for (int pick = 0; pick < 2; ++pick) {
      SCOPED_TRACE(pick);
      // Where the server has the button: the toolkit may not know yet
      // where the manager put the window.
      MovePointer(ServerGeometry(Main()).topLeft() +
                  Main().BitBtnPiccer->mapTo(&Main(), QPoint(13, 13)));
      Button("mousedown", 1);
      ASSERT_TRUE(QTest::qWaitFor([&] { return Main().PickerBusy(); }, 3000));
      for (QPoint point : {QPoint(100, 100), QPoint(900, 700), QPoint(300, 500)}) {
        MovePointer(point);
        QTest::qWait(30);
      }
      Button("mouseup", 1);
      ASSERT_TRUE(QTest::qWaitFor([&] { return !Main().PickerBusy(); }, 3000));
      EXPECT_EQ(SettledServerGeometry(Main()), placed);
    }
  }
}

}  // namespace
}  // namespace tintara
