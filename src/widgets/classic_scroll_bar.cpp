#include "widgets/classic_scroll_bar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace tintara {
namespace {

// A raised (or, pressed, sunken) button face with a two-pixel bevel.
void DrawBevel(QPainter& p, const QRect& r, const QPalette& pal, bool sunken) {
  if (r.width() < 2 || r.height() < 2) return;
  p.fillRect(r, pal.color(QPalette::Button));
  if (sunken) {
    p.fillRect(r.left(), r.top(), r.width(), 1, pal.color(QPalette::Mid));
    p.fillRect(r.left(), r.top(), 1, r.height(), pal.color(QPalette::Mid));
    p.fillRect(r.left(), r.bottom(), r.width(), 1, pal.color(QPalette::Mid));
    p.fillRect(r.right(), r.top(), 1, r.height(), pal.color(QPalette::Mid));
    return;
  }
  const QColor light = pal.color(QPalette::Light);
  const QColor mid = pal.color(QPalette::Mid);
  const QColor dark = pal.color(QPalette::Shadow);
  p.fillRect(r.left(), r.top(), r.width() - 1, 1, pal.color(QPalette::Button).lighter(105));
  p.fillRect(r.left(), r.top(), 1, r.height() - 1, pal.color(QPalette::Button).lighter(105));
  p.fillRect(r.left() + 1, r.top() + 1, r.width() - 3, 1, light);
  p.fillRect(r.left() + 1, r.top() + 1, 1, r.height() - 3, light);
  p.fillRect(r.left() + 1, r.bottom() - 1, r.width() - 2, 1, mid);
  p.fillRect(r.right() - 1, r.top() + 1, 1, r.height() - 2, mid);
  p.fillRect(r.left(), r.bottom(), r.width(), 1, dark);
  p.fillRect(r.right(), r.top(), 1, r.height(), dark);
}

// A small solid triangle pointing away from the centre of the bar.
void DrawArrow(QPainter& p, const QRect& r, Qt::ArrowType direction, const QColor& colour,
               bool sunken) {
  const QPoint c = r.center() + (sunken ? QPoint(1, 1) : QPoint(0, 0));
  constexpr int kSize = 4;
  for (int i = 0; i < kSize; ++i) {
    const int half = i;  // width grows by two pixels per step
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

}  // namespace

ClassicScrollBar::ClassicScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClassicScrollBar::paintEvent(QPaintEvent*) {
  QStyleOptionSlider option;
  initStyleOption(&option);
  const QStyle* s = style();
  const QRect sub =
      s->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSubLine, this);
  const QRect add =
      s->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, this);
  const QRect thumb =
      s->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
  const QPalette& pal = palette();
  const bool horizontal = orientation() == Qt::Horizontal;
  const bool pressed = option.state & QStyle::State_Sunken;
  const QColor arrow = isEnabled() ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Mid);

  QPainter p(this);
  // The track: a light tint of the button face.
  const QColor face = pal.color(QPalette::Button);
  const QColor light = pal.color(QPalette::Light);
  p.fillRect(rect(), QColor((face.red() + light.red()) / 2, (face.green() + light.green()) / 2,
                            (face.blue() + light.blue()) / 2));
  const bool sub_down = pressed && option.activeSubControls == QStyle::SC_ScrollBarSubLine;
  const bool add_down = pressed && option.activeSubControls == QStyle::SC_ScrollBarAddLine;
  DrawBevel(p, sub, pal, sub_down);
  DrawBevel(p, add, pal, add_down);
  DrawArrow(p, sub, horizontal ? Qt::LeftArrow : Qt::UpArrow, arrow, sub_down);
  DrawArrow(p, add, horizontal ? Qt::RightArrow : Qt::DownArrow, arrow, add_down);
  if (isEnabled() && maximum() > minimum()) DrawBevel(p, thumb, pal, false);
}

}  // namespace tintara
