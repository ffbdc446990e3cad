#include "mainwindow/dialogs/tform_option.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>

#include "mainwindow/dialogs/option_rules.h"
#include "mainwindow/editor/editor_math.h"
#include "mainwindow/tform1.h"
#include "platform/screen_reader.h"
#include "widgets/classic_scroll_bar.h"
#include "widgets/screen_centring.h"

namespace tintara {
namespace {

constexpr int kFirstPage = 1;  // the colour tones

QString Utf8(const char* text) { return QString::fromUtf8(text); }

QRadioButton* MakeRadio(const char* caption, QRect geometry, QWidget* parent) {
  auto* radio = new QRadioButton(Utf8(caption), parent);
  radio->setGeometry(geometry);
  return radio;
}

QLabel* MakeLabel(const char* caption, QRect geometry, QWidget* parent) {
  auto* label = new QLabel(Utf8(caption), parent);
  label->setGeometry(geometry);
  return label;
}

QLineEdit* MakeNumberField(QRect geometry, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setGeometry(geometry);
  field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return field;
}

constexpr const char* kPaletteCaptions[18] = {
    "R (0～255)", "G (0～255)", "B (0～255)", "Y (0～255)", "M (0～255)",    "C (0～255)",
    "E (0～239)", "S (0～240)", "L (0～240)", "H (1～246)", "S (0～255)",    "L (0～255)",
    "H (0～360)", "S (0～100)", "V (0～100)", "Y (0～255)", "Cb(-128～127)", "Cr(-128～127)",
};
constexpr const char* kSlideCaptions[kSlideModelCount] = {"RGB", "YMC", "ESL", "HSL", "HSV", "Y/C"};

}  // namespace

TFormOption::TFormOption(TForm1* main_window, SettingsStore* store, ErrorBox error_box)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      main_window_(main_window),
      store_(store),
      error_box_(std::move(error_box)) {
  setWindowTitle(Utf8("ｵﾌﾟｼｮﾝ選択"));
  setFixedSize(521, 268);
  setModal(true);
  CentreOnScreenWhenShown(*this);
  setFont(main_window->Client()->font());

  PageControl = new QTabWidget(this);
  PageControl->setGeometry(4, 4, 513, 226);
  CreatePickerPage();
  CreateTonePage();
  CreateOutputPage();
  PageControl->setCurrentIndex(kFirstPage);

  BitBtnOK = new QPushButton("OK", this);
  BitBtnOK->setGeometry(332, 236, 88, 26);
  BitBtnOK->setDefault(true);
  BitBtnCancel = new QPushButton(Utf8("キャンセル"), this);
  BitBtnCancel->setGeometry(426, 236, 88, 26);
  connect(BitBtnOK, &QPushButton::clicked, this, &TFormOption::BitBtnOKClick);
  connect(BitBtnCancel, &QPushButton::clicked, this, &TFormOption::BitBtnCancelClick);

  FormCreate();
}

void TFormOption::CreatePickerPage() {
  auto* page = new QWidget;
  PageControl->addTab(page, Utf8("ユーザーパレット&&ピッカー"));
  GroupBoxUser = new QGroupBox(Utf8("ユーザーパレットの形式"), page);
  GroupBoxUser->setGeometry(8, 6, 490, 62);
  RadioButtonUserMove =
      MakeRadio("マウスが通れば選択。クリックでColorに出力", {12, 18, 460, 20}, GroupBoxUser);
  RadioButtonUserClick =
      MakeRadio("クリックで選択。ダブルクリックでColorに出力", {12, 38, 460, 20}, GroupBoxUser);
  RadioButtonUserMove->setChecked(true);

  GroupBoxPiccer = new QGroupBox(Utf8("ピッカーの形式"), page);
  GroupBoxPiccer->setGeometry(8, 72, 490, 118);
  RadioButtonPiccerPush =
      MakeRadio("押したままマウスを動かしながらピッカー。放したら選択。(指がつりそう)",
                {12, 18, 470, 20}, GroupBoxPiccer);
  RadioButtonPiccerClick = MakeRadio("クリックでピッカーを開始。もう一度クリックで選択。(遅い)",
                                     {12, 38, 470, 20}, GroupBoxPiccer);
  RadioButtonPiccerClick->setChecked(true);
  LabelPiccer1 = MakeLabel("ピッカーするまでの時間", {28, 64, 130, 18}, GroupBoxPiccer);
  EditPiccer = MakeNumberField({160, 62, 48, 20}, GroupBoxPiccer);
  LabelPiccer2 = MakeLabel("ミリ秒", {212, 64, 40, 18}, GroupBoxPiccer);
  ScrollBarPiccer = new ClassicScrollBar(Qt::Horizontal, GroupBoxPiccer);
  ScrollBarPiccer->setGeometry(256, 63, 222, 17);
  ScrollBarPiccer->setRange(kPickerDelayMin, kPickerDelayMax);
  ScrollBarPiccer->setPageStep(100);
  ScrollBarPiccer->setValue(500);
  EditPiccer->setText("500");
  Label1 = MakeLabel("ピッカーしたときに表示する周辺の領域", {12, 92, 214, 18}, GroupBoxPiccer);
  MemoArea = MakeNumberField({228, 90, 36, 20}, GroupBoxPiccer);
  MemoArea->setText("10");
  ButtonUp = new QPushButton(Utf8("▲"), GroupBoxPiccer);
  ButtonUp->setGeometry(266, 89, 18, 11);
  ButtonDown = new QPushButton(Utf8("▼"), GroupBoxPiccer);
  ButtonDown->setGeometry(266, 100, 18, 11);
  for (QPushButton* button : {ButtonUp, ButtonDown}) {
    QFont small = button->font();
    small.setPixelSize(8);
    button->setFont(small);
    button->setFocusPolicy(Qt::NoFocus);
  }
  LabelPiccer4 = MakeLabel("周り分", {290, 92, 50, 18}, GroupBoxPiccer);

  // Toggled rather than clicked, so arrow keys within the group count too.
  connect(RadioButtonPiccerPush, &QRadioButton::toggled, this,
          &TFormOption::RadioButtonPiccerPushClick);
  connect(RadioButtonPiccerClick, &QRadioButton::toggled, this,
          &TFormOption::RadioButtonPiccerClickClick);
  connect(ScrollBarPiccer, &QScrollBar::valueChanged, this, &TFormOption::ScrollBarPiccerChange);
  connect(EditPiccer, &QLineEdit::textChanged, this, &TFormOption::EditPiccerChange);
  connect(MemoArea, &QLineEdit::textChanged, this, &TFormOption::MemoAreaChange);
  connect(ButtonUp, &QPushButton::clicked, this, &TFormOption::ButtonUpClick);
  connect(ButtonDown, &QPushButton::clicked, this, &TFormOption::ButtonDownClick);
}

void TFormOption::CreateTonePage() {
  auto* page = new QWidget;
  PageControl->addTab(page, Utf8("色調"));
  GroupBox1 = new QGroupBox(Utf8("グラデーション パレット (チェックした色が右側の縦棒)"), page);
  GroupBox1->setGeometry(2, 6, 503, 100);
  // Eighteen captions in six columns: a size smaller, close to their buttons.
  GroupBox1->setStyleSheet("QRadioButton { spacing: 2px; font-size: 11px; }");
  // One column per model; the last holds the longest captions.
  constexpr int kColumnLefts[7] = {4, 83, 162, 241, 320, 399, 501};
  for (int tag = 0; tag < 18; ++tag) {
    const int column = tag / 3, row = tag % 3;
    const int left = kColumnLefts[column];
    QRadioButton* radio =
        MakeRadio(kPaletteCaptions[tag], {left, 20 + 24 * row, kColumnLefts[column + 1] - left, 20},
                  GroupBox1);
    PaletteRadioButtons[tag] = radio;
    connect(radio, &QRadioButton::clicked, this, [this, tag] { RadioButtonUpperClick(tag); });
  }
  GroupBox2 = new QGroupBox(Utf8("3段スライド"), page);
  GroupBox2->setGeometry(2, 112, 503, 50);
  for (int tag = 0; tag < kSlideModelCount; ++tag) {
    QRadioButton* radio = MakeRadio(kSlideCaptions[tag], {8 + 76 * tag, 20, 74, 20}, GroupBox2);
    SlideRadioButtons[tag] = radio;
    connect(radio, &QRadioButton::clicked, this, [this, tag] { RadioButtonLowerClick(tag); });
  }
}

void TFormOption::CreateOutputPage() {
  auto* page = new QWidget;
  PageControl->addTab(page, Utf8("出力形式"));
  GroupBox3 = new QGroupBox(Utf8("色の出力方法"), page);
  GroupBox3->setGeometry(8, 6, 240, 70);
  RadioButtonOutputNum = MakeRadio("数字で出力", {12, 20, 200, 20}, GroupBox3);
  RadioButtonOutputName = MakeRadio("色の名前で出力", {12, 42, 200, 20}, GroupBox3);
  GroupBox4 = new QGroupBox(Utf8("出力する文字の種類"), page);
  GroupBox4->setGeometry(258, 6, 240, 70);
  RadioButtonOutputLower = MakeRadio("小文字で出力", {12, 20, 200, 20}, GroupBox4);
  RadioButtonOutputUpper = MakeRadio("大文字で出力", {12, 42, 200, 20}, GroupBox4);
}

void TFormOption::FormCreate() {
  RadioButtonOutputNum->setChecked(main_window_->OutputNum());
  RadioButtonOutputName->setChecked(!main_window_->OutputNum());
  RadioButtonOutputLower->setChecked(main_window_->OutputLower());
  RadioButtonOutputUpper->setChecked(!main_window_->OutputLower());
  if (!main_window_->Screen()->ReadsLiveScreen()) {
    // The stored choice stays as it is, for sessions that can read the
    // screen; this one picks on a frozen copy.
    RadioButtonPiccerPush->setEnabled(false);
    RadioButtonPiccerPush->setToolTip(
        Utf8("このデスクトップ(Wayland)では画面をそのまま読めないので使えません．"
             "クリックでピッカーします．"));
  }
  // The main window read the stored options when it started.
  ShowHeldOptions(main_window_->HeldOptions());
}

OptionSettings TFormOption::HeldOptions() const {
  OptionSettings options;
  options.radio_user = RadioButtonUserMove->isChecked();
  options.radio_piccer = RadioButtonPiccerPush->isChecked();
  options.piccer_time = ScrollBarPiccer->value();
  options.piccer_area = ReadDecimalField(MemoArea->text().toStdString());
  return options;
}

void TFormOption::ShowHeldOptions(const OptionSettings& options) {
  RadioButtonUserMove->setChecked(options.radio_user);
  RadioButtonUserClick->setChecked(!options.radio_user);
  RadioButtonPiccerPush->setChecked(options.radio_piccer);
  RadioButtonPiccerClick->setChecked(!options.radio_piccer);
  ScrollBarPiccer->setValue(options.piccer_time);
  EditPiccer->setText(QString::number(ScrollBarPiccer->value()));
  MemoArea->setText(QString::number(options.piccer_area));
  UpdateDelayEnabled();
}

void TFormOption::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TFormOption::FormShow() {
  shown_options_ = HeldOptions();
  pending_palette_channel_ = main_window_->PaletteChannel();
  pending_slide_model_ = main_window_->CurrentSlideModel();
  RadioButtonUserClick->setChecked(!shown_options_.radio_user);
  RadioButtonUserMove->setChecked(shown_options_.radio_user);
  RadioButtonPiccerClick->setChecked(!shown_options_.radio_piccer);
  RadioButtonPiccerPush->setChecked(shown_options_.radio_piccer);
  RadioButtonOutputNum->setChecked(main_window_->OutputNum());
  RadioButtonOutputName->setChecked(!main_window_->OutputNum());
  RadioButtonOutputLower->setChecked(main_window_->OutputLower());
  RadioButtonOutputUpper->setChecked(!main_window_->OutputLower());
  // Radio buttons of one group exclude each other only while one is being
  // checked; to show none checked the group's exclusivity is lifted.
  for (auto* group : {GroupBox1, GroupBox2}) {
    for (QRadioButton* radio : group->findChildren<QRadioButton*>()) {
      radio->setAutoExclusive(false);
      radio->setChecked(false);
      radio->setAutoExclusive(true);
    }
  }
  if (pending_palette_channel_ >= 0 && pending_palette_channel_ < 18) {
    PaletteRadioButtons[pending_palette_channel_]->setChecked(true);
  }
  const int model = static_cast<int>(pending_slide_model_);
  if (model >= 0 && model < kSlideModelCount) SlideRadioButtons[model]->setChecked(true);
  UpdateDelayEnabled();
}

void TFormOption::RadioButtonUpperClick(int tag) { pending_palette_channel_ = tag; }

void TFormOption::RadioButtonLowerClick(int tag) {
  pending_slide_model_ = static_cast<SlideModel>(tag);
}

void TFormOption::UpdateDelayEnabled() {
  const bool click_mode =
      RadioButtonPiccerClick->isChecked() || !RadioButtonPiccerPush->isEnabled();
  for (QWidget* control :
       std::initializer_list<QWidget*>{LabelPiccer1, EditPiccer, LabelPiccer2, ScrollBarPiccer}) {
    control->setEnabled(click_mode);
  }
}

void TFormOption::RadioButtonPiccerPushClick() { UpdateDelayEnabled(); }
void TFormOption::RadioButtonPiccerClickClick() { UpdateDelayEnabled(); }

void TFormOption::ScrollBarPiccerChange() {
  EditPiccer->setText(QString::number(ScrollBarPiccer->value()));
}

void TFormOption::EditPiccerChange() {
  const int value = PickerDelayFromText(EditPiccer->text().toStdString());
  const QString text = QString::number(value);
  if (EditPiccer->text() != text) EditPiccer->setText(text);  // comes back here once
  ScrollBarPiccer->setValue(value);
}

void TFormOption::MemoAreaChange() {
  const int value = PickerRadiusFromText(MemoArea->text().toStdString());
  const QString text = QString::number(value);
  if (MemoArea->text() != text) MemoArea->setText(text);
  ButtonUp->setEnabled(value != kPickerRadiusMax);
  ButtonDown->setEnabled(value != kPickerRadiusMin);
}

void TFormOption::ButtonUpClick() {
  MemoArea->setText(QString::number(ReadDecimalField(MemoArea->text().toStdString()) + 1));
}

void TFormOption::ButtonDownClick() {
  MemoArea->setText(QString::number(ReadDecimalField(MemoArea->text().toStdString()) - 1));
}

void TFormOption::BitBtnOKClick() {
  main_window_->StoreOptions(pending_palette_channel_, pending_slide_model_,
                             RadioButtonOutputNum->isChecked(),
                             RadioButtonOutputLower->isChecked());
  main_window_->ApplyHeldOptions(HeldOptions());
  accept();
}

void TFormOption::BitBtnCancelClick() {
  ShowHeldOptions(shown_options_);
  reject();
}

void TFormOption::keyPressEvent(QKeyEvent* event) {
  // Escape is the Cancel button; the frame's close box is not.
  if (event->key() == Qt::Key_Escape) {
    BitBtnCancelClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TFormOption::done(int result) {
  FormClose();
  QDialog::done(result);
}

void TFormOption::FormClose() {
  // What another copy of the program saved meanwhile stays, unless changed here.
  const OptionSettings settings = OptionSettingsForClose(*store_, shown_options_, HeldOptions());
  if (const auto error = SaveOptionSettings(*store_, settings)) {
    error_box_(QString::fromUtf8(error->what()));
  }
}

}  // namespace tintara
