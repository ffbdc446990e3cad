#include "platform/memory_screen_reader.h"

#include <QTimer>

namespace tintara {

MemoryScreenReader::MemoryScreenReader(std::vector<QRect> monitors)
    : monitors_(std::move(monitors)) {
  const QRect desktop = DesktopRect(monitors_);
  origin_ = desktop.topLeft();
  desktop_ = QImage(desktop.size(), QImage::Format_RGB32);
  desktop_.fill(Qt::black);
}

bool MemoryScreenReader::OnMonitor(QPoint position) const {
  for (const QRect& monitor : monitors_) {
    if (monitor.contains(position)) return true;
  }
  return false;
}

QImage MemoryScreenReader::Grab(const QRect& area) const {
  if (before_grab) before_grab();
  grabs_.push_back(area);
  QImage copy(area.size(), QImage::Format_RGB32);
  for (int y = 0; y < area.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
    for (int x = 0; x < area.width(); ++x) line[x] = Pixel(area.topLeft() + QPoint(x, y));
  }
  return copy;
}

QRgb MemoryScreenReader::Pixel(QPoint position) const {
  if (!OnMonitor(position)) return kUnreadablePixel;
  return desktop_.pixel(position - origin_);
}

void MemoryScreenReader::FreezeDesktop(std::function<void(std::optional<QImage>)> done) {
  if (live_ && !refuse_freeze_) {
    ScreenReader::FreezeDesktop(std::move(done));
    return;
  }
  std::optional<QImage> copy;
  if (!refuse_freeze_) copy = Grab(DesktopRect(monitors_));
  QTimer::singleShot(0, [done = std::move(done), copy = std::move(copy)] { done(copy); });
}

bool MemoryScreenReader::WindowsGone(const std::vector<const QWidget*>& windows) const {
  for (const QWidget* window : windows) {
    if (window->isVisible()) return false;
  }
  return true;
}

}  // namespace tintara
