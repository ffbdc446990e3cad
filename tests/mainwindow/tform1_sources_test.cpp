// The ready-made colour sources and the tool buttons' pulse, driven through
// the window's real controls and menus.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "mainwindow/dialogs/tform_input.h"
#include "mainwindow/program_windows.h"
#include "mainwindow/sources/standard_palette_image.h"
#include "mainwindow/sources/swatch_list_box.h"
#include "mainwindow/user_palette/user_slot.h"
#include "platform/memory_settings_store.h"
#include "platform/memory_system_colours.h"
#include "widgets/flat_button.h"

namespace tintara {
namespace {

// The mouse moving over a control, as the window system reports it.
void MoveOver(QWidget* widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

class TForm1SourcesTest : public testing::Test {
 protected:
  void SetUp() override { Start(); }

  void Start() {
    windows_.reset();
    windows_ = std::make_unique<ProgramWindows>(
        TForm1Services{&store_, [](const QString&) {}, nullptr, &desktop_,
                       [this](const QString& caption, const QString& text) {
                         questions_.push_back(caption + "|" + text);
                         return answer_;
                       }});
    form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
  }

  TForm1& form() { return windows_->Main(); }

  // Opens the list with a click, moves to item `index` in it and takes it
  // with Enter.
  static void Choose(QComboBox* box, int index) {
    QTest::mouseClick(box, Qt::LeftButton);
    QAbstractItemView* list = box->view();
    QTRY_VERIFY(list->isVisible());
    list->setCurrentIndex(list->model()->index(index, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(!list->isVisible());
  }

  static void Trigger(QMenu* menu, int tag) {
    menu->aboutToShow();
    for (QAction* item : menu->actions()) {
      if (item->data().toInt() == tag) {
        item->trigger();
        return;
      }
    }
    FAIL() << "no item with tag " << tag;
  }

  void HoverStandard(int x) { MoveOver(form().Image16, QPoint(x, 9)); }

  // Adds a favourite through the name dialog, entering `name` (as a paste
  // would: there are no keys for every character) and pressing OK.
  void AddFavourite(const QString& name) {
    QTimer::singleShot(0, [this, name] {
      TFormInput& input = windows_->Input();
      QTRY_VERIFY(input.isVisible());
      input.MemoInput->insert(name);
      QTest::mouseClick(input.BitBtnOk, Qt::LeftButton);
    });
    QTest::mouseClick(form().SpeedButtonFavAdd, Qt::LeftButton);
  }

  MemorySettingsStore store_;
  MemorySystemColours desktop_;
  bool answer_ = true;
  std::vector<QString> questions_;
  std::unique_ptr<ProgramWindows> windows_;
};

TEST_F(TForm1SourcesTest, NamedColoursFromTheListAndTheMenu) {
  EXPECT_EQ(form().ComboBoxFixColor->toolTip(), "black  (黒色) をColorに代入します");
  Choose(form().ComboBoxFixColor, 122);
  EXPECT_EQ(form().windowTitle(), "Tintara c0c0c0");
  EXPECT_EQ(form().ComboBoxFixColor->toolTip(), "silver  (銀色) をColorに代入します");

  // The menu's item 98 is spelt otherwise; its tag still gives olivedrab.
  form().SpeedButtonColorStd->click();
  Trigger(form().MenuSelName, 98);
  EXPECT_EQ(form().windowTitle(), "Tintara 6b8e23");
  EXPECT_TRUE(form().PanelFixColor->isVisible());
  EXPECT_TRUE(form().SpeedButtonColorFix->isChecked());
  EXPECT_EQ(form().ComboBoxFixColor->currentIndex(), 98);
}

TEST_F(TForm1SourcesTest, ExactlyOneSourcePanelShowsWithItsSelectorDown) {
  TFlatBtn* const selectors[] = {form().SpeedButtonColorFix, form().SpeedButtonColorWin,
                                 form().SpeedButtonColorFav, form().SpeedButtonColorStd};
  QFrame* const panels[] = {form().PanelFixColor, form().PanelWinColor, form().PanelFavColor,
                            form().PanelStdColor};
  for (int pick : {3, 1, 1, 0, 2}) {
    QTest::mouseClick(selectors[pick], Qt::LeftButton);
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(panels[k]->isVisible(), k == pick) << pick << " " << k;
      EXPECT_EQ(selectors[k]->isChecked(), k == pick) << pick << " " << k;
    }
  }
}

TEST_F(TForm1SourcesTest, StandardPaletteFramesTheCellUnderTheMouse) {
  QTest::mouseClick(form().SpeedButtonColorStd, Qt::LeftButton);
  const struct {
    int x;
    int cell;
    const char* title;
    const char* hint;
  } kCases[] = {
      {0, 0, "Tintara 000000", "黒色をColorに代入します"},
      {17, 0, "Tintara 000000", "黒色をColorに代入します"},
      {7 * 18 + 5, 7, "Tintara c0c0c0", "灰色をColorに代入します"},
      {8 * 18, 8, "Tintara 808080", "銀色をColorに代入します"},
      {270, 15, "Tintara ffffff", "白色をColorに代入します"},
      {287, 15, "Tintara ffffff", "白色をColorに代入します"},
  };
  for (const auto& c : kCases) {
    HoverStandard(c.x);
    EXPECT_EQ(form().Shape16U->x(), 3 + 18 * c.cell - 2) << c.x;
    EXPECT_EQ(form().Shape16R->x(), 3 + 18 * c.cell + 18) << c.x;
    EXPECT_EQ(form().Image16->toolTip(), QString::fromUtf8(c.hint)) << c.x;
    QTest::mouseClick(form().Image16, Qt::LeftButton, {}, QPoint(c.x, 9));
    EXPECT_EQ(form().windowTitle(), c.title) << c.x;
  }
}

TEST_F(TForm1SourcesTest, StandardMenuItemFramesItsCellAndShowsThePanel) {
  HoverStandard(40);
  const QString hint = form().Image16->toolTip();
  Trigger(form().MenuSelStand, 5);
  EXPECT_TRUE(form().PanelStdColor->isVisible());
  EXPECT_TRUE(form().SpeedButtonColorStd->isChecked());
  EXPECT_EQ(form().Shape16U->x(), 91);
  EXPECT_EQ(form().Shape16D->x(), 91);
  EXPECT_EQ(form().Shape16L->x(), 91);
  EXPECT_EQ(form().Shape16R->x(), 111);
  EXPECT_EQ(form().windowTitle(), "Tintara 800080");
  EXPECT_EQ(form().Image16->toolTip(), hint);
  // A click takes the cell the frame is on.
  form().SetCurrentColour({1, 2, 3});
  form().Image16Click();
  EXPECT_EQ(form().windowTitle(), "Tintara 800080");
}

TEST_F(TForm1SourcesTest, ScreenDesignEntriesReadSetAndRestoreTheDesktop) {
  const RgbColor face = desktop_.Get(kColorBtnFace);
  const RgbColor desktop_at_start = desktop_.Get(kColorBackground);
  Trigger(form().MenuSelWin, 1);
  EXPECT_EQ(form().CurrentColour(), face);
  EXPECT_TRUE(form().PanelWinColor->isVisible());
  EXPECT_TRUE(form().SpeedButtonColorWin->isChecked());
  EXPECT_EQ(form().SpeedButtonWinSave->toolTip(),
            "３Ｄ表示されているオブジェクトの表面の色をColorの色に変更します");
  EXPECT_EQ(form().SpeedButtonFixBefore->toolTip(),
            "Tintaraを起動時の３Ｄ表示されているオブジェクトの表面の色をColorに代入");

  // Entries 1 and 9 are one colour of the desktop.
  form().SetCurrentColour({255, 0, 0});
  Trigger(form().MenuSelWin, 9);
  EXPECT_EQ(form().CurrentColour(), face);
  form().SetCurrentColour({255, 0, 0});
  QTest::mouseClick(form().SpeedButtonWinSave, Qt::LeftButton);
  EXPECT_EQ(desktop_.Get(kColorBtnFace), (RgbColor{255, 0, 0}));
  EXPECT_EQ(form().SystemColourOfEntry(1), (RgbColor{255, 0, 0}));

  Choose(form().ComboBoxWinColor, 8);
  form().SetCurrentColour({0, 0, 255});
  QTest::mouseClick(form().SpeedButtonWinSave, Qt::LeftButton);
  ASSERT_EQ(desktop_.Changes().size(), 2u);

  // Restoring sets each changed colour back once, the shared one too.
  QTest::mouseClick(form().SpeedButtonWinBack, Qt::LeftButton);
  EXPECT_EQ(desktop_.Get(kColorBtnFace), face);
  EXPECT_EQ(desktop_.Get(kColorBackground), desktop_at_start);
  EXPECT_EQ(desktop_.Changes().size(), 4u);
  EXPECT_EQ(form().CurrentColour(), (RgbColor{0, 0, 255}));

  // The colour of start-up, whatever the desktop holds now.
  desktop_.Set(kColorBackground, {9, 9, 9});
  QTest::mouseClick(form().SpeedButtonFixBefore, Qt::LeftButton);
  EXPECT_EQ(form().CurrentColour(), desktop_at_start);
}

TEST_F(TForm1SourcesTest, RefusedDesktopChangesPassSilently) {
  desktop_.RefuseChanges();
  form().SpeedButtonColorWin->click();
  form().SetCurrentColour({1, 2, 3});
  QTest::mouseClick(form().SpeedButtonWinSave, Qt::LeftButton);
  EXPECT_EQ(form().SystemColourOfEntry(0), desktop_.Get(kColor3dDkShadow));
  EXPECT_EQ(form().CurrentColour(), (RgbColor{1, 2, 3}));
}

TEST_F(TForm1SourcesTest, ScreenDesignListStaysWideUntilTheNextChoice) {
  QTest::mouseClick(form().SpeedButtonColorWin, Qt::LeftButton);
  SwatchListBox* list = form().ComboBoxWinColor;
  EXPECT_EQ(list->width(), 215);
  QTest::mouseClick(list, Qt::LeftButton);
  QTRY_VERIFY(list->view()->isVisible());
  EXPECT_EQ(list->width(), 375);
  QTest::keyClick(list->view(), Qt::Key_Escape);
  QTRY_VERIFY(!list->view()->isVisible());
  EXPECT_EQ(list->width(), 375);
  // The buttons stay over the widened list and can still be pressed.
  EXPECT_EQ(QApplication::widgetAt(form().SpeedButtonWinBack->mapToGlobal(QPoint(13, 13))),
            form().SpeedButtonWinBack);
  Choose(list, 25);
  EXPECT_EQ(list->width(), 215);
  EXPECT_EQ(list->toolTip(), "ウィンドウのテキストの現在色をColorに代入します");
  // Every item shows whole in the open list.
  QTest::mouseClick(list, Qt::LeftButton);
  QTRY_VERIFY(list->view()->isVisible());
  const QFontMetrics metrics(list->font());
  EXPECT_GE(list->view()->viewport()->width(), 40 + metrics.horizontalAdvance(list->itemText(13)));
  QTest::keyClick(list->view(), Qt::Key_Escape);
}

TEST_F(TForm1SourcesTest, FavouritesAreAddedAndDeleted) {
  QTest::mouseClick(form().SpeedButtonColorFav, Qt::LeftButton);
  SwatchListBox* list = form().ComboBoxFavColor;
  EXPECT_EQ(list->width(), 267);
  EXPECT_FALSE(form().SpeedButtonFavDel->isEnabled());

  form().SetCurrentColour({1, 1, 1});
  AddFavourite("");  // an empty name is a name too
  form().SetCurrentColour({2, 2, 2});
  AddFavourite("two");
  form().SetCurrentColour({3, 3, 3});
  AddFavourite("three");
  ASSERT_EQ(form().Favourites().size(), 3u);
  EXPECT_EQ(list->count(), 3);
  EXPECT_EQ(list->currentIndex(), 2);
  EXPECT_EQ(list->width(), 240);
  EXPECT_TRUE(form().SpeedButtonFavDel->isEnabled());
  EXPECT_EQ(form().CurrentColour(), (RgbColor{3, 3, 3}));
  Choose(list, 0);
  EXPECT_EQ(form().CurrentColour(), (RgbColor{1, 1, 1}));
  EXPECT_EQ(list->toolTip(), " をColorに代入します");

  // Cancel keeps it; OK deletes favourite 0, and index 0 shows the next.
  answer_ = false;
  QTest::mouseClick(form().SpeedButtonFavDel, Qt::LeftButton);
  EXPECT_EQ(form().Favourites().size(), 3u);
  answer_ = true;
  QTest::mouseClick(form().SpeedButtonFavDel, Qt::LeftButton);
  ASSERT_EQ(questions_.size(), 2u);
  EXPECT_EQ(questions_[1], "確認|本当に  を削除してもよろしいですか");
  ASSERT_EQ(form().Favourites().size(), 2u);
  EXPECT_EQ(list->currentIndex(), 0);
  EXPECT_EQ(list->currentText(), "two");
  EXPECT_EQ(form().CurrentColour(), (RgbColor{1, 1, 1}));

  // Deleting the last one selects the one before it.
  Choose(list, 1);
  QTest::mouseClick(form().SpeedButtonFavDel, Qt::LeftButton);
  EXPECT_EQ(list->currentIndex(), 0);
  QTest::mouseClick(form().SpeedButtonFavDel, Qt::LeftButton);
  EXPECT_TRUE(form().Favourites().empty());
  EXPECT_EQ(list->count(), 0);
  EXPECT_FALSE(form().SpeedButtonFavDel->isEnabled());
  EXPECT_EQ(list->width(), 267);
}

TEST_F(TForm1SourcesTest, CancelledNameAddsNothing) {
  QTimer::singleShot(0, [this] {
    TFormInput& input = windows_->Input();
    QTRY_VERIFY(input.isVisible());
    QTest::keyClicks(input.MemoInput, "kept out");
    QTest::mouseClick(input.BitBtnCancel, Qt::LeftButton);
  });
  form().SpeedButtonFavAddClick();
  EXPECT_TRUE(form().Favourites().empty());
  EXPECT_EQ(form().ComboBoxFavColor->count(), 0);
}

TEST_F(TForm1SourcesTest, FavouritesAndUserSlotsComeBackAfterARestart) {
  form().SetCurrentColour({10, 20, 30});
  AddFavourite("夕焼け = \"red\"; \\");
  // Typing the number takes the slot's colour in this mode; store after it.
  QTest::keyClick(form().EditU, '3');
  form().SetCurrentColour({10, 20, 30});
  QTest::mouseClick(form().BitBtnSaveUser, Qt::LeftButton);
  form().close();
  Start();
  ASSERT_EQ(form().Favourites().size(), 1u);
  EXPECT_EQ(form().ComboBoxFavColor->currentText(), "夕焼け = \"red\"; \\");
  form().SpeedButtonColorFav->click();
  form().ComboBoxFavColorChange();
  EXPECT_EQ(form().CurrentColour(), (RgbColor{10, 20, 30}));
  form().MenuSelUserClick(3);
  EXPECT_EQ(form().EditURGB->text(), "0a141e");
  EXPECT_EQ(form().UserSlots[3]->Colour(), QColor(10, 20, 30));
}

TEST_F(TForm1SourcesTest, EveryPulseEndsWithItsButtonBackInPlace) {
  TFlatBtn* const buttons[] = {form().BitBtnSaveUser, form().ButtonCopyUser, form().ButtonCopyBody,
                               form().SpeedButtonFixBefore, form().SpeedButtonWinBack};
  form().SpeedButtonColorWin->click();
  form().Timer->setInterval(1);
  std::vector<QRect> at_rest;
  for (TFlatBtn* button : buttons) at_rest.push_back(button->geometry());
  std::vector<int> order = {0, 1, 2, 3, 4};
  do {
    for (int k : order) {
      buttons[k]->click();
      EXPECT_EQ(buttons[k]->geometry(),
                at_rest[static_cast<std::size_t>(k)].adjusted(-15, -15, 15, 15));
    }
    QTRY_VERIFY(!form().Timer->isActive());
    for (int k = 0; k < 5; ++k)
      ASSERT_EQ(buttons[k]->geometry(), at_rest[static_cast<std::size_t>(k)]) << k;
  } while (std::next_permutation(order.begin(), order.end()));
  // A button clicked twice before the tick is swollen once.
  buttons[2]->click();
  buttons[2]->click();
  EXPECT_EQ(buttons[2]->geometry(), at_rest[2].adjusted(-15, -15, 15, 15));
  QTRY_COMPARE(buttons[2]->geometry(), at_rest[2]);
}

}  // namespace
}  // namespace tintara
