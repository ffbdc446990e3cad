#include "mainwindow/dialogs/tform_about.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "resources/resource_names.h"
#include "widgets/screen_centring.h"

namespace tintara {

QImage TitleOnFace(const QImage& picture, QColor face) {
  QImage image = picture.convertToFormat(QImage::Format_ARGB32);
  const QRgb white = qRgb(255, 255, 255);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (line[x] == white) line[x] = face.rgb();
    }
  }
  return image;
}

TitlePaintBox::TitlePaintBox(QWidget* parent) : QWidget(parent) {}

void TitlePaintBox::SetPicture(const QImage& picture) {
  picture_ = picture;
  resize(picture.size());
}

void TitlePaintBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, TitleOnFace(picture_, palette().color(QPalette::Button)));
}

TFormAbout::TFormAbout()
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  FormCreate();
}

void TFormAbout::FormCreate() {
  setWindowTitle(QString::fromUtf8("Tintara ヴァージョン情報"));
  setFixedSize(464, 146);
  setModal(true);
  CentreOnScreenWhenShown(*this);

  Image1 = new QLabel(this);
  Image1->setGeometry(20, 20, 32, 34);
  Image1->setScaledContents(true);
  Image1->setPixmap(QPixmap(QString::fromUtf8(res::kIcon48)));

  PaintBoxTitle = new TitlePaintBox(this);
  PaintBoxTitle->move(72, 16);
  PaintBoxTitle->SetPicture(QImage(QString::fromUtf8(res::kBitmapTitle)));

  Label4 = new QLabel("Version 1.62", this);
  Label4->setGeometry(72, 66, 220, 26);
  QFont font = Label4->font();
  font.setPixelSize(19);
  font.setBold(true);
  font.setItalic(true);
  Label4->setFont(font);

  auto* note = new QLabel(QString::fromUtf8("HTMLとプログラムのための色の道具"), this);
  note->setGeometry(72, 96, 280, 18);

  BitBtnOK = new QPushButton("OK", this);
  BitBtnOK->setGeometry(366, 108, 84, 26);
  BitBtnOK->setDefault(true);
  connect(BitBtnOK, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace tintara
