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
  Label1->setGeometry(40, 26, 353, 22);
  QFont prompt_font = Label1->font();
  prompt_font.setPixelSize(16);
  Label1->setFont(prompt_font);

  MemoInput = new QLineEdit(this);
  MemoInput->setGeometry(40, 56, 353, 25);
  QFont font = MemoInput->font();
  font.setPixelSize(19);
  MemoInput->setFont(font);

  // The buttons close up to the field's right edge.
  BitBtnOk = new QPushButton("OK", this);
  BitBtnOk->setGeometry(210, 102, 88, 28);
  BitBtnOk->setDefault(true);
  BitBtnCancel = new QPushButton(QString::fromUtf8("キャンセル"), this);
  BitBtnCancel->setGeometry(305, 102, 88, 28);
  connect(BitBtnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormInput::showEvent(QShowEvent* event) {
  MemoInput->clear();
  MemoInput->setFocus();
  QDialog::showEvent(event);
}

}  // namespace tintara
