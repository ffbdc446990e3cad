#include "platform/error_box.h"

#include <QApplication>
#include <QMessageBox>

namespace tintara {

ErrorBox StandardErrorBox() {
  return [](const QString& message) {
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), message);
  };
}

QuestionBox StandardQuestionBox() {
  return [](const QString& caption, const QString& text) {
    return QMessageBox::warning(QApplication::activeWindow(), caption, text,
                                QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Ok) == QMessageBox::Ok;
  };
}

}  // namespace tintara
