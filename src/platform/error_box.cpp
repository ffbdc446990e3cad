#include "platform/error_box.h"

#include <QApplication>
#include <QMessageBox>

namespace tintara {

ErrorBox StandardErrorBox() {
  return [](const QString& message) {
    // Messages quote what the user typed or opened: shown as plain text.
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), message,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
  };
}

QuestionBox StandardQuestionBox() {
  return [](const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
  };
}

}  // namespace tintara
