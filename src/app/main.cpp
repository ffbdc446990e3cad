#include <QApplication>
#include <QIcon>

#include "mainwindow/tform1.h"
#include "resources/resource_names.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tintara");

  QApplication::setWindowIcon(QIcon(QString::fromUtf8(tintara::res::kIcon48)));

  tintara::TForm1 main_window;
  main_window.show();
  return QApplication::exec();
}
