#ifndef TINTARA_PLATFORM_SCREEN_READER_H_
#define TINTARA_PLATFORM_SCREEN_READER_H_

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// What the program can see of the desktop: its monitors, the pointer, and the
// pixels on them. Every coordinate here is in device pixels of the whole
// desktop (the X root window's own coordinates), whatever scaling the
// toolkit applies to windows, so a read at the pointer's position is the
// physical pixel under the pointer's hot spot.
namespace tintara {

// White is what the picker shows for a pixel that cannot be read.
inline constexpr QRgb kUnreadablePixel = 0xFFFFFFFFu;

// A frozen copy the display server shows on a window by itself, until this
// goes.
class ServerShownPicture {
 public:
  virtual ~ServerShownPicture() = default;
  // The picture's pixels in `device` changed: shown again from the picture.
  virtual void Refresh(const QRect& device) = 0;
};

class ScreenReader {
 public:
  virtual ~ScreenReader() = default;

  // The monitors, in the desktop's order (the primary one first where the
  // desktop says which it is). Never empty.
  virtual std::vector<QRect> Monitors() const = 0;
  // The pointer's position.
  virtual QPoint CursorPosition() const = 0;
  // A copy of `area` as it is on the screen now, Format_RGB32, sized as
  // `area`. Pixels that cannot be read (off every monitor, or the read
  // failed) are white.
  virtual QImage Grab(const QRect& area) const = 0;
  // One pixel as it is on the screen now; kUnreadablePixel when it cannot
  // be read.
  virtual QRgb Pixel(QPoint position) const = 0;
  // True once the display server has taken every one of `windows` off the
  // screen, so that a copy of the screen shows what lies beneath them.
  virtual bool WindowsGone(const std::vector<const QWidget*>& windows) const = 0;
  // Milliseconds to wait after the windows are gone before the screen shows
  // what lies beneath: a compositing manager fades windows out.
  virtual int SettleTime() const = 0;

  // Whether the live screen can be read on every move. Where it cannot, only
  // a frozen copy of it is handed out.
  virtual bool ReadsLiveScreen() const { return true; }
  // Whether the program's windows can place themselves on the desktop.
  virtual bool PlacesWindows() const { return true; }
  // A copy of the whole desktop (DesktopRect of the monitors as they are
  // then), handed to `done` now or later on this thread; nothing when the
  // desktop hands out none.
  virtual void FreezeDesktop(std::function<void(std::optional<QImage>)> done);
  // Shows `frozen`, a copy this reader handed out, over the whole of
  // `window` (shown, and exactly as large in device pixels) by the display
  // server alone, so that the program need not paint it. Null where the
  // server cannot; the window then paints the picture itself.
  virtual std::unique_ptr<ServerShownPicture> ShowOnServer(const QImage& /*frozen*/,
                                                           QWidget* /*window*/) const {
    return nullptr;
  }
};

// The smallest rectangle that holds every monitor.
QRect DesktopRect(const std::vector<QRect>& monitors);
// The monitor that holds `position`, or the nearest one when none does.
QRect MonitorAt(const std::vector<QRect>& monitors, QPoint position);

// The screen of this session: X11 read directly from the server; on Wayland
// the copies the desktop's screenshot portal hands out; anywhere else what
// the toolkit can grab.
std::unique_ptr<ScreenReader> MakeDesktopScreenReader();

}  // namespace tintara

#endif  // TINTARA_PLATFORM_SCREEN_READER_H_
