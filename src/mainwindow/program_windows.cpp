#include "mainwindow/program_windows.h"

#include <utility>

#include "mainwindow/dialogs/tform_about.h"
#include "mainwindow/dialogs/tform_input.h"
#include "mainwindow/dialogs/tform_option.h"
#include "mainwindow/picker/overlay_windows.h"

namespace tintara {
namespace {

// The window, made from `arguments` the first time it is asked for.
template <typename Window, typename... Arguments>
Window& MadeOnce(std::unique_ptr<Window>& window, Arguments&&... arguments) {
  if (!window) window = std::make_unique<Window>(std::forward<Arguments>(arguments)...);
  return *window;
}

}  // namespace

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

TFormAbout& ProgramWindows::About() { return MadeOnce(about_); }
TFormInput& ProgramWindows::Input() { return MadeOnce(input_); }
TFormOption& ProgramWindows::Option() {
  return MadeOnce(option_, main_.get(), main_->Settings(), main_->ShowError());
}
TFormCaption& ProgramWindows::Caption() { return MadeOnce(caption_); }
TFormMosaic& ProgramWindows::Mosaic() { return MadeOnce(mosaic_); }

}  // namespace tintara
