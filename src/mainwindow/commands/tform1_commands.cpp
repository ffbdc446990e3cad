// The main menu and the commands it reaches.
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

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
  MenuSelWinBack = MenuSel->addAction(Utf8("画面の色を起動時の物に戻す(&W)"));
  connect(MenuSelWinBack, &QAction::triggered, this, &TForm1::MenuSelWinBackClick);
  CreatePopupMenu();

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
  if (option_ != nullptr) option_->exec();
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
  if (about_ != nullptr) about_->exec();
}

}  // namespace tintara
