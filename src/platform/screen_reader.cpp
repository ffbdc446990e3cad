#include "platform/screen_reader.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/wayland_screen_reader.h"
#include "platform/x11_screen_reader.h"

namespace tintara {
namespace {

// What the toolkit can show of the screen, for platforms without a reader of
// their own. The toolkit keeps a screen's top-left corner in device pixels
// and scales only from there, so a point maps to device pixels by its screen.
class QtScreenReader final : public ScreenReader {
 public:
  std::vector<QRect> Monitors() const override {
    std::vector<QRect> monitors;
    for (const QScreen* screen : QGuiApplication::screens()) monitors.push_back(Device(screen));
    if (monitors.empty()) monitors.emplace_back(0, 0, 1, 1);
    return monitors;
  }

  QPoint CursorPosition() const override {
    const QPoint position = QCursor::pos();
    const QScreen* screen = QGuiApplication::screenAt(position);
    if (!screen) return position;
    const QPoint origin = screen->geometry().topLeft();
    return origin + (QPointF(position - origin) * screen->devicePixelRatio()).toPoint();
  }

  QImage Grab(const QRect& area) const override {
    QImage image(area.size(), QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(kUnreadablePixel);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (QScreen* screen : QGuiApplication::screens()) {
      const QRect device = Device(screen);
      const QRect part = area & device;
      if (part.isEmpty()) continue;
      // The logical rectangle, relative to the screen, that covers the part.
      const qreal ratio = screen->devicePixelRatio();
      const QPoint from = part.topLeft() - device.topLeft();
      const int left = static_cast<int>(std::floor(from.x() / ratio));
      const int top = static_cast<int>(std::floor(from.y() / ratio));
      const int right = static_cast<int>(std::ceil((from.x() + part.width()) / ratio));
      const int bottom = static_cast<int>(std::ceil((from.y() + part.height()) / ratio));
      const QPixmap pixmap = screen->grabWindow(0, left, top, right - left, bottom - top);
      if (pixmap.isNull()) continue;
      QImage grabbed = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
      const QSize size = (QSizeF(right - left, bottom - top) * ratio).toSize();
      if (grabbed.size() != size)
        grabbed = grabbed.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
      grabbed.setDevicePixelRatio(1);
      const QPoint grabbed_at =
          device.topLeft() + (QPointF(left, top) * ratio).toPoint();  // Its pixel (0, 0).
      painter.drawImage(part.topLeft() - area.topLeft(), grabbed,
                        QRect(part.topLeft() - grabbed_at, part.size()));
    }
    return image;
  }

  QRgb Pixel(QPoint position) const override {
    return Grab(QRect(position, QSize(1, 1))).pixel(0, 0);
  }

  bool WindowsGone(const std::vector<const QWidget*>& windows) const override {
    return std::all_of(windows.begin(), windows.end(),
                       [](const QWidget* window) { return !window || !window->isVisible(); });
  }

  int SettleTime() const override { return 0; }

 private:
  static QRect Device(const QScreen* screen) {
    const QRect logical = screen->geometry();
    return QRect(logical.topLeft(), (QSizeF(logical.size()) * screen->devicePixelRatio()).toSize());
  }
};

// Squared, so that it stays exact.
std::int64_t DistanceSquared(const QRect& rect, QPoint point) {
  const std::int64_t dx = std::max({rect.left() - point.x(), 0, point.x() - rect.right()});
  const std::int64_t dy = std::max({rect.top() - point.y(), 0, point.y() - rect.bottom()});
  return dx * dx + dy * dy;
}

}  // namespace

QRect DesktopRect(const std::vector<QRect>& monitors) {
  QRect desktop;
  for (const QRect& monitor : monitors) desktop = desktop.united(monitor);
  return desktop;
}

QRect MonitorAt(const std::vector<QRect>& monitors, QPoint position) {
  QRect nearest;
  std::int64_t best = std::numeric_limits<std::int64_t>::max();
  for (const QRect& monitor : monitors) {
    const std::int64_t distance = DistanceSquared(monitor, position);
    if (distance < best) {
      best = distance;
      nearest = monitor;
    }
  }
  return nearest;
}

void ScreenReader::FreezeDesktop(std::function<void(std::optional<QImage>)> done) {
  done(Grab(DesktopRect(Monitors())));
}

std::unique_ptr<ScreenReader> MakeDesktopScreenReader() {
  const QString platform = QGuiApplication::platformName();
  if (platform == QLatin1String("xcb")) {
    if (auto x11 = X11ScreenReader::ForApplication()) return x11;
  }
  if (platform.startsWith(QLatin1String("wayland"))) return std::make_unique<WaylandScreenReader>();
  return std::make_unique<QtScreenReader>();
}

}  // namespace tintara
