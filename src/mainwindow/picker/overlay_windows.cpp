#include "mainwindow/picker/overlay_windows.h"

namespace tintara {

TFormCaption::TFormCaption()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setWindowTitle("Tintara");
}

TFormMosaic::TFormMosaic()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setWindowTitle("Tintara");
}

}  // namespace tintara
