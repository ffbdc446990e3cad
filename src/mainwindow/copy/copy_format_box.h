#ifndef TINTARA_MAINWINDOW_COPY_COPY_FORMAT_BOX_H_
#define TINTARA_MAINWINDOW_COPY_COPY_FORMAT_BOX_H_

#include <QComboBox>

namespace tintara {

// The narrow list of copy formats: it tells when it is about to drop down
// (so it can widen first) and when it is double-clicked.
class CopyFormatBox : public QComboBox {
  Q_OBJECT

 public:
  explicit CopyFormatBox(QWidget* parent = nullptr);
  void showPopup() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  void DroppingDown();
  void DoubleClicked();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_COPY_COPY_FORMAT_BOX_H_
