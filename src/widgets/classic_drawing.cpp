#include "widgets/classic_drawing.h"

#include <QPainter>
#include <utility>

namespace tintara {

void DrawRaisedBevel(QPainter& p, const QRect& r, const QPalette& pal, bool pressed) {
  if (r.width() < 2 || r.height() < 2) return;
  p.fillRect(r, pal.color(QPalette::Button));
  if (pressed) {
    p.fillRect(r.left(), r.top(), r.width(), 1, pal.color(QPalette::Mid));
    p.fillRect(r.left(), r.top(), 1, r.height(), pal.color(QPalette::Mid));
    p.fillRect(r.left(), r.bottom(), r.width(), 1, pal.color(QPalette::Mid));
    p.fillRect(r.right(), r.top(), 1, r.height(), pal.color(QPalette::Mid));
    return;
  }
  const QColor outer_light = pal.color(QPalette::Button).lighter(105);
  p.fillRect(r.left(), r.top(), r.width() - 1, 1, outer_light);
  p.fillRect(r.left(), r.top(), 1, r.height() - 1, outer_light);
  p.fillRect(r.left() + 1, r.top() + 1, r.width() - 3, 1, pal.color(QPalette::Light));
  p.fillRect(r.left() + 1, r.top() + 1, 1, r.height() - 3, pal.color(QPalette::Light));
  p.fillRect(r.left() + 1, r.bottom() - 1, r.width() - 2, 1, pal.color(QPalette::Mid));
  p.fillRect(r.right() - 1, r.top() + 1, 1, r.height() - 2, pal.color(QPalette::Mid));
  p.fillRect(r.left(), r.bottom(), r.width(), 1, pal.color(QPalette::Shadow));
  p.fillRect(r.right(), r.top(), 1, r.height(), pal.color(QPalette::Shadow));
}

void DrawSunkenEdge(QPainter& p, const QRect& r, const QPalette& pal) {
  p.fillRect(r.left(), r.top(), r.width() - 1, 1, pal.color(QPalette::Mid));
  p.fillRect(r.left(), r.top(), 1, r.height() - 1, pal.color(QPalette::Mid));
  p.fillRect(r.left() + 1, r.top() + 1, r.width() - 3, 1, pal.color(QPalette::Shadow));
  p.fillRect(r.left() + 1, r.top() + 1, 1, r.height() - 3, pal.color(QPalette::Shadow));
  p.fillRect(r.left(), r.bottom(), r.width(), 1, pal.color(QPalette::Light));
  p.fillRect(r.right(), r.top(), 1, r.height(), pal.color(QPalette::Light));
  p.fillRect(r.left() + 1, r.bottom() - 1, r.width() - 2, 1, pal.color(QPalette::Button));
  p.fillRect(r.right() - 1, r.top() + 1, 1, r.height() - 2, pal.color(QPalette::Button));
}

QRect DrawClosedList(QPainter& p, const QRect& r, const QPalette& pal, bool enabled, bool open,
                     int button_width) {
  const QRect inside = r.adjusted(2, 2, -2, -2);
  p.fillRect(inside, enabled ? pal.base() : pal.button());
  DrawSunkenEdge(p, r, pal);
  const QRect button(inside.right() + 1 - button_width, inside.top(), button_width,
                     inside.height());
  DrawRaisedBevel(p, button, pal, open);
  DrawArrow(p, button, Qt::DownArrow,
            enabled ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Mid), open);
  return QRect(inside.topLeft(), QPoint(button.left() - 1, inside.bottom()));
}

void DrawArrow(QPainter& p, const QRect& r, Qt::ArrowType direction, const QColor& colour,
               bool pressed) {
  const QPoint c = r.center() + (pressed ? QPoint(1, 1) : QPoint(0, 0));
  constexpr int kSize = 4;
  for (int i = 0; i < kSize; ++i) {
    const int half = i;  // the triangle widens by two pixels per line
    switch (direction) {
      case Qt::UpArrow:
        p.fillRect(c.x() - half, c.y() - 2 + i, 2 * half + 1, 1, colour);
        break;
      case Qt::DownArrow:
        p.fillRect(c.x() - half, c.y() + 1 - i, 2 * half + 1, 1, colour);
        break;
      case Qt::LeftArrow:
        p.fillRect(c.x() - 2 + i, c.y() - half, 1, 2 * half + 1, colour);
        break;
      default:
        p.fillRect(c.x() + 1 - i, c.y() - half, 1, 2 * half + 1, colour);
        break;
    }
  }
}

void DrawEdgeLine(QPainter& p, const QRect& r, const QColor& top_left, const QColor& bottom_right) {
  if (r.width() < 1 || r.height() < 1) return;
  p.fillRect(r.left(), r.top(), r.width() - 1, 1, top_left);
  p.fillRect(r.left(), r.top(), 1, r.height() - 1, top_left);
  p.fillRect(r.left(), r.bottom(), r.width(), 1, bottom_right);
  p.fillRect(r.right(), r.top(), 1, r.height(), bottom_right);
}

void DrawSpeedButtonFace(QPainter& p, const QRect& r, const QPalette& pal, bool sunken) {
  const QColor light = pal.color(QPalette::Light);
  const QColor midlight = pal.color(QPalette::Midlight);
  const QColor dark = pal.color(QPalette::Dark);
  const QColor shadow = pal.color(QPalette::Shadow);
  p.fillRect(r.adjusted(2, 2, -2, -2), pal.color(QPalette::Button));
  const QRect inner = r.adjusted(1, 1, -1, -1);
  if (sunken) {
    DrawEdgeLine(p, r, shadow, light);
    DrawEdgeLine(p, inner, dark, midlight);
  } else {
    DrawEdgeLine(p, r, light, shadow);
    DrawEdgeLine(p, inner, midlight, dark);
  }
}

QImage EmbossedGlyph(const QImage& glyph, const QPalette& pal) {
  const QImage source = glyph.convertToFormat(QImage::Format_ARGB32);
  QImage result(source.width() + 1, source.height() + 1, QImage::Format_ARGB32);
  result.fill(Qt::transparent);
  result.setDevicePixelRatio(source.devicePixelRatio());
  const QRgb light = pal.color(QPalette::Light).rgb();
  const QRgb shadow = pal.color(QPalette::Dark).rgb();
  const auto marked = [&source](int x, int y) {
    const QRgb pixel = source.pixel(x, y);
    return qAlpha(pixel) >= 128 && (pixel | 0xff000000u) != 0xffffffffu;
  };
  // The highlight goes first so that the shadow covers it where they meet.
  for (const auto& [colour, shift] : {std::pair{light, 1}, std::pair{shadow, 0}}) {
    for (int y = 0; y < source.height(); ++y) {
      for (int x = 0; x < source.width(); ++x) {
        if (marked(x, y)) result.setPixel(x + shift, y + shift, colour);
      }
    }
  }
  return result;
}

}  // namespace tintara
