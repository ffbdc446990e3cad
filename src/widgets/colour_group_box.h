#ifndef TINTARA_WIDGETS_COLOUR_GROUP_BOX_H_
#define TINTARA_WIDGETS_COLOUR_GROUP_BOX_H_

#include <QGroupBox>

namespace tintara {

// A group box filled with a colour of its own, drawn in the classic etched
// look with no title (its caption is a label inside it). Changing the colour
// repaints the box without handing a new palette down to every control
// inside it, and the frame is two rectangles of plain fills rather than a
// scaled style pixmap: on a drag step this box is repainted whole, so both
// would cost more than all the rest of the step.
class ColourGroupBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit ColourGroupBox(QWidget* parent = nullptr);

  QColor FillColour() const { return fill_; }
  void SetFillColour(const QColor& colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor fill_;
};

}  // namespace tintara

#endif  // TINTARA_WIDGETS_COLOUR_GROUP_BOX_H_
