#ifndef TINTARA_MAINWINDOW_PALETTE_FLOATING_SWATCH_H_
#define TINTARA_MAINWINDOW_PALETTE_FLOATING_SWATCH_H_

#include <QWidget>

namespace tintara {

// A borderless window that shows only one colour; it follows the mouse
// while the user drags the colour swatch.
class FloatingSwatch : public QWidget {
  Q_OBJECT

 public:
  FloatingSwatch();
  void ShowColour(const QColor& colour, const QRect& screen_rect);
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_PALETTE_FLOATING_SWATCH_H_
