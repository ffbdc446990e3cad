#ifndef TINTARA_MAINWINDOW_SURFACE_H_
#define TINTARA_MAINWINDOW_SURFACE_H_

#include <QImage>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <vector>

namespace tintara {

// The window's drawing surface: every drawing call writes its pixels at
// once, and the paint event only copies the changed part to the screen.
// Drawing calls do not record what they changed; each drawing step marks its
// whole area once. The
// pixels live in a buffer of our own, so writing never has to wait for or
// copy an image the toolkit may still hold.
class Surface {
 public:
  Surface(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A view of the pixels, valid until the surface is destroyed.
  QImage Image() const;

  // Fills x1 <= x < x2, y1 <= y < y2 with a packed 0x00BBGGRR colour.
  void FillRect(int x1, int y1, int x2, int y2, std::uint32_t packed);
  // A rectangle drawn with no pen outline covers one pixel less to the
  // right and at the bottom: x1 <= x < x2 - 1, y1 <= y < y2 - 1.
  void FillRectNoPen(int x1, int y1, int x2, int y2, std::uint32_t packed) {
    FillRect(x1, y1, x2 - 1, y2 - 1, packed);
  }
  void SetPixel(int x, int y, std::uint32_t packed);
  void MarkDirty(const QRect& rect) { dirty_ += rect; }

  // The part drawn since the last call, then forgotten.
  QRegion TakeDirty();

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;  // 0xffRRGGBB, row after row
  // Kept as separate rectangles: a bounding box of the palette, the strips
  // and the swatch would repaint every control in between.
  QRegion dirty_;
};

// 0x00BBGGRR to the surface's 0xffRRGGBB and back.
constexpr std::uint32_t PackedToArgb(std::uint32_t packed) {
  return 0xff000000u | ((packed & 0xffu) << 16) | (packed & 0xff00u) | ((packed >> 16) & 0xffu);
}
constexpr std::uint32_t ArgbToPacked(std::uint32_t argb) {
  return ((argb >> 16) & 0xffu) | (argb & 0xff00u) | ((argb & 0xffu) << 16);
}

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_SURFACE_H_
