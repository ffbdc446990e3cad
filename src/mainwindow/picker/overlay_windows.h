#ifndef TINTARA_MAINWINDOW_PICKER_OVERLAY_WINDOWS_H_
#define TINTARA_MAINWINDOW_PICKER_OVERLAY_WINDOWS_H_

#include <QWidget>

namespace tintara {

// The full-screen overlay on which click-mode picking works. Created hidden
// at start like every window of the program.
class TFormCaption : public QWidget {
  Q_OBJECT

 public:
  TFormCaption();
};

// The magnifier window of click-mode picking.
class TFormMosaic : public QWidget {
  Q_OBJECT

 public:
  TFormMosaic();
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_PICKER_OVERLAY_WINDOWS_H_
