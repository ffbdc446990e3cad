// The main menu and the commands it reaches.
#include <QMenuBar>
#include <QShortcut>

#include "mainwindow/client_area.h"
#include "mainwindow/dialogs/tform_about.h"
#include "mainwindow/dialogs/tform_option.h"
#include "mainwindow/tform1.h"
#include "platform/help_system.h"

namespace tintara {
namespace {

QString Utf8(const char* text) { return QString::fromUtf8(text); }

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

  MenuHelp = bar->addMenu(Utf8("ヘルプ(&H)"));
  MenuHelpC = MenuHelp->addAction(Utf8("目次(&C)"));
  MenuHelpSearch = MenuHelp->addAction(Utf8("キーワード検索(&K)"));
  MenuHelp->addSeparator();
  MenuVersion = MenuHelp->addAction(Utf8("ヴァージョン情報(&A)"));
  MenuVersion->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  connect(MenuHelpC, &QAction::triggered, this, &TForm1::MenuHelpCClick);
  connect(MenuHelpSearch, &QAction::triggered, this, &TForm1::MenuHelpSearchClick);
  connect(MenuVersion, &QAction::triggered, this, &TForm1::VersionClick);

  // Ctrl+F opens the file menu, like its access key.
  auto* open_file_menu = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), this);
  connect(open_file_menu, &QShortcut::activated, this,
          [this] { menuBar()->setActiveAction(MenuFile->menuAction()); });
}

void TForm1::StoreOptions(int palette_channel, SlideModel slide_model, bool output_num,
                          bool output_lower) {
  palette_channel_ = palette_channel;
  slide_model_ = slide_model;
  output_num_ = output_num;
  output_lower_ = output_lower;
}

void TForm1::ApplyHeldOptions(const OptionSettings& options) { held_options_ = options; }

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
