#ifndef TINTARA_MAINWINDOW_DIALOGS_TFORM_OPTION_H_
#define TINTARA_MAINWINDOW_DIALOGS_TFORM_OPTION_H_

#include <QDialog>
#include <array>

#include "colour/colour_models.h"
#include "mainwindow/settings/option_settings.h"
#include "platform/error_box.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;

namespace tintara {

class SettingsStore;
class TForm1;

// The options dialog: user palette and picker, colour tones, output form.
// It keeps the picker and user-palette options itself and edits the main
// window's palette channel, slide model and output form.
class TFormOption : public QDialog {
  Q_OBJECT

 public:
  TFormOption(TForm1* main_window, SettingsStore* store, ErrorBox error_box);

  // The four options it keeps, as its controls show them.
  OptionSettings HeldOptions() const;

  void FormCreate();
  void FormShow();
  void FormClose();
  void RadioButtonUpperClick(int tag);
  void RadioButtonLowerClick(int tag);
  void RadioButtonPiccerPushClick();
  void RadioButtonPiccerClickClick();
  void ScrollBarPiccerChange();
  void EditPiccerChange();
  void MemoAreaChange();
  void ButtonUpClick();
  void ButtonDownClick();
  void BitBtnOKClick();
  void BitBtnCancelClick();

  QTabWidget* PageControl = nullptr;
  QGroupBox* GroupBoxUser = nullptr;
  QRadioButton* RadioButtonUserMove = nullptr;
  QRadioButton* RadioButtonUserClick = nullptr;
  QGroupBox* GroupBoxPiccer = nullptr;
  QRadioButton* RadioButtonPiccerPush = nullptr;
  QRadioButton* RadioButtonPiccerClick = nullptr;
  QLabel* LabelPiccer1 = nullptr;
  QLineEdit* EditPiccer = nullptr;
  QLabel* LabelPiccer2 = nullptr;
  QScrollBar* ScrollBarPiccer = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* MemoArea = nullptr;
  QPushButton* ButtonUp = nullptr;
  QPushButton* ButtonDown = nullptr;
  QLabel* LabelPiccer4 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  std::array<QRadioButton*, 18> PaletteRadioButtons{};              // tag = palette channel
  std::array<QRadioButton*, kSlideModelCount> SlideRadioButtons{};  // tag = slide model
  QGroupBox* GroupBox3 = nullptr;
  QRadioButton* RadioButtonOutputNum = nullptr;
  QRadioButton* RadioButtonOutputName = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QRadioButton* RadioButtonOutputLower = nullptr;
  QRadioButton* RadioButtonOutputUpper = nullptr;
  QPushButton* BitBtnOK = nullptr;
  QPushButton* BitBtnCancel = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 public slots:
  void done(int result) override;

 private:
  void CreatePickerPage();
  void CreateTonePage();
  void CreateOutputPage();
  void ShowHeldOptions(const OptionSettings& options);
  void UpdateDelayEnabled();

  TForm1* main_window_;
  SettingsStore* store_;
  ErrorBox error_box_;
  // The options as they were when the dialog was shown, for Cancel.
  OptionSettings shown_options_;
  int pending_palette_channel_ = 0;
  SlideModel pending_slide_model_ = SlideModel::kRgb;
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_DIALOGS_TFORM_OPTION_H_
