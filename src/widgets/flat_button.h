#ifndef TINTARA_WIDGETS_FLAT_BUTTON_H_
#define TINTARA_WIDGETS_FLAT_BUTTON_H_

#include <QToolButton>

namespace tintara {

// The tool button of every tool panel: flat while the mouse is away, a thin
// raised frame while it is over the button, sunken while pressed or latched.
class TFlatBtn : public QToolButton {
  Q_OBJECT

 public:
  explicit TFlatBtn(QWidget* parent = nullptr);
};

}  // namespace tintara

#endif  // TINTARA_WIDGETS_FLAT_BUTTON_H_
