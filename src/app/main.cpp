#include <malloc.h>

#include <QApplication>
#include <QIcon>
#include <QScopeGuard>
#include <QTimer>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/font_warm_up.h"
#include "app/pick_printing.h"
#include "app/plug_in_listing.h"
#include "app/single_program.h"
#include "app/start_arguments.h"
#include "mainwindow/program_windows.h"
#include "pictures/susie_plugin.h"
#include "platform/error_box.h"
#include "platform/help_system.h"
#include "platform/portal_global_shortcut.h"
#include "platform/qt_settings_store.h"
#include "platform/system_colours.h"
#include "platform/termination_signals.h"
#include "platform/toolkit_language.h"
#include "resources/resource_names.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kBusRequestWaitMs = 5000;

// The usage and the plug-ins a file may be read by. Listing them runs the
// plug-in helper, which needs an application object but no window.
int PrintHelp(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QString folder = tintara::ReadPlugInFolder(tintara::TSusiePlugIn::OwnPlugInFolder());
  std::cout << tintara::kStartUsage << '\n' << tintara::PlugInListing(folder).toStdString();
  return 0;
}

// Requests of later starts, launchers and scripts go to the main window.
void ServeLaterStarts(tintara::SingleProgram& single, tintara::TForm1& window) {
  auto activate = [&window](const QVariantMap& platform_data) {
    // A compositor lets a window come to the front with the launcher's token.
    const QString token = platform_data.value(QStringLiteral("activation-token")).toString();
    if (!token.isEmpty()) qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
    // Hidden for a pick, it shows once the pick is over.
    if (window.PickerBusy()) return;
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
  };
  tintara::ProgramRequests& requests = single.Requests();
  requests.activate = activate;
  requests.open = [&window](const QString& file) { window.OpenPictureOrText(file); };
  requests.pick = [&window] { window.PickColourFromScreen(); };
}

}  // namespace

int main(int argc, char** argv) {
  // The arguments are read before the toolkit starts: --help, --version and
  // refused arguments need no display.
  tintara::StartRequest request =
      tintara::ReadStartArguments({argv + (argc > 0 ? 1 : 0), argv + argc});
  if (request.action == tintara::StartRequest::Action::kVersion) {
    std::cout << tintara::VersionText();
    return 0;
  }
  if (request.action == tintara::StartRequest::Action::kHelp) return PrintHelp(argc, argv);
  if (request.action == tintara::StartRequest::Action::kUsageError) {
    std::cerr << "tintara: " << request.message << '\n';
    return kExitUsage;
  }
  // A later start in the session ends here, before the toolkit starts.
  if (!request.print && !request.bus_activated &&
      tintara::HandedToRunningProgram(argc, argv, QString::fromStdString(request.file),
                                      request.pick)) {
    return 0;
  }

  // One heap for all threads. The program's few threads allocate little,
  // and each would otherwise keep a heap of its own, mostly empty, for as
  // long as the program runs.
  mallopt(M_ARENA_MAX, 1);
  tintara::FontWarmUp fonts;
  // The toolkit gets its own options only, so no file name is taken for one.
  std::vector<char*> toolkit_args(argv, argv + (argc > 0 ? 1 : 0));
  for (std::string& option : request.toolkit_options) toolkit_args.push_back(option.data());
  int toolkit_argc = static_cast<int>(toolkit_args.size());
  toolkit_args.push_back(nullptr);
  QApplication app(toolkit_argc, toolkit_args.data());
  // The font thread's work ends before the application object goes.
  const auto finish_fonts = qScopeGuard([&fonts] { fonts.Finish(); });
  fonts.FillFontList();
  QApplication::setApplicationName("Tintara");
  // One program per session: a later start hands its arguments to the
  // running one and ends. --pick --print picks in its own process.
  tintara::SingleProgram single;
  const tintara::SingleProgram::Claim claim =
      request.print ? tintara::SingleProgram::Claim::kNoBus : single.ClaimName();
  if (claim == tintara::SingleProgram::Claim::kRunning &&
      (request.bus_activated ||
       single.HandOver(QString::fromStdString(request.file), request.pick))) {
    // Started by the bus, the launcher's request reaches the running one.
    return 0;
  }
  tintara::InstallToolkitTranslations();
  QApplication::setWindowIcon(QIcon(QString::fromUtf8(tintara::res::kIcon48)));
  try {
    tintara::HelpSystem help;
    help.SetHelpFile(tintara::HelpSystem::FindHelpFile());
    tintara::QtSettingsStore settings;
    if (request.print) {
      fonts.WaitForConfiguration();
      return tintara::PrintPickedColour(request, settings);
    }
    const std::unique_ptr<tintara::SystemColours> desktop = tintara::MakeDesktopSystemColours();
    fonts.WaitForConfiguration();
    tintara::ProgramWindows windows({&settings, tintara::StandardErrorBox(), &help, desktop.get(),
                                     tintara::StandardQuestionBox()});
    // Ending the session, kill or Ctrl+C close the program as its exit
    // command does, so the settings are kept.
    tintara::TerminationSignals termination([&windows] { windows.Main().EndBySignal(); });
    if (claim == tintara::SingleProgram::Claim::kOwned) ServeLaterStarts(single, windows.Main());
    if (request.pick) {
      // No window before the pick; it shows once the pick is over.
      QMetaObject::invokeMethod(
          &windows.Main(), [&windows] { windows.Main().PickColourFromScreen(); },
          Qt::QueuedConnection);
    } else if (request.bus_activated && claim == tintara::SingleProgram::Claim::kOwned) {
      // The launcher's request, due at once, says what to show. Should none
      // come, the window shows anyway: a program nobody can see would run on.
      QTimer::singleShot(kBusRequestWaitMs, &windows.Main(), [&windows] {
        tintara::TForm1& window = windows.Main();
        if (!window.isVisible() && !window.PickerBusy()) window.show();
      });
    } else {
      windows.Main().show();
    }
    if (!request.file.empty()) {
      // Opened as the open command opens a file, once the window is up, so
      // that a message about the file stands in front of it.
      QMetaObject::invokeMethod(
          &windows.Main(),
          [&windows, file = QString::fromStdString(request.file)] {
            windows.Main().OpenPictureOrText(file);
          },
          Qt::QueuedConnection);
    }
    // Where the desktop offers global shortcuts, picking has one.
    tintara::PortalGlobalShortcut pick_shortcut({QStringLiteral("pick"),
                                                 QStringLiteral("画面から色を取る"),
                                                 QStringLiteral("CTRL+SHIFT+c")});
    QObject::connect(&pick_shortcut, &tintara::PortalGlobalShortcut::Activated, &windows.Main(),
                     &tintara::TForm1::PickColourFromScreen);
    QApplication::exec();
  } catch (const std::exception& error) {
    tintara::StandardErrorBox()(QString::fromUtf8(error.what()));
  }
  return 0;
}
