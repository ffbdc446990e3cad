// Renders one of the program's windows into a PNG file, for the README and
// for looking at the windows without a display:
//   tintara-snapshot OUTPUT.png [main|main-win|main-fav|main-std|options[N]|about|input|
//                                menu-file|menu-edit|menu-select[-K]|menu-help|menu-popup] [R G B]
// main-win, main-fav and main-std show the main window with that colour
// source in its strip; menu-select-K shows the K-th submenu of 選択 (from 1).
#include <QApplication>
#include <QMenu>
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
  tintara::TForm1& form = windows.Main();
  QMenu* menu = nullptr;
  if (std::strcmp(which, "menu-file") == 0) menu = form.MenuFile;
  if (std::strcmp(which, "menu-edit") == 0) menu = form.MenuEdit;
  if (std::strcmp(which, "menu-help") == 0) menu = form.MenuHelp;
  if (std::strcmp(which, "menu-popup") == 0) menu = form.PopupMenu;
  if (std::strncmp(which, "menu-select", 11) == 0) {
    menu = form.MenuSel;
    if (which[11] == '-') {
      int wanted = std::atoi(which + 12);
      for (QAction* item : form.MenuSel->actions()) {
        if (item->menu() != nullptr && --wanted == 0) menu = item->menu();
      }
    }
  }
  if (menu != nullptr) {
    form.show();
    QApplication::processEvents();
    menu->popup(QPoint(0, 0));
    window = menu;
  }
  window->show();
  QApplication::processEvents();
  if (!window->grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "tintara-snapshot: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
