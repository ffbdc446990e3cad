#include "mainwindow/client_area.h"

#include <QMouseEvent>
#include <QPainter>

#include "mainwindow/tform1.h"

namespace tintara {

ClientArea::ClientArea(TForm1* form) : QWidget(form), form_(form) {
  setFixedSize(TForm1::kClientWidth, TForm1::kClientHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
}

void ClientArea::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  painter.drawImage(area.topLeft(), form_->SurfaceImage(), area);
}

void ClientArea::mousePressEvent(QMouseEvent* event) {
  form_->FormMouseDown(event->button(), event->buttons(), event->position().toPoint());
}

void ClientArea::mouseMoveEvent(QMouseEvent* event) {
  form_->FormMouseMove(event->position().toPoint());
}

void ClientArea::mouseReleaseEvent(QMouseEvent*) { form_->FormMouseUp(); }

void ClientArea::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) form_->FormDblClick();
}

}  // namespace tintara
