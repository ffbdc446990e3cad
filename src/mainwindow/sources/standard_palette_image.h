#ifndef TINTARA_MAINWINDOW_SOURCES_STANDARD_PALETTE_IMAGE_H_
#define TINTARA_MAINWINDOW_SOURCES_STANDARD_PALETTE_IMAGE_H_

#include <QWidget>

namespace tintara {

// The sixteen standard colours side by side, one cell each. It tells where
// the mouse moves over it and when it is clicked.
class StandardPaletteImage : public QWidget {
  Q_OBJECT

 public:
  explicit StandardPaletteImage(QWidget* parent = nullptr);

  // Changes the hint, and the tip on the screen when one is showing.
  void SetHint(const QString& hint);

 signals:
  void MouseMoved(int x);
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_SOURCES_STANDARD_PALETTE_IMAGE_H_
