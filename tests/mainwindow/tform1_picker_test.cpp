// The screen picker driven through its button and the frozen screen, on a
// desktop held in memory.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <chrono>

#include "mainwindow/client_area.h"
#include "mainwindow/dialogs/tform_option.h"
#include "mainwindow/picker/magnifier_view.h"
#include "mainwindow/picker/overlay_windows.h"
#include "mainwindow/picker/piccer_button.h"
#include "mainwindow/picker/picker_math.h"
#include "mainwindow/program_windows.h"
#include "platform/memory_screen_reader.h"
#include "platform/memory_settings_store.h"
#include "platform/memory_system_colours.h"

namespace tintara {
namespace {

constexpr QRgb kPicked = 0xFF0A00FFu;  // red 10, green 0, blue 255

void SendMove(QWidget* widget, QPoint at, Qt::MouseButtons held = Qt::NoButton) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
                   held, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

class TForm1PickerTest : public testing::Test {
 protected:
  void SetUp() override {
    // Every pixel tells its place, one pixel is the colour to find.
    QImage& desktop = screen_.Desktop();
    for (int y = 0; y < desktop.height(); ++y) {
      for (int x = 0; x < desktop.width(); ++x) desktop.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, 7));
    }
    desktop.setPixel(300, 200, kPicked);
    Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
  }

  TForm1& Main() { return windows_.Main(); }
  TFormCaption& Caption() { return windows_.Caption(); }
  TFormMosaic& Mosaic() { return windows_.Mosaic(); }
  MagnifierView& Magnifier() { return *windows_.Mosaic().View(); }

  void UseMode(bool push, int radius = 10, int delay = 1) {
    OptionSettings options;
    options.radio_piccer = push;
    options.piccer_area = radius;
    options.piccer_time = delay;
    Main().ApplyHeldOptions(options);
  }

  void DragButtonTo(QPoint cursor) {
    screen_.SetCursorPosition(cursor);
    SendMove(Main().BitBtnPiccer, {5, 5}, Qt::LeftButton);
  }

  // Clicks the button and waits for the frozen screen.
  void Freeze() {
    QTest::mouseClick(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Caption().isVisible(); }, 3000));
  }
  void OverlayMove(QPoint at, Qt::MouseButtons held = Qt::NoButton) {
    SendMove(Caption().ImageCaption, at, held);
  }

  QString Readouts() const {
    const MagnifierView& view = *const_cast<TForm1PickerTest*>(this)->windows_.Mosaic().View();
    return QStringList{view.LabelR->text(),  view.LabelG->text(),  view.LabelB->text(),
                       view.LabelhR->text(), view.LabelhG->text(), view.LabelhB->text()}
        .join(' ');
  }

  MemorySettingsStore store_;
  MemorySystemColours desktop_colours_;
  MemoryScreenReader screen_{{QRect(0, 0, 1024, 768)}};
  ProgramWindows windows_{
      TForm1Services{&store_, [](const QString&) {}, nullptr, &desktop_colours_, {}, &screen_}};
};

