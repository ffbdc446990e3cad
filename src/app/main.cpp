#include <QApplication>

#include "mainwindow/tform1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tintara");

  tintara::TForm1 main_window;
  main_window.show();
  return QApplication::exec();
}
