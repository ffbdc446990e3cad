#include "platform/portal_global_shortcut.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QList>
#include <utility>

#include "platform/portal_request.h"

namespace tintara {
namespace {

const QString kService = QString::fromLatin1(kPortalService);
const QString kPath = QString::fromLatin1(kPortalPath);
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequestInterface = QString::fromLatin1(kPortalRequestInterface);
const QString kResponse = QStringLiteral("Response");
const char* const kResponseSlot = SLOT(OnResponse(uint, QVariantMap, QDBusMessage));
const char* const kActivatedSlot = SLOT(OnActivated(QDBusMessage));

}  // namespace

// One entry of BindShortcuts' list, (sa{sv}) on the bus.
struct PortalShortcutEntry {
  QString id;
  QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcutEntry& entry) {
  argument.beginStructure();
  argument << entry.id << entry.properties;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcutEntry& entry) {
  argument.beginStructure();
  argument >> entry.id >> entry.properties;
  argument.endStructure();
  return argument;
}

}  // namespace tintara

Q_DECLARE_METATYPE(tintara::PortalShortcutEntry)

namespace tintara {

PortalGlobalShortcut::PortalGlobalShortcut(GlobalShortcutRequest shortcut, QDBusConnection bus,
                                           QObject* parent)
    : QObject(parent), shortcut_(std::move(shortcut)), bus_(std::move(bus)) {
  qDBusRegisterMetaType<PortalShortcutEntry>();
  qDBusRegisterMetaType<QList<PortalShortcutEntry>>();
  if (!bus_.isConnected()) return;
  // Activations come only from whoever owns the portal's name.
  bus_.connect(kService, kPath, kInterface, QStringLiteral("Activated"), this, kActivatedSlot);
  // A portal that restarts has forgotten the session.
  auto* watcher =
      new QDBusServiceWatcher(kService, bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
  connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
          [this](const QString&, const QString& old_owner, const QString& new_owner) {
            if (!old_owner.isEmpty()) GiveUp(false);
            if (!new_owner.isEmpty() && !refused_ && stage_ == Stage::kIdle) CreateSession();
          });
  CreateSession();
}

PortalGlobalShortcut::~PortalGlobalShortcut() {
  Unsubscribe();
  if (bus_.isConnected()) {
    bus_.disconnect(kService, kPath, kInterface, QStringLiteral("Activated"), this, kActivatedSlot);
  }
}

void PortalGlobalShortcut::CreateSession() {
  stage_ = Stage::kCreating;
  const QString token = NextPortalToken();
  const QString session_token = NextPortalToken();
  session_ = PortalSessionPath(bus_, session_token);
  QDBusMessage message =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CreateSession"));
  message << QVariantMap{{QStringLiteral("handle_token"), token},
                         {QStringLiteral("session_handle_token"), session_token}};
  Call(std::move(message), token);
}

void PortalGlobalShortcut::BindShortcut() {
  stage_ = Stage::kBinding;
  const QString token = NextPortalToken();
  const QList<PortalShortcutEntry> shortcuts = {
      {shortcut_.id,
       {{QStringLiteral("description"), shortcut_.description},
        {QStringLiteral("preferred_trigger"), shortcut_.preferred_trigger}}}};
  QDBusMessage message =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("BindShortcuts"));
  message << QVariant::fromValue(QDBusObjectPath(session_)) << QVariant::fromValue(shortcuts)
          << QString() << QVariantMap{{QStringLiteral("handle_token"), token}};
  Call(std::move(message), token);
}

void PortalGlobalShortcut::Call(QDBusMessage message, const QString& token) {
  DropCall();
  Unsubscribe();
  if (!Subscribe(PortalRequestPath(bus_, token))) {
    GiveUp(false);
    return;
  }
  // The desktop may ask the user before it answers, which takes as long as
  // it takes: the answer comes as a Response, the reply only names the
  // request.
  call_ = new QDBusPendingCallWatcher(bus_.asyncCall(message), this);
  QDBusPendingCallWatcher* call = call_;
  connect(call, &QDBusPendingCallWatcher::finished, this, [this, call] {
    if (call == call_) OnReply(call);
  });
}

void PortalGlobalShortcut::OnReply(QDBusPendingCallWatcher* call) {
  const QDBusPendingReply<QDBusObjectPath> reply = *call;
  DropCall();
  // No portal, or one without global shortcuts: nothing to register with.
  if (reply.isError()) {
    GiveUp(false);
    return;
  }
  // Older portals chose the request's path themselves.
  const QString handle = reply.value().path();
  if (handle != subscribed_) {
    Unsubscribe();
    if (!Subscribe(handle)) GiveUp(true);
  }
}

void PortalGlobalShortcut::OnResponse(uint response, const QVariantMap& results,
                                      const QDBusMessage& message) {
  // A signal already on its way when we stopped listening.
  if (subscribed_.isEmpty() || message.path() != subscribed_) return;
  Unsubscribe();
  if (response != kPortalSuccess) {
    // The user, or the desktop for them, said no: not asked again this run.
    refused_ = true;
    GiveUp(stage_ == Stage::kBinding);
    return;
  }
  if (stage_ == Stage::kCreating) {
    // A text by the documentation, an object path by some portals.
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    const QString path = handle.metaType() == QMetaType::fromType<QDBusObjectPath>()
                             ? handle.value<QDBusObjectPath>().path()
                             : handle.toString();
    if (!path.isEmpty()) session_ = path;
    BindShortcut();
  } else if (stage_ == Stage::kBinding) {
    stage_ = Stage::kBound;
  }
}

void PortalGlobalShortcut::OnActivated(const QDBusMessage& message) {
  // (session, shortcut id, timestamp, options); only the first two matter.
  const QList<QVariant> arguments = message.arguments();
  if (stage_ == Stage::kIdle || arguments.size() < 2) return;
  if (arguments[0].value<QDBusObjectPath>().path() != session_ ||
      arguments[1].toString() != shortcut_.id) {
    return;
  }
  emit Activated();
}

bool PortalGlobalShortcut::Subscribe(const QString& path) {
  if (!bus_.connect(kService, path, kRequestInterface, kResponse, this, kResponseSlot)) {
    return false;
  }
  subscribed_ = path;
  return true;
}

void PortalGlobalShortcut::Unsubscribe() {
  if (subscribed_.isEmpty()) return;
  bus_.disconnect(kService, subscribed_, kRequestInterface, kResponse, this, kResponseSlot);
  subscribed_.clear();
}

void PortalGlobalShortcut::DropCall() {
  // Later: this may run inside the watcher's own signal.
  if (call_ != nullptr) std::exchange(call_, nullptr)->deleteLater();
}

void PortalGlobalShortcut::GiveUp(bool close) {
  DropCall();
  Unsubscribe();
  if (close && !session_.isEmpty()) {
    bus_.send(QDBusMessage::createMethodCall(kService, session_,
                                             QStringLiteral("org.freedesktop.portal.Session"),
                                             QStringLiteral("Close")));
  }
  session_.clear();
  stage_ = Stage::kIdle;
}

}  // namespace tintara