TEST_F(TForm1PickerTest, PushModeShrinksFollowsAndPicksOnRelease) {
  UseMode(true);
  const QPoint place = Main().pos();
  const QSize client = Main().Client()->size();
  screen_.SetCursorPosition({100, 300});
  QTest::mousePress(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
  EXPECT_TRUE(Main().PushPickPanel().isVisible());
  EXPECT_EQ(Main().BitBtnPiccer->x(), 400);
  EXPECT_EQ(Main().Client()->height(), 320);
  EXPECT_LE(Main().frameGeometry().width(), 216);
  EXPECT_LE(Main().Client()->width(), 211);
  const int width = Main().frameGeometry().width();
  const PixelRect screen{0, 0, 1024, 768};
  // The right third, away from the cursor.
  EXPECT_EQ(Main().x(), MagnifierWindowLeft(100, screen, width));

  DragButtonTo({600, 200});
  EXPECT_EQ(Main().x(), MagnifierWindowLeft(600, screen, width));
  DragButtonTo({300, 200});
  EXPECT_EQ(Main().x(), MagnifierWindowLeft(300, screen, width));
  EXPECT_EQ(Main().y(), MagnifierWindowTop(screen, Main().frameGeometry().height()));
  EXPECT_EQ(Main().PushPickPanel().LabelPos->text(), "(300, 200)");
  const MagnifierView& view = Main().PushPickPanel();
  EXPECT_EQ(view.LabelR->text() + view.LabelG->text() + view.LabelB->text(), "100255");
  EXPECT_EQ(view.LabelhR->text() + view.LabelhG->text() + view.LabelhB->text(), "a0ff");
  EXPECT_EQ(view.ImagePiccer->Picture().pixel(105, 105), kPicked);
  EXPECT_EQ(view.ImagePiccer->Picture().pixel(95, 105), qRgb(299 & 0xFF, 200, 7));
  // Each move reads the square alone, never the whole screen.
  ASSERT_FALSE(screen_.Grabs().empty());
  EXPECT_EQ(screen_.Grabs().back(), QRect(290, 190, 21, 21));

  QTest::mouseRelease(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(500, 300));
  EXPECT_EQ(Main().CurrentColour(), RgbColor::FromInts(10, 0, 255));
  EXPECT_EQ(Main().pos(), place);
  EXPECT_EQ(Main().Client()->size(), client);
  EXPECT_FALSE(Main().PushPickPanel().isVisible());
  EXPECT_EQ(Main().BitBtnPiccer->x(), 83);
  EXPECT_FALSE(Main().PickerBusy());
}

TEST_F(TForm1PickerTest, PushModeIgnoresTheRightButtonAndTheClickAndEscapeGivesUp) {
  UseMode(true);
  const RgbColor before = Main().CurrentColour();
  QTest::mousePress(Main().BitBtnPiccer, Qt::RightButton, {}, QPoint(13, 13));
  EXPECT_FALSE(Main().PushPickPanel().isVisible());
  QTest::mouseRelease(Main().BitBtnPiccer, Qt::RightButton, {}, QPoint(13, 13));
  Main().BitBtnPiccerClick();
  EXPECT_TRUE(Main().isVisible());
  EXPECT_FALSE(Main().TimerCapture->isActive());

  screen_.SetCursorPosition({300, 200});
  QTest::mousePress(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
  DragButtonTo({300, 200});
  QTest::keyClick(Main().BitBtnPiccer, Qt::Key_Escape);
  EXPECT_FALSE(Main().PushPickPanel().isVisible());
  EXPECT_EQ(Main().BitBtnPiccer->x(), 83);
  QTest::mouseRelease(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
  EXPECT_EQ(Main().CurrentColour(), before);
}

TEST_F(TForm1PickerTest, ClickModeFreezesTheScreenWithoutTheProgramsWindows) {
  UseMode(false, 10, 40);
  bool any_window_shown = false;
  screen_.before_grab = [&] {
    any_window_shown =
        any_window_shown || Main().isVisible() || Caption().isVisible() || Mosaic().isVisible();
  };
  screen_.SetCursorPosition({800, 300});
  QTest::mouseClick(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
  EXPECT_FALSE(Main().isVisible());
  EXPECT_TRUE(Main().TimerCapture->isActive());
  EXPECT_EQ(Main().TimerCapture->interval(), 40);
  // A second start while the first is pending does nothing.
  Main().BitBtnPiccerClick();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Caption().isVisible(); }, 3000));
  EXPECT_FALSE(any_window_shown);
  EXPECT_FALSE(Main().TimerCapture->isActive());
  EXPECT_TRUE(Mosaic().isVisible());
  EXPECT_EQ(Caption().Frozen(), screen_.Desktop());
  EXPECT_EQ(Caption().geometry(), QRect(0, 0, 1024, 768));
  EXPECT_EQ(Mosaic().pos(), QPoint(341 - 140, 384 - 160));
  QTest::qWait(60);
  int whole_screen_grabs = 0;
  for (const QRect& grab : screen_.Grabs()) whole_screen_grabs += grab.width() == 1024 ? 1 : 0;
  EXPECT_EQ(whole_screen_grabs, 1);

  OverlayMove({300, 200});
  EXPECT_EQ(Magnifier().LabelPos->text(), "(300,200)");
  EXPECT_EQ(Readouts(), "10 0 255 a 0 ff");
  EXPECT_EQ(Mosaic().x(), 682 - 70);
  EXPECT_EQ(Magnifier().ImagePiccer->Picture().pixel(100, 100), kPicked);

  QTest::mouseClick(Caption().ImageCaption, Qt::LeftButton, {}, QPoint(300, 200));
  EXPECT_EQ(Main().CurrentColour(), RgbColor::FromInts(10, 0, 255));
  EXPECT_FALSE(Caption().isVisible());
  EXPECT_FALSE(Mosaic().isVisible());
  EXPECT_TRUE(Main().isVisible());
  EXPECT_FALSE(Main().PickerBusy());
}

TEST_F(TForm1PickerTest, CaptureNeverComesBeforeTheDelay) {
  // A timer that may fire early, by up to a twentieth, does so by where its
  // end falls in the second: the delay is started so that such a timer
  // would, 60 ms after a whole second.
  constexpr int kDelay = 2000;
  constexpr int kPastSecond = 60;
  UseMode(false, 10, kDelay);
  QElapsedTimer since_click;
  qint64 captured_after = -1;
  screen_.before_grab = [&] {
    if (captured_after < 0) captured_after = since_click.nsecsElapsed();
  };
  // The button's release comes just before its click starts the delay.
  QObject::connect(Main().BitBtnPiccer, &QAbstractButton::released, [&] {
    using std::chrono::milliseconds;
    while (std::chrono::duration_cast<milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
                   .count() %
               1000 !=
           kPastSecond) {
    }
    since_click.start();
  });
  QTest::mouseClick(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Caption().isVisible(); }, 2 * kDelay));
  EXPECT_GE(captured_after, qint64{kDelay} * 1000000);
}

