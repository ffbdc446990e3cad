#ifndef TINTARA_MAINWINDOW_CLIENT_AREA_H_
#define TINTARA_MAINWINDOW_CLIENT_AREA_H_

#include <QWidget>

namespace tintara {

class TForm1;

// The main window's client area: shows the window's surface and hands its
// mouse presses, moves and double clicks to the window.
class ClientArea : public QWidget {
  Q_OBJECT

 public:
  explicit ClientArea(TForm1* form);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  TForm1* form_;
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_CLIENT_AREA_H_
