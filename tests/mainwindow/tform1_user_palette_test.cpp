// The user palette driven through its slots, its field, its buttons and the
// menus, in both of its modes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

#include "mainwindow/editor/field_edit.h"
#include "mainwindow/tform1.h"
#include "mainwindow/user_palette/user_slot.h"
#include "platform/memory_settings_store.h"
#include "platform/memory_system_colours.h"
#include "widgets/flat_button.h"

namespace tintara {
namespace {

class TForm1UserPaletteTest : public testing::Test {
 protected:
  void SetUp() override {
    form_.show();
    form_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
  }

  void UseClickMode() {
    OptionSettings options;
    options.radio_user = false;
    form_.ApplyHeldOptions(options);
  }

  UserSlot* Slot(int i) { return form_.UserSlots[static_cast<std::size_t>(i)]; }
  // The mouse passing over a slot, as the window system reports it.
  void Hover(int i) {
    QMouseEvent move(QEvent::MouseMove, QPointF(12, 12), Slot(i)->mapToGlobal(QPointF(12, 12)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Slot(i), &move);
  }
  void Click(int i) { QTest::mouseClick(Slot(i), Qt::LeftButton, {}, QPoint(12, 12)); }
  void DoubleClick(int i) {
    QTest::mouseClick(Slot(i), Qt::LeftButton, {}, QPoint(12, 12));
    QTest::mouseDClick(Slot(i), Qt::LeftButton, {}, QPoint(12, 12));
  }
  QString Readout() const { return form_.EditURGB->text(); }
  QString Labels() const {
    return form_.LabelUserRed->text() + "," + form_.LabelUserGreen->text() + "," +
           form_.LabelUserBlue->text();
  }
  QString Clipboard() const { return QGuiApplication::clipboard()->text(); }

  MemorySettingsStore store_;
  MemorySystemColours desktop_;
  TForm1 form_{TForm1Services{&store_, [](const QString&) {}, nullptr, &desktop_, {}}};
};

TEST_F(TForm1UserPaletteTest, StartsWhiteWithSlotZeroSelected) {
  EXPECT_EQ(form_.EditU->text(), "0");
  EXPECT_EQ(Labels(), "255,255,255");
  EXPECT_EQ(Readout(), "ffffff");
  EXPECT_EQ(form_.ShapeUserL->geometry(), QRect(246, 9, 3, 29));
  EXPECT_EQ(form_.ShapeUserR->geometry(), QRect(272, 9, 3, 29));
  EXPECT_EQ(Slot(0)->geometry(), QRect(248, 11, 24, 24));
  EXPECT_EQ(Slot(9)->geometry(), QRect(536, 11, 24, 24));
  EXPECT_EQ(Slot(0)->toolTip(), "クリックでcolorに代入");
  for (int i = 0; i < kUserSlotCount; ++i) {
    EXPECT_EQ(Slot(i)->CaptionUnderlined(), i == 0) << i;
  }
}

TEST_F(TForm1UserPaletteTest, HoverModeSelectsOnPassingAndAppliesOnClick) {
  form_.UserSlots[3]->SetColour(Qt::red);  // only the picture: the slot's colour is unchanged
  form_.SetCurrentColour({10, 20, 30});
  form_.BitBtnSaveUserClick();  // stores into slot 0
  form_.SetCurrentColour({0, 0, 0});
  Hover(4);
  EXPECT_EQ(form_.EditU->text(), "4");
  EXPECT_EQ(form_.ShapeUserU->geometry(), QRect(248 + 128, 9, 25, 3));
  EXPECT_TRUE(Slot(4)->CaptionUnderlined());
  EXPECT_EQ(Slot(4)->CaptionColour(),
            QColor(desktop_.Get(kColorHighlight).r, desktop_.Get(kColorHighlight).g,
                   desktop_.Get(kColorHighlight).b));
  EXPECT_FALSE(Slot(0)->CaptionUnderlined());
  Hover(0);
  Click(0);
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{10, 20, 30}));
  EXPECT_EQ(Readout(), "0a141e");
  Hover(4);
  DoubleClick(4);  // a double click does nothing more in this mode
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{255, 255, 255}));
}

