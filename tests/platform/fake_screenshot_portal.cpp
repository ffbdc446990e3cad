// A screenshot portal for the tests: owns org.freedesktop.portal.Desktop on
// the session bus of DBUS_SESSION_BUS_ADDRESS and answers every Screenshot
// call the one way its arguments say.
//
//   --picture FILE    answer 0 with a fresh copy of FILE in the temporary folder
//   --consent FILE    answer 2 unless the request is interactive, then as --picture
//   --uri URI         answer 0 with URI as it is
//   --no-uri          answer 0 without a uri
//   --cancel          answer 1
//   --other           answer 2
//   --error           reply to the call with an error
//   --silent          reply with the handle, never answer
//   --no-screenshot   own the name but serve no screenshot interface
//   --early           answer before replying to the call
//   --elsewhere       reply with a handle other than the one the token asks for
//   --log FILE        append a line for each request: its options and the uri given

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <QTextStream>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>

namespace {

struct Behaviour {
  QByteArray picture;  // The bytes of --picture or --consent.
  bool consent = false;
  QString uri;
  bool has_uri = false;
  bool no_uri = false;
  bool cancel = false;
  bool other = false;
  bool error = false;
  bool silent = false;
  bool early = false;
  bool elsewhere = false;
  QString log;
};

class FakePortal : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")

 public:
  explicit FakePortal(Behaviour behaviour) : behaviour_(std::move(behaviour)) {}

 public slots:
  QDBusObjectPath Screenshot(const QString& parent_window, const QVariantMap& options) {
    (void)parent_window;
    const bool interactive = options.value(QStringLiteral("interactive")).toBool();
    const bool modal = options.value(QStringLiteral("modal")).toBool();
    const QString token = options.value(QStringLiteral("handle_token")).toString();
    QString sender = message().service();
    sender.remove(QLatin1Char(':')).replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString request = QStringLiteral("/org/freedesktop/portal/desktop/request/") + sender;
    const QString handle = behaviour_.elsewhere
                               ? request + QStringLiteral("/elsewhere%1").arg(++requests_)
                               : request + QLatin1Char('/') + token;

    uint code = 0;
    QVariantMap results;
    if (behaviour_.cancel) {
      code = 1;
    } else if (behaviour_.other || (behaviour_.consent && !interactive)) {
      code = 2;
    } else if (behaviour_.has_uri) {
      results.insert(QStringLiteral("uri"), behaviour_.uri);
    } else if (!behaviour_.no_uri && !behaviour_.error && !behaviour_.silent) {
      results.insert(QStringLiteral("uri"), CopyPicture());
    }
    Log(QStringLiteral("interactive=%1 modal=%2 token=%3 uri=%4")
            .arg(int{interactive})
            .arg(int{modal})
            .arg(token, results.value(QStringLiteral("uri")).toString()));

    if (behaviour_.error) {
      sendErrorReply(QStringLiteral("org.freedesktop.portal.Error.Failed"),
                     QStringLiteral("told to fail"));
      return {};
    }
    setDelayedReply(true);
    const QDBusMessage reply = message().createReply(QVariant::fromValue(QDBusObjectPath(handle)));
    QDBusMessage response = QDBusMessage::createSignal(
        handle, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
    response << code << results;
    QDBusConnection bus = connection();
    if (behaviour_.early) {
      bus.send(response);
      bus.send(reply);
    } else if (behaviour_.silent) {
      bus.send(reply);
    } else if (behaviour_.elsewhere) {
      // The client can only listen there once it has the reply: say it
      // again until it surely has.
      bus.send(reply);
      auto* repeat = new QTimer(this);
      connect(repeat, &QTimer::timeout, this, [bus, response, repeat, count = 0]() mutable {
        bus.send(response);
        if (++count == 100) repeat->deleteLater();
      });
      repeat->start(20);
    } else {
      bus.send(reply);
      QTimer::singleShot(QRandomGenerator::global()->bounded(11), this,
                         [bus, response]() mutable { bus.send(response); });
    }
    return {};
  }

 private:
  // A file of its own for every answer, as a portal leaves one.
  QString CopyPicture() {
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/fake-portal-XXXXXX.png"));
    file.setAutoRemove(false);
    if (!file.open()) return {};
    file.write(behaviour_.picture);
    file.close();
    return QUrl::fromLocalFile(file.fileName()).toString();
  }

  void Log(const QString& line) {
    if (behaviour_.log.isEmpty()) return;
    QFile file(behaviour_.log);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) return;
    file.write((line + QLatin1Char('\n')).toUtf8());
  }

  Behaviour behaviour_;
  int requests_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCommandLineParser parser;
  const QCommandLineOption picture(QStringLiteral("picture"), {}, QStringLiteral("file"));
  const QCommandLineOption consent(QStringLiteral("consent"), {}, QStringLiteral("file"));
  const QCommandLineOption uri(QStringLiteral("uri"), {}, QStringLiteral("uri"));
  const QCommandLineOption log(QStringLiteral("log"), {}, QStringLiteral("file"));
  const QCommandLineOption no_uri(QStringLiteral("no-uri"));
  const QCommandLineOption cancel(QStringLiteral("cancel"));
  const QCommandLineOption other(QStringLiteral("other"));
  const QCommandLineOption error(QStringLiteral("error"));
  const QCommandLineOption silent(QStringLiteral("silent"));
  const QCommandLineOption no_screenshot(QStringLiteral("no-screenshot"));
  const QCommandLineOption early(QStringLiteral("early"));
  const QCommandLineOption elsewhere(QStringLiteral("elsewhere"));
  parser.addOptions({picture, consent, uri, log, no_uri, cancel, other, error, silent,
                     no_screenshot, early, elsewhere});
  parser.process(app);

  Behaviour behaviour;
  const QString source = parser.isSet(consent) ? parser.value(consent) : parser.value(picture);
  if (!source.isEmpty()) {
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
      QTextStream(stderr) << "fake_screenshot_portal: cannot read " << source << '\n';
      return 1;
    }
    behaviour.picture = file.readAll();
  }
  behaviour.consent = parser.isSet(consent);
  behaviour.has_uri = parser.isSet(uri);
  behaviour.uri = parser.value(uri);
  behaviour.no_uri = parser.isSet(no_uri);
  behaviour.cancel = parser.isSet(cancel);
  behaviour.other = parser.isSet(other);
  behaviour.error = parser.isSet(error);
  behaviour.silent = parser.isSet(silent);
  behaviour.early = parser.isSet(early);
  behaviour.elsewhere = parser.isSet(elsewhere);
  behaviour.log = parser.value(log);

  QDBusConnection bus = QDBusConnection::sessionBus();
  FakePortal portal(std::move(behaviour));
  if (!parser.isSet(no_screenshot) &&
      !bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &portal,
                          QDBusConnection::ExportAllSlots)) {
    QTextStream(stderr) << "fake_screenshot_portal: cannot register the object\n";
    return 1;
  }
  // Last, so that once the name is seen on the bus the portal answers.
  if (!bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"))) {
    QTextStream(stderr) << "fake_screenshot_portal: cannot own the name: "
                        << bus.lastError().message() << '\n';
    return 1;
  }
  return app.exec();
}

#include "fake_screenshot_portal.moc"
