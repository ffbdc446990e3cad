#include "widgets/fast_label.h"

#include <QGlyphRun>
#include <QPainter>
#include <QStyle>

namespace tintara {

FastLabel::FastLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setTextFormat(Qt::PlainText);
}

void FastLabel::paintEvent(QPaintEvent* event) {
  if (!pixmap().isNull() || wordWrap() || textFormat() != Qt::PlainText || text().contains('\n')) {
    QLabel::paintEvent(event);
    return;
  }
  const RenderedFrom from{
      text(),
      font(),
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()),
      size(),
      QStyle::visualAlignment(layoutDirection(), alignment()),
      margin(),
      devicePixelRatioF()};
  if (rendered_.isNull() || !(from == rendered_from_)) Render(from);
  QPainter painter(this);
  if (autoFillBackground()) painter.fillRect(rect(), palette().color(backgroundRole()));
  painter.drawImage(0, 0, rendered_);
}

void FastLabel::Render(const RenderedFrom& from) {
  rendered_from_ = from;
  rendered_ = QImage(from.size * from.pixel_ratio, QImage::Format_ARGB32_Premultiplied);
  rendered_.setDevicePixelRatio(from.pixel_ratio);
  rendered_.fill(Qt::transparent);
  QPainter painter(&rendered_);
  painter.setFont(from.font);
  painter.setPen(from.colour);
  const QRect area = contentsRect().adjusted(from.margin, from.margin, -from.margin, -from.margin);
  if (!DrawGlyphs(painter, area, from)) {
    painter.drawText(area, static_cast<int>(from.alignment) | Qt::TextSingleLine, from.text);
  }
}

// Draws the text as one run of the font's own glyphs, placed as a laid-out
// line would place them. A preview line changes on every drag step, and
// laying it out afresh each time costs as much as the whole rest of the
// label's work; one character to one glyph with kerned advances gives the
// same picture. Returns false, drawing nothing, for a text that needs more
// (a glyph from another font, or characters that combine).
bool FastLabel::DrawGlyphs(QPainter& painter, const QRect& area, const RenderedFrom& from) {
  if (!(raw_font_from_ == from.font)) {
    raw_font_from_ = from.font;
    raw_font_ = QRawFont::fromFont(from.font);
  }
  if (!raw_font_.isValid()) return false;
  // A run's underline is as long as its glyphs' boxes, a line's as its
  // advances; they differ for emboldened glyphs.
  const bool decorated = from.font.underline() || from.font.strikeOut() || from.font.overline();
  if (decorated && from.font.weight() != QFont::Normal) return false;
  for (const QChar c : from.text) {
    const QChar::Script script = c.script();
    const bool simple = script == QChar::Script_Common || script == QChar::Script_Latin ||
                        script == QChar::Script_Han || script == QChar::Script_Hiragana ||
                        script == QChar::Script_Katakana;
    if (!simple || c.isSurrogate() || c.isMark() || c.category() == QChar::Other_Format) {
      return false;
    }
  }
  const QList<quint32> glyphs = raw_font_.glyphIndexesForString(from.text);
  if (glyphs.size() != from.text.size() || glyphs.contains(0)) return false;
  const QList<QPointF> advances = raw_font_.advancesForGlyphIndexes(
      glyphs, QRawFont::SeparateAdvances | QRawFont::KernedAdvances);

  const QFontMetricsF metrics(from.font);
  qreal width = 0;
  for (const QPointF& advance : advances) width += advance.x();
  qreal x = area.left();
  if (from.alignment & Qt::AlignRight) {
    x = area.left() + area.width() - width;
  } else if (from.alignment & Qt::AlignHCenter) {
    x = area.left() + (area.width() - width) / 2;
  }
  const qreal height = metrics.ascent() + metrics.descent();
  qreal top = area.top();
  if (from.alignment & Qt::AlignBottom) {
    top = area.top() + area.height() - height;
  } else if (from.alignment & Qt::AlignVCenter) {
    top = area.top() + (area.height() - height) / 2;
  }
  // The run starts where its first glyph does: the toolkit draws an
  // underline from the run's origin.
  const QPointF origin(x, top + metrics.ascent());
  QList<QPointF> positions;
  positions.reserve(glyphs.size());
  qreal offset = 0;
  for (const QPointF& advance : advances) {
    positions.append({offset, 0});
    offset += advance.x();
  }
  QGlyphRun run;
  run.setRawFont(raw_font_);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  run.setUnderline(from.font.underline());
  run.setStrikeOut(from.font.strikeOut());
  run.setOverline(from.font.overline());
  painter.drawGlyphRun(origin, run);
  return true;
}

}  // namespace tintara
