#include <QApplication>
#include <QString>
#include <QWidget>

#include "colour/rgb_color.h"
#include "output/copy_formats.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tintara");

  constexpr tintara::RgbColor kStartColour{192, 192, 192};
  QWidget window;
  window.setFixedSize(626, 416);
  window.setWindowTitle(QString::fromStdString(
      tintara::BuildCopyText(kStartColour, 0, true, true).window_title));
  window.show();
  return QApplication::exec();
}
