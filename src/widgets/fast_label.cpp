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
  const RenderedFrom from{
      text(),
      font(),
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()),
      size(),
      QStyle::visualAlignment(layoutDirection(), alignment()),
      margin(),
      devicePixelRatioF()};
  if (rendered_.isNull() || !(from == rendered_from_)) Render(from);
  QPainter painter(this);
  if (autoFillBackground()) painter.fillRect(rect(), palette().color(backgroundRole()));
  painter.drawImage(0, 0, rendered_);
}

void FastLabel::Render(const RenderedFrom& from) {
  rendered_from_ = from;
  rendered_ = QImage(from.size * from.pixel_ratio, QImage::Format_ARGB32_Premultiplied);
  rendered_.setDevicePixelRatio(from.pixel_ratio);
  rendered_.fill(Qt::transparent);
  QPainter painter(&rendered_);
  painter.setFont(from.font);
  painter.setPen(from.colour);
  const QRect area = contentsRect().adjusted(from.margin, from.margin, -from.margin, -from.margin);
  painter.drawText(area, static_cast<int>(from.alignment) | Qt::TextSingleLine, from.text);
}

}  // namespace tintara
