#include "mainwindow/editor/field_edit.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

#include "widgets/classic_drawing.h"

namespace tintara {

FieldEdit::FieldEdit(int typing_limit, QWidget* parent)
    : QLineEdit(parent), typing_limit_(typing_limit) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setFrame(false);
  setTextMargins(2, 1, 2, 1);
}

void FieldEdit::paintEvent(QPaintEvent* event) {
  // While the user works in the field (cursor, selection) the line edit
  // draws it; at rest it is a kept picture of the same text.
  const QImage* resting =
      hasFocus() || hasSelectedText() || !isEnabled() ? nullptr : RestingPicture();
  if (resting == nullptr) {
    QLineEdit::paintEvent(event);
    QPainter p(this);
    DrawSunkenEdge(p, rect(), palette());
    return;
  }
  QPainter p(this);
  p.drawImage(0, 0, *resting);
}

// The field at rest: base, sunken edge and text, placed exactly where the
// line edit itself puts its text. Pictures are kept per text and look, since
// a drag shows the same few hundred numbers over and over; a field keeps
// pictures of one look only.
const QImage* FieldEdit::RestingPicture() {
  const qreal ratio = devicePixelRatioF();
  const QPalette& pal = palette();
  const RestingLook look{font(), pal.cacheKey(), size(), ratio, alignment()};
  if (!(look == resting_look_)) {
    resting_look_ = look;
    resting_pictures_.clear();
  }
  if (const auto it = resting_pictures_.constFind(text()); it != resting_pictures_.constEnd()) {
    return it->isNull() ? nullptr : &*it;
  }

  // As the line edit lays its line out: inside the text margins and its own
  // margins of 2 and 1 pixels, vertically centred, and for right alignment
  // ending two pixels short of the line's end, even when that starts it a
  // pixel before the line. A text longer than the line is scrolled by the
  // line edit to its cursor; that is left to it.
  const QRect inside = rect().marginsRemoved(textMargins());
  const QFontMetricsF metrics(font());
  const int line_height = QFontMetrics(font()).height();
  const int top = inside.y() + (inside.height() - line_height + 1) / 2;
  const int line_left = inside.x() + 2;
  const int line_width = inside.width() - 4;
  const int advance = qRound(metrics.horizontalAdvance(text()));
  if (advance >= line_width) return KeepRestingPicture(QImage());
  const int used = advance + 2;
  int left = line_left;
  const Qt::Alignment horizontal = QStyle::visualAlignment(layoutDirection(), alignment());
  if (horizontal & Qt::AlignRight) {
    left = line_left + line_width - used;
  } else if (horizontal & Qt::AlignHCenter) {
    left = line_left + (line_width - used) / 2;
  }

  QImage picture(size() * ratio, QImage::Format_RGB32);
  picture.setDevicePixelRatio(ratio);
  picture.fill(pal.color(QPalette::Base));
  QPainter p(&picture);
  p.setClipRect(inside);
  p.setFont(font());
  p.setPen(pal.color(QPalette::Text));
  p.drawText(QPointF(left, top + metrics.ascent()), text());
  p.setClipping(false);
  DrawSunkenEdge(p, rect(), pal);
  p.end();
  return KeepRestingPicture(picture);
}

// Keeps the picture of the current text; a null picture marks a text the
// line edit draws itself.
const QImage* FieldEdit::KeepRestingPicture(const QImage& picture) {
  if (resting_pictures_.size() >= kMaxRestingPictures) resting_pictures_.clear();
  const auto kept = resting_pictures_.insert(text(), picture);
  return kept->isNull() ? nullptr : &*kept;
}

// How many more characters the user may type; the selection is replaced.
int FieldEdit::RoomLeft() const {
  return typing_limit_ - static_cast<int>(text().size() - selectedText().size());
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Only a move to another control counts as leaving the field; switching to
  // another window or opening a menu does not.
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
    emit Exited();
  }
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit KeyPressed(13);
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (typing_limit_ > 0 && event->matches(QKeySequence::Paste)) {
    const int room = RoomLeft();
    if (room > 0) insert(QGuiApplication::clipboard()->text().left(room));
    return;
  }
  const QString typed = event->text();
  if (!typed.isEmpty() && typed.at(0).isPrint()) {
    emit KeyPressed(typed.at(0).unicode());
    if (typing_limit_ > 0 && RoomLeft() < typed.size()) return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace tintara
