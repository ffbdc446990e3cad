// Creation of the main window's controls at their fixed places.
#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>

#include "mainwindow/client_area.h"
#include "mainwindow/copy/copy_format_box.h"
#include "mainwindow/editor/field_edit.h"
#include "mainwindow/palette/floating_swatch.h"
#include "mainwindow/pictures/helper_wait.h"
#include "mainwindow/tform1.h"
#include "mainwindow/window_parts.h"
#include "output/copy_formats.h"
#include "pictures/susie_plugin.h"
#include "platform/memory_settings_store.h"
#include "platform/memory_system_colours.h"
#include "platform/screen_reader.h"
#include "resources/font_alias.h"
#include "resources/resource_names.h"
#include "widgets/classic_scroll_bar.h"
#include "widgets/flat_button.h"

namespace tintara {
namespace {

constexpr int kRowTops[3] = {288, 320, 352};
constexpr int kPaletteFieldTops[3] = {191, 223, 255};

QScrollBar* MakeSlider(Qt::Orientation orientation, QRect geometry, const char* hint,
                       QWidget* parent) {
  auto* slider = new ClassicScrollBar(orientation, parent);
  slider->setGeometry(geometry);
  slider->setSingleStep(1);
  slider->setPageStep(10);
  slider->setFocusPolicy(Qt::StrongFocus);
  slider->setToolTip(QString::fromUtf8(hint));
  return slider;
}

QLabel* MakeLabel(const QString& text, QRect geometry, QWidget* parent,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(geometry);
  label->setAlignment(alignment);
  return label;
}

// White tick picture with a red line of six pixels through its middle.
QImage TickPicture(bool horizontal) {
  QImage image(horizontal ? 8 : 3, horizontal ? 3 : 8, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int i = 1; i <= 6; ++i) {
    if (horizontal) {
      image.setPixel(i, 1, qRgb(255, 0, 0));
    } else {
      image.setPixel(1, i, qRgb(255, 0, 0));
    }
  }
  return image;
}

// The bar's arrow: a small red arrowhead pointing at the bar.
QImage ArrowPicture() {
  QImage image(8, 3, QImage::Format_RGB32);
  image.fill(Qt::white);
  const QRgb red = qRgb(255, 0, 0);
  for (int x = 0; x <= 6; ++x) image.setPixel(x, 1, red);
  image.setPixel(1, 0, red);
  image.setPixel(1, 2, red);
  image.setPixel(2, 0, red);
  image.setPixel(2, 2, red);
  return image;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : TForm1(TForm1Services{}, parent) {}

TForm1::TForm1(TForm1Services services, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint),
      surface_(kClientWidth, kClientHeight) {
  if (services.settings == nullptr) {
    owned_settings_ = std::make_unique<MemorySettingsStore>();
    services.settings = owned_settings_.get();
  }
  settings_ = services.settings;
  error_box_ = services.error_box ? std::move(services.error_box) : StandardErrorBox();
  ask_ = services.ask ? std::move(services.ask) : StandardQuestionBox();
  if (services.system_colours == nullptr) {
    owned_system_colours_ = std::make_unique<MemorySystemColours>();
    services.system_colours = owned_system_colours_.get();
  }
  system_colours_ = services.system_colours;
  help_ = services.help;
  if (services.screen == nullptr) {
    owned_screen_ = MakeDesktopScreenReader();
    services.screen = owned_screen_.get();
  }
  screen_ = services.screen;

  // The resource's placeholder caption; the first refresh gives the real title.
  setWindowTitle("unsigned int");
  CreateControls();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  background_ = client_->palette().color(QPalette::Window);
  ConnectHandlers();
  FormCreate();
}

TForm1::~TForm1() {
  FormDestroy();
  delete floating_swatch_;
}

QWidget* TForm1::Client() const { return client_; }

void TForm1::CreateControls() {
  client_ = new ClientArea(this);
  setCentralWidget(client_);
  InstallFontAlias();
  // Menus, hints and dialogs take the window's typeface at the desktop's
  // size, as the Japanese desktop it was drawn for does: one typeface for
  // the whole program, where a Latin default would also load a second
  // Japanese one for its captions. The window itself was made before, so it
  // is told too.
  const QString family = WindowFontFamily();
  QFont desktop_font = QApplication::font();
  desktop_font.setFamily(family);
  QApplication::setFont(desktop_font);
  setFont(desktop_font);
  QFont font(family);
  font.setPixelSize(kWindowFontPixelSize);
  client_->setFont(font);

  CreatePaletteControls();
  CreateEditorRows();
  CreateToolBar();
  CreateBodyGroup();
  CreateColourSources();
  CreateUserPalette();
  CreatePicker();
  CreateMenus();
  floating_swatch_ = new FloatingSwatch();
}

void TForm1::CreatePaletteControls() {
  ScrollBarE = MakeSlider(Qt::Horizontal, {0, 262, 256, 17}, "Ｅの値を変化させる", client_);
  ScrollBarS = MakeSlider(Qt::Vertical, {262, 0, 17, 256}, "Ｓの値を変化させる", client_);
  ScrollBarL = MakeSlider(Qt::Vertical, {308, 0, 17, 256}, "Ｌの値を変化させる", client_);
  ScrollBarE->setRange(0, 239);
  ScrollBarS->setRange(0, 240);
  ScrollBarL->setRange(0, 240);

  ImageCenterL = client_->AddMark(TickPicture(true));
  ImageCenterR = client_->AddMark(TickPicture(true));
  ImageCenterU = client_->AddMark(TickPicture(false));
  ImageCenterD = client_->AddMark(TickPicture(false));
  ImageArrow = client_->AddMark(ArrowPicture());
  ImageArrow->move(297, 0);

  const auto right = Qt::AlignRight | Qt::AlignVCenter;
  LabelE = MakeLabel(QString::fromUtf8("色合い(E)"), {326, 193, 90, 16}, client_, right);
  LabelS = MakeLabel(QString::fromUtf8("鮮やかさ(S)"), {326, 225, 90, 16}, client_, right);
  LabelL = MakeLabel(QString::fromUtf8("明るさ(L)"), {326, 257, 90, 16}, client_, right);
  FieldEdit** fields[3] = {&EditE, &EditS, &EditL};
  const int limits[3] = {3, 3, 0};
  for (int i = 0; i < 3; ++i) {
    *fields[i] = new FieldEdit(limits[i], client_);
    (*fields[i])->setGeometry(420, kPaletteFieldTops[i], 37, 20);
  }

  Label10 = MakeLabel("Color", {384, 63, 60, 20}, client_);
  QFont bold = client_->font();
  bold.setPixelSize(16);
  bold.setBold(true);
  Label10->setFont(bold);
}

void TForm1::CreateEditorRows() {
  static constexpr const char* kSliderHints[3] = {"Ｒの値を変化させる", "Ｇの値を変化させる",
                                                  "Ｂの値を変化させる"};
  static constexpr const char* kHexHints[3] = {
      "16進数で赤色を変更できます", "16進数で緑色を変更できます", "16進数で青色を変更できます"};
  QLabel** labels[3] = {&LabelY, &LabelC, &LabelM};
  QLabel** prefixes[3] = {&Label1, &Label2, &Label3};
  FieldEdit** decimals[3] = {&EditR, &EditG, &EditB};
  FieldEdit** hexes[3] = {&hEditR, &hEditG, &hEditB};
  QScrollBar** sliders[3] = {&ScrollBarR, &ScrollBarG, &ScrollBarB};
  for (int k = 0; k < 3; ++k) {
    const int top = kRowTops[k];
    *labels[k] = MakeLabel({}, {7, top, 17, 17}, client_);
    *decimals[k] = new FieldEdit(3, client_);
    (*decimals[k])->setGeometry(24, top - 1, 37, 20);
    *prefixes[k] = MakeLabel("0x", {70, top, 16, 17}, client_);
    *hexes[k] = new FieldEdit(2, client_);
    (*hexes[k])->setGeometry(86, top - 1, 24, 20);
    (*hexes[k])->setToolTip(QString::fromUtf8(kHexHints[k]));
    *sliders[k] = MakeSlider(Qt::Horizontal, {112, top, 369, 17}, kSliderHints[k], client_);
    (*sliders[k])->setRange(0, 255);
  }
}

void TForm1::CreateToolBar() {
  // The tool bar and the source strip under it stand on a face of their
  // own, so the window's background, which a double click recolours, shows
  // neither between their panels nor around the controls in them.
  auto* backdrop = new QWidget(client_);
  backdrop->setGeometry(328, 0, kClientWidth - 328, 59);
  backdrop->setAutoFillBackground(true);
  backdrop->lower();

  PanelOpen = MakePanel({328, 0, 111, 29}, client_);
  PanelRGB = MakePanel({439, 0, 75, 29}, client_);
  Panel1 = MakePanel({515, 0, 111, 29}, client_);

  ComboBoxCopy = new CopyFormatBox(PanelRGB);
  ComboBoxCopy->setGeometry(2, 4, 44, 21);
  for (const CopyFormatEntry& format : kCopyFormats) {
    ComboBoxCopy->addItem(QString::fromUtf8(format.item.data(), format.item.size()));
  }
  ComboBoxCopy->setCurrentIndex(0);
  ComboBoxCopy->lineEdit()->setCursorPosition(0);
  ComboBoxCopy->setToolTip(
      QString::fromUtf8(kCopyFormats[0].hint.data(), kCopyFormats[0].hint.size()));

  SpeedButtonCopy = MakeToolButton({47, 1, 27, 27}, res::kGlyphCopyColour, res::kToolGlyphSize,
                                   "000000をクリップボードにコピー", PanelRGB);
}

void TForm1::ConnectHandlers() {
  connect(ScrollBarR, &QScrollBar::valueChanged, this, &TForm1::ScrollBarRChange);
  connect(ScrollBarG, &QScrollBar::valueChanged, this, &TForm1::ScrollBarGChange);
  connect(ScrollBarB, &QScrollBar::valueChanged, this, &TForm1::ScrollBarBChange);
  connect(ScrollBarE, &QScrollBar::valueChanged, this, &TForm1::ScrollBarEChange);
  connect(ScrollBarS, &QScrollBar::valueChanged, this, &TForm1::ScrollBarSChange);
  connect(ScrollBarL, &QScrollBar::valueChanged, this, &TForm1::ScrollBarLChange);
  connect(EditR, &FieldEdit::Exited, this, &TForm1::EditRExit);
  connect(EditG, &FieldEdit::Exited, this, &TForm1::EditGExit);
  connect(EditB, &FieldEdit::Exited, this, &TForm1::EditBExit);
  connect(hEditR, &FieldEdit::Exited, this, &TForm1::hEditRExit);
  connect(hEditG, &FieldEdit::Exited, this, &TForm1::hEditGExit);
  connect(hEditB, &FieldEdit::Exited, this, &TForm1::hEditBExit);
  connect(EditE, &FieldEdit::Exited, this, &TForm1::EditEExit);
  connect(EditS, &FieldEdit::Exited, this, &TForm1::EditSExit);
  connect(EditL, &FieldEdit::Exited, this, &TForm1::EditLExit);
  connect(EditR, &FieldEdit::KeyPressed, this, &TForm1::EditRKeyPress);
  connect(EditG, &FieldEdit::KeyPressed, this, &TForm1::EditGKeyPress);
  connect(EditB, &FieldEdit::KeyPressed, this, &TForm1::EditBKeyPress);
  connect(hEditR, &FieldEdit::KeyPressed, this, &TForm1::hEditRKeyPress);
  connect(hEditG, &FieldEdit::KeyPressed, this, &TForm1::hEditGKeyPress);
  connect(hEditB, &FieldEdit::KeyPressed, this, &TForm1::hEditBKeyPress);
  connect(EditE, &FieldEdit::KeyPressed, this, &TForm1::EditEKeyPress);
  connect(EditS, &FieldEdit::KeyPressed, this, &TForm1::EditSKeyPress);
  connect(EditL, &FieldEdit::KeyPressed, this, &TForm1::EditLKeyPress);
  connect(ComboBoxCopy, &QComboBox::currentIndexChanged, this, &TForm1::ComboBoxCopyChange);
  connect(ComboBoxCopy, &CopyFormatBox::DroppingDown, this, &TForm1::ComboBoxCopyDropDown);
  connect(ComboBoxCopy, &CopyFormatBox::DoubleClicked, this, &TForm1::ComboBoxCopyDblClick);
  connect(SpeedButtonCopy, &QToolButton::clicked, this, &TForm1::SpeedButtonCopyClick);
}

}  // namespace tintara
