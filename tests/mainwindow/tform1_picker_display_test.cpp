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

#include "mainwindow/picker/desktop_coordinates.h"
#include "mainwindow/picker/magnifier_view.h"
#include "mainwindow/picker/overlay_windows.h"
#include "mainwindow/picker/piccer_button.h"
#include "mainwindow/program_windows.h"
#include "platform/memory_settings_store.h"
#include "platform/screen_reader.h"

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

  static RgbColor Colour(QRgb pixel) {
    return RgbColor::FromInts(qRed(pixel), qGreen(pixel), qBlue(pixel));
  }

  MemorySettingsStore store_;
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
  const QRect magnifier = Mosaic().frameGeometry();
  EXPECT_TRUE(second.contains(magnifier)) << magnifier.x() << "," << magnifier.y();
  EXPECT_EQ(magnifier.left(), MagnifierWindowLeft(place.x() + 3, ToPixelRect(second), 211));
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

}  // namespace
}  // namespace tintara
