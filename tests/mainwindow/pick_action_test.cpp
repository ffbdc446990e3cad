// The pick action that the command line, the session bus and shortcuts
// start, on a desktop held in memory.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QTest>

#include "mainwindow/picker/overlay_windows.h"
#include "mainwindow/program_windows.h"
#include "platform/memory_screen_reader.h"
#include "platform/memory_settings_store.h"
#include "platform/memory_system_colours.h"

namespace tintara {
namespace {

constexpr QRgb kPicked = 0xFF0A00FFu;  // red 10, green 0, blue 255

class PickActionTest : public testing::Test {
 protected:
  void SetUp() override {
    screen_.Desktop().fill(qRgb(1, 2, 3));
    screen_.Desktop().setPixel(300, 200, kPicked);
    // The options' press-and-drag mode and a long delay: neither applies.
    OptionSettings options;
    options.radio_piccer = true;
    options.piccer_time = 10000;
    Main().ApplyHeldOptions(options);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  }

  TForm1& Main() { return windows_.Main(); }
  TFormCaption& Caption() { return windows_.Caption(); }
  void WaitForFrozenScreen() {
    ASSERT_TRUE(QTest::qWaitFor([&] { return Caption().isVisible(); }, 3000));
  }

  MemorySettingsStore store_;
  MemorySystemColours desktop_colours_;
  MemoryScreenReader screen_{{QRect(0, 0, 1024, 768)}};
  ProgramWindows windows_{
      TForm1Services{&store_, [](const QString&) {}, nullptr, &desktop_colours_, {}, &screen_}};
};

TEST_F(PickActionTest, FreezesAtOnceAndTakesAndCopiesTheClickedPixel) {
  Main().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
  Main().PickColourFromScreen();
  WaitForFrozenScreen();
  EXPECT_FALSE(Main().isVisible());
  EXPECT_EQ(Caption().Frozen(), screen_.Desktop());
  QTest::mouseClick(Caption().ImageCaption, Qt::LeftButton, {}, QPoint(300, 200));
  EXPECT_EQ(Main().CurrentColour(), RgbColor::FromInts(10, 0, 255));
  EXPECT_EQ(Main().windowTitle(), "Tintara 0a00ff");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "0a00ff");
  EXPECT_TRUE(Main().isVisible());
  EXPECT_FALSE(Main().PickerBusy());
}

TEST_F(PickActionTest, GivingUpChangesNothingAndShowsTheWindow) {
  const RgbColor before = Main().CurrentColour();
  Main().PickColourFromScreen();
  WaitForFrozenScreen();
  QTest::keyClick(&Caption(), Qt::Key_Escape);
  EXPECT_EQ(Main().CurrentColour(), before);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
  // Started without a window, the program has one now.
  EXPECT_TRUE(Main().isVisible());
}

TEST_F(PickActionTest, APixelPickedForSomeoneElseLeavesTheWindowAlone) {
  const RgbColor before = Main().CurrentColour();
  std::optional<RgbColor> picked;
  int calls = 0;
  ASSERT_TRUE(Main().PickPixelFromScreen([&](std::optional<RgbColor> colour, const QString&) {
    picked = colour;
    ++calls;
  }));
  WaitForFrozenScreen();
  // One pick at a time.
  EXPECT_FALSE(
      Main().PickPixelFromScreen([&](std::optional<RgbColor>, const QString&) { ++calls; }));
  QTest::mouseClick(Caption().ImageCaption, Qt::LeftButton, {}, QPoint(300, 200));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(picked, RgbColor::FromInts(10, 0, 255));
  EXPECT_EQ(Main().CurrentColour(), before);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
  EXPECT_FALSE(Main().isVisible());

  // The next pick after it is the window's own again.
  Main().PickColourFromScreen();
  WaitForFrozenScreen();
  QTest::mouseClick(Caption().ImageCaption, Qt::LeftButton, {}, QPoint(300, 200));
  EXPECT_EQ(Main().CurrentColour(), RgbColor::FromInts(10, 0, 255));
  EXPECT_EQ(calls, 1);
}

TEST_F(PickActionTest, AnOpenDialogKeepsTheWindowUp) {
  Main().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
  QDialog dialog(&Main());
  dialog.setModal(true);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  Main().PickColourFromScreen();
  QTest::qWait(50);
  EXPECT_FALSE(Main().PickerBusy());
  EXPECT_FALSE(Caption().isVisible());
  EXPECT_TRUE(Main().isVisible());
}

}  // namespace
}  // namespace tintara
