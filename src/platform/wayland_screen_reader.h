#ifndef TINTARA_PLATFORM_WAYLAND_SCREEN_READER_H_
#define TINTARA_PLATFORM_WAYLAND_SCREEN_READER_H_

#include <QDBusConnection>
#include <memory>

#include "platform/screen_reader.h"

namespace tintara {

class PortalScreenshot;

// The screen on Wayland, where no program may read it: a copy comes from the
// desktop's screenshot portal when the picker freezes the screen, and every
// read afterwards is a read of that copy, which shows the same pixels.
class WaylandScreenReader final : public ScreenReader {
 public:
  explicit WaylandScreenReader(QDBusConnection bus = QDBusConnection::sessionBus());
  ~WaylandScreenReader() override;

  std::vector<QRect> Monitors() const override;
  QPoint CursorPosition() const override;
  QImage Grab(const QRect& area) const override;
  QRgb Pixel(QPoint position) const override;
  bool WindowsGone(const std::vector<const QWidget*>& windows) const override;
  int SettleTime() const override;
  bool ReadsLiveScreen() const override { return false; }
  bool PlacesWindows() const override { return false; }
  void FreezeDesktop(std::function<void(std::optional<QImage>)> done) override;

 private:
  std::unique_ptr<PortalScreenshot> portal_;
  QImage frozen_;  // the last copy the portal handed out, origin (0, 0)
};

}  // namespace tintara

#endif  // TINTARA_PLATFORM_WAYLAND_SCREEN_READER_H_
