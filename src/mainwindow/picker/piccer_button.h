#ifndef TINTARA_MAINWINDOW_PICKER_PICCER_BUTTON_H_
#define TINTARA_MAINWINDOW_PICKER_PICCER_BUTTON_H_

#include <functional>

#include "widgets/flat_button.h"

namespace tintara {

// The picker's tool button: besides its click it hands its presses, the
// moves and the release of the drag that keeps the mouse, and Escape while
// it holds the keyboard, to the main window.
class PiccerButton : public TFlatBtn {
  Q_OBJECT

 public:
  explicit PiccerButton(QWidget* parent);

  std::function<void(Qt::MouseButton button, Qt::MouseButtons held)> on_press;
  std::function<void()> on_move;
  std::function<void()> on_release;
  std::function<void()> on_escape;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_PICKER_PICCER_BUTTON_H_
