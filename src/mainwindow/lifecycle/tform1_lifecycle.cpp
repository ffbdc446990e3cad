// Start and stop of the main window: its resources, its settings, and the
// other windows of the program.
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <utility>

#include "mainwindow/picker/overlay_windows.h"
#include "mainwindow/picker/piccer_button.h"
#include "mainwindow/tform1.h"
#include "mainwindow/user_palette/user_slot.h"
#include "pictures/susie_plugin.h"
#include "platform/qt_settings_store.h"
#include "resources/resource_names.h"

namespace tintara {
namespace {

std::vector<ScreenRect> AvailableScreens() {
  std::vector<ScreenRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect r = screen->availableGeometry();
    screens.push_back({r.left(), r.top(), r.width(), r.height()});
  }
  return screens;
}

}  // namespace

void TForm1::AttachWindows(OtherWindows* windows) { windows_ = windows; }

WindowPlacement TForm1::CurrentPlacement() const {
  WindowPlacement placement;
  placement.screens = AvailableScreens();
  const QSize size = sizeHint().expandedTo(QSize(kClientWidth, kClientHeight));
  placement.width = size.width();
  placement.height = size.height();
  const QScreen* primary = QGuiApplication::primaryScreen();
  const QRect area = primary != nullptr ? primary->availableGeometry() : QRect();
  placement.centred_left = area.left() + (area.width() - size.width()) / 2;
  placement.centred_top = area.top() + (area.height() - size.height()) / 2;
  return placement;
}

void TForm1::LoadResources() {
  const QPixmap cursor(QString::fromUtf8(res::kCursorPiccer));
  piccer_cursor_ = QCursor(cursor, res::kPiccerHotSpotX, res::kPiccerHotSpotY);
  BitBtnPiccer->setCursor(piccer_cursor_);
  // No menu is open on the first frame: the long colour menus are filled,
  // and the bitmaps beside the items' captions read, when one first is
  // about to open.
  for (const QMenu* menu : findChildren<QMenu*>()) {
    connect(menu, &QMenu::aboutToShow, this, &TForm1::PrepareMenus);
  }
}

void TForm1::PrepareMenus() {
  FillColourSourceMenus();
  GiveMenuBitmaps();
}

void TForm1::GiveMenuBitmaps() {
  if (!menu_bitmaps_.empty()) return;
  const struct {
    const char* path;
    QAction* item;
  } kItemBitmaps[] = {
      {res::kBitmapOpen, MenuFileOpen},
      {res::kBitmapExit, MenuFileExit},
      {res::kBitmapSaveU, PopEditSave},
      {res::kBitmapCopy, PopEditCopy},
      {res::kBitmapCopy, PopEditBody},
      {res::kBitmapPaste, PopEditPaste},
      {res::kBitmapCopy, PopEditUser},
      {res::kBitmapEarth, MenuSelName->menuAction()},
      {res::kBitmapDisp, MenuSelWin->menuAction()},
      {res::kBitmapUndo, MenuSelWinBack},
      {res::kBitmapStd, MenuSelStand->menuAction()},
  };
  for (const auto& [path, item] : kItemBitmaps) {
    menu_bitmaps_.emplace_back(QString::fromUtf8(path));
    item->setIcon(QIcon(menu_bitmaps_.back()));
  }
  const QList<QAction*> swatches = MenuSelStand->actions();
  for (std::size_t k = 0; k < res::kSwatchBitmaps.size(); ++k) {
    menu_bitmaps_.emplace_back(QString::fromUtf8(res::kSwatchBitmaps[k].path));
    swatches[static_cast<qsizetype>(k)]->setIcon(QIcon(menu_bitmaps_.back()));
  }
}

