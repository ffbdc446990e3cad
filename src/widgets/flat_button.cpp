#include "widgets/flat_button.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cstdint>

#include "widgets/classic_drawing.h"

namespace tintara {
namespace {

// Between the glyph and the caption.
constexpr int kSpacing = 4;

// Coordinates compared unsigned, so a point left of or above the button lies
// outside it as well.
bool Inside(const QPoint& pos, const QSize& size) {
  return static_cast<std::uint16_t>(pos.x()) < static_cast<std::uint16_t>(size.width()) &&
         static_cast<std::uint16_t>(pos.y()) < static_cast<std::uint16_t>(size.height());
}

}  // namespace

TFlatBtn::TFlatBtn(QWidget* parent) : QToolButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  // Moves without a button held tell the button the mouse is back over it
  // after it was enabled again.
  setMouseTracking(true);
}

void TFlatBtn::SetEdgeStyle(TEdgeStyle style) {
  if (style == edge_style_) return;
  edge_style_ = style;
  update();
}

void TFlatBtn::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  const QPalette& pal = palette();
  const QRect outer = rect();
  const bool sunken = isChecked() || isDown() || pressed_;
  DrawSpeedButtonFace(p, outer, pal, sunken);
  DrawContents(p, sunken);
  if (sunken) return;

  // The flat look is the ordinary frame with lines painted over in the face
  // colour, and the thin raised edge drawn on the outer line.
  const QColor face = pal.color(QPalette::Button);
  const QRect inner = outer.adjusted(1, 1, -1, -1);
  if (hovering_ || edge_style_.testFlag(esAlwaysShow)) {
    if (!edge_style_.testFlag(esWide)) DrawEdgeLine(p, inner, face, face);
    if (edge_style_.testFlag(esHard)) return;
    DrawEdgeLine(p, outer, pal.color(QPalette::Light), pal.color(QPalette::Dark));
  } else {
    DrawEdgeLine(p, inner, face, face);
    DrawEdgeLine(p, outer, face, face);
  }
}

void TFlatBtn::DrawContents(QPainter& p, bool sunken) {
  const bool with_caption =
      !text().isEmpty() && (toolButtonStyle() != Qt::ToolButtonIconOnly || icon().isNull());
  QPixmap glyph;
  if (!icon().isNull() && toolButtonStyle() != Qt::ToolButtonTextOnly) {
    glyph = icon().pixmap(iconSize(), devicePixelRatioF());
  }
  const QSize glyph_size = glyph.isNull() ? QSize(0, 0) : glyph.deviceIndependentSize().toSize();
  const QSize text_size = with_caption ? fontMetrics().size(Qt::TextShowMnemonic, text()) : QSize();
  const int spacing = glyph.isNull() || !with_caption ? 0 : kSpacing;
  const int total_width = glyph_size.width() + spacing + text_size.width();

  // Glyph and caption side by side, centred together; pressed, they move one
  // pixel down and right.
  const QPoint shift = sunken ? QPoint(1, 1) : QPoint(0, 0);
  const int left = (width() - total_width + 1) / 2;
  const QPoint glyph_pos = QPoint(left, (height() - glyph_size.height() + 1) / 2) + shift;
  const QPoint text_pos =
      QPoint(left + glyph_size.width() + spacing, (height() - text_size.height() + 1) / 2) + shift;

  if (!glyph.isNull()) {
    if (isEnabled()) {
      p.drawPixmap(glyph_pos, glyph);
    } else {
      p.drawImage(glyph_pos, DisabledGlyph(glyph));
    }
  }
  if (with_caption) {
    const QRect text_rect(text_pos, text_size);
    constexpr int kFlags = Qt::AlignCenter | Qt::TextShowMnemonic;
    if (isEnabled()) {
      p.setPen(palette().color(QPalette::ButtonText));
    } else {
      p.setPen(palette().color(QPalette::Light));
      p.drawText(text_rect.translated(1, 1), kFlags, text());
      p.setPen(palette().color(QPalette::Dark));
    }
    p.drawText(text_rect, kFlags, text());
  }
}

const QImage& TFlatBtn::DisabledGlyph(const QPixmap& glyph) {
  if (disabled_glyph_.isNull() || glyph.cacheKey() != disabled_glyph_key_ ||
      palette().cacheKey() != disabled_palette_key_) {
    disabled_glyph_ = EmbossedGlyph(glyph.toImage(), palette());
    disabled_glyph_key_ = glyph.cacheKey();
    disabled_palette_key_ = palette().cacheKey();
  }
  return disabled_glyph_;
}

void TFlatBtn::Enter() {
  hovering_ = true;
  // Back over the button with the press that began here still held.
  pressed_ = held_;
  update();
}

void TFlatBtn::Leave() {
  hovering_ = false;
  pressed_ = false;
  update();
}

void TFlatBtn::mouseMoveEvent(QMouseEvent* event) {
  const bool inside = Inside(event->position().toPoint(), size());
  if (held_ && hovering_ && !inside) {
    Leave();
  } else if (inside && !hovering_ && isEnabled()) {
    Enter();
  }
  QToolButton::mouseMoveEvent(event);
}

void TFlatBtn::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pressed_ = true;
    held_ = true;
  }
  QToolButton::mousePressEvent(event);
}

void TFlatBtn::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pressed_ = false;
    held_ = false;
    hovering_ = Inside(event->position().toPoint(), size());
    update();
  }
  QToolButton::mouseReleaseEvent(event);
}

void TFlatBtn::enterEvent(QEnterEvent* event) {
  if (isEnabled()) Enter();
  QToolButton::enterEvent(event);
}

void TFlatBtn::leaveEvent(QEvent* event) {
  if (hovering_) Leave();
  QToolButton::leaveEvent(event);
}

void TFlatBtn::changeEvent(QEvent* event) {
  // A disabled button shows no frame, even with the mouse still over it.
  if (event->type() == QEvent::EnabledChange && !isEnabled()) {
    held_ = false;
    if (hovering_ || pressed_) Leave();
  }
  QToolButton::changeEvent(event);
}

}  // namespace tintara
