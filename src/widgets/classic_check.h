#ifndef TINTARA_WIDGETS_CLASSIC_CHECK_H_
#define TINTARA_WIDGETS_CLASSIC_CHECK_H_

#include <QCheckBox>
#include <QRadioButton>

namespace tintara {

// A check box and a radio button without captions, drawn as the classic
// 13-pixel indicators from a few fills and a prepared picture. Those of the
// BODY group sit on the colour being edited and are redrawn on every drag
// step, where the styled drawing would cost more than the rest of the step.
class ClassicCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  explicit ClassicCheckBox(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};

class ClassicRadioButton : public QRadioButton {
  Q_OBJECT

 public:
  explicit ClassicRadioButton(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};

}  // namespace tintara

#endif  // TINTARA_WIDGETS_CLASSIC_CHECK_H_
