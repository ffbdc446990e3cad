// Renders one of the program's windows into a PNG file, for the README and
// for looking at the windows without a display:
//   tintara-snapshot OUTPUT.png [main|main-win|main-fav|main-std|options[N]|about|input] [R G B]
// main-win, main-fav and main-std show the main window with that colour
// source in its strip.
#include <QApplication>
#include <QPixmap>
#include <QTabWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "mainwindow/dialogs/tform_about.h"
#include "mainwindow/dialogs/tform_input.h"
#include "mainwindow/dialogs/tform_option.h"
#include "mainwindow/program_windows.h"
#include "platform/memory_settings_store.h"
#include "widgets/flat_button.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: tintara-snapshot OUTPUT.png [main[-win|-fav|-std]|options[N]|about|input] "
                 "[R G B]\n");
    return 2;
  }
  QApplication app(argc, argv);
  tintara::MemorySettingsStore settings;
  tintara::ProgramWindows windows({.settings = &settings, .error_box = [](const QString&) {}});
  int next = 2;
  const char* which = "main";
  if (argc > next && std::strchr("0123456789", argv[next][0]) == nullptr) which = argv[next++];
  if (argc >= next + 3) {
    windows.Main().SetCurrentColour(tintara::RgbColor::FromInts(
        std::atoi(argv[next]), std::atoi(argv[next + 1]), std::atoi(argv[next + 2])));
  }
  QWidget* window = &windows.Main();
  if (std::strncmp(which, "options", 7) == 0) {
    window = &windows.Option();
    if (which[7] != '\0') windows.Option().PageControl->setCurrentIndex(which[7] - '1');
  }
  if (std::strcmp(which, "main-win") == 0) windows.Main().SpeedButtonColorWin->click();
  if (std::strcmp(which, "main-fav") == 0) windows.Main().SpeedButtonColorFav->click();
  if (std::strcmp(which, "main-std") == 0) windows.Main().SpeedButtonColorStd->click();
  if (std::strcmp(which, "about") == 0) window = &windows.About();
  if (std::strcmp(which, "input") == 0) window = &windows.Input();
  window->show();
  QApplication::processEvents();
  if (!window->grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "tintara-snapshot: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
