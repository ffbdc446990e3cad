// The main menu and the commands it reaches.
#include <QActionGroup>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include "mainwindow/body/body_scheme_box.h"
#include "mainwindow/client_area.h"
#include "mainwindow/dialogs/tform_about.h"
#include "mainwindow/dialogs/tform_option.h"
#include "mainwindow/tform1.h"
#include "mainwindow/user_palette/user_slot.h"
#include "platform/help_system.h"

namespace tintara {
namespace {

QString Utf8(const char* text) { return QString::fromUtf8(text); }

constexpr const char* kPopupRoleCaptions[kBodyRoleCount] = {
    "標準のテキスト", "リンク部分", "既に読んだリンク", "読み込み中のリンク", "背景色"};

}  // namespace

void TForm1::CreateMenus() {
  QMenuBar* bar = menuBar();
  MenuFile = bar->addMenu(Utf8("ファイル(&F)"));
  MenuFileOpen = MenuFile->addAction(Utf8(" 開く (&O)"));
  MenuFileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  connect(MenuFileOpen, &QAction::triggered, this, &TForm1::SpeedButtonOpenClick);
  MenuFileExit = MenuFile->addAction(Utf8(" 終了(&X)"));
  MenuFileExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
  connect(MenuFileExit, &QAction::triggered, this, &TForm1::SpeedButtonExitClick);

  MenuOption = bar->addAction(Utf8("ｵﾌﾟｼｮﾝ(&O)"));
  connect(MenuOption, &QAction::triggered, this, &TForm1::MenuOptionClick);
  CreateColourSourceMenus();
  CreateUserPaletteMenus();
  CreateBodyMenus();
  MenuSelWinBack = MenuSel->addAction(Utf8("画面の色を起動時の物に戻す(&W)"));
  connect(MenuSelWinBack, &QAction::triggered, this, &TForm1::MenuSelWinBackClick);
  CreatePopupMenu();
  LetShortcutsPassFields();

  MenuHelp = bar->addMenu(Utf8("ヘルプ(&H)"));
  MenuHelpC = MenuHelp->addAction(Utf8("目次(&C)"));
  MenuHelpSearch = MenuHelp->addAction(Utf8("キーワード検索(&K)"));
  MenuHelp->addSeparator();
  MenuVersion = MenuHelp->addAction(Utf8("ヴァージョン情報(&A)"));
  MenuVersion->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  connect(MenuHelpC, &QAction::triggered, this, &TForm1::MenuHelpCClick);
  connect(MenuHelpSearch, &QAction::triggered, this, &TForm1::MenuHelpSearchClick);
  connect(MenuVersion, &QAction::triggered, this, &TForm1::VersionClick);

  // Ctrl+F, Ctrl+E and Ctrl+L open their menus, like the access keys.
  const struct {
    Qt::Key key;
    QMenu* menu;
  } kMenuKeys[] = {{Qt::Key_F, MenuFile}, {Qt::Key_E, MenuEdit}, {Qt::Key_L, MenuSel}};
  for (const auto& [key, menu] : kMenuKeys) {
    auto* open_menu = new QShortcut(QKeySequence(Qt::CTRL | key), this);
    connect(open_menu, &QShortcut::activated, this,
            [this, menu = menu] { menuBar()->setActiveAction(menu->menuAction()); });
  }
}

void TForm1::LetShortcutsPassFields() {
  for (QLineEdit* field : client_->findChildren<QLineEdit*>()) field->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride) return QMainWindow::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (field == nullptr || key->modifiers() != Qt::ControlModifier) return false;
  switch (key->key()) {
    case Qt::Key_C:
      // A selection is copied as in any text field; without one the
      // colour text is.
      if (field->hasSelectedText()) return false;
      break;
    case Qt::Key_O:
    case Qt::Key_B:
    case Qt::Key_P:
    case Qt::Key_U:
    case Qt::Key_S:
    case Qt::Key_F:
    case Qt::Key_E:
    case Qt::Key_L:
      break;
    default:
      // Ctrl+X cuts and Ctrl+A selects all in a field, as users expect of
      // one: closing the program or opening a dialog from there would
      // surprise. The other keys are the field's own.
      return false;
  }
  // Not taken by the field: the window's shortcut runs.
  event->ignore();
  return true;
}

