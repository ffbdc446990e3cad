#include "widgets/fast_label.h"

#include <QPainter>
#include <QStyle>

namespace tintara {

FastLabel::FastLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setTextFormat(Qt::PlainText);
}

void FastLabel::paintEvent(QPaintEvent* event) {
  if (!pixmap().isNull() || wordWrap() || textFormat() != Qt::PlainText || text().contains('\n')) {
    QLabel::paintEvent(event);
    return;
  }
  if (text() != laid_out_text_ || font() != laid_out_font_) {
    laid_out_text_ = text();
    laid_out_font_ = font();
    laid_out_.setText(laid_out_text_);
    laid_out_.setTextFormat(Qt::PlainText);
    laid_out_.prepare(QTransform(), laid_out_font_);
  }
  QPainter painter(this);
  if (autoFillBackground()) painter.fillRect(rect(), palette().color(backgroundRole()));
  const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  const QSizeF size = laid_out_.size();
  const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
  qreal x = area.left();
  if (align & Qt::AlignRight) {
    x = area.right() + 1 - size.width();
  } else if (align & Qt::AlignHCenter) {
    x = area.left() + (area.width() - size.width()) / 2;
  }
  qreal y = area.top();
  if (align & Qt::AlignBottom) {
    y = area.bottom() + 1 - size.height();
  } else if (align & Qt::AlignVCenter) {
    y = area.top() + (area.height() - size.height()) / 2;
  }
  painter.setFont(laid_out_font_);
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
  painter.drawStaticText(QPointF(x, y), laid_out_);
}

}  // namespace tintara
