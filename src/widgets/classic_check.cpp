#include "widgets/classic_check.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace tintara {
namespace {

constexpr int kIndicator = 13;

// The indicator's top left, vertically centred at the left of the widget.
QPoint IndicatorOrigin(const QWidget& w) { return {0, (w.height() - kIndicator) / 2}; }

// The sunken square frame of a classic indicator, with its field.
void DrawSunkenSquare(QPainter& p, QPoint o, const QPalette& pal, const QColor& field) {
  p.fillRect(o.x(), o.y(), kIndicator, kIndicator, field);
  p.fillRect(o.x(), o.y(), kIndicator - 1, 1, pal.color(QPalette::Mid));
  p.fillRect(o.x(), o.y(), 1, kIndicator - 1, pal.color(QPalette::Mid));
  p.fillRect(o.x() + 1, o.y() + 1, kIndicator - 3, 1, pal.color(QPalette::Shadow));
  p.fillRect(o.x() + 1, o.y() + 1, 1, kIndicator - 3, pal.color(QPalette::Shadow));
  p.fillRect(o.x(), o.y() + kIndicator - 1, kIndicator, 1, pal.color(QPalette::Light));
  p.fillRect(o.x() + kIndicator - 1, o.y(), 1, kIndicator, pal.color(QPalette::Light));
  p.fillRect(o.x() + 1, o.y() + kIndicator - 2, kIndicator - 2, 1, pal.color(QPalette::Button));
  p.fillRect(o.x() + kIndicator - 2, o.y() + 1, 1, kIndicator - 2, pal.color(QPalette::Button));
}

// The tick: seven columns, three pixels tall, falling then rising.
void DrawTick(QPainter& p, QPoint o, const QColor& colour) {
  constexpr int kTops[7] = {5, 6, 7, 6, 5, 4, 3};
  for (int i = 0; i < 7; ++i) p.fillRect(o.x() + 3 + i, o.y() + kTops[i], 1, 3, colour);
}

// A round classic radio indicator, drawn smooth once per colour set and kept.
QImage RadioPicture(const QPalette& pal, bool checked, bool enabled, bool down) {
  const QColor field = enabled && !down ? pal.color(QPalette::Base) : pal.color(QPalette::Button);
  const QColor dot = enabled ? pal.color(QPalette::Text) : pal.color(QPalette::Mid);
  const QString key = QStringLiteral("%1%2%3%4%5")
                          .arg(field.rgb())
                          .arg(dot.rgb())
                          .arg(pal.color(QPalette::Mid).rgb())
                          .arg(pal.color(QPalette::Light).rgb())
                          .arg(checked);
  static QHash<QString, QImage> cache;
  if (const auto it = cache.constFind(key); it != cache.constEnd()) return *it;
  QImage image(kIndicator, kIndicator, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(pal.color(QPalette::Light));
  p.drawEllipse(QRectF(0, 0, kIndicator, kIndicator));
  p.setBrush(pal.color(QPalette::Mid));
  p.drawEllipse(QRectF(0, 0, kIndicator - 1, kIndicator - 1));
  p.setBrush(field);
  p.drawEllipse(QRectF(1.5, 1.5, kIndicator - 3, kIndicator - 3));
  if (checked) {
    p.setBrush(dot);
    p.drawEllipse(QRectF(4, 4, 5, 5));
  }
  p.end();
  if (cache.size() > 64) cache.clear();
  cache.insert(key, image);
  return image;
}

}  // namespace

ClassicCheckBox::ClassicCheckBox(QWidget* parent) : QCheckBox(parent) {}

bool ClassicCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void ClassicCheckBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  const QPoint o = IndicatorOrigin(*this);
  const QColor field =
      isEnabled() && !isDown() ? pal.color(QPalette::Base) : pal.color(QPalette::Button);
  DrawSunkenSquare(p, o, pal, field);
  if (isChecked())
    DrawTick(p, o, isEnabled() ? pal.color(QPalette::Text) : pal.color(QPalette::Mid));
  if (hasFocus()) {
    p.setPen(QPen(pal.color(QPalette::WindowText), 1, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

ClassicRadioButton::ClassicRadioButton(QWidget* parent) : QRadioButton(parent) {}

bool ClassicRadioButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void ClassicRadioButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(IndicatorOrigin(*this), RadioPicture(palette(), isChecked(), isEnabled(), isDown()));
  if (hasFocus()) {
    p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

}  // namespace tintara
