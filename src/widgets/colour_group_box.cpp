#include "widgets/colour_group_box.h"

#include <QPaintEvent>
#include <QPainter>

namespace tintara {

namespace {

// Where the caption starts, and the gap kept clear of the frame on each side
// of it.
constexpr int kTitleLeft = 8;
constexpr int kTitleGap = 2;

// A one-pixel outline just inside `r`, in fills: a pen would take the much
// slower stroking path.
void DrawOutline(QPainter& p, const QRect& r, const QColor& colour) {
  p.fillRect(r.left(), r.top(), r.width(), 1, colour);
  p.fillRect(r.left(), r.bottom(), r.width(), 1, colour);
  p.fillRect(r.left(), r.top(), 1, r.height(), colour);
  p.fillRect(r.right(), r.top(), 1, r.height(), colour);
}

}  // namespace

ColourGroupBox::ColourGroupBox(QWidget* parent) : QGroupBox(parent) {
  fill_ = palette().color(QPalette::Window);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColourGroupBox::SetFillColour(const QColor& colour) {
  if (colour == fill_) return;
  fill_ = colour;
  update();
}

void ColourGroupBox::paintEvent(QPaintEvent* event) {
  if (title() != laid_out_text_ || font() != laid_out_font_) {
    laid_out_text_ = title();
    laid_out_font_ = font();
    laid_out_title_.setText(laid_out_text_);
    laid_out_title_.setTextFormat(Qt::PlainText);
    laid_out_title_.prepare(QTransform(), laid_out_font_);
  }
  QPainter painter(this);
  for (const QRect& area : event->region()) painter.fillRect(area, fill_);

  const QSizeF title_size = laid_out_title_.size();
  const int top = laid_out_text_.isEmpty() ? 0 : static_cast<int>(title_size.height()) / 2;
  // The etched frame: a dark rectangle with a light one a pixel inside it.
  const QRect frame = rect().adjusted(0, top, 0, 0);
  DrawOutline(painter, frame.adjusted(0, 0, -1, -1), palette().color(QPalette::Dark));
  DrawOutline(painter, frame.adjusted(1, 1, 0, 0), palette().color(QPalette::Light));

  if (laid_out_text_.isEmpty()) return;
  const int title_width = static_cast<int>(title_size.width() + 0.999);
  painter.fillRect(kTitleLeft, 0, title_width + 2 * kTitleGap, top + 2, fill_);
  painter.setFont(laid_out_font_);
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawStaticText(QPointF(kTitleLeft + kTitleGap, 0), laid_out_title_);
}

}  // namespace tintara
