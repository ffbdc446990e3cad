#include "mainwindow/picker/piccer_button.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tintara {

PiccerButton::PiccerButton(QWidget* parent) : TFlatBtn(parent) {}

void PiccerButton::mousePressEvent(QMouseEvent* event) {
  TFlatBtn::mousePressEvent(event);
  if (on_press) on_press(event->button(), event->buttons());
}

void PiccerButton::mouseMoveEvent(QMouseEvent* event) {
  TFlatBtn::mouseMoveEvent(event);
  if (on_move) on_move();
}

void PiccerButton::mouseReleaseEvent(QMouseEvent* event) {
  TFlatBtn::mouseReleaseEvent(event);
  if (on_release) on_release();
}

void PiccerButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && on_escape) {
    on_escape();
    return;
  }
  TFlatBtn::keyPressEvent(event);
}

}  // namespace tintara
