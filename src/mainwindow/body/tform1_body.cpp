// The BODY tag group: five colour roles, their preview and the samples; the
// tool buttons that copy the tag and bring pictures and text in.
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>

#include "colour/contrast.h"
#include "mainwindow/body/body_scheme_box.h"
#include "mainwindow/client_area.h"
#include "mainwindow/tform1.h"
#include "mainwindow/window_parts.h"
#include "output/body_schemes.h"
#include "resources/resource_names.h"
#include "widgets/classic_check.h"
#include "widgets/colour_group_box.h"
#include "widgets/fast_label.h"
#include "widgets/flat_button.h"
#include "widgets/plain_hint.h"

namespace tintara {
namespace {

// Rows of the roles inside the group, in role order.
constexpr int kRoleRowTops[kBodyRoleCount] = {15, 47, 79, 111, 143};
constexpr int kRadioLeft = 3;
constexpr int kCheckLeft = 116;
constexpr int kCaptionLeft = 20;
constexpr int kPreviewTops[kBodyRoleCount] = {207, 221, 235, 249, 263};

QColor ToQColor(RgbColor colour) { return QColor(colour.r, colour.g, colour.b); }

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void SetForeground(QWidget* widget, RgbColor colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, ToQColor(colour));
  palette.setColor(QPalette::Text, ToQColor(colour));
  widget->setPalette(palette);
}

// Preview lines and captions hold tag text such as "<BODY", which a label
// would otherwise take for markup.
QLabel* MakeLabel(const QString& text, QRect geometry, QWidget* parent) {
  auto* label = new FastLabel(text, parent);
  label->setGeometry(geometry);
  return label;
}

// How a role's colour reads on the background, judged for normal text:
// "背景色とのコントラスト比 4.48:1 (AA 不適合)".
QString ContrastHint(RgbColor colour, RgbColor background) {
  const double ratio = ContrastRatio(colour, background);
  const char* const verdict = JudgeContrast(ratio).aa_normal ? ":1 (AA 適合)" : ":1 (AA 不適合)";
  return PlainHint(QString::fromUtf8("背景色とのコントラスト比 ") +
                   QString::fromStdString(ContrastRatioText(ratio)) + QString::fromUtf8(verdict));
}

}  // namespace

void TForm1::CreateBodyGroup() {
  CreateOpenButtons();

  GroupBox1 = new ColourGroupBox(client_);
  GroupBox1->setGeometry(488, 68, 138, 312);

  // First child, so every other control lies on top of the picture.
  ImageBg = new QLabel(GroupBox1);
  ImageBg->setGeometry(0, 0, 137, 312);
  ImageBg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  ImageBg->hide();

  LabelBody = MakeLabel(QString::fromUtf8("BODYタグ"), {6, 0, 60, 14}, GroupBox1);

  QRadioButton** radios[kBodyRoleCount] = {&RadioButtonT, &RadioButtonL, &RadioButtonV,
                                           &RadioButtonA, &RadioButtonB};
  QCheckBox** boxes[kBodyRoleCount] = {&CheckBoxT, &CheckBoxL, &CheckBoxV, &CheckBoxA, &CheckBoxB};
  QLabel** captions[kBodyRoleCount] = {&LabelT, &LabelLi, &LabelV, &LabelA, &LabelBg};
  for (BodyRole role : kAllBodyRoles) {
    const std::size_t k = RoleIndex(role);
    const int top = kRoleRowTops[k];
    *radios[k] = new ClassicRadioButton(GroupBox1);
    (*radios[k])->setGeometry(kRadioLeft, top, 16, 17);
    *boxes[k] = new ClassicCheckBox(GroupBox1);
    (*boxes[k])->setGeometry(kCheckLeft, top, 17, 17);
    *captions[k] =
        MakeLabel(FromView(InfoOf(role).caption), {kCaptionLeft, top, 95, 17}, GroupBox1);
    if (role == BodyRole::kLink || role == BodyRole::kVlink || role == BodyRole::kAlink) {
      QFont font = (*captions[k])->font();
      font.setUnderline(true);
      (*captions[k])->setFont(font);
    }
    connect(*radios[k], &QRadioButton::clicked, this, [this, role] { RoleRadioButtonClick(role); });
    // clicked, not toggled: setting the boxes from the composer's state must
    // not run the rules again.
    connect(*boxes[k], &QCheckBox::clicked, this, [this, role] { RoleCheckBoxClick(role); });
  }

  LabelDummy2 = MakeLabel(QString::fromUtf8("└いじくる"), {5, 161, 60, 14}, GroupBox1);
  LabelDummy1 = MakeLabel(QString::fromUtf8("指定する」"), {64, 161, 65, 14}, GroupBox1);
  LabelDummy1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  CheckBoxPicture = new ClassicCheckBox(GroupBox1);
  CheckBoxPicture->setGeometry(kRadioLeft, 183, 17, 17);
  LabelPicture = MakeLabel(QString::fromUtf8("画像を使う"), {kCaptionLeft, 183, 90, 17}, GroupBox1);
  connect(CheckBoxPicture, &QCheckBox::clicked, this, &TForm1::CheckBoxPictureClick);

  QLabel** lines[kBodyRoleCount] = {&LabelBody1, &LabelBody2, &LabelBody3, &LabelBody4,
                                    &LabelBody5};
  for (std::size_t k = 0; k < kBodyRoleCount; ++k) {
    *lines[k] = MakeLabel({}, {4, kPreviewTops[k], 132, 14}, GroupBox1);
  }

  ComboBoxBodyEx = new BodySchemeBox(GroupBox1);
  ComboBoxBodyEx->setGeometry(4, 280, 128, 22);
  ComboBoxBodyEx->setToolTip(QString::fromUtf8("Bodyタグのサンプルを用いる"));
  ComboBoxBodyEx->setCurrentIndex(0);
  // activated, so choosing the sample already shown applies it again.
  connect(ComboBoxBodyEx, &QComboBox::activated, this, &TForm1::ComboBoxBodyExChange);

  CreatePictureInput();
  ShowBodyControls();
}

