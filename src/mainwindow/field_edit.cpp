#include "mainwindow/field_edit.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>

#include "widgets/classic_drawing.h"

namespace tintara {

FieldEdit::FieldEdit(int typing_limit, QWidget* parent)
    : QLineEdit(parent), typing_limit_(typing_limit) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setFrame(false);
  setTextMargins(2, 1, 2, 1);
}

void FieldEdit::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  QPainter p(this);
  DrawSunkenEdge(p, rect(), palette());
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
