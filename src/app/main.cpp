#include <QApplication>
#include <QIcon>
#include <exception>
#include <memory>

#include "mainwindow/program_windows.h"
#include "platform/error_box.h"
#include "platform/help_system.h"
#include "platform/qt_settings_store.h"
#include "platform/system_colours.h"
#include "platform/termination_signals.h"
#include "platform/toolkit_language.h"
#include "resources/resource_names.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tintara");
  tintara::InstallToolkitTranslations();
  QApplication::setWindowIcon(QIcon(QString::fromUtf8(tintara::res::kIcon48)));
  try {
    tintara::HelpSystem help;
    help.SetHelpFile(tintara::HelpSystem::FindHelpFile());
    tintara::QtSettingsStore settings;
    const std::unique_ptr<tintara::SystemColours> desktop = tintara::MakeDesktopSystemColours();
    tintara::ProgramWindows windows({&settings, tintara::StandardErrorBox(), &help, desktop.get(),
                                     tintara::StandardQuestionBox()});
    // Ending the session, kill or Ctrl+C close the program as its exit
    // command does, so the settings are kept.
    tintara::TerminationSignals termination([&windows] { windows.Main().EndBySignal(); });
    windows.Main().show();
    QApplication::exec();
  } catch (const std::exception& error) {
    tintara::StandardErrorBox()(QString::fromUtf8(error.what()));
  }
  return 0;
}
