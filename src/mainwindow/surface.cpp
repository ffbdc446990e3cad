#include "mainwindow/surface.h"

#include <algorithm>

namespace tintara {

Surface::Surface(int width, int height) : image_(width, height, QImage::Format_RGB32) {
  image_.fill(0);
}

void Surface::FillRect(int x1, int y1, int x2, int y2, std::uint32_t packed) {
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, image_.width());
  y2 = std::min(y2, image_.height());
  if (x1 >= x2 || y1 >= y2) return;
  const std::uint32_t argb = PackedToArgb(packed);
  for (int y = y1; y < y2; ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(image_.scanLine(y));
    std::fill(line + x1, line + x2, argb);
  }
  MarkDirty(QRect(x1, y1, x2 - x1, y2 - y1));
}

void Surface::SetPixel(int x, int y, std::uint32_t packed) {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
  reinterpret_cast<std::uint32_t*>(image_.scanLine(y))[x] = PackedToArgb(packed);
}

std::uint32_t Surface::PixelAt(int x, int y) const {
  return ArgbToPacked(reinterpret_cast<const std::uint32_t*>(image_.constScanLine(y))[x]);
}

QRect Surface::TakeDirty() {
  const QRect dirty = dirty_;
  dirty_ = QRect();
  return dirty;
}

}  // namespace tintara