void TForm1::CreateOpenButtons() {
  SpeedButtonPicture = MakeToolButton({1, 1, 27, 27}, res::kGlyphOpen, res::kToolGlyphSize,
                                      "画像やHTMLファイルを読み込む", PanelOpen);
  ButtonCopyBody = MakeToolButton({29, 1, 27, 27}, res::kGlyphCopyBody, res::kToolGlyphSize,
                                  "出来たBODYタグをクリップボードにコピー", PanelOpen);
  SpeedButtonPaste = MakeToolButton({56, 1, 27, 27}, res::kGlyphPaste, res::kToolGlyphSize,
                                    "画像やBODYタグをクリップボードから読み込む", PanelOpen);
  // BitBtnPiccer takes the last place, at 83.
  connect(SpeedButtonPicture, &QToolButton::clicked, this, &TForm1::SpeedButtonOpenClick);
  connect(ButtonCopyBody, &QToolButton::clicked, this, &TForm1::ButtonCopyBodyClick);
  connect(SpeedButtonPaste, &QToolButton::clicked, this, &TForm1::SpeedButtonPasteClick);
}

void TForm1::ComposeBodyTag() {
  const BodyTag tag = tintara::ComposeBodyTag(body_, CurrentColour(), output_num_, output_lower_);
  MemoBODY = QString::fromStdString(tag.text);
  QLabel* const lines[kBodyRoleCount] = {LabelBody1, LabelBody2, LabelBody3, LabelBody4,
                                         LabelBody5};
  for (std::size_t k = 0; k < kBodyRoleCount; ++k) {
    lines[k]->setText(QString::fromStdString(tag.preview_lines[k]));
  }
  ShowBodyControls();
}

