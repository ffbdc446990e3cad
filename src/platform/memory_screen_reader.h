#ifndef TINTARA_PLATFORM_MEMORY_SCREEN_READER_H_
#define TINTARA_PLATFORM_MEMORY_SCREEN_READER_H_

#include <functional>
#include <vector>

#include "platform/screen_reader.h"

namespace tintara {

// A desktop held in a picture: for windows that are given no screen, and
// for tests, which paint it, move its pointer and watch every read.
class MemoryScreenReader final : public ScreenReader {
 public:
  // A desktop of these monitors, black until painted.
  explicit MemoryScreenReader(std::vector<QRect> monitors = {QRect(0, 0, 1024, 768)});

  std::vector<QRect> Monitors() const override { return monitors_; }
  QPoint CursorPosition() const override { return cursor_; }
  QImage Grab(const QRect& area) const override;
  QRgb Pixel(QPoint position) const override;
  bool WindowsGone(const std::vector<const QWidget*>& windows) const override;
  int SettleTime() const override { return 0; }
  bool ReadsLiveScreen() const override { return live_; }
  bool PlacesWindows() const override { return places_windows_; }
  // Hands the copy over later, as a portal does, or nothing once refused.
  void FreezeDesktop(std::function<void(std::optional<QImage>)> done) override;

  // A desktop like Wayland's: no live reads, no window placing.
  void BehaveLikeWayland() { live_ = places_windows_ = false; }
  // From now on the desktop hands out no copy of the screen.
  void RefuseFreeze() { refuse_freeze_ = true; }

  // The whole desktop; pixel (0, 0) is the desktop's top-left corner.
  QImage& Desktop() { return desktop_; }
  void SetCursorPosition(QPoint position) { cursor_ = position; }

  // Every area grabbed so far, in order.
  const std::vector<QRect>& Grabs() const { return grabs_; }
  // Runs before each grab, to see what is on the screen at that moment.
  std::function<void()> before_grab;

 private:
  bool OnMonitor(QPoint position) const;

  std::vector<QRect> monitors_;
  QPoint origin_;
  QImage desktop_;
  QPoint cursor_;
  mutable std::vector<QRect> grabs_;
  bool live_ = true;
  bool places_windows_ = true;
  bool refuse_freeze_ = false;
};

}  // namespace tintara

#endif  // TINTARA_PLATFORM_MEMORY_SCREEN_READER_H_
