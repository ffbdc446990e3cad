#include "widgets/colour_group_box.h"

#include <QPainter>

namespace tintara {

ColourGroupBox::ColourGroupBox(QWidget* parent) : QGroupBox(parent) {
  fill_ = palette().color(QPalette::Window);
}

void ColourGroupBox::SetFillColour(const QColor& colour) {
  if (colour == fill_) return;
  fill_ = colour;
  update();
}

void ColourGroupBox::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    painter.fillRect(rect(), fill_);
  }
  QGroupBox::paintEvent(event);
}

}  // namespace tintara
