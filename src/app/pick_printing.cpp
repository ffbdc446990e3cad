#include "app/pick_printing.h"

#include <QApplication>
#include <iostream>

#include "mainwindow/copy/copy_format_box.h"
#include "mainwindow/program_windows.h"
#include "platform/settings_store.h"

namespace tintara {

int PrintPickedColour(const StartRequest& request, SettingsStore& settings) {
  ReadOnlySettingsStore unchanged(settings);
  TForm1Services services;
  services.settings = &unchanged;
  // Nobody may be there to answer a box: a script reads standard error.
  services.error_box = [](const QString& message) {
    std::cerr << "tintara: " << message.toStdString() << '\n';
  };
  ProgramWindows windows(std::move(services));
  TForm1& main = windows.Main();
  int status = 1;
  const bool started =
      main.PickPixelFromScreen([&](std::optional<RgbColor> colour, const QString& failure) {
        if (colour) {
          std::cout << PrintedPickText(*colour, request, main.ComboBoxCopy->currentIndex(),
                                       main.OutputNum(), main.OutputLower())
                    << std::endl;
          status = 0;
        } else if (!failure.isEmpty()) {
          std::cerr << "tintara: " << failure.toStdString() << '\n';
        }
        QCoreApplication::exit(status);
      });
  if (!started) return 1;
  QApplication::exec();
  return status;
}

}  // namespace tintara
