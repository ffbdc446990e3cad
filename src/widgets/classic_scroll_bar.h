#ifndef TINTARA_WIDGETS_CLASSIC_SCROLL_BAR_H_
#define TINTARA_WIDGETS_CLASSIC_SCROLL_BAR_H_

#include <QScrollBar>

namespace tintara {

// A scroll bar that draws itself with a handful of flat fills in the classic
// bevelled look. The main window moves up to six of them on every drag
// step, and the styled drawing (gradients, anti-aliased arrows) would cost
// more than everything else the step does.
class ClassicScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  ClassicScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tintara

#endif  // TINTARA_WIDGETS_CLASSIC_SCROLL_BAR_H_
