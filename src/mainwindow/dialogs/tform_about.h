#ifndef TINTARA_MAINWINDOW_DIALOGS_TFORM_ABOUT_H_
#define TINTARA_MAINWINDOW_DIALOGS_TFORM_ABOUT_H_

#include <QDialog>
#include <QImage>

class QLabel;
class QPushButton;

namespace tintara {

// The title picture, painted with its white turned into the dialog's own
// button-face colour so the picture's background disappears.
class TitlePaintBox : public QWidget {
  Q_OBJECT

 public:
  explicit TitlePaintBox(QWidget* parent);
  void SetPicture(const QImage& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

// The version dialog.
class TFormAbout : public QDialog {
  Q_OBJECT

 public:
  TFormAbout();
  void FormCreate();

  QLabel* Image1 = nullptr;
  TitlePaintBox* PaintBoxTitle = nullptr;
  QLabel* Label4 = nullptr;
  QPushButton* BitBtnOK = nullptr;
};

// The title picture as painted: every white pixel in the given colour.
QImage TitleOnFace(const QImage& picture, QColor face);

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_DIALOGS_TFORM_ABOUT_H_
