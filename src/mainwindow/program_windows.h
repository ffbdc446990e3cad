#ifndef TINTARA_MAINWINDOW_PROGRAM_WINDOWS_H_
#define TINTARA_MAINWINDOW_PROGRAM_WINDOWS_H_

#include <memory>

#include "mainwindow/tform1.h"

namespace tintara {

// The six windows of the program: the main window, made at once, and the
// version, favourite-name and options dialogs, the full-screen overlay and
// the magnifier, each made hidden the first time it is asked for. All live
// as long as the main window does.
class ProgramWindows final : public OtherWindows {
 public:
  explicit ProgramWindows(TForm1Services services);
  ~ProgramWindows();

  TForm1& Main() { return *main_; }
  TFormAbout& About() override;
  TFormInput& Input() override;
  TFormOption& Option() override;
  TFormCaption& Caption() override;
  TFormMosaic& Mosaic() override;

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