void TForm1::CreateBodyMenus() {
  // 編集 starts with the copy and paste commands.
  QAction* first_edit_item = MenuEdit->actions().value(0);
  PopEditCopy = new QAction(Utf8(" コピー(&C)"), MenuEdit);
  PopEditCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  connect(PopEditCopy, &QAction::triggered, this, &TForm1::CopyColourText);
  PopEditBody = new QAction(Utf8(" BODYタグをコピー(&B)"), MenuEdit);
  PopEditBody->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  connect(PopEditBody, &QAction::triggered, this, &TForm1::CopyBodyTag);
  PopEditPaste = new QAction(Utf8(" 張り付け (&P)"), MenuEdit);
  PopEditPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  connect(PopEditPaste, &QAction::triggered, this, &TForm1::SpeedButtonPasteClick);
  MenuEdit->insertActions(first_edit_item, {PopEditCopy, PopEditBody, PopEditPaste});

  // 選択 starts with the BODY roles and the samples.
  QAction* first_select_item = MenuSel->actions().value(0);
  MenuSelBody = new QMenu(Utf8("BODYタグ(&B)"), MenuSel);
  constexpr const char* kRoleCaptions[kBodyRoleCount] = {"標準のテキスト(&T)", "リンク部分(&L)",
                                                         "既に読んだリンク(&V)",
                                                         "読み込み中のリンク(&A)", "背景色(&B)"};
  auto* roles = new QActionGroup(MenuSelBody);
  for (BodyRole role : kAllBodyRoles) {
    QAction* item = MenuSelBody->addAction(Utf8(kRoleCaptions[RoleIndex(role)]));
    item->setCheckable(true);
    item->setChecked(role == BodyRole::kText);
    roles->addAction(item);
    connect(item, &QAction::triggered, this, [this, role] { SelectBodyRole(role); });
  }
  connect(MenuSelBody, &QMenu::aboutToShow, this, [this, roles] {
    roles->actions()[static_cast<qsizetype>(RoleIndex(body_.active))]->setChecked(true);
  });
  MenuSelBodyEx = new QMenu(Utf8("BODYタグの見本"), MenuSel);
  for (int tag = 0; tag < ComboBoxBodyEx->count(); ++tag) {
    MenuSelBodyEx->addAction(ComboBoxBodyEx->itemText(tag))->setData(tag);
  }
  connect(MenuSelBodyEx, &QMenu::triggered, this,
          [this](QAction* item) { MenuSelBodyClick(item->data().toInt()); });
  MenuSel->insertMenu(first_select_item, MenuSelBody);
  MenuSel->insertMenu(first_select_item, MenuSelBodyEx);
  MenuSel->insertSeparator(first_select_item);
}

void TForm1::MenuSelBodyClick(int tag) {
  if (tag < 0 || tag >= ComboBoxBodyEx->count()) return;
  ComboBoxBodyEx->setCurrentIndex(tag);
  ComboBoxBodyExChange();
}

void TForm1::CreatePopupMenu() {
  PopupMenu = new QMenu(this);
  connect(PopupMenu->addAction(Utf8("BODYタグをコピー")), &QAction::triggered, this,
          &TForm1::CopyBodyTag);
  connect(PopupMenu->addAction(Utf8("RGB値をコピー")), &QAction::triggered, this,
          &TForm1::CopyColourText);
  PopUser = PopupMenu->addAction(Utf8("ユーザーパレットをコピー"));
  connect(PopUser, &QAction::triggered, this, &TForm1::CopyUserColour);
  PopSave = PopupMenu->addAction(Utf8("ユーザーパレットに色を保存"));
  connect(PopSave, &QAction::triggered, this, &TForm1::PopSaveClick);
  connect(PopupMenu->addAction(Utf8("終了")), &QAction::triggered, this,
          &TForm1::SpeedButtonExitClick);
  PopupMenu->addSeparator();
  auto* roles = new QActionGroup(PopupMenu);
  for (BodyRole role : kAllBodyRoles) {
    QAction* item = PopupMenu->addAction(QString::fromUtf8(kPopupRoleCaptions[RoleIndex(role)]));
    item->setCheckable(true);
    roles->addAction(item);
    connect(item, &QAction::triggered, this, [this, role] { SelectBodyRole(role); });
  }
  // The role items show the role the editor works on, however it was chosen.
  connect(PopupMenu, &QMenu::aboutToShow, this, [this, roles] {
    roles->actions()[static_cast<qsizetype>(RoleIndex(body_.active))]->setChecked(true);
  });
}

void TForm1::StoreOptions(int palette_channel, SlideModel slide_model, bool output_num,
                          bool output_lower) {
  palette_channel_ = palette_channel;
  slide_model_ = slide_model;
  output_num_ = output_num;
  output_lower_ = output_lower;
}

void TForm1::ApplyHeldOptions(const OptionSettings& options) {
  held_options_ = options;
  const QString hint = QString::fromUtf8(options.radio_user ? "クリックでcolorに代入"
                                                            : "ダブルクリックでcolorに代入");
  for (QWidget* slot : UserSlots) slot->setToolTip(hint);
  ApplyPickerOptions();
}

void TForm1::MenuOptionClick() {
  if (windows_ != nullptr) windows_->Option().exec();
  // However the dialog was closed, the models are applied again.
  ApplyModelSettings();
  RefreshAll();
}

void TForm1::MenuHelpCClick() {
  if (help_ != nullptr) help_->ShowContents();
}

void TForm1::MenuHelpSearchClick() {
  if (help_ != nullptr) help_->ShowKeywordSearch();
}

void TForm1::VersionClick() {
  if (windows_ != nullptr) windows_->About().exec();
}

}  // namespace tintara
