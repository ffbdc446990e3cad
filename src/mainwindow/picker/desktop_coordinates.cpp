#include "mainwindow/picker/desktop_coordinates.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace tintara {

qreal DeviceRatioOf(const QRect& monitor) {
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->geometry().topLeft() == monitor.topLeft()) return screen->devicePixelRatio();
  }
  return 1;
}

QPoint ToWindowCoordinates(QPoint device, const QRect& monitor) {
  const qreal ratio = DeviceRatioOf(monitor);
  const QPoint from_corner = device - monitor.topLeft();
  return monitor.topLeft() + QPoint(static_cast<int>(std::floor(from_corner.x() / ratio)),
                                    static_cast<int>(std::floor(from_corner.y() / ratio)));
}

QRect ToWindowRect(const QRect& device, const QRect& monitor) {
  const qreal ratio = DeviceRatioOf(monitor);
  return QRect(ToWindowCoordinates(device.topLeft(), monitor),
               QSize(static_cast<int>(std::ceil(device.width() / ratio)),
                     static_cast<int>(std::ceil(device.height() / ratio))));
}

PixelRect ToPixelRect(const QRect& rect) {
  return {rect.left(), rect.top(), rect.width(), rect.height()};
}

}  // namespace tintara
