// The ready-made colours: named colours, the desktop's screen design, the
// favourites and the standard palette, shown one at a time in the strip
// under the tool bar; and the pulse that swells a tool button when clicked.
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>

#include "mainwindow/client_area.h"
#include "mainwindow/dialogs/tform_input.h"
#include "mainwindow/sources/colour_sources.h"
#include "mainwindow/sources/standard_palette_image.h"
#include "mainwindow/sources/swatch_list_box.h"
#include "mainwindow/tform1.h"
#include "mainwindow/window_parts.h"
#include "platform/system_colours.h"
#include "resources/resource_names.h"
#include "widgets/plain_hint.h"

namespace tintara {
namespace {

constexpr int kPulseGrowth = 30;
constexpr int kPulseMilliseconds = 100;

constexpr int kWinListWidth = 215;
constexpr int kWinListDroppedWidth = 375;
constexpr int kFavListWidth = 242;
constexpr int kFavListAddedWidth = 240;
constexpr int kFavListEmptyWidth = 267;
constexpr int kListHeight = 20;
constexpr int kListRows = 25;
constexpr int kWinListRows = 26;

constexpr char kPutIntoColour[] = "をColorに代入します";

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString EntryText(int entry) {
  return QString::fromUtf8(kScreenDesignEntries[static_cast<std::size_t>(entry)].item_text);
}

bool InRange(int index, int count) { return index >= 0 && index < count; }

}  // namespace

void TForm1::CreateColourSources() {
  // The four selectors: one group, exactly one of them down.
  const struct {
    TFlatBtn** button;
    int left;
    const char* glyph;
    const char* hint;
    void (TForm1::*click)();
  } kSelectors[] = {
      {&SpeedButtonColorFix, 1, res::kGlyphSourceNames, "HTMLで用いられる色の名前から色を選ぶ",
       &TForm1::SpeedButtonColorFixClick},
      {&SpeedButtonColorWin, 29, res::kGlyphSourceScreen, "画面のデザインから色を選ぶ",
       &TForm1::SpeedButtonColorWinClick},
      {&SpeedButtonColorFav, 56, res::kGlyphSourceFavourites, "お気に入りから色を選ぶ",
       &TForm1::SpeedButtonColorFavClick},
      {&SpeedButtonColorStd, 83, res::kGlyphSourceStandard, "標準パレットから色を選ぶ",
       &TForm1::SpeedButtonColorStdClick},
  };
  auto* selectors = new QButtonGroup(this);
  selectors->setExclusive(true);
  for (const auto& selector : kSelectors) {
    *selector.button = MakeToolButton({selector.left, 1, 27, 27}, selector.glyph,
                                      res::kToolGlyphSize, selector.hint, Panel1);
    (*selector.button)->setCheckable(true);
    selectors->addButton(*selector.button);
    connect(*selector.button, &QToolButton::clicked, this, selector.click);
  }
  SpeedButtonColorFix->setChecked(true);

  PanelColor = new QFrame(client_);
  PanelColor->setGeometry(328, 30, 298, 29);
  for (QFrame** panel : {&PanelFixColor, &PanelWinColor, &PanelFavColor, &PanelStdColor}) {
    *panel = MakePanel({0, 0, 298, 29}, PanelColor);
  }

  // Named colours.
  ComboBoxFixColor = new SwatchListBox(kListRows, PanelFixColor);
  ComboBoxFixColor->setGeometry(2, 5, 292, kListHeight);
  for (std::string_view text : kNamedItemTexts) ComboBoxFixColor->addItem(Utf8(text));
  ComboBoxFixColor->setCurrentIndex(kNamedColorFallback);
  ComboBoxFixColor->setToolTip(Utf8(kNamedItemTexts[kNamedColorFallback]) + " " +
                               QString::fromUtf8(kPutIntoColour));
  ComboBoxFixColor->SetDrawItem(
      [this](QPainter& painter, int index, const QRect& rect, bool selected) {
        ComboBoxFixColorDrawItem(painter, index, rect, selected);
      });
  connect(ComboBoxFixColor, &QComboBox::activated, this, &TForm1::ComboBoxFixColorChange);

  // The desktop's screen design. The buttons lie over the list, which
  // widens beneath them while it is dropped down.
  ComboBoxWinColor = new SwatchListBox(kWinListRows, PanelWinColor);
  ComboBoxWinColor->setGeometry(1, 5, kWinListWidth, kListHeight);
  for (int k = 0; k < kScreenDesignEntryCount; ++k) ComboBoxWinColor->addItem(EntryText(k));
  ComboBoxWinColor->setCurrentIndex(0);
  ComboBoxWinColor->SetDrawItem(
      [this](QPainter& painter, int index, const QRect& rect, bool selected) {
        ComboBoxWinColorDrawItem(painter, index, rect, selected);
      });
  connect(ComboBoxWinColor, &SwatchListBox::DroppingDown, this, &TForm1::ComboBoxWinColorDropDown);
  connect(ComboBoxWinColor, &QComboBox::activated, this, &TForm1::ComboBoxWinColorChange);
  SpeedButtonWinSave = MakeToolButton({216, 1, 27, 27}, res::kGlyphScreenSet, res::kSmallGlyphSize,
                                      "", PanelWinColor);
  SpeedButtonFixBefore = MakeToolButton({243, 1, 27, 27}, res::kGlyphScreenStartup,
                                        res::kSmallGlyphSize, "", PanelWinColor);
  SpeedButtonWinBack = MakeToolButton({270, 1, 27, 27}, res::kGlyphScreenRestore,
                                      res::kSmallGlyphSize, "", PanelWinColor);
  connect(SpeedButtonWinSave, &QToolButton::clicked, this, &TForm1::SpeedButtonWinSaveClick);
  connect(SpeedButtonFixBefore, &QToolButton::clicked, this, &TForm1::SpeedButtonFixBeforeClick);
  connect(SpeedButtonWinBack, &QToolButton::clicked, this, &TForm1::SpeedButtonWinBackClick);
  ShowScreenDesignHints(0);

  // Favourites. The list lies over the delete button, which it covers
  // while there is nothing to delete.
  SpeedButtonFavDel =
      MakeToolButton({243, 1, 27, 27}, res::kGlyphFavouriteDelete, res::kSmallGlyphSize,
                     "現在表示されているお気に入りの色を削除します", PanelFavColor);
  SpeedButtonFavAdd =
      MakeToolButton({270, 1, 27, 27}, res::kGlyphFavouriteAdd, res::kSmallGlyphSize,
                     "今、Colorに入っている色をお気に入りに追加します", PanelFavColor);
  ComboBoxFavColor = new SwatchListBox(kListRows, PanelFavColor);
  ComboBoxFavColor->setGeometry(1, 5, kFavListWidth, kListHeight);
  ComboBoxFavColor->SetDrawItem(
      [this](QPainter& painter, int index, const QRect& rect, bool selected) {
        ComboBoxFavColorDrawItem(painter, index, rect, selected);
      });
  connect(ComboBoxFavColor, &QComboBox::activated, this, &TForm1::ComboBoxFavColorChange);
  connect(SpeedButtonFavDel, &QToolButton::clicked, this, &TForm1::SpeedButtonFavDelClick);
  connect(SpeedButtonFavAdd, &QToolButton::clicked, this, &TForm1::SpeedButtonFavAddClick);

  // The standard palette and the red frame around the cell under the mouse.
  Image16 = new StandardPaletteImage(PanelStdColor);
  Image16->setGeometry(3, 6, kStandardColorCount * kStandardCellWidth, 18);
  Shape16U = MakeFrameBar({0, 4, 22, 2}, PanelStdColor);
  Shape16D = MakeFrameBar({0, 24, 22, 2}, PanelStdColor);
  Shape16L = MakeFrameBar({0, 6, 2, 18}, PanelStdColor);
  Shape16R = MakeFrameBar({0, 6, 2, 18}, PanelStdColor);
  ShowStandardFrame(0);
  Image16->SetHint(QString::fromUtf8(kStandardCells[0].hint));
  connect(Image16, &StandardPaletteImage::MouseMoved, this, &TForm1::Image16MouseMove);
  connect(Image16, &StandardPaletteImage::Clicked, this, &TForm1::Image16Click);

  ShowSourcePanel(PanelFixColor);

  Timer = new QTimer(this);
  Timer->setSingleShot(true);
  Timer->setInterval(kPulseMilliseconds);
  connect(Timer, &QTimer::timeout, this, &TForm1::TimerTimer);
}

void TForm1::CreateColourSourceMenus() {
  MenuSel = new QMenu(QString::fromUtf8("選択(&L)"), this);
  menuBar()->insertMenu(MenuOption, MenuSel);

  MenuSelName = MenuSel->addMenu(QString::fromUtf8("色の名前(&N)"));
  connect(MenuSelName, &QMenu::triggered, this,
          [this](QAction* item) { MenuSelNameClick(item->data().toInt()); });
  MenuSelStand = MenuSel->addMenu(QString::fromUtf8("標準パレット(&S)"));
  connect(MenuSelStand, &QMenu::triggered, this,
          [this](QAction* item) { MenuSelStdClick(item->data().toInt()); });
  MenuSelWin = MenuSel->addMenu(QString::fromUtf8("画面のデザイン(&D)"));
  connect(MenuSelWin, &QMenu::triggered, this,
          [this](QAction* item) { MenuSelWinClick(item->data().toInt()); });
}

void TForm1::FillColourSourceMenus() {
  if (!MenuSelName->isEmpty()) return;
  for (int tag = 0; tag < kNamedColorCount; ++tag) {
    MenuSelName->addAction(Utf8(NamedMenuCaption(tag)))->setData(tag);
  }
  for (int tag = 0; tag < kStandardColorCount; ++tag) {
    MenuSelStand
        ->addAction(QString::fromUtf8(kStandardCells[static_cast<std::size_t>(tag)].menu_caption))
        ->setData(tag);
  }
  for (int tag = 0; tag < kScreenDesignEntryCount; ++tag) {
    MenuSelWin->addAction(Utf8(ScreenDesignMenuCaption(tag)))->setData(tag);
  }
}

// ---- the selectors ----

void TForm1::ShowSourcePanel(QFrame* panel) {
  for (QFrame* source : {PanelFixColor, PanelWinColor, PanelFavColor, PanelStdColor}) {
    source->setVisible(source == panel);
  }
}

void TForm1::SpeedButtonColorFixClick() { ShowSourcePanel(PanelFixColor); }
void TForm1::SpeedButtonColorWinClick() { ShowSourcePanel(PanelWinColor); }
void TForm1::SpeedButtonColorFavClick() { ShowSourcePanel(PanelFavColor); }
void TForm1::SpeedButtonColorStdClick() { ShowSourcePanel(PanelStdColor); }

// ---- named colours ----

void TForm1::MenuSelNameClick(int tag) {
  if (!InRange(tag, kNamedColorCount)) return;
  SpeedButtonColorFixClick();
  SpeedButtonColorFix->setChecked(true);
  ComboBoxFixColor->setCurrentIndex(tag);
  ComboBoxFixColorChange();
}

void TForm1::ComboBoxFixColorChange() {
  const int index = ComboBoxFixColor->currentIndex();
  if (!InRange(index, kNamedColorCount)) return;
  SetCurrentColour(NamedColorTable[static_cast<std::size_t>(index)].value);
  ComboBoxFixColor->setToolTip(ComboBoxFixColor->itemText(index) + " " +
                               QString::fromUtf8(kPutIntoColour));
}

void TForm1::ComboBoxFixColorDrawItem(QPainter& painter, int index, const QRect& rect,
                                      bool selected) {
  if (!InRange(index, kNamedColorCount)) return;
  DrawSwatchItem(painter, rect, selected, NamedColorTable[static_cast<std::size_t>(index)].value,
                 ComboBoxFixColor->itemText(index), ComboBoxFixColor->palette());
}

// ---- the standard palette ----

void TForm1::ShowStandardFrame(int cell) {
  const StandardFrame frame = StandardFrameOnCell(Image16->x(), cell);
  Shape16U->move(frame.left, Shape16U->y());
  Shape16D->move(frame.left, Shape16D->y());
  Shape16L->move(frame.left, Shape16L->y());
  Shape16R->move(frame.right, Shape16R->y());
}

void TForm1::Image16MouseMove(int x) {
  const int cell = StandardCellAt(x);
  // While a press drags past the picture the frame stays on the last cell
  // inside it, so a click always finds a cell.
  if (x < 0 || !InRange(cell, kStandardColorCount)) return;
  ShowStandardFrame(cell);
  Image16->SetHint(QString::fromUtf8(kStandardCells[static_cast<std::size_t>(cell)].hint));
}

void TForm1::Image16Click() {
  const int cell = StandardCellOfFrame(Shape16U->x(), Image16->x());
  if (!InRange(cell, kStandardColorCount)) return;
  SetCurrentColour(StandardColor(cell));
}

void TForm1::MenuSelStdClick(int tag) {
  if (!InRange(tag, kStandardColorCount)) return;
  SpeedButtonColorStdClick();
  SpeedButtonColorStd->setChecked(true);
  ShowStandardFrame(tag);
  SetCurrentColour(StandardColor(tag));
}

// ---- the desktop's screen design ----

RgbColor TForm1::SystemColourOfEntry(int entry) const {
  if (!InRange(entry, kScreenDesignEntryCount)) return {};
  return system_colours_->Get(kScreenDesignEntries[static_cast<std::size_t>(entry)].system_index);
}

RgbColor TForm1::SnapshotOfEntry(int entry) const {
  if (!InRange(entry, kScreenDesignEntryCount)) return {};
  return system_snapshot_[static_cast<std::size_t>(entry)];
}

void TForm1::SetSystemColourOfEntry(int entry, RgbColor colour) {
  system_colours_->Set(kScreenDesignEntries[static_cast<std::size_t>(entry)].system_index, colour);
  // The list shows the desktop's present colours, and the user palette's
  // captions are drawn in two of them.
  ComboBoxWinColor->update();
  ComboBoxWinColor->view()->viewport()->update();
  StyleSlotCaptions();
}

void TForm1::ShowScreenDesignHints(int entry) {
  const QString text = EntryText(entry);
  ComboBoxWinColor->setToolTip(text + QString::fromUtf8(kPutIntoColour));
  SpeedButtonWinSave->setToolTip(text + QString::fromUtf8("をColorの色に変更します"));
  SpeedButtonFixBefore->setToolTip(QString::fromUtf8("Tintaraを起動時の") + text +
                                   QString::fromUtf8("をColorに代入"));
}

void TForm1::MenuSelWinClick(int tag) {
  if (!InRange(tag, kScreenDesignEntryCount)) return;
  SpeedButtonColorWinClick();
  SpeedButtonColorWin->setChecked(true);
  ComboBoxWinColor->setCurrentIndex(tag);
  ComboBoxWinColorChange();
}

void TForm1::ComboBoxWinColorDropDown() {
  ComboBoxWinColor->resize(kWinListDroppedWidth, ComboBoxWinColor->height());
}

void TForm1::ComboBoxWinColorChange() {
  ComboBoxWinColor->resize(kWinListWidth, ComboBoxWinColor->height());
  const int entry = ComboBoxWinColor->currentIndex();
  if (!InRange(entry, kScreenDesignEntryCount)) return;
  SetCurrentColour(SystemColourOfEntry(entry));
  ShowScreenDesignHints(entry);
}

void TForm1::ComboBoxWinColorDrawItem(QPainter& painter, int index, const QRect& rect,
                                      bool selected) {
  if (!InRange(index, kScreenDesignEntryCount)) return;
  DrawSwatchItem(painter, rect, selected, SystemColourOfEntry(index), EntryText(index),
                 ComboBoxWinColor->palette());
}

void TForm1::SpeedButtonWinSaveClick() {
  const int entry = ComboBoxWinColor->currentIndex();
  if (!InRange(entry, kScreenDesignEntryCount)) return;
  SetSystemColourOfEntry(entry, CurrentColour());
}

void TForm1::SpeedButtonFixBeforeClick() {
  StartPulse(kPulseFixBefore);
  const int entry = ComboBoxWinColor->currentIndex();
  if (!InRange(entry, kScreenDesignEntryCount)) return;
  SetCurrentColour(SnapshotOfEntry(entry));
}

void TForm1::SpeedButtonWinBackClick() {
  StartPulse(kPulseWinBack);
  MenuSelWinBackClick();
}

void TForm1::MenuSelWinBackClick() {
  // Entries that share a colour are compared again: the second then finds
  // it restored already.
  for (int entry = 0; entry < kScreenDesignEntryCount; ++entry) {
    if (SystemColourOfEntry(entry) != SnapshotOfEntry(entry)) {
      SetSystemColourOfEntry(entry, SnapshotOfEntry(entry));
    }
  }
}

// ---- favourites ----

void TForm1::ShowFavourites() {
  ComboBoxFavColor->clear();
  for (const FavouriteSetting& favourite : favourites_) {
    ComboBoxFavColor->addItem(QString::fromStdString(favourite.name));
  }
  if (!favourites_.empty()) {
    ComboBoxFavColor->setCurrentIndex(0);
  } else {
    SpeedButtonFavDel->setEnabled(false);
    ComboBoxFavColor->resize(kFavListEmptyWidth, ComboBoxFavColor->height());
  }
}

void TForm1::ComboBoxFavColorChange() {
  const int index = ComboBoxFavColor->currentIndex();
  if (!InRange(index, static_cast<int>(favourites_.size()))) return;
  const FavouriteSetting& favourite = favourites_[static_cast<std::size_t>(index)];
  ComboBoxFavColor->setToolTip(
      PlainHint(QString::fromStdString(favourite.name) + " " + QString::fromUtf8(kPutIntoColour)));
  SetCurrentColour(favourite.colour);
}

void TForm1::ComboBoxFavColorDrawItem(QPainter& painter, int index, const QRect& rect,
                                      bool selected) {
  if (!InRange(index, static_cast<int>(favourites_.size()))) return;
  const FavouriteSetting& favourite = favourites_[static_cast<std::size_t>(index)];
  DrawSwatchItem(painter, rect, selected, favourite.colour, QString::fromStdString(favourite.name),
                 ComboBoxFavColor->palette());
}

void TForm1::SpeedButtonFavAddClick() {
  if (windows_ == nullptr) return;
  TFormInput& input = windows_->Input();
  if (input.exec() != QDialog::Accepted) return;
  const QString name = input.MemoInput->text();
  const int added = static_cast<int>(favourites_.size());
  favourites_.push_back({name.toStdString(), CurrentColour()});
  ComboBoxFavColor->addItem(name);
  ComboBoxFavColor->setCurrentIndex(added);
  SpeedButtonFavDel->setEnabled(true);
  ComboBoxFavColor->resize(kFavListAddedWidth, ComboBoxFavColor->height());
}

void TForm1::SpeedButtonFavDelClick() {
  const int deleted = ComboBoxFavColor->currentIndex();
  const int count = static_cast<int>(favourites_.size());
  if (!InRange(deleted, count)) return;
  const QString name = QString::fromStdString(favourites_[static_cast<std::size_t>(deleted)].name);
  const QString question =
      QString::fromUtf8("本当に ") + name + QString::fromUtf8(" を削除してもよろしいですか");
  if (!ask_(QString::fromUtf8("確認"), question)) return;

  favourites_.erase(favourites_.begin() + deleted);
  ComboBoxFavColor->removeItem(deleted);
  ComboBoxFavColor->setCurrentIndex(SelectionAfterDelete(deleted, count));
  if (favourites_.empty()) {
    SpeedButtonFavDel->setEnabled(false);
    ComboBoxFavColor->resize(kFavListEmptyWidth, ComboBoxFavColor->height());
  }
}

// ---- the pulse ----

void TForm1::StartPulse(int tag) {
  // A pulse still pending ends first: there is one timer and one tag, and a
  // second click before it fires must not leave the first button swollen.
  if (timer_tag_ >= 0) TimerTimer();
  QWidget* button = PulseButton(tag);
  if (button == nullptr) return;
  const int half = kPulseGrowth / 2;
  button->setGeometry(button->geometry().adjusted(-half, -half, half, half));
  button->raise();
  button->repaint();
  timer_tag_ = tag;
  Timer->start();
}

void TForm1::TimerTimer() {
  Timer->stop();
  QWidget* button = PulseButton(timer_tag_);
  timer_tag_ = -1;
  if (button == nullptr) return;
  const int half = kPulseGrowth / 2;
  button->setGeometry(button->geometry().adjusted(half, half, -half, -half));
  button->repaint();
}

QWidget* TForm1::PulseButton(int tag) const {
  switch (tag) {
    case kPulseSaveUser:
      return BitBtnSaveUser;
    case kPulseCopyUser:
      return ButtonCopyUser;
    case kPulseCopyBody:
      return ButtonCopyBody;
    case kPulseFixBefore:
      return SpeedButtonFixBefore;
    case kPulseWinBack:
      return SpeedButtonWinBack;
    default:
      return nullptr;
  }
}

}  // namespace tintara
