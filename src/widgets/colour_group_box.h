#ifndef TINTARA_WIDGETS_COLOUR_GROUP_BOX_H_
#define TINTARA_WIDGETS_COLOUR_GROUP_BOX_H_

#include <QGroupBox>

namespace tintara {

// A group box filled with a colour of its own. Changing the colour repaints
// the box without handing a new palette down to every control inside it,
// which would cost more than all the drawing of a drag step together.
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
