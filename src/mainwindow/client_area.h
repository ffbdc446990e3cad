#ifndef TINTARA_MAINWINDOW_CLIENT_AREA_H_
#define TINTARA_MAINWINDOW_CLIENT_AREA_H_

#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

namespace tintara {

class ClientArea;
class TForm1;

// A small picture shown over the window's surface, under the controls: the
// palette's markers and the bar's arrow. Moving one repaints just its old
// and new place, which costs far less than moving a control.
class SurfaceMark {
 public:
  QPoint pos() const { return geometry_.topLeft(); }
  QRect geometry() const { return geometry_; }
  void move(int x, int y);

 private:
  friend class ClientArea;
  SurfaceMark(ClientArea* area, QImage image);

  ClientArea* area_;
  QImage image_;
  QRect geometry_;
};

// The main window's client area: shows the window's surface with its marks
// and hands its mouse presses, moves and double clicks to the window.
class ClientArea : public QWidget {
  Q_OBJECT

 public:
  explicit ClientArea(TForm1* form);
  ~ClientArea() override;

  // A new mark at (0, 0), drawn over the marks made before it.
  SurfaceMark* AddMark(const QImage& image);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  TForm1* form_;
  std::vector<std::unique_ptr<SurfaceMark>> marks_;
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_CLIENT_AREA_H_
