#ifndef TINTARA_WIDGETS_CLASSIC_LIST_BOX_H_
#define TINTARA_WIDGETS_CLASSIC_LIST_BOX_H_

#include <QComboBox>

class QAbstractItemDelegate;

namespace tintara {

// A drop-down list whose closed box and open rows its owner draws. It covers
// its whole rectangle. The open list and the delegate that draws its rows
// are made when the list first drops down: the closed box never needs them,
// and a window with several such lists starts sooner without them.
class ClassicListBox : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;

  void showPopup() override;

 protected:
  // The delegate that draws the rows of the open list; the box owns it.
  virtual QAbstractItemDelegate* MakeItemDelegate() = 0;
  // True while the list is dropped down.
  bool ListShown() const;

  bool event(QEvent* event) override;

 private:
  bool delegate_made_ = false;
};

}  // namespace tintara

#endif  // TINTARA_WIDGETS_CLASSIC_LIST_BOX_H_
