// The user palette: ten slots the user stores colours in, one of them
// selected, with a readout of its colour that can be copied.
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "mainwindow/client_area.h"
#include "mainwindow/tform1.h"
#include "mainwindow/user_palette/user_palette_math.h"
#include "mainwindow/user_palette/user_slot.h"
#include "mainwindow/window_parts.h"
#include "platform/system_colours.h"
#include "resources/resource_names.h"
#include "widgets/colour_group_box.h"
#include "widgets/fast_label.h"
#include "widgets/plain_hint.h"

namespace tintara {
namespace {

QColor ToQColor(RgbColor colour) { return QColor(colour.r, colour.g, colour.b); }

// The one-character field of the selected slot's number. A typed character
// chooses a slot instead of being inserted; the window then shows that
// slot's number in the field.
class SlotNumberEdit : public QLineEdit {
 public:
  SlotNumberEdit(std::function<void(QChar)> typed, QWidget* parent)
      : QLineEdit(parent), typed_(std::move(typed)) {
    setMaxLength(1);
    setAlignment(Qt::AlignCenter);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const QString text = event->text();
    const bool plain =
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && text.size() == 1 && text[0].isPrint()) {
      typed_(text[0]);
      return;
    }
    QLineEdit::keyPressEvent(event);
  }

 private:
  std::function<void(QChar)> typed_;
};

QLabel* MakeLabel(const QString& text, const QRect& geometry, const QColor& colour,
                  QWidget* parent) {
  auto* label = new FastLabel(text, parent);
  label->setGeometry(geometry);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  return label;
}

QRect ToQRect(const BarRect& bar) { return {bar.left, bar.top, bar.width, bar.height}; }

constexpr RgbColor kWhite{255, 255, 255};

// The readout's channel colours, as the classic red, green and blue.
const QColor kRedCaption(255, 0, 0);
const QColor kGreenCaption(0, 128, 0);
const QColor kBlueCaption(0, 0, 255);

}  // namespace

void TForm1::CreateUserPalette() {
  GroupBoxUserPalette = new ColourGroupBox(client_);
  GroupBoxUserPalette->setGeometry(5, 373, 620, 41);
  LabelUserPalette = new FastLabel(QString::fromUtf8("ユーザーパレット"), GroupBoxUserPalette);
  LabelUserPalette->setGeometry(6, 0, 92, 14);

  BitBtnSaveUser = MakeToolButton({4, 11, 24, 24}, res::kGlyphUserSave, res::kSmallGlyphSize,
                                  "現在colorにある色をUser paletteに入れる", GroupBoxUserPalette);
  ButtonCopyUser =
      MakeToolButton({30, 11, 24, 24}, res::kGlyphUserCopy, res::kSmallGlyphSize,
                     "選択されたUser PaletteのRGB値をクリップボードにコピー", GroupBoxUserPalette);
  connect(BitBtnSaveUser, &QToolButton::clicked, this, &TForm1::BitBtnSaveUserClick);
  connect(ButtonCopyUser, &QToolButton::clicked, this, &TForm1::ButtonCopyUserClick);

  EditU = new SlotNumberEdit([this](QChar typed) { EditUKeyPress(typed); }, GroupBoxUserPalette);
  EditU->setGeometry(58, 13, 18, 20);
  EditU->setText("0");

  const QColor caption = palette().color(QPalette::WindowText);
  LabelUserRedCaption =
      MakeLabel(QString::fromUtf8("赤"), {79, 16, 12, 14}, kRedCaption, GroupBoxUserPalette);
  LabelUserRed = MakeLabel({}, {92, 16, 22, 14}, caption, GroupBoxUserPalette);
  LabelUserGreenCaption =
      MakeLabel(QString::fromUtf8("緑"), {115, 16, 12, 14}, kGreenCaption, GroupBoxUserPalette);
  LabelUserGreen = MakeLabel({}, {128, 16, 22, 14}, caption, GroupBoxUserPalette);
  LabelUserBlueCaption =
      MakeLabel(QString::fromUtf8("青"), {151, 16, 12, 14}, kBlueCaption, GroupBoxUserPalette);
  LabelUserBlue = MakeLabel({}, {164, 16, 22, 14}, caption, GroupBoxUserPalette);

  EditURGB = new QLineEdit(GroupBoxUserPalette);
  EditURGB->setGeometry(187, 13, 56, 20);
  EditURGB->setReadOnly(true);
  EditURGB->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  // The frame first, so that the slots lie over its inner edge.
  const std::array<BarRect, 4> bars = UserFrameBars(0);
  QWidget** frame[4] = {&ShapeUserU, &ShapeUserD, &ShapeUserL, &ShapeUserR};
  for (std::size_t k = 0; k < bars.size(); ++k) {
    *frame[k] = MakeFrameBar(ToQRect(bars[k]), GroupBoxUserPalette);
  }
  for (int slot = 0; slot < kUserSlotCount; ++slot) {
    auto* panel = new UserSlot(slot, GroupBoxUserPalette);
    panel->setGeometry(UserSlotLeft(slot), kUserSlotTop, kUserSlotSize, kUserSlotSize);
    panel->setToolTip(QString::fromUtf8("クリックでcolorに代入"));
    connect(panel, &UserSlot::Clicked, this, [this, slot] { UserSlotClick(slot); });
    connect(panel, &UserSlot::DoubleClicked, this, [this, slot] { UserSlotDblClick(slot); });
    connect(panel, &UserSlot::MouseMoved, this, [this, slot] { UserSlotMouseMove(slot); });
    UserSlots[static_cast<std::size_t>(slot)] = panel;
  }
}

