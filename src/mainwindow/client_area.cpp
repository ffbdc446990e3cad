#include "mainwindow/client_area.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "mainwindow/tform1.h"

namespace tintara {

SurfaceMark::SurfaceMark(ClientArea* area, QImage image)
    : area_(area), image_(std::move(image)), geometry_(QPoint(0, 0), image_.size()) {}

void SurfaceMark::move(int x, int y) {
  if (geometry_.topLeft() == QPoint(x, y)) return;
  area_->update(geometry_);
  geometry_.moveTopLeft({x, y});
  area_->update(geometry_);
}

ClientArea::ClientArea(TForm1* form) : QWidget(form), form_(form) {
  setFixedSize(TForm1::kClientWidth, TForm1::kClientHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
}

ClientArea::~ClientArea() = default;

SurfaceMark* ClientArea::AddMark(const QImage& image) {
  marks_.push_back(std::unique_ptr<SurfaceMark>(new SurfaceMark(this, image)));
  update(marks_.back()->geometry());
  return marks_.back().get();
}

void ClientArea::paintEvent(QPaintEvent* event) {
  // Blit each dirty rectangle on its own: their bounding box can span the
  // whole window when two distant regions change together.
  QPainter painter(this);
  const QImage image = form_->SurfaceImage();
  for (const QRect& area : event->region()) painter.drawImage(area.topLeft(), image, area);
  for (const auto& mark : marks_) {
    if (event->region().intersects(mark->geometry())) {
      painter.drawImage(mark->geometry().topLeft(), mark->image_);
    }
  }
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

void ClientArea::contextMenuEvent(QContextMenuEvent* event) {
  form_->PopupMenu->popup(event->globalPos());
}

}  // namespace tintara
