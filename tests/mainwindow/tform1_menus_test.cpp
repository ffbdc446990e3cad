// Every item of the main menu and the pop-up menu, triggered through its
// action, and the shortcuts through key events, each with one effect the
// user sees.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "mainwindow/body/body_scheme_box.h"
#include "mainwindow/dialogs/tform_about.h"
#include "mainwindow/dialogs/tform_option.h"
#include "mainwindow/editor/field_edit.h"
#include "mainwindow/program_windows.h"
#include "mainwindow/user_palette/user_slot.h"
#include "platform/help_system.h"
#include "platform/memory_settings_store.h"
#include "platform/memory_system_colours.h"
#include "widgets/flat_button.h"

namespace tintara {
namespace {

class TForm1MenusTest : public testing::Test {
 protected:
  void SetUp() override {
    help_.SetHelpFile("/nowhere/index.html");
    help_.SetUrlOpener([this](const QUrl& url) {
      opened_ << url.fileName();
      return true;
    });
    Main().ChooseFileToOpen = [this] {
      ++dialogs_;
      return QString();
    };
    Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
  }

  TForm1& Main() { return windows_.Main(); }
  static QString Clipboard() { return QGuiApplication::clipboard()->text(); }
  static QAction* Item(QMenu* menu, int tag) {
    for (QAction* item : menu->actions()) {
      if (item->data().toInt() == tag) return item;
    }
    return nullptr;
  }
  // Closes the next modal dialog once it is shown; LastDialog says which.
  void CloseNextDialog() {
    last_dialog_ = nullptr;
    QTimer::singleShot(0, [this] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        last_dialog_ = dialog;
        dialog->reject();
      }
    });
  }
  QDialog* LastDialog() const { return last_dialog_; }
  void SetColour(int r, int g, int b) { Main().SetCurrentColour(RgbColor::FromInts(r, g, b)); }

  MemorySettingsStore store_;
  MemorySystemColours desktop_;
  HelpSystem help_;
  QStringList opened_;
  int dialogs_ = 0;
  QDialog* last_dialog_ = nullptr;
  ProgramWindows windows_{
      TForm1Services{.settings = &store_,
                     .error_box = [](const QString&) {},
                     .help = &help_,
                     .system_colours = &desktop_,
                     .ask = [](const QString&, const QString&) { return true; }}};
};

TEST_F(TForm1MenusTest, ItemsHaveTheirBitmapsAndTheColourMenusTheirItemsOnceAMenuOpens) {
  // Read and made only when first needed, whichever menu opens first.
  EXPECT_TRUE(Main().MenuFileOpen->icon().isNull());
  EXPECT_TRUE(Main().MenuSelStand->isEmpty());
  Main().MenuSelStand->popup(Main().geometry().center());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Main().MenuSelStand));
  Main().MenuSelStand->close();
  for (const QAction* item : {Main().MenuFileOpen, Main().MenuFileExit, Main().PopEditPaste,
                              Main().MenuSelName->menuAction(), Main().MenuSelWinBack}) {
    EXPECT_FALSE(item->icon().isNull()) << item->text().toStdString();
  }
  EXPECT_FALSE(Item(Main().MenuSelStand, 0)->icon().isNull());
  EXPECT_EQ(Item(Main().MenuSelStand, 0)->icon().availableSizes().size(), 1);
  EXPECT_EQ(Main().MenuSelName->actions().size(), kNamedColorCount);
  EXPECT_EQ(Main().MenuSelStand->actions().size(), kStandardColorCount);
  EXPECT_EQ(Main().MenuSelWin->actions().size(), kScreenDesignEntryCount);
  // Opening again adds nothing.
  Main().MenuSel->aboutToShow();
  EXPECT_EQ(Main().MenuSelName->actions().size(), kNamedColorCount);
}

TEST_F(TForm1MenusTest, FileAndHelpItems) {
  Main().MenuFileOpen->trigger();
  EXPECT_EQ(dialogs_, 1);
  Main().MenuHelpC->trigger();
  Main().MenuHelpSearch->trigger();
  EXPECT_EQ(opened_.size(), 2);
  CloseNextDialog();
  Main().MenuVersion->trigger();
  EXPECT_EQ(LastDialog(), &windows_.About());
  CloseNextDialog();
  Main().MenuOption->trigger();
  EXPECT_EQ(LastDialog(), &windows_.Option());
  Main().MenuFileExit->trigger();
  EXPECT_FALSE(Main().isVisible());
}

TEST_F(TForm1MenusTest, EditItemsCopyPasteAndKeepTheUserPalette) {
  SetColour(0x12, 0x34, 0x56);
  Main().PopEditCopy->trigger();
  EXPECT_EQ(Clipboard(), Main().EditRGB);
  EXPECT_TRUE(Clipboard().contains("123456", Qt::CaseInsensitive));
  Main().PopEditBody->trigger();
  EXPECT_EQ(Clipboard(), Main().MemoBODY);

  QGuiApplication::clipboard()->setText("<body text=#abcdef>");
  Main().PopEditPaste->trigger();
  EXPECT_TRUE(Main().MemoBODY.contains("abcdef", Qt::CaseInsensitive));

  Main().PopEditSave->trigger();
  EXPECT_EQ(Main().UserPalette()[0], Main().CurrentColour());
  Main().PopEditUser->trigger();
  EXPECT_EQ(Clipboard(), Main().EditURGB->text());
  Main().MenuEditUserClear->trigger();
  for (const RgbColor& slot : Main().UserPalette())
    EXPECT_EQ(slot, RgbColor::FromInts(255, 255, 255));
  // The captions as the menu shows them, leading blanks included.
  QStringList captions;
  for (QAction* item : Main().MenuEdit->actions()) captions << item->text();
  EXPECT_EQ(captions,
            (QStringList{" コピー(&C)", " BODYタグをコピー(&B)", " 張り付け (&P)",
                         " ユーザーパレットをコピー(&U)", " ユーザーパレットに色を保存(&S)", "",
                         "ユーザーパレットの色を全て白に戻す"}));
}

