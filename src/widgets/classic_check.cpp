#include "widgets/classic_check.h"

#include <QPainter>
#include <array>
#include <map>

#include "widgets/classic_drawing.h"

namespace tintara {
namespace {

constexpr int kIndicator = 13;

// The indicator's top left, vertically centred at the left of the widget.
QPoint IndicatorOrigin(const QWidget& w) { return {0, (w.height() - kIndicator) / 2}; }

// An indicator's look: its field and mark colours, the frame's colours and
// whether it is checked.
using PictureKey = std::array<QRgb, 7>;

PictureKey KeyOf(const QColor& field, const QColor& mark, const QPalette& pal, bool checked) {
  return {field.rgb(),
          mark.rgb(),
          pal.color(QPalette::Mid).rgb(),
          pal.color(QPalette::Shadow).rgb(),
          pal.color(QPalette::Light).rgb(),
          pal.color(QPalette::Button).rgb(),
          checked ? 1u : 0u};
}

// Indicator pictures are drawn once per look and kept.
template <typename Draw>
const QImage& Kept(std::map<PictureKey, QImage>& kept, const PictureKey& key, Draw draw) {
  if (const auto it = kept.find(key); it != kept.end()) return it->second;
  if (kept.size() > 64) kept.clear();
  return kept.emplace(key, draw()).first->second;
}

QColor FieldColour(const QPalette& pal, bool enabled, bool down) {
  return enabled && !down ? pal.color(QPalette::Base) : pal.color(QPalette::Button);
}

QColor MarkColour(const QPalette& pal, bool enabled) {
  return enabled ? pal.color(QPalette::Text) : pal.color(QPalette::Mid);
}

// The square classic check indicator with its tick: seven columns, three
// pixels tall, falling then rising.
const QImage& CheckPicture(const QPalette& pal, bool checked, bool enabled, bool down) {
  static std::map<PictureKey, QImage> kept;
  const QColor field = FieldColour(pal, enabled, down);
  const QColor tick = MarkColour(pal, enabled);
  return Kept(kept, KeyOf(field, tick, pal, checked), [&] {
    QImage image(kIndicator, kIndicator, QImage::Format_RGB32);
    image.fill(field);
    QPainter p(&image);
    DrawSunkenEdge(p, image.rect(), pal);
    if (checked) {
      constexpr int kTops[7] = {5, 6, 7, 6, 5, 4, 3};
      for (int i = 0; i < 7; ++i) p.fillRect(3 + i, kTops[i], 1, 3, tick);
    }
    return image;
  });
}

// The round classic radio indicator, drawn smooth.
const QImage& RadioPicture(const QPalette& pal, bool checked, bool enabled, bool down) {
  static std::map<PictureKey, QImage> kept;
  const QColor field = FieldColour(pal, enabled, down);
  const QColor dot = MarkColour(pal, enabled);
  return Kept(kept, KeyOf(field, dot, pal, checked), [&] {
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
    return image;
  });
}

// The indicator at the button's left, and a dotted frame while it has the
// focus.
void PaintIndicator(QAbstractButton& button, const QImage& picture) {
  QPainter p(&button);
  p.drawImage(IndicatorOrigin(button), picture);
  if (!button.hasFocus()) return;
  p.setPen(QPen(button.palette().color(QPalette::WindowText), 1, Qt::DotLine));
  p.drawRect(button.rect().adjusted(0, 0, -1, -1));
}

}  // namespace

ClassicCheckBox::ClassicCheckBox(QWidget* parent) : QCheckBox(parent) {}

bool ClassicCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void ClassicCheckBox::paintEvent(QPaintEvent*) {
  PaintIndicator(*this, CheckPicture(palette(), isChecked(), isEnabled(), isDown()));
}

ClassicRadioButton::ClassicRadioButton(QWidget* parent) : QRadioButton(parent) {}

bool ClassicRadioButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void ClassicRadioButton::paintEvent(QPaintEvent*) {
  PaintIndicator(*this, RadioPicture(palette(), isChecked(), isEnabled(), isDown()));
}

}  // namespace tintara
