// Renders the main window into a PNG file, for the README and for looking at
// the window without a display: tintara-snapshot OUTPUT.png [R G B]
#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

#include "mainwindow/tform1.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 5) {
    std::fprintf(stderr, "usage: tintara-snapshot OUTPUT.png [R G B]\n");
    return 2;
  }
  QApplication app(argc, argv);
  tintara::TForm1 window;
  if (argc == 5) {
    window.SetCurrentColour(tintara::RgbColor::FromInts(std::atoi(argv[2]), std::atoi(argv[3]),
                                                        std::atoi(argv[4])));
  }
  window.show();
  QApplication::processEvents();
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "tintara-snapshot: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
