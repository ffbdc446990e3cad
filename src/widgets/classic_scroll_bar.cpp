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
  const bool pressed = option.state & QStyle::State_Sunken;
  const TrackLook look{size(),
                       palette().cacheKey(),
                       devicePixelRatioF(),
                       isEnabled(),
                       pressed && option.activeSubControls == QStyle::SC_ScrollBarSubLine,
                       pressed && option.activeSubControls == QStyle::SC_ScrollBarAddLine};
  if (track_picture_.isNull() || !(look == track_look_)) {
    track_look_ = look;
    track_picture_ = TrackPicture(option);
    thumb_picture_ = QImage();
  }
  QPainter p(this);
  p.drawImage(0, 0, track_picture_);
  if (isEnabled() && maximum() > minimum()) {
    const QRect thumb =
        s->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    if (thumb_picture_.isNull() || thumb_picture_.deviceIndependentSize() != thumb.size()) {
      thumb_picture_ = QImage(thumb.size() * look.pixel_ratio, QImage::Format_RGB32);
      thumb_picture_.setDevicePixelRatio(look.pixel_ratio);
      QPainter thumb_painter(&thumb_picture_);
      DrawRaisedBevel(thumb_painter, QRect(QPoint(0, 0), thumb.size()), palette(), false);
    }
    p.drawImage(thumb.topLeft(), thumb_picture_);
  }
}

// Everything but the thumb, which alone moves while the bar is dragged.
QImage ClassicScrollBar::TrackPicture(const QStyleOptionSlider& option) const {
  const QStyle* s = style();
  const QRect sub =
      s->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSubLine, this);
  const QRect add =
      s->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, this);
  const QPalette& pal = palette();
  const bool horizontal = orientation() == Qt::Horizontal;
  const QColor arrow = isEnabled() ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Mid);

  QImage picture(size() * track_look_.pixel_ratio, QImage::Format_RGB32);
  picture.setDevicePixelRatio(track_look_.pixel_ratio);
  QPainter p(&picture);
  // The track: a light tint of the button face.
  const QColor face = pal.color(QPalette::Button);
  const QColor light = pal.color(QPalette::Light);
  p.fillRect(rect(), QColor((face.red() + light.red()) / 2, (face.green() + light.green()) / 2,
                            (face.blue() + light.blue()) / 2));
  DrawRaisedBevel(p, sub, pal, track_look_.sub_down);
  DrawRaisedBevel(p, add, pal, track_look_.add_down);
  DrawArrow(p, sub, horizontal ? Qt::LeftArrow : Qt::UpArrow, arrow, track_look_.sub_down);
  DrawArrow(p, add, horizontal ? Qt::RightArrow : Qt::DownArrow, arrow, track_look_.add_down);
  return picture;
}

}  // namespace tintara
