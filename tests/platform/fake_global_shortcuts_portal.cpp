// A global shortcuts portal for the tests: owns org.freedesktop.portal.Desktop
// on the session bus of DBUS_SESSION_BUS_ADDRESS and answers CreateSession
// and BindShortcuts the way its arguments say.
//
//   --refuse-session  answer CreateSession with 1 (cancelled)
//   --refuse-bind     answer BindShortcuts with 1 (cancelled)
//   --no-shortcuts    own the name but serve no global shortcuts
//   --log FILE        append a line for each call, its fields separated by tabs
//
// The test makes it emit Activated(session, id) by calling
// io.github.tintara.FakePortal.Activate(o session, s id) on the portal's path.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <QVariantMap>

namespace {

const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

struct Behaviour {
  bool refuse_session = false;
  bool refuse_bind = false;
  bool no_shortcuts = false;
  QString log;
};

QString SenderPart(const QDBusMessage& message) {
  QString sender = message.service();
  return sender.remove(QLatin1Char(':')).replace(QLatin1Char('.'), QLatin1Char('_'));
}

class FakePortal : public QDBusVirtualObject {
 public:
  explicit FakePortal(Behaviour behaviour) : behaviour_(std::move(behaviour)) {}

  QString introspect(const QString&) const override { return {}; }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.type() != QDBusMessage::MethodCallMessage) return false;
    QDBusConnection bus = connection;
    const QString member = message.member();
    if (message.interface() == QStringLiteral("io.github.tintara.FakePortal") &&
        member == QStringLiteral("Activate")) {
      QDBusMessage activated = QDBusMessage::createSignal(kPath, kInterface, "Activated");
      activated << message.arguments().value(0) << message.arguments().value(1)
                << QVariant::fromValue(qulonglong{1234}) << QVariantMap();
      bus.send(activated);
      bus.send(message.createReply());
      return true;
    }
    if (message.interface() == QStringLiteral("org.freedesktop.portal.Session") &&
        member == QStringLiteral("Close")) {
      Log({"Close", "session=" + message.path()});
      bus.send(message.createReply());
      return true;
    }
    if (behaviour_.no_shortcuts || message.interface() != kInterface || message.path() != kPath) {
      bus.send(message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
                                        QStringLiteral("no such method")));
      return true;
    }
    if (member == QStringLiteral("CreateSession")) {
      const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().value(0));
      const QString token = options.value(QStringLiteral("handle_token")).toString();
      const QString session = QStringLiteral("/org/freedesktop/portal/desktop/session/") +
                              SenderPart(message) + QLatin1Char('/') +
                              options.value(QStringLiteral("session_handle_token")).toString();
      Log({"CreateSession", "session=" + session});
      Answer(bus, message, token, behaviour_.refuse_session ? 1 : 0,
             {{QStringLiteral("session_handle"), session}});
      return true;
    }
    if (member == QStringLiteral("BindShortcuts")) {
      const QList<QVariant> arguments = message.arguments();
      QStringList line = {"BindShortcuts",
                          "session=" + arguments.value(0).value<QDBusObjectPath>().path(),
                          "signature=" + message.signature()};
      const QDBusArgument list = arguments.value(1).value<QDBusArgument>();
      list.beginArray();
      while (!list.atEnd()) {
        QString id;
        QVariantMap properties;
        list.beginStructure();
        list >> id >> properties;
        list.endStructure();
        line << "id=" + id
             << "description=" + properties.value(QStringLiteral("description")).toString()
             << "trigger=" + properties.value(QStringLiteral("preferred_trigger")).toString();
      }
      list.endArray();
      Log(line);
      const QVariantMap options = qdbus_cast<QVariantMap>(arguments.value(3));
      Answer(bus, message, options.value(QStringLiteral("handle_token")).toString(),
             behaviour_.refuse_bind ? 1 : 0, {});
      return true;
    }
    bus.send(message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
                                      QStringLiteral("no such method")));
    return true;
  }

 private:
  // Replies with the request's path, then answers on it.
  static void Answer(QDBusConnection& bus, const QDBusMessage& call, const QString& token,
                     uint code, const QVariantMap& results) {
    const QString handle = QStringLiteral("/org/freedesktop/portal/desktop/request/") +
                           SenderPart(call) + QLatin1Char('/') + token;
    bus.send(call.createReply(QVariant::fromValue(QDBusObjectPath(handle))));
    QDBusMessage response = QDBusMessage::createSignal(
        handle, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
    response << code << results;
    bus.send(response);
  }

  void Log(const QStringList& fields) {
    if (behaviour_.log.isEmpty()) return;
    QFile file(behaviour_.log);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) return;
    file.write((fields.join(QLatin1Char('\t')) + QLatin1Char('\n')).toUtf8());
  }

  Behaviour behaviour_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCommandLineParser parser;
  const QCommandLineOption refuse_session(QStringLiteral("refuse-session"));
  const QCommandLineOption refuse_bind(QStringLiteral("refuse-bind"));
  const QCommandLineOption no_shortcuts(QStringLiteral("no-shortcuts"));
  const QCommandLineOption log(QStringLiteral("log"), {}, QStringLiteral("file"));
  parser.addOptions({refuse_session, refuse_bind, no_shortcuts, log});
  parser.process(app);

  Behaviour behaviour;
  behaviour.refuse_session = parser.isSet(refuse_session);
  behaviour.refuse_bind = parser.isSet(refuse_bind);
  behaviour.no_shortcuts = parser.isSet(no_shortcuts);
  behaviour.log = parser.value(log);

  QDBusConnection bus = QDBusConnection::sessionBus();
  FakePortal portal(std::move(behaviour));
  if (!bus.registerVirtualObject(kPath, &portal, QDBusConnection::SubPath)) {
    QTextStream(stderr) << "fake_global_shortcuts_portal: cannot register the object\n";
    return 1;
  }
  // Last, so that once the name is seen on the bus the portal answers.
  if (!bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"))) {
    QTextStream(stderr) << "fake_global_shortcuts_portal: cannot own the name\n";
    return 1;
  }
  return app.exec();
}