TEST_F(TForm1MenusTest, SelectItemsChooseByTag) {
  Main().MenuSel->aboutToShow();
  Item(Main().MenuSelName, 98)->trigger();
  EXPECT_EQ(Main().CurrentColour(), RgbColor::FromInts(0x6B, 0x8E, 0x23));  // olivedrab
  Item(Main().MenuSelStand, 9)->trigger();
  EXPECT_EQ(Main().CurrentColour(), RgbColor::FromInts(255, 0, 0));
  Item(Main().MenuSelWin, 5)->trigger();
  EXPECT_EQ(Main().CurrentColour(), Main().SystemColourOfEntry(5));
  Item(Main().MenuSelUser, 3)->trigger();
  EXPECT_EQ(Main().CurrentColour(), Main().UserPalette()[3]);

  const QString before = Main().MemoBODY;
  Item(Main().MenuSelBodyEx, 1)->trigger();
  EXPECT_EQ(Main().ComboBoxBodyEx->currentIndex(), 1);
  EXPECT_NE(Main().MemoBODY, before);
  EXPECT_EQ(Main().MenuSelBodyEx->actions().size(), 33);

  // A screen colour changed, then every one put back.
  Main().SpeedButtonColorWin->click();
  Main().SpeedButtonWinSave->click();
  const std::size_t changes = desktop_.Changes().size();
  Main().MenuSelWinBack->trigger();
  EXPECT_GT(desktop_.Changes().size(), changes);
}

TEST_F(TForm1MenusTest, RoleItemsOfBothMenusCheckTheRadioButtonsAsOneGroup) {
  const QList<QAction*> select_roles = Main().MenuSelBody->actions();
  QList<QAction*> popup_roles = Main().PopupMenu->actions().mid(6);
  ASSERT_EQ(select_roles.size(), 5);
  ASSERT_EQ(popup_roles.size(), 5);
  QRadioButton* const radios[] = {Main().RadioButtonT, Main().RadioButtonL, Main().RadioButtonV,
                                  Main().RadioButtonA, Main().RadioButtonB};
  for (int k : {2, 0, 4, 1, 3}) {
    (k % 2 == 0 ? select_roles : popup_roles)[k]->trigger();
    EXPECT_TRUE(radios[k]->isChecked()) << k;
    for (QMenu* menu : {Main().MenuSelBody, Main().PopupMenu}) {
      menu->aboutToShow();
      int checked = 0;
      for (QAction* item : menu->actions()) checked += item->isChecked() ? 1 : 0;
      EXPECT_EQ(checked, 1);
    }
    EXPECT_TRUE(select_roles[k]->isChecked());
    EXPECT_TRUE(popup_roles[k]->isChecked());
  }
}

TEST_F(TForm1MenusTest, PopupItems) {
  const QList<QAction*> items = Main().PopupMenu->actions();
  ASSERT_EQ(items.size(), 11);
  SetColour(1, 2, 3);
  items[0]->trigger();
  EXPECT_EQ(Clipboard(), Main().MemoBODY);
  items[1]->trigger();
  EXPECT_EQ(Clipboard(), Main().EditRGB);
  items[3]->trigger();
  EXPECT_EQ(Main().UserPalette()[0], RgbColor::FromInts(1, 2, 3));
  items[2]->trigger();
  EXPECT_EQ(Clipboard(), Main().EditURGB->text());
  EXPECT_TRUE(items[5]->isSeparator());
  items[4]->trigger();
  EXPECT_FALSE(Main().isVisible());
}

TEST_F(TForm1MenusTest, ShortcutsWorkFromFieldsButLeaveTheFieldsTheirOwnKeys) {
  SetColour(0x12, 0x34, 0x56);
  FieldEdit* field = Main().EditR;
  field->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }));
  QTest::keyClick(field, Qt::Key_B, Qt::ControlModifier);
  EXPECT_EQ(Clipboard(), Main().MemoBODY);
  // No selection: the colour text; a selection: the selection.
  field->deselect();
  QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Clipboard(), Main().EditRGB);
  field->selectAll();
  QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Clipboard(), field->text());
  // Ctrl+A selects the field's text instead of opening the version dialog.
  field->deselect();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  EXPECT_TRUE(field->hasSelectedText());
  // Ctrl+S stores, Ctrl+O opens, from the field too.
  QTest::keyClick(field, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Main().UserPalette()[0], RgbColor::FromInts(0x12, 0x34, 0x56));
  QTest::keyClick(field, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(dialogs_, 1);
  // Away from the fields Ctrl+A is the version dialog's.
  Main().ScrollBarR->setFocus();
  CloseNextDialog();
  QTest::keyClick(Main().ScrollBarR, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(LastDialog(), &windows_.About());
}

}  // namespace
}  // namespace tintara