void TForm1::FormCreate() {
  // A box now would come before the window and block the start, when the
  // program does not yet listen for the signals that end it: messages wait
  // until the window is up.
  shown_error_box_ = std::move(error_box_);
  error_box_ = [this](const QString& message) {
    if (window_up_) {
      shown_error_box_(message);
    } else {
      held_errors_.push_back(message);
    }
  };

  for (int entry = 0; entry < kScreenDesignEntryCount; ++entry) {
    system_snapshot_[static_cast<std::size_t>(entry)] = SystemColourOfEntry(entry);
  }
  LoadResources();

  // The values written back for a first start are stored with those of the
  // options dialog, read next: one write of the store per start.
  const MainSettingsLoad load = LoadMainSettings(*settings_, CurrentPlacement(), false);
  const MainSettings& stored = load.settings;
  stored_settings_ = stored;
  // The window takes its final size first: resized when it is shown, it
  // would be placed by its inside, where the stored place is its frame's.
  layout()->activate();
  move(stored.left, stored.top);
  user_palette_ = stored.user_palette;
  for (int slot = 0; slot < kUserSlotCount; ++slot) {
    const RgbColor colour = user_palette_[static_cast<std::size_t>(slot)];
    UserSlots[static_cast<std::size_t>(slot)]->SetColour(QColor(colour.r, colour.g, colour.b));
  }
  palette_channel_ = stored.palette_channel;
  slide_model_ = stored.slide_model;
  ApplyModelSettings();
  output_num_ = stored.output_num;
  output_lower_ = stored.output_lower;
  favourites_ = stored.favourites;
  ShowFavourites();
  SelectUserSlot(0);

  // The options dialog's values steer this window from the start, though
  // the dialog itself is made only when it is first opened.
  const OptionSettingsLoad options = LoadOptionSettings(*settings_);
  ApplyHeldOptions(options.settings);

  plug_in_folder_ = ReadPlugInFolder(TSusiePlugIn::OwnPlugInFolder());

  FormPaint();
  RefreshAll();
  const std::optional<SettingsWriteError>& write_error =
      load.write_error ? load.write_error : options.write_error;
  if (write_error) error_box_(QString::fromUtf8(write_error->what()));
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm1::FormShow() {
  // Files dropped from the desktop are taken from now on.
  setAcceptDrops(true);
  if (!window_up_) {
    window_up_ = true;
    if (!held_errors_.empty()) QTimer::singleShot(0, this, &TForm1::ShowHeldErrors);
  }
}

void TForm1::ShowHeldErrors() {
  const std::vector<QString> messages = std::exchange(held_errors_, {});
  for (const QString& message : messages) {
    if (ending_by_signal_) {
      std::fprintf(stderr, "tintara: %s\n", message.toUtf8().constData());
    } else {
      shown_error_box_(message);
    }
  }
}

void TForm1::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TForm1::FormClose() {
  MainSettings now;
  now.top = pos().y();
  now.left = pos().x();
  now.user_palette = user_palette_;
  now.favourites = favourites_;
  now.palette_channel = palette_channel_;
  now.slide_model = slide_model_;
  now.output_num = output_num_;
  now.output_lower = output_lower_;
  // Another copy of the program may have saved since this one started: what
  // this run left alone is written as that copy left it.
  const MainSettings settings = SettingsForClose(*settings_, stored_settings_, now);
  const std::optional<SettingsWriteError> error = SaveMainSettings(*settings_, settings);
  if (!error) {
    stored_settings_ = now;
    return;
  }
  // A store that cannot be written is reported, and the program still ends.
  if (ending_by_signal_) {
    std::fprintf(stderr, "tintara: %s\n", error->what());
  } else {
    error_box_(QString::fromUtf8(error->what()));
  }
}

void TForm1::EndBySignal() {
  ending_by_signal_ = true;
  GiveUpForEnding();
  close();
  // Nothing else may keep the program running.
  QCoreApplication::quit();
}

void TForm1::GiveUpForEnding() {
  // A pick is given up as Escape gives it up: the window goes back to where
  // it was, so that its place is what is saved.
  CancelPushPick();
  switch (capture_stage_) {
    case CaptureStage::kWaiting:
    case CaptureStage::kClearing:
      TimerCapture->stop();
      capture_stage_ = CaptureStage::kIdle;
      frozen_pick_done_ = {};
      break;
    case CaptureStage::kFrozen:
      caption_->Cancel();
      break;
    case CaptureStage::kIdle:
      break;
  }
  // A dialog or a message box open over the window is answered with Escape,
  // which cancels it; one that does not close that way is closed.
  for (int tries = 0; tries < 8; ++tries) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) break;
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(modal, &escape);
    if (QApplication::activeModalWidget() == modal) modal->close();
  }
}

void TForm1::FormDestroy() { menu_bitmaps_.clear(); }

void TForm1::SpeedButtonExitClick() { close(); }

}  // namespace tintara