void TForm1::ShowBodyControls() {
  const BodyControls controls = BodyControlStates(body_);
  for (BodyRole role : kAllBodyRoles) {
    const BodyRoleControls& c = controls.roles[RoleIndex(role)];
    QRadioButton* radio = RoleRadioButton(role);
    // The radio buttons are one group: checking one clears the others.
    if (c.radio_checked) radio->setChecked(true);
    radio->setEnabled(c.radio_enabled);
    RoleCheckBox(role)->setChecked(c.box_checked);
    RoleCheckBox(role)->setEnabled(c.box_enabled);
  }
  CheckBoxPicture->setChecked(controls.picture_checked);
  ImageBg->setVisible(controls.picture_checked);

  // Palettes are set only when a colour changed: a slider drag refreshes
  // for every step.
  const std::optional<BodyControls>& shown = shown_body_controls_;
  if (!shown || shown->text_colour != controls.text_colour) {
    QWidget* const text_coloured[] = {LabelT,      LabelBg,    LabelBody,   LabelDummy1,
                                      LabelDummy2, LabelBody1, LabelBody2,  LabelBody3,
                                      LabelBody4,  LabelBody5, LabelPicture};
    for (QWidget* widget : text_coloured) SetForeground(widget, controls.text_colour);
  }
  QLabel* const captions[kBodyRoleCount] = {LabelT, LabelLi, LabelV, LabelA, LabelBg};
  for (BodyRole role : {BodyRole::kLink, BodyRole::kVlink, BodyRole::kAlink}) {
    const RgbColor colour = controls.roles[RoleIndex(role)].colour;
    if (!shown || shown->roles[RoleIndex(role)].colour != colour) {
      SetForeground(captions[RoleIndex(role)], colour);
    }
  }
  if (!shown || shown->background_colour != controls.background_colour) {
    // The radio buttons draw no background of their own, so the group's
    // colour shows through them.
    GroupBox1->SetFillColour(ToQColor(controls.background_colour));
  }
  // Each role's preview line tells in its hint how well the role's colour
  // reads on the background.
  QLabel* const lines[] = {LabelBody1, LabelBody2, LabelBody3, LabelBody4};
  for (BodyRole role : {BodyRole::kText, BodyRole::kLink, BodyRole::kVlink, BodyRole::kAlink}) {
    const RgbColor colour = controls.roles[RoleIndex(role)].colour;
    if (!shown || shown->roles[RoleIndex(role)].colour != colour ||
        shown->background_colour != controls.background_colour) {
      lines[RoleIndex(role)]->setToolTip(ContrastHint(colour, controls.background_colour));
    }
  }
  shown_body_controls_ = controls;
}

void TForm1::ApplyBodyEffects(const BodyEffects& effects) {
  if (effects.current_colour) {
    StoreColour(*effects.current_colour);
  }
  if (effects.current_colour || effects.refresh_all) {
    RefreshAll();
  } else {
    ShowBodyControls();
  }
  if (effects.open_picture) SpeedButtonOpenClick();
}

void TForm1::SelectBodyRole(BodyRole role) {
  ApplyBodyEffects(tintara::SelectBodyRole(body_, role));
}

void TForm1::RoleRadioButtonClick(BodyRole role) { SelectBodyRole(role); }

void TForm1::RoleCheckBoxClick(BodyRole role) {
  ApplyBodyEffects(RoleCheckBoxChanged(body_, role, RoleCheckBox(role)->isChecked()));
}

void TForm1::CheckBoxPictureClick() {
  ApplyBodyEffects(PictureOptionChanged(body_, CheckBoxPicture->isChecked()));
}

void TForm1::ComboBoxBodyExChange() {
  const int index = ComboBoxBodyEx->currentIndex();
  if (index < 0 || index >= kBodySchemeCount) return;
  ApplyBodyEffects(tintara::ApplyBodyScheme(body_, BodySchemeTable[index].colours));
}

void TForm1::ButtonCopyBodyClick() {
  StartPulse(kPulseCopyBody);
  CopyBodyTag();
}

void TForm1::CopyBodyTag() { QGuiApplication::clipboard()->setText(MemoBODY); }

QRadioButton* TForm1::RoleRadioButton(BodyRole role) const {
  QRadioButton* const radios[kBodyRoleCount] = {RadioButtonT, RadioButtonL, RadioButtonV,
                                                RadioButtonA, RadioButtonB};
  return radios[RoleIndex(role)];
}

QCheckBox* TForm1::RoleCheckBox(BodyRole role) const {
  QCheckBox* const boxes[kBodyRoleCount] = {CheckBoxT, CheckBoxL, CheckBoxV, CheckBoxA, CheckBoxB};
  return boxes[RoleIndex(role)];
}

}  // namespace tintara
