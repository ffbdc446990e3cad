#include "mainwindow/program_windows.h"

#include "mainwindow/dialogs/tform_about.h"
#include "mainwindow/dialogs/tform_input.h"
#include "mainwindow/dialogs/tform_option.h"
#include "mainwindow/picker/overlay_windows.h"

namespace tintara {

ProgramWindows::ProgramWindows(TForm1Services services) {
  main_ = std::make_unique<TForm1>(std::move(services));
  about_ = std::make_unique<TFormAbout>();
  input_ = std::make_unique<TFormInput>();
  option_ = std::make_unique<TFormOption>(main_.get(), main_->Settings(), main_->ShowError());
  caption_ = std::make_unique<TFormCaption>();
  mosaic_ = std::make_unique<TFormMosaic>();
  main_->AttachWindows(about_.get(), input_.get(), option_.get(), caption_.get(), mosaic_.get());
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

}  // namespace tintara
