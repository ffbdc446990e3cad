#ifndef TINTARA_APP_SINGLE_PROGRAM_H_
#define TINTARA_APP_SINGLE_PROGRAM_H_

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <functional>

namespace tintara {

// The program's name on the session bus and the object that serves the
// desktop's application interface; the desktop entry carries the same name.
inline constexpr char kBusName[] = "io.github.tintara.tintara";
inline constexpr char kObjectPath[] = "/io/github/tintara/tintara";
inline constexpr char kApplicationInterface[] = "org.freedesktop.Application";
// The one action there is.
inline constexpr char kPickAction[] = "pick";

// What the running program is asked to do by another start, a launcher or
// a script.
struct ProgramRequests {
  // Come to the front. `platform_data` may carry the launcher's
  // "activation-token" or "desktop-startup-id".
  std::function<void(const QVariantMap& platform_data)> activate;
  // Open one file (a local path or, for anything else, the address as given).
  std::function<void(const QString& file)> open;
  // Pick a colour from the screen.
  std::function<void()> pick;
};

// org.freedesktop.Application, answered from the requests the program sets.
class ApplicationAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

 public:
  explicit ApplicationAdaptor(QObject* object);

  ProgramRequests requests;

 public slots:
  void Activate(const QVariantMap& platform_data);
  void Open(const QStringList& uris, const QVariantMap& platform_data);
  void ActivateAction(const QString& action_name, const QVariantList& parameter,
                      const QVariantMap& platform_data);
};

// One program per session: the first start owns the bus name and serves
// the later ones, which hand their arguments over and end.
class SingleProgram {
 public:
  enum class Claim {
    kOwned,    // this process is the program; requests come through Requests()
    kRunning,  // another process owns the name
    kNoBus,    // no session bus: every start is a program of its own
  };

  explicit SingleProgram(QDBusConnection bus = QDBusConnection::sessionBus());
  ~SingleProgram();
  SingleProgram(const SingleProgram&) = delete;
  SingleProgram& operator=(const SingleProgram&) = delete;

  // Serves the interface and asks for the name, once.
  Claim ClaimName();
  // Where the owner's requests go; set before the event loop runs.
  ProgramRequests& Requests() { return adaptor_->requests; }

  // Asks the program that owns the name to come to the front, to open
  // `file` (a path; relative to this process's folder), or to pick. False
  // when it did not answer.
  bool HandOver(const QString& file, bool pick) { return HandOverOn(bus_, file, pick); }
  static bool HandOverOn(const QDBusConnection& bus, const QString& file, bool pick);

 private:
  QDBusConnection bus_;
  QObject object_;
  ApplicationAdaptor* adaptor_;
  bool registered_ = false;
};

// Hands the start over to a running program, if there is one, before the
// toolkit connects to the display: a later start then costs little more
// than a bus call. Makes and ends an application object of its own. False
// when no program runs or it did not answer.
bool HandedToRunningProgram(int& argc, char** argv, const QString& file, bool pick);

// What a launcher hands on for the window to come to the front: the
// environment's activation token and start-up id, when set.
QVariantMap LaunchPlatformData();

}  // namespace tintara

#endif  // TINTARA_APP_SINGLE_PROGRAM_H_
