// The yardstick for start-up: an empty Qt window of a given size, nothing
// else.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int width = argc > 2 ? QString(argv[1]).toInt() : 640;
  const int height = argc > 2 ? QString(argv[2]).toInt() : 480;
  QWidget window;
  window.setFixedSize(width, height);
  window.show();
  return QApplication::exec();
}
