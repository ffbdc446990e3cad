#include "mainwindow/user_palette/user_slot.h"

#include <QMouseEvent>
#include <QPainter>

namespace tintara {

UserSlot::UserSlot(int number, QWidget* parent) : QWidget(parent), number_(number) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  QFont bold = font();
  bold.setBold(true);
  setFont(bold);
}

void UserSlot::SetColour(const QColor& colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
}

void UserSlot::SetCaptionStyle(bool underlined, const QColor& colour) {
  if (underlined == underlined_ && colour == caption_colour_) return;
  underlined_ = underlined;
  caption_colour_ = colour;
  QFont caption = font();
  caption.setUnderline(underlined);
  setFont(caption);
  update();
}

void UserSlot::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect r = rect();
  painter.fillRect(r, colour_);
  // A one-pixel raised bevel, as a panel has.
  const QColor light = palette().color(QPalette::Light);
  const QColor shadow = palette().color(QPalette::Dark);
  painter.fillRect(r.left(), r.top(), r.width(), 1, light);
  painter.fillRect(r.left(), r.top(), 1, r.height(), light);
  painter.fillRect(r.left(), r.bottom(), r.width(), 1, shadow);
  painter.fillRect(r.right(), r.top(), 1, r.height(), shadow);
  painter.setPen(caption_colour_);
  painter.drawText(r, Qt::AlignCenter, QString::number(number_));
}

void UserSlot::mousePressEvent(QMouseEvent* event) { pressed_ = event->button() == Qt::LeftButton; }

void UserSlot::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) emit Clicked();
}

void UserSlot::mouseDoubleClickEvent(QMouseEvent* event) {
  // The press of a double click starts no click of its own.
  pressed_ = false;
  if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

void UserSlot::mouseMoveEvent(QMouseEvent*) { emit MouseMoved(); }

}  // namespace tintara
