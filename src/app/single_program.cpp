#include "app/single_program.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QUrl>

namespace tintara {

ApplicationAdaptor::ApplicationAdaptor(QObject* object) : QDBusAbstractAdaptor(object) {}

void ApplicationAdaptor::Activate(const QVariantMap& platform_data) {
  if (requests.activate) requests.activate(platform_data);
}

void ApplicationAdaptor::Open(const QStringList& uris, const QVariantMap& platform_data) {
  Activate(platform_data);
  // The window holds one page or picture at a time: the last one stays.
  for (const QString& uri : uris) {
    const QUrl url(uri);
    if (requests.open) requests.open(url.isLocalFile() ? url.toLocalFile() : uri);
  }
}

void ApplicationAdaptor::ActivateAction(const QString& action_name, const QVariantList&,
                                        const QVariantMap& platform_data) {
  if (action_name == QLatin1String(kPickAction)) {
    if (requests.pick) requests.pick();
    return;
  }
  // An action this program does not have still brings it to the front.
  Activate(platform_data);
}

SingleProgram::SingleProgram(QDBusConnection bus)
    : bus_(std::move(bus)), adaptor_(new ApplicationAdaptor(&object_)) {}

SingleProgram::~SingleProgram() {
  if (registered_) bus_.unregisterObject(QString::fromLatin1(kObjectPath));
}

SingleProgram::Claim SingleProgram::ClaimName() {
  if (!bus_.isConnected() || bus_.interface() == nullptr) return Claim::kNoBus;
  // The object first, so that whoever sees the name finds it served.
  registered_ = bus_.registerObject(QString::fromLatin1(kObjectPath), &object_,
                                    QDBusConnection::ExportAdaptors);
  const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
      bus_.interface()->registerService(QString::fromLatin1(kBusName),
                                        QDBusConnectionInterface::DontQueueService,
                                        QDBusConnectionInterface::DontAllowReplacement);
  if (registered_ && reply.isValid() &&
      reply.value() == QDBusConnectionInterface::ServiceRegistered)
    return Claim::kOwned;
  if (registered_) bus_.unregisterObject(QString::fromLatin1(kObjectPath));
  registered_ = false;
  return reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceNotRegistered
             ? Claim::kRunning
             : Claim::kNoBus;
}

bool SingleProgram::HandOverOn(const QDBusConnection& bus, const QString& file, bool pick) {
  QDBusMessage call;
  const QString name = QString::fromLatin1(kBusName);
  const QString path = QString::fromLatin1(kObjectPath);
  const QString interface = QString::fromLatin1(kApplicationInterface);
  if (pick) {
    call = QDBusMessage::createMethodCall(name, path, interface, QStringLiteral("ActivateAction"));
    call << QString::fromLatin1(kPickAction) << QVariantList() << LaunchPlatformData();
  } else if (!file.isEmpty()) {
    call = QDBusMessage::createMethodCall(name, path, interface, QStringLiteral("Open"));
    call << QStringList{QUrl::fromLocalFile(QDir::current().absoluteFilePath(file)).toString()}
         << LaunchPlatformData();
  } else {
    call = QDBusMessage::createMethodCall(name, path, interface, QStringLiteral("Activate"));
    call << LaunchPlatformData();
  }
  // Never started by the bus for this: the caller starts the program itself.
  call.setAutoStartService(false);
  return bus.call(call).type() == QDBusMessage::ReplyMessage;
}

bool HandedToRunningProgram(int& argc, char** argv, const QString& file, bool pick) {
  const QCoreApplication application(argc, argv);
  const QString connection_name = QStringLiteral("tintara-hand-over");
  bool handed = false;
  {
    const QDBusConnection bus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, connection_name);
    handed = bus.isConnected() && bus.interface() != nullptr &&
             bus.interface()->isServiceRegistered(QString::fromLatin1(kBusName)).value() &&
             SingleProgram::HandOverOn(bus, file, pick);
  }
  QDBusConnection::disconnectFromBus(connection_name);
  return handed;
}

QVariantMap LaunchPlatformData() {
  QVariantMap data;
  const QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
  if (!token.isEmpty()) data.insert(QStringLiteral("activation-token"), QString::fromUtf8(token));
  const QByteArray startup = qgetenv("DESKTOP_STARTUP_ID");
  if (!startup.isEmpty()) {
    data.insert(QStringLiteral("desktop-startup-id"), QString::fromUtf8(startup));
  }
  return data;
}

}  // namespace tintara
