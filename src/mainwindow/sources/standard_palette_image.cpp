#include "mainwindow/sources/standard_palette_image.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "colour/colour_text.h"
#include "mainwindow/sources/colour_sources.h"

namespace tintara {

StandardPaletteImage::StandardPaletteImage(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void StandardPaletteImage::SetHint(const QString& hint) {
  if (hint == toolTip()) return;
  setToolTip(hint);
  // A tip already showing follows the mouse from cell to cell.
  if (QToolTip::isVisible() && underMouse()) QToolTip::showText(QCursor::pos(), hint, this);
}

void StandardPaletteImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  for (int k = 0; k < kStandardColorCount; ++k) {
    const RgbColor colour = StandardColor(k);
    painter.fillRect(k * kStandardCellWidth, 0, kStandardCellWidth, height(),
                     QColor(colour.r, colour.g, colour.b));
  }
}

void StandardPaletteImage::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMoved(event->position().toPoint().x());
}

void StandardPaletteImage::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
}

void StandardPaletteImage::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) emit Clicked();
}

}  // namespace tintara
