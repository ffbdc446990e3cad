#include "widgets/colour_group_box.h"

#include <QPaintEvent>
#include <QPainter>

namespace tintara {

namespace {

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
  QPainter painter(this);
  for (const QRect& area : event->region()) painter.fillRect(area, fill_);
  // The etched frame: a dark rectangle with a light one a pixel inside it.
  DrawOutline(painter, rect().adjusted(0, 0, -1, -1), palette().color(QPalette::Dark));
  DrawOutline(painter, rect().adjusted(1, 1, 0, 0), palette().color(QPalette::Light));
}

}  // namespace tintara