void TForm1::CreateUserPaletteMenus() {
  MenuEdit = new QMenu(QString::fromUtf8("編集(&E)"), this);
  menuBar()->insertMenu(MenuSel->menuAction(), MenuEdit);
  PopEditUser = MenuEdit->addAction(QString::fromUtf8(" ユーザーパレットをコピー(&U)"));
  PopEditUser->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
  PopEditSave = MenuEdit->addAction(QString::fromUtf8(" ユーザーパレットに色を保存(&S)"));
  PopEditSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  MenuEdit->addSeparator();
  MenuEditUserClear = MenuEdit->addAction(QString::fromUtf8("ユーザーパレットの色を全て白に戻す"));
  connect(PopEditUser, &QAction::triggered, this, &TForm1::CopyUserColour);
  connect(PopEditSave, &QAction::triggered, this, &TForm1::PopSaveClick);
  connect(MenuEditUserClear, &QAction::triggered, this, &TForm1::MenuEditUserClearClick);

  MenuSelUser = MenuSel->addMenu(QString::fromUtf8("ユーザーパレット(&U)"));
  for (int tag = 0; tag < kUserSlotCount; ++tag) {
    // The second item has always had a blank at its end.
    const QString caption =
        tag == 1 ? QStringLiteral("User 1(&1) ") : QStringLiteral("User %1(&%1)").arg(tag);
    MenuSelUser->addAction(caption)->setData(tag);
  }
  connect(MenuSelUser, &QMenu::triggered, this,
          [this](QAction* item) { MenuSelUserClick(item->data().toInt()); });
}

void TForm1::SelectUserSlot(int slot) {
  if (slot < 0 || slot >= kUserSlotCount) return;
  selected_slot_ = slot;
  const RgbColor colour = user_palette_[static_cast<std::size_t>(slot)];
  EditU->setText(QString::number(slot));
  LabelUserRed->setText(QString::number(colour.r));
  LabelUserGreen->setText(QString::number(colour.g));
  LabelUserBlue->setText(QString::number(colour.b));
  const std::array<BarRect, 4> bars = UserFrameBars(slot);
  QWidget* const frame[4] = {ShapeUserU, ShapeUserD, ShapeUserL, ShapeUserR};
  for (std::size_t k = 0; k < bars.size(); ++k) frame[k]->setGeometry(ToQRect(bars[k]));
  // The readout is made from what the three labels show.
  const RgbColor shown = RgbColor::FromInts(
      LabelUserRed->text().toInt(), LabelUserGreen->text().toInt(), LabelUserBlue->text().toInt());
  EditURGB->setText(QString::fromStdString(UserReadoutText(shown, output_num_, output_lower_)));
  EditURGB->setCursorPosition(0);
  EditURGB->setToolTip(PlainHint(EditURGB->text()));
  StyleSlotCaptions();
}

void TForm1::StyleSlotCaptions() {
  const QColor highlight = ToQColor(system_colours_->Get(kColorHighlight));
  const QColor window_text = ToQColor(system_colours_->Get(kColorWindowText));
  for (UserSlot* slot : UserSlots) {
    const bool selected = slot->Number() == selected_slot_;
    slot->SetCaptionStyle(selected, selected ? highlight : window_text);
  }
}

void TForm1::ApplyUserSlot() {
  SetCurrentColour(RgbColor::FromInts(LabelUserRed->text().toInt(), LabelUserGreen->text().toInt(),
                                      LabelUserBlue->text().toInt()));
}

void TForm1::UserSlotClick(int slot) {
  if (held_options_.radio_user) {
    ApplyUserSlot();
  } else {
    SelectUserSlot(slot);
  }
}

void TForm1::UserSlotDblClick(int) {
  if (!held_options_.radio_user) ApplyUserSlot();
}

void TForm1::UserSlotMouseMove(int slot) {
  if (held_options_.radio_user) SelectUserSlot(slot);
}

void TForm1::EditUKeyPress(QChar character) {
  SelectUserSlot(SlotOfCharacter(character.unicode()));
  if (held_options_.radio_user) ApplyUserSlot();
}

void TForm1::MenuSelUserClick(int tag) {
  if (tag < 0 || tag >= kUserSlotCount) return;
  SelectUserSlot(tag);
  ApplyUserSlot();
}

int TForm1::SlotInField() const {
  const QString text = EditU->text();
  return text.isEmpty() ? 0 : SlotOfCharacter(text[0].unicode());
}

void TForm1::StoreUserSlot() {
  const int slot = SlotInField();
  user_palette_[static_cast<std::size_t>(slot)] = CurrentColour();
  UserSlots[static_cast<std::size_t>(slot)]->SetColour(ToQColor(CurrentColour()));
}

void TForm1::BitBtnSaveUserClick() {
  StartPulse(kPulseSaveUser);
  StoreUserSlot();
}

void TForm1::PopSaveClick() {
  StoreUserSlot();
  if (held_options_.radio_user) SelectUserSlot(SlotInField());
}

void TForm1::ButtonCopyUserClick() {
  StartPulse(kPulseCopyUser);
  CopyUserColour();
}

void TForm1::CopyUserColour() { QGuiApplication::clipboard()->setText(EditURGB->text()); }

void TForm1::MenuEditUserClearClick() {
  for (int slot = 0; slot < kUserSlotCount; ++slot) {
    user_palette_[static_cast<std::size_t>(slot)] = kWhite;
    UserSlots[static_cast<std::size_t>(slot)]->SetColour(ToQColor(kWhite));
  }
}

}  // namespace tintara
