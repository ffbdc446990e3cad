#include "mainwindow/palette/floating_swatch.h"

namespace tintara {

FloatingSwatch::FloatingSwatch()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAutoFillBackground(true);
}

void FloatingSwatch::ShowColour(const QColor& colour, const QRect& screen_rect) {
  QPalette palette;
  palette.setColor(QPalette::Window, colour);
  setPalette(palette);
  setGeometry(screen_rect);
  show();
}

}  // namespace tintara
