// Start and stop of the main window: its resources, its settings, and the
// other windows of the program.
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <cstdio>

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

void TForm1::AttachWindows(TFormAbout* about, TFormInput* input, TFormOption* option,
                           TFormCaption* caption, TFormMosaic* mosaic) {
  about_ = about;
  input_ = input;
  option_ = option;
  caption_ = caption;
  mosaic_ = mosaic;
  if (caption_ != nullptr) {
    caption_->Attach(mosaic_, [this](std::optional<QRgb> pixel) { FinishFrozenPick(pixel); });
    caption_->SetPiccerCursor(piccer_cursor_);
  }
}

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
  // Menu items carry their bitmaps beside their captions.
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
  for (int entry = 0; entry < kScreenDesignEntryCount; ++entry) {
    system_snapshot_[static_cast<std::size_t>(entry)] = SystemColourOfEntry(entry);
  }
  LoadResources();

  // The values written back for a first start are stored with those of the
  // options dialog, which reads its own next: one write of the store per
  // start. (A window without the dialog stores them when it closes.)
  const MainSettingsLoad load = LoadMainSettings(*settings_, CurrentPlacement(), false);
  const MainSettings& stored = load.settings;
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

  plug_in_folder_ = ReadPlugInFolder(TSusiePlugIn::OwnPlugInFolder());
  BuildOpenFilter();

  FormPaint();
  RefreshAll();
  if (load.write_error) error_box_(QString::fromUtf8(load.write_error->what()));
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TForm1::FormShow() {
  // Files dropped from the desktop are taken from now on.
  setAcceptDrops(true);
}

void TForm1::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TForm1::FormClose() {
  MainSettings settings;
  settings.top = pos().y();
  settings.left = pos().x();
  settings.user_palette = user_palette_;
  settings.favourites = favourites_;
  settings.palette_channel = palette_channel_;
  settings.slide_model = slide_model_;
  settings.output_num = output_num_;
  settings.output_lower = output_lower_;
  // A store that cannot be written is reported, and the program still ends.
  if (const auto error = SaveMainSettings(*settings_, settings)) {
    if (ending_by_signal_) {
      std::fprintf(stderr, "tintara: %s\n", error->what());
    } else {
      error_box_(QString::fromUtf8(error->what()));
    }
  }
}

void TForm1::EndBySignal() {
  ending_by_signal_ = true;
  close();
}

void TForm1::FormDestroy() { menu_bitmaps_.clear(); }

void TForm1::SpeedButtonExitClick() { close(); }

}  // namespace tintara
