#ifndef TINTARA_MAINWINDOW_PROGRAM_WINDOWS_H_
#define TINTARA_MAINWINDOW_PROGRAM_WINDOWS_H_

#include <memory>

#include "mainwindow/tform1.h"

namespace tintara {

class TFormAbout;
class TFormCaption;
class TFormInput;
class TFormMosaic;
class TFormOption;

// The six windows of the program, each created completely before the next:
// the main window first, then the version, favourite-name and options
// dialogs, the full-screen overlay and the magnifier. All but the main
// window start hidden and live as long as it does.
class ProgramWindows {
 public:
  explicit ProgramWindows(TForm1Services services);
  ~ProgramWindows();

  TForm1& Main() { return *main_; }
  TFormAbout& About() { return *about_; }
  TFormInput& Input() { return *input_; }
  TFormOption& Option() { return *option_; }
  TFormCaption& Caption() { return *caption_; }
  TFormMosaic& Mosaic() { return *mosaic_; }

 private:
  std::unique_ptr<TForm1> main_;
  std::unique_ptr<TFormAbout> about_;
  std::unique_ptr<TFormInput> input_;
  std::unique_ptr<TFormOption> option_;
  std::unique_ptr<TFormCaption> caption_;
  std::unique_ptr<TFormMosaic> mosaic_;
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_PROGRAM_WINDOWS_H_
