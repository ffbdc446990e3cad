#include "widgets/classic_scroll_bar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include "widgets/classic_drawing.h"

namespace tintara {

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
  DrawRaisedBevel(p, sub, pal, sub_down);
  DrawRaisedBevel(p, add, pal, add_down);
  DrawArrow(p, sub, horizontal ? Qt::LeftArrow : Qt::UpArrow, arrow, sub_down);
  DrawArrow(p, add, horizontal ? Qt::RightArrow : Qt::DownArrow, arrow, add_down);
  if (isEnabled() && maximum() > minimum()) DrawRaisedBevel(p, thumb, pal, false);
}

}  // namespace tintara
