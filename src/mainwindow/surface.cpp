#include "mainwindow/surface.h"

#include <algorithm>

namespace tintara {

Surface::Surface(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0xff000000u) {}

QImage Surface::Image() const {
  return QImage(reinterpret_cast<const uchar*>(pixels_.data()), width_, height_,
                width_ * static_cast<int>(sizeof(std::uint32_t)), QImage::Format_RGB32);
}

void Surface::FillRect(int x1, int y1, int x2, int y2, std::uint32_t packed) {
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, width_);
  y2 = std::min(y2, height_);
  if (x1 >= x2 || y1 >= y2) return;
  const std::uint32_t argb = PackedToArgb(packed);
  for (int y = y1; y < y2; ++y) {
    std::uint32_t* line = pixels_.data() + static_cast<std::ptrdiff_t>(y) * width_;
    std::fill(line + x1, line + x2, argb);
  }
}

void Surface::SetPixel(int x, int y, std::uint32_t packed) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(x)] = PackedToArgb(packed);
}

QRegion Surface::TakeDirty() {
  QRegion dirty;
  dirty.swap(dirty_);
  return dirty;
}

}  // namespace tintara
