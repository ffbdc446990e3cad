#ifndef TINTARA_MAINWINDOW_DIALOGS_TFORM_INPUT_H_
#define TINTARA_MAINWINDOW_DIALOGS_TFORM_INPUT_H_

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tintara {

// Asks for the name of a new favourite colour.
class TFormInput : public QDialog {
  Q_OBJECT

 public:
  TFormInput();
  void FormCreate();

  QLabel* Label1 = nullptr;
  QLineEdit* MemoInput = nullptr;
  QPushButton* BitBtnOk = nullptr;
  QPushButton* BitBtnCancel = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_DIALOGS_TFORM_INPUT_H_
