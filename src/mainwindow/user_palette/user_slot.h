#ifndef TINTARA_MAINWINDOW_USER_PALETTE_USER_SLOT_H_
#define TINTARA_MAINWINDOW_USER_PALETTE_USER_SLOT_H_

#include <QColor>
#include <QWidget>

namespace tintara {

// One slot of the user palette: a small raised panel in the slot's colour
// with its number on it. It tells of clicks, double clicks and the mouse
// moving over it; the second click of a double click is not a click.
class UserSlot : public QWidget {
  Q_OBJECT

 public:
  UserSlot(int number, QWidget* parent = nullptr);

  int Number() const { return number_; }
  QColor Colour() const { return colour_; }
  void SetColour(const QColor& colour);
  // The number underlined in `colour` for the selected slot, plain for the
  // others.
  void SetCaptionStyle(bool underlined, const QColor& colour);
  bool CaptionUnderlined() const { return underlined_; }
  QColor CaptionColour() const { return caption_colour_; }

 signals:
  void Clicked();
  void DoubleClicked();
  void MouseMoved();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  int number_;
  QColor colour_ = Qt::white;
  QColor caption_colour_ = Qt::black;
  bool underlined_ = false;
  bool pressed_ = false;
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_USER_PALETTE_USER_SLOT_H_