TEST_F(TForm1UserPaletteTest, ClickModeSelectsOnClickAndAppliesOnDoubleClick) {
  UseClickMode();
  EXPECT_EQ(Slot(5)->toolTip(), "ダブルクリックでcolorに代入");
  form_.SetCurrentColour({1, 2, 3});
  Hover(6);
  EXPECT_EQ(form_.EditU->text(), "0");
  Click(6);
  EXPECT_EQ(form_.EditU->text(), "6");
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{1, 2, 3}));
  DoubleClick(6);
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{255, 255, 255}));
}

TEST_F(TForm1UserPaletteTest, StoringLeavesTheReadoutUntilTheSlotIsSelectedAgain) {
  QTest::keyClick(form_.EditU, '3');
  form_.SetCurrentColour({0x12, 0x34, 0x56});
  QTest::mouseClick(form_.BitBtnSaveUser, Qt::LeftButton);
  EXPECT_EQ(form_.UserPalette()[3], (RgbColor{0x12, 0x34, 0x56}));
  QTest::mouseClick(form_.ButtonCopyUser, Qt::LeftButton);
  EXPECT_EQ(Clipboard(), "ffffff");
  Hover(3);
  form_.CopyUserColour();
  EXPECT_EQ(Clipboard(), "123456");

  // From the menu in hover mode the readout follows at once.
  form_.SetCurrentColour({0, 0, 0});
  form_.PopEditSave->trigger();
  EXPECT_EQ(Readout(), "000000");
  form_.SetOutputForm(false, false);
  Hover(3);
  EXPECT_EQ(Readout(), "BLACK");
  form_.SetCurrentColour({1, 2, 3});
  form_.PopSave->trigger();
  EXPECT_EQ(Readout(), "010203");
  // In click mode it does not.
  UseClickMode();
  form_.SetCurrentColour({255, 0, 0});
  form_.PopSave->trigger();
  EXPECT_EQ(Readout(), "010203");
}

TEST_F(TForm1UserPaletteTest, TypingADigitChoosesTheSlot) {
  form_.SetCurrentColour({7, 7, 7});
  form_.PopSave->trigger();  // slot 0
  form_.SetCurrentColour({0, 0, 0});
  QTest::keyClick(form_.EditU, '7');
  EXPECT_EQ(form_.EditU->text(), "7");
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{255, 255, 255}));
  QTest::keyClick(form_.EditU, 'x');
  EXPECT_EQ(form_.EditU->text(), "0");
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{7, 7, 7}));
  UseClickMode();
  form_.SetCurrentColour({0, 0, 0});
  QTest::keyClick(form_.EditU, '7');
  EXPECT_EQ(form_.EditU->text(), "7");
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{0, 0, 0}));
}

TEST_F(TForm1UserPaletteTest, ClearingWhitensEverySlotButKeepsTheReadout) {
  form_.SetCurrentColour({9, 8, 7});
  form_.PopSave->trigger();
  form_.MenuEditUserClear->trigger();
  for (RgbColor colour : form_.UserPalette()) EXPECT_EQ(colour, (RgbColor{255, 255, 255}));
  EXPECT_EQ(Slot(0)->Colour(), QColor(Qt::white));
  EXPECT_EQ(Readout(), "090807");
}

TEST_F(TForm1UserPaletteTest, MenuItemsSelectAndApplyAndShortcutsReachThem) {
  form_.SetCurrentColour({0x20, 0x40, 0x60});
  form_.EditR->setFocus();
  QTest::keyClick(form_.EditR, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(form_.UserPalette()[0], (RgbColor{0x20, 0x40, 0x60}));
  QTest::keyClick(&form_, Qt::Key_U, Qt::ControlModifier);
  EXPECT_EQ(Clipboard(), "204060");
  form_.SetCurrentColour({0, 0, 0});
  const QList<QAction*> items = form_.MenuSelUser->actions();
  ASSERT_EQ(items.size(), kUserSlotCount);
  EXPECT_EQ(items[1]->text(), "User 1(&1) ");
  items[0]->trigger();
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{0x20, 0x40, 0x60}));
  UseClickMode();
  items[5]->trigger();
  EXPECT_EQ(form_.EditU->text(), "5");
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{255, 255, 255}));
}

}  // namespace
}  // namespace tintara
