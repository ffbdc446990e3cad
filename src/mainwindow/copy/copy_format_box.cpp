#include "mainwindow/copy/copy_format_box.h"

#include <QLineEdit>

namespace tintara {

CopyFormatBox::CopyFormatBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setMaxVisibleItems(17);
  lineEdit()->setMaxLength(45);
}

void CopyFormatBox::showPopup() {
  emit DroppingDown();
  QComboBox::showPopup();
}

void CopyFormatBox::mouseDoubleClickEvent(QMouseEvent* event) {
  emit DoubleClicked();
  QComboBox::mouseDoubleClickEvent(event);
}

}  // namespace tintara
