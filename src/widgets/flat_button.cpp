#include "widgets/flat_button.h"

namespace tintara {

TFlatBtn::TFlatBtn(QWidget* parent) : QToolButton(parent) {
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);
  setToolButtonStyle(Qt::ToolButtonIconOnly);
}

}  // namespace tintara