TEST_F(TForm1PickerTest, RubberBandMeasuresAndLeavesTheFrozenPictureAsCaptured) {
  UseMode(false);
  Freeze();
  const QImage captured = Caption().Frozen().copy();
  QTest::mousePress(Caption().ImageCaption, Qt::RightButton, {}, QPoint(100, 100));
  EXPECT_TRUE(Caption().Measuring());
  OverlayMove({70, 120}, Qt::RightButton);
  OverlayMove({40, 130}, Qt::RightButton);
  EXPECT_EQ(Magnifier().LabelPos->text(), "(100,100) - (40,130) : [-60,30]");
  EXPECT_EQ(Magnifier().LabelPos->font().pixelSize(), 13);
  EXPECT_EQ(Caption().Frozen().pixel(40, 100), captured.pixel(40, 100) ^ 0x00FFFFFFu);
  EXPECT_EQ(Caption().Frozen().pixel(70, 120), captured.pixel(70, 120));
  QTest::mouseRelease(Caption().ImageCaption, Qt::RightButton, {}, QPoint(40, 130));
  EXPECT_FALSE(Caption().Measuring());
  EXPECT_EQ(Caption().Frozen(), captured);
  OverlayMove({40, 130});
  EXPECT_EQ(Magnifier().LabelPos->text(), "(40,130)");
  EXPECT_EQ(Magnifier().LabelPos->font().pixelSize(), 24);
  // A right click without a move changes nothing either.
  QTest::mouseClick(Caption().ImageCaption, Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_EQ(Caption().Frozen(), captured);
  EXPECT_TRUE(Caption().isVisible());
}

TEST_F(TForm1PickerTest, EscapeAndTheMiddleButtonGiveUpTheFrozenScreen) {
  UseMode(false);
  const RgbColor before = Main().CurrentColour();
  Freeze();
  OverlayMove({300, 200});
  QTest::keyClick(&Caption(), Qt::Key_Escape);
  EXPECT_FALSE(Caption().isVisible());
  EXPECT_FALSE(Mosaic().isVisible());
  EXPECT_TRUE(Main().isVisible());
  EXPECT_EQ(Main().CurrentColour(), before);

  Freeze();
  QTest::mousePress(Caption().ImageCaption, Qt::RightButton, {}, QPoint(100, 100));
  OverlayMove({40, 130}, Qt::RightButton);
  QTest::mouseClick(Caption().ImageCaption, Qt::MiddleButton, {}, QPoint(300, 200));
  EXPECT_FALSE(Caption().isVisible());
  EXPECT_EQ(Main().CurrentColour(), before);
  EXPECT_FALSE(Main().PickerBusy());
}

TEST_F(TForm1PickerTest, MagnifierAtTheCornersPaintsTheOffScreenPartBlack) {
  UseMode(false);
  Freeze();
  OverlayMove({0, 0});
  const QImage& picture = Magnifier().ImagePiccer->Picture();
  EXPECT_EQ(picture.pixel(50, 150), 0xFF000000u);
  EXPECT_EQ(picture.pixel(150, 50), 0xFF000000u);
  EXPECT_EQ(picture.pixel(100, 100), qRgb(0, 0, 7));
  EXPECT_EQ(picture.pixel(209, 209), qRgb(10, 10, 7));
  OverlayMove({1023, 767});
  EXPECT_EQ(picture.pixel(0, 0), qRgb(1013 & 0xFF, 757 & 0xFF, 7));
  EXPECT_EQ(picture.pixel(109, 109), qRgb(1023 & 0xFF, 767 & 0xFF, 7));
  EXPECT_EQ(picture.pixel(110, 50), 0xFF000000u);
  EXPECT_EQ(picture.pixel(50, 110), 0xFF000000u);
}

TEST_F(TForm1PickerTest, OptionsSetTheHintAndTheFrameOfBothMagnifiers) {
  UseMode(false, 1);
  EXPECT_TRUE(Main().BitBtnPiccer->toolTip().contains(QString::fromUtf8("クリックした後")));
  EXPECT_EQ(Main().PushPickPanel().ShapeU->geometry(), QRect(70, 68, 72, 2));
  Freeze();
  EXPECT_EQ(Magnifier().ShapeR->geometry(), QRect(140, 70, 2, 72));
  QTest::keyClick(&Caption(), Qt::Key_Escape);
  UseMode(true, 99);
  EXPECT_TRUE(Main().BitBtnPiccer->toolTip().contains(QString::fromUtf8("マウスを押しながら")));
  EXPECT_EQ(Main().PushPickPanel().ShapeD->geometry(), QRect(102, 105, 3, 2));
}

// A desktop like Wayland's: no live reads, windows placed by the compositor,
// the copy of the screen handed over later, or not at all.
class TForm1PickerWithoutLiveScreenTest : public testing::Test {
 protected:
  TForm1PickerWithoutLiveScreenTest() {
    screen_.BehaveLikeWayland();
    screen_.Desktop().fill(qRgb(1, 2, 3));
    screen_.Desktop().setPixel(300, 200, kPicked);
    windows_ = std::make_unique<ProgramWindows>(
        TForm1Services{.settings = &store_,
                       .error_box = [this](const QString& message) { errors_ << message; },
                       .screen = &screen_});
  }
  void SetUp() override {
    Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    OptionSettings options;
    options.radio_piccer = true;  // stored for another session; not usable here
    options.piccer_time = 1;
    Main().ApplyHeldOptions(options);
  }
  TForm1& Main() { return windows_->Main(); }
  TFormCaption& Caption() { return windows_->Caption(); }

  MemorySettingsStore store_;
  MemoryScreenReader screen_{{QRect(0, 0, 1024, 768)}};
  QStringList errors_;
  std::unique_ptr<ProgramWindows> windows_;
};

TEST_F(TForm1PickerWithoutLiveScreenTest, PicksOnTheHandedOutCopyWithTheMagnifierInside) {
  EXPECT_FALSE(windows_->Option().RadioButtonPiccerPush->isEnabled());
  EXPECT_TRUE(Main().BitBtnPiccer->toolTip().contains(QString::fromUtf8("クリックした後")));
  // The press of push mode does nothing; the click freezes the screen.
  QTest::mousePress(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
  EXPECT_FALSE(Main().PushPickPanel().isVisible());
  QTest::mouseRelease(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Caption().isVisible(); }, 3000));
  EXPECT_EQ(windows_->Mosaic().parentWidget(), &Caption());
  SendMove(Caption().ImageCaption, {300, 200});
  EXPECT_EQ(windows_->Mosaic().View()->LabelPos->text(), "(300,200)");
  EXPECT_EQ(windows_->Mosaic().pos(), QPoint(682 - 70, 384 - 160));
  QTest::mouseClick(Caption().ImageCaption, Qt::LeftButton, {}, QPoint(300, 200));
  EXPECT_EQ(Main().CurrentColour(), RgbColor::FromInts(10, 0, 255));
  EXPECT_TRUE(Main().isVisible());
  EXPECT_TRUE(errors_.isEmpty());
}

TEST_F(TForm1PickerWithoutLiveScreenTest, NoCopyOfTheScreenChangesNothingAndSaysSo) {
  screen_.RefuseFreeze();
  const RgbColor before = Main().CurrentColour();
  QTest::mouseClick(Main().BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !errors_.isEmpty(); }, 3000));
  EXPECT_TRUE(errors_.front().contains(QString::fromUtf8("画面の画像")));
  EXPECT_TRUE(Main().isVisible());
  EXPECT_FALSE(Caption().isVisible());
  EXPECT_FALSE(Main().PickerBusy());
  EXPECT_EQ(Main().CurrentColour(), before);
}

}  // namespace
}  // namespace tintara
