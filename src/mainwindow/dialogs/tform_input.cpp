#include "mainwindow/dialogs/tform_input.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "widgets/screen_centring.h"

namespace tintara {

TFormInput::TFormInput()
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
  FormCreate();
}

void TFormInput::FormCreate() {
  setWindowTitle(QString::fromUtf8("お気に入りの色の名前の入力"));
  // 435 x 176 with the frame of a dialog.
  setFixedSize(427, 149);
  setModal(true);
  CentreOnScreenWhenShown(*this);

  Label1 = new QLabel(QString::fromUtf8("お気に入りの色の名前を入力してください"), this);
  Label1->setGeometry(16, 14, 395, 20);

  MemoInput = new QLineEdit(this);
  MemoInput->setGeometry(16, 42, 395, 30);
  QFont font = MemoInput->font();
  font.setPixelSize(19);
  MemoInput->setFont(font);

  BitBtnOk = new QPushButton("OK", this);
  BitBtnOk->setGeometry(228, 106, 88, 28);
  BitBtnOk->setDefault(true);
  BitBtnCancel = new QPushButton(QString::fromUtf8("キャンセル"), this);
  BitBtnCancel->setGeometry(323, 106, 88, 28);
  connect(BitBtnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormInput::showEvent(QShowEvent* event) {
  MemoInput->clear();
  MemoInput->setFocus();
  QDialog::showEvent(event);
}

}  // namespace tintara
