#include "mainwindow/program_windows.h"

#include "mainwindow/dialogs/tform_about.h"
#include "mainwindow/dialogs/tform_input.h"
#include "mainwindow/dialogs/tform_option.h"
#include "mainwindow/picker/overlay_windows.h"

namespace tintara {

ProgramWindows::ProgramWindows(TForm1Services services) {
  main_ = std::make_unique<TForm1>(std::move(services));
  main_->AttachWindows(this);
}

ProgramWindows::~ProgramWindows() {
  // The main window goes last; the dialogs refer to it.
  mosaic_.reset();
  caption_.reset();
  option_.reset();
  input_.reset();
  about_.reset();
  main_.reset();
}

TFormAbout& ProgramWindows::About() {
  if (!about_) about_ = std::make_unique<TFormAbout>();
  return *about_;
}

TFormInput& ProgramWindows::Input() {
  if (!input_) input_ = std::make_unique<TFormInput>();
  return *input_;
}

TFormOption& ProgramWindows::Option() {
  if (!option_) {
    option_ = std::make_unique<TFormOption>(main_.get(), main_->Settings(), main_->ShowError());
  }
  return *option_;
}

TFormCaption& ProgramWindows::Caption() {
  if (!caption_) caption_ = std::make_unique<TFormCaption>();
  return *caption_;
}

TFormMosaic& ProgramWindows::Mosaic() {
  if (!mosaic_) mosaic_ = std::make_unique<TFormMosaic>();
  return *mosaic_;
}

}  // namespace tintara
