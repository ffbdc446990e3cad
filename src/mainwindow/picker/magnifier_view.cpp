#include "mainwindow/picker/magnifier_view.h"

#include <QLabel>
#include <QPainter>

#include "resources/font_alias.h"
#include "widgets/fast_label.h"

namespace tintara {
namespace {

constexpr int kCaptionTop = 219;
constexpr int kDecimalTop = 242;
constexpr int kHexTop = 261;
constexpr int kPositionTop = 284;

// Type sizes in points, as pixels on a 96-dot screen.
int PointsToPixels(int points) { return (points * 96 + 36) / 72; }

QFont ReadoutFont(int pixel_size, bool caption) {
  QFont font(WindowFontFamily());
  font.setPixelSize(pixel_size);
  font.setBold(caption);
  font.setItalic(caption);
  return font;
}

QLabel* MakeReadout(const char* text, QPoint place, int pixel_size, bool caption, QColor colour,
                    QWidget* parent) {
  auto* label = new FastLabel(QString::fromUtf8(text), parent);
  label->setFont(ReadoutFont(pixel_size, caption));
  label->setTextFormat(Qt::PlainText);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  label->move(place);
  label->adjustSize();
  return label;
}

QWidget* MakeBar(QWidget* parent) {
  auto* bar = new QWidget(parent);
  bar->setAutoFillBackground(true);
  QPalette palette = bar->palette();
  palette.setColor(QPalette::Window, QColor(255, 0, 0));
  bar->setPalette(palette);
  return bar;
}

void Place(QWidget* widget, const PixelRect& r) {
  widget->setGeometry(r.left, r.top, r.width, r.height);
}

}  // namespace

MagnifierPicture::MagnifierPicture(QWidget* parent)
    : QWidget(parent), picture_(kMagnifierSize, kMagnifierSize, QImage::Format_RGB32) {
  picture_.fill(Qt::black);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void MagnifierPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(rect(), picture_);
}

MagnifierView::MagnifierView(int window_width, QWidget* parent)
    : QFrame(parent), window_width_(window_width) {
  setFrameShape(QFrame::NoFrame);
  setAutoFillBackground(true);
  ImagePiccer = new MagnifierPicture(this);
  ImagePiccer->setGeometry(0, 0, kMagnifierSize, kMagnifierSize);

  const QColor red(255, 0, 0);
  const QColor green(0, 128, 0);
  const QColor blue(0, 0, 255);
  Label18 = MakeReadout("Red", {21, kCaptionTop}, 19, true, red, this);
  Label19 = MakeReadout("Green", {77, kCaptionTop}, 19, true, green, this);
  Label20 = MakeReadout("Blue", {150, kCaptionTop}, 19, true, blue, this);
  LabelR = MakeReadout("0", {0, kDecimalTop}, 16, false, red, this);
  LabelG = MakeReadout("0", {0, kDecimalTop}, 16, false, green, this);
  LabelB = MakeReadout("0", {0, kDecimalTop}, 16, false, blue, this);
  LabelhR = MakeReadout("0", {0, kHexTop}, 16, false, red, this);
  LabelhG = MakeReadout("0", {0, kHexTop}, 16, false, green, this);
  LabelhB = MakeReadout("0", {0, kHexTop}, 16, false, blue, this);
  LabelPos = MakeReadout("", {0, kPositionTop}, PointsToPixels(18), false, QColor(0, 0, 0), this);
  position_point_size_ = 18;

  ShapeU = MakeBar(this);
  ShapeD = MakeBar(this);
  ShapeL = MakeBar(this);
  ShapeR = MakeBar(this);
  LayOutMarkers(10);
}

void MagnifierView::LayOutMarkers(int n) {
  const MarkerBars bars = MagnifierFrame(n);
  Place(ShapeU, bars.up);
  Place(ShapeD, bars.down);
  Place(ShapeL, bars.left);
  Place(ShapeR, bars.right);
}

void MagnifierView::SetReadout(QLabel* label, const QString& text, int centre) {
  if (label->text() != text) {
    label->setText(text);
    label->adjustSize();
  }
  label->move(CentredLeft(centre, label->width()), label->y());
}

void MagnifierView::ShowSquare(const MagnifierPlan& plan, const std::uint32_t* source,
                               int source_stride, QRgb centre) {
  QImage& picture = ImagePiccer->Picture();
  DrawMagnifier(plan, source, source_stride, reinterpret_cast<std::uint32_t*>(picture.bits()),
                static_cast<int>(picture.bytesPerLine() / 4));
  const int values[3] = {qRed(centre), qGreen(centre), qBlue(centre)};
  QLabel* const decimal[3] = {LabelR, LabelG, LabelB};
  QLabel* const hexadecimal[3] = {LabelhR, LabelhG, LabelhB};
  for (int k = 0; k < 3; ++k) {
    SetReadout(hexadecimal[k], QString::fromStdString(ReadoutHex(values[k])), kReadoutCentres[k]);
    SetReadout(decimal[k], QString::number(values[k]), kReadoutCentres[k]);
  }
  ImagePiccer->repaint();
}

void MagnifierView::SetPositionLine(const QString& text, int point_size) {
  if (point_size != position_point_size_) {
    LabelPos->setFont(ReadoutFont(PointsToPixels(point_size), false));
    position_point_size_ = point_size;
  }
  if (LabelPos->text() != text || LabelPos->width() == 0) {
    LabelPos->setText(text);
    LabelPos->adjustSize();
  }
  LabelPos->move(CentredInWindow(window_width_, LabelPos->width()), LabelPos->y());
}

}  // namespace tintara
