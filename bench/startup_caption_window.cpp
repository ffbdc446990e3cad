// The second yardstick for start-up: the empty window of the first with a
// single caption in the program's typeface. What it costs over the empty one
// is what any window pays to show text at all: reading the font
// configuration, loading the typeface and rendering its glyphs.
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "resources/font_alias.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int width = argc > 2 ? QString(argv[1]).toInt() : 640;
  const int height = argc > 2 ? QString(argv[2]).toInt() : 480;
  QWidget window;
  window.setFixedSize(width, height);
  QFont font(tintara::WindowFontFamily());
  font.setPixelSize(tintara::kWindowFontPixelSize);
  QLabel caption(QString::fromUtf8("明るさ(L)"), &window);
  caption.setFont(font);
  caption.move(8, 8);
  window.show();
  return QApplication::exec();
}
