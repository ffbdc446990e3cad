#include "widgets/fast_label.h"

#include <QGlyphRun>
#include <QPainter>
#include <QStyle>
#include <memory>
#include <system_error>
#include <vector>

namespace tintara {
namespace {

// A font that draws as `font` does but shares nothing with it. Fonts share
// their private part between copies, and the toolkit keeps a thread's font
// engines in that part, so a font used on two threads at once is not safe.
QFont OwnCopy(const QFont& font) {
  QFont own(font.families());
  if (font.pixelSize() > 0) {
    own.setPixelSize(font.pixelSize());
  } else {
    own.setPointSizeF(font.pointSizeF());
  }
  own.setWeight(font.weight());
  own.setStyle(font.style());
  own.setUnderline(font.underline());
  own.setStrikeOut(font.strikeOut());
  own.setOverline(font.overline());
  own.setFixedPitch(font.fixedPitch());
  own.setKerning(font.kerning());
  own.setStretch(font.stretch());
  own.setCapitalization(font.capitalization());
  own.setLetterSpacing(font.letterSpacingType(), font.letterSpacing());
  own.setWordSpacing(font.wordSpacing());
  own.setStyleHint(font.styleHint(), font.styleStrategy());
  own.setHintingPreference(font.hintingPreference());
  return own;
}

}  // namespace

FastLabel::FastLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setTextFormat(Qt::PlainText);
}

bool FastLabel::DrawsItself() const {
  return pixmap().isNull() && !wordWrap() && textFormat() == Qt::PlainText &&
         !text().contains('\n');
}

FastLabel::Look FastLabel::CurrentLook() const {
  const int m = margin();
  return {text(),
          font(),
          palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()),
          size(),
          contentsRect().adjusted(m, m, -m, -m),
          QStyle::visualAlignment(layoutDirection(), alignment()),
          devicePixelRatioF()};
}

void FastLabel::paintEvent(QPaintEvent* event) {
  if (!DrawsItself()) {
    QLabel::paintEvent(event);
    return;
  }
  const Look look = CurrentLook();
  if (ahead_.valid()) {
    if (look == ahead_look_) {
      QImage drawn = ahead_.get();
      if (!drawn.isNull()) {
        rendered_ = std::move(drawn);
        rendered_look_ = look;
      }
    }
    ahead_ = {};
  }
  if (rendered_.isNull() || !(look == rendered_look_)) {
    if (!(raw_font_from_ == look.font)) {
      raw_font_from_ = look.font;
      raw_font_ = QRawFont::fromFont(look.font);
    }
    rendered_ = Render(look, look.font, raw_font_);
    rendered_look_ = look;
  }
  QPainter painter(this);
  if (autoFillBackground()) painter.fillRect(rect(), palette().color(backgroundRole()));
  painter.drawImage(0, 0, rendered_);
}

QImage FastLabel::Render(const Look& look, const QFont& font, const QRawFont& raw_font) {
  QImage rendered(look.size * look.pixel_ratio, QImage::Format_ARGB32_Premultiplied);
  rendered.setDevicePixelRatio(look.pixel_ratio);
  rendered.fill(Qt::transparent);
  QPainter painter(&rendered);
  painter.setFont(font);
  painter.setPen(look.colour);
  if (!DrawGlyphs(painter, look, font, raw_font)) {
    painter.drawText(look.area, static_cast<int>(look.alignment) | Qt::TextSingleLine, look.text);
  }
  return rendered;
}

// Draws the text as one run of the font's own glyphs, placed as a laid-out
// line would place them. A preview line changes on every drag step, and
// laying it out afresh each time costs as much as the whole rest of the
// label's work; one character to one glyph with kerned advances gives the
// same picture. Returns false, drawing nothing, for a text that needs more
// (a glyph from another font, or characters that combine).
bool FastLabel::DrawGlyphs(QPainter& painter, const Look& look, const QFont& font,
                           const QRawFont& raw_font) {
  if (!raw_font.isValid()) return false;
  // A run's underline is as long as its glyphs' boxes, a line's as its
  // advances; they differ for emboldened glyphs.
  const bool decorated = font.underline() || font.strikeOut() || font.overline();
  if (decorated && font.weight() != QFont::Normal) return false;
  for (const QChar c : look.text) {
    const QChar::Script script = c.script();
    const bool simple = script == QChar::Script_Common || script == QChar::Script_Latin ||
                        script == QChar::Script_Han || script == QChar::Script_Hiragana ||
                        script == QChar::Script_Katakana;
    if (!simple || c.isSurrogate() || c.isMark() || c.category() == QChar::Other_Format) {
      return false;
    }
  }
  const QList<quint32> glyphs = raw_font.glyphIndexesForString(look.text);
  if (glyphs.size() != look.text.size() || glyphs.contains(0)) return false;
  const QList<QPointF> advances = raw_font.advancesForGlyphIndexes(
      glyphs, QRawFont::SeparateAdvances | QRawFont::KernedAdvances);

  const QRect& area = look.area;
  const QFontMetricsF metrics(font);
  qreal width = 0;
  for (const QPointF& advance : advances) width += advance.x();
  qreal x = area.left();
  if (look.alignment & Qt::AlignRight) {
    x = area.left() + area.width() - width;
  } else if (look.alignment & Qt::AlignHCenter) {
    x = area.left() + (area.width() - width) / 2;
  }
  const qreal height = metrics.ascent() + metrics.descent();
  qreal top = area.top();
  if (look.alignment & Qt::AlignBottom) {
    top = area.top() + area.height() - height;
  } else if (look.alignment & Qt::AlignVCenter) {
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
  run.setRawFont(raw_font);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  run.setUnderline(font.underline());
  run.setStrikeOut(font.strikeOut());
  run.setOverline(font.overline());
  painter.drawGlyphRun(origin, run);
  return true;
}

LabelsDrawnAhead::LabelsDrawnAhead(const QList<FastLabel*>& labels) {
  struct Job {
    FastLabel::Look look;
    QFont font;
    std::promise<QImage> drawn;
  };
  auto jobs = std::make_shared<std::vector<Job>>();
  for (FastLabel* label : labels) {
    if (!label->DrawsItself() || label->size().isEmpty()) continue;
    Job& job = jobs->emplace_back();
    job.look = label->CurrentLook();
    // The thread's copy of the look shares nothing with the label's.
    job.look.font = OwnCopy(job.look.font);
    job.look.text = QString(job.look.text.constData(), job.look.text.size());
    job.font = job.look.font;
    label->ahead_look_ = label->CurrentLook();
    label->ahead_ = job.drawn.get_future();
  }
  if (jobs->empty()) return;
  try {
    thread_ = std::thread([jobs] {
      QFont raw_font_from;
      QRawFont raw_font;
      for (Job& job : *jobs) {
        if (!(raw_font_from == job.font)) {
          raw_font_from = job.font;
          raw_font = QRawFont::fromFont(job.font);
        }
        job.drawn.set_value(FastLabel::Render(job.look, job.font, raw_font));
      }
    });
  } catch (const std::system_error&) {
    // No thread to spare: every label draws itself.
    for (Job& job : *jobs) job.drawn.set_value(QImage());
  }
}

LabelsDrawnAhead::~LabelsDrawnAhead() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace tintara
