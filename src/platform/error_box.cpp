#include "platform/error_box.h"

#include <QApplication>
#include <QMessageBox>

namespace tintara {

ErrorBox StandardErrorBox() {
  return [](const QString& message) {
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), message);
  };
}

}  // namespace tintara
