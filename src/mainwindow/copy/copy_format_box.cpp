#include "mainwindow/copy/copy_format_box.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>

#include "widgets/drop_down_below.h"

namespace tintara {

CopyFormatBox::CopyFormatBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setMaxVisibleItems(17);
  lineEdit()->setMaxLength(45);
  // The field covers the box: its double clicks are the box's.
  lineEdit()->installEventFilter(this);
}

void CopyFormatBox::showPopup() {
  emit DroppingDown();
  DropDownBelow(*this);
  // The list drops down so that the long formats can be read: every item
  // whole, the view as wide as the widest.
  QAbstractItemView* list = view();
  list->setTextElideMode(Qt::ElideNone);
  int widest = 0;
  for (int k = 0; k < count(); ++k) {
    widest = std::max(widest, list->fontMetrics().horizontalAdvance(itemText(k)));
  }
  const int chrome = 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width() + 16;
  list->setMinimumWidth(std::max(width(), widest + chrome));
  QComboBox::showPopup();
}

bool CopyFormatBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit() && event->type() == QEvent::MouseButtonDblClick) {
    // Not a word of the text selected: the box narrows, as a double click
    // on it does.
    emit DoubleClicked();
    return true;
  }
  return QComboBox::eventFilter(watched, event);
}

void CopyFormatBox::mouseDoubleClickEvent(QMouseEvent* event) {
  emit DoubleClicked();
  QComboBox::mouseDoubleClickEvent(event);
}

}  // namespace tintara
