#ifndef TINTARA_PLATFORM_X11_SCREEN_READER_H_
#define TINTARA_PLATFORM_X11_SCREEN_READER_H_

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/screen_reader.h"

struct xcb_connection_t;

namespace tintara {

// The desktop as the X server has it, read over the toolkit's own
// connection: our requests queue behind the toolkit's, so a window it has
// just unmapped is already off the screen when we look.
//
// Pixels are decoded for TrueColor roots of 16, 24 or 32 bits per pixel in
// either byte order, the common 24-bit BGRX layout by a straight copy. Any
// other root (a colour map, a packed odd size) reads white.
class X11ScreenReader final : public ScreenReader {
 public:
  // The reader of the application's own connection, or null when the
  // application does not run on X11.
  static std::unique_ptr<X11ScreenReader> ForApplication();

  // `connection` stays the caller's; `screen_number` picks its root window.
  X11ScreenReader(xcb_connection_t* connection, int screen_number);
  ~X11ScreenReader() override;
  X11ScreenReader(const X11ScreenReader&) = delete;
  X11ScreenReader& operator=(const X11ScreenReader&) = delete;

  std::vector<QRect> Monitors() const override;
  QPoint CursorPosition() const override;
  QImage Grab(const QRect& area) const override;
  QRgb Pixel(QPoint position) const override;
  bool WindowsGone(const std::vector<const QWidget*>& windows) const override;
  int SettleTime() const override;
  std::unique_ptr<ServerShownPicture> ShowOnServer(const QImage& frozen,
                                                   QWidget* window) const override;

 private:
  // How one channel sits in a pixel value.
  struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;  // The mask shifted down: the channel's full value.
  };

  struct SharedMemory;
  QRect RootRect() const;
  // Reads `area` through memory shared with the server: a whole screen in a
  // few milliseconds instead of a stream of megabytes over the socket.
  // Nothing when the server cannot.
  std::optional<QImage> GrabShared(const QRect& area) const;
  void DropSegment() const;
  void CopyPixels(const std::uint8_t* data, int stride, const QRect& part, const QRect& area,
                  QImage& image) const;

  xcb_connection_t* connection_;
  int screen_number_ = 0;
  std::uint32_t root_ = 0;
  // The root's size when last seen: the server may resize it at any time.
  mutable QRect root_rect_;
  mutable bool shared_memory_ = false;
  // The segment whole screens are read into, kept from one read to the
  // next: on many machines the first touch of a page costs more than the
  // copy, on our side and on the server's, and a kept segment has been
  // touched. A whole-screen picture in our pixel layout is the segment
  // itself, so it is only read into again once that picture is gone.
  mutable std::shared_ptr<SharedMemory> segment_;
  mutable std::uint32_t server_segment_ = 0;
  // Whether the server makes pixmaps of shared memory; asked once, when
  // first needed.
  mutable std::optional<bool> shared_pixmaps_;
  int root_depth_ = 0;

  bool readable_ = false;   // The root's pixels are of a kind we decode.
  bool bgrx_ = false;       // ... and are 32-bit 0x00RRGGBB in host order.
  bool lsb_first_ = true;   // The server's image byte order.
  int bits_per_pixel_ = 0;  // 16, 24 or 32 when readable.
  int scanline_pad_ = 32;   // In bits.
  Channel red_, green_, blue_;
};

}  // namespace tintara

#endif  // TINTARA_PLATFORM_X11_SCREEN_READER_H_
