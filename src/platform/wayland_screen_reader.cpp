#include "platform/wayland_screen_reader.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "platform/portal_screenshot.h"

namespace tintara {
namespace {

// Compositors fade a window out after it is hidden; the portal's copy
// should not show the ghost of the program's own window.
constexpr int kFadeOutMs = 250;

}  // namespace

WaylandScreenReader::WaylandScreenReader(QDBusConnection bus)
    : portal_(std::make_unique<PortalScreenshot>(bus)) {}

WaylandScreenReader::~WaylandScreenReader() = default;

std::vector<QRect> WaylandScreenReader::Monitors() const {
  // The copy is the screen as the desktop hands it out, all of it.
  if (!frozen_.isNull()) return {frozen_.rect()};
  std::vector<QRect> monitors;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->geometry();
    const qreal ratio = screen->devicePixelRatio();
    monitors.emplace_back(area.topLeft(),
                          QSize(static_cast<int>(std::lround(area.width() * ratio)),
                                static_cast<int>(std::lround(area.height() * ratio))));
  }
  if (monitors.empty()) monitors.emplace_back(0, 0, 1, 1);
  return monitors;
}

QPoint WaylandScreenReader::CursorPosition() const {
  // Known only over the program's own windows; elsewhere the last place
  // seen, which is where the pick was started.
  const QPoint logical = QCursor::pos();
  const QScreen* screen = QGuiApplication::screenAt(logical);
  const qreal ratio = screen != nullptr ? screen->devicePixelRatio() : 1;
  const QPoint origin = screen != nullptr ? screen->geometry().topLeft() : QPoint();
  return origin + QPoint(static_cast<int>(std::floor((logical.x() - origin.x()) * ratio)),
                         static_cast<int>(std::floor((logical.y() - origin.y()) * ratio)));
}

QImage WaylandScreenReader::Grab(const QRect& area) const {
  QImage copy(area.size(), QImage::Format_RGB32);
  for (int y = 0; y < area.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
    for (int x = 0; x < area.width(); ++x) line[x] = Pixel(area.topLeft() + QPoint(x, y));
  }
  return copy;
}

QRgb WaylandScreenReader::Pixel(QPoint position) const {
  if (!frozen_.rect().contains(position)) return kUnreadablePixel;
  return frozen_.pixel(position) | 0xFF000000u;
}

bool WaylandScreenReader::WindowsGone(const std::vector<const QWidget*>& windows) const {
  for (const QWidget* window : windows) {
    if (window->isVisible()) return false;
  }
  return true;
}

int WaylandScreenReader::SettleTime() const { return kFadeOutMs; }

void WaylandScreenReader::FreezeDesktop(std::function<void(std::optional<QImage>)> done) {
  portal_->Take([this, done = std::move(done)](PortalScreenshotResult result) {
    if (result.kind != PortalScreenshotResult::Kind::kPicture || result.picture.isNull()) {
      done(std::nullopt);
      return;
    }
    frozen_ = result.picture.convertToFormat(QImage::Format_RGB32);
    done(frozen_);
  });
}

}  // namespace tintara
