#ifndef TINTARA_MAINWINDOW_PICKER_MAGNIFIER_VIEW_H_
#define TINTARA_MAINWINDOW_PICKER_MAGNIFIER_VIEW_H_

#include <QFrame>
#include <QImage>
#include <QRgb>
#include <cstdint>

#include "mainwindow/picker/picker_math.h"

class QLabel;

namespace tintara {

// The enlarged screen square, painted from a picture of its own.
class MagnifierPicture : public QWidget {
  Q_OBJECT

 public:
  explicit MagnifierPicture(QWidget* parent);

  QImage& Picture() { return picture_; }
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

// What both magnifiers show, at the same places: the enlarged square with
// the red frame around its centre pixel, the centre pixel's red, green and
// blue in decimal and hexadecimal, and the position line.
class MagnifierView : public QFrame {
  Q_OBJECT

 public:
  // `window_width` is the width of the window the position line is centred
  // in.
  MagnifierView(int window_width, QWidget* parent);

  // Places the red frame for radius n.
  void LayOutMarkers(int n);
  // One update: the plan carried out from `source` (the plan's source
  // rectangle's top-left pixel, `source_stride` pixels per row), the
  // readouts set to `centre`, the picture repainted.
  void ShowSquare(const MagnifierPlan& plan, const std::uint32_t* source, int source_stride,
                  QRgb centre);
  // The position line in type of `point_size` points, centred.
  void SetPositionLine(const QString& text, int point_size);

  MagnifierPicture* ImagePiccer = nullptr;
  QLabel* Label18 = nullptr;
  QLabel* Label19 = nullptr;
  QLabel* Label20 = nullptr;
  QLabel* LabelR = nullptr;
  QLabel* LabelG = nullptr;
  QLabel* LabelB = nullptr;
  QLabel* LabelhR = nullptr;
  QLabel* LabelhG = nullptr;
  QLabel* LabelhB = nullptr;
  QLabel* LabelPos = nullptr;
  QWidget* ShapeU = nullptr;
  QWidget* ShapeD = nullptr;
  QWidget* ShapeL = nullptr;
  QWidget* ShapeR = nullptr;

 private:
  void SetReadout(QLabel* label, const QString& text, int centre);

  int window_width_;
  int position_point_size_ = 0;
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_PICKER_MAGNIFIER_VIEW_H_
