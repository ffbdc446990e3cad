#ifndef TINTARA_PLATFORM_PORTAL_GLOBAL_SHORTCUT_H_
#define TINTARA_PLATFORM_PORTAL_GLOBAL_SHORTCUT_H_

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>

class QDBusPendingCallWatcher;

namespace tintara {

struct GlobalShortcutRequest {
  QString id;
  QString description;  // what the desktop shows the user
  // As the desktop's shortcut settings write it: modifiers CTRL, ALT,
  // SHIFT, LOGO and a key of the unshifted layer, joined by '+'.
  QString preferred_trigger;
};

// One shortcut that works wherever the keyboard focus is, registered with
// the desktop portal's GlobalShortcuts interface (KDE Plasma 6, GNOME 48 and
// later). The desktop decides which keys trigger it and may ask the user;
// a refusal, or a session without such a portal, leaves the shortcut
// unregistered without a word. A portal that comes (back) later gets the
// shortcut then, unless it refused it before.
class PortalGlobalShortcut : public QObject {
  Q_OBJECT

 public:
  // Starts registering at once, over `bus`.
  explicit PortalGlobalShortcut(GlobalShortcutRequest shortcut,
                                QDBusConnection bus = QDBusConnection::sessionBus(),
                                QObject* parent = nullptr);
  ~PortalGlobalShortcut() override;

  // The portal has bound the shortcut (a trigger may still be unset).
  bool Bound() const { return stage_ == Stage::kBound; }

 signals:
  // The user pressed the shortcut's keys.
  void Activated();

 private slots:
  void OnResponse(uint response, const QVariantMap& results, const QDBusMessage& message);
  void OnActivated(const QDBusMessage& message);

 private:
  enum class Stage { kIdle, kCreating, kBinding, kBound };

  void CreateSession();
  void BindShortcut();
  // Sends `message`, a call that answers through the request `token` names.
  void Call(QDBusMessage message, const QString& token);
  void OnReply(QDBusPendingCallWatcher* call);
  bool Subscribe(const QString& path);
  void Unsubscribe();
  void DropCall();
  // Gives up the session; `close` tells the portal too.
  void GiveUp(bool close);

  GlobalShortcutRequest shortcut_;
  QDBusConnection bus_;
  Stage stage_ = Stage::kIdle;
  bool refused_ = false;
  QString session_;     // the session's path once the portal has made it
  QString subscribed_;  // the request path listened on; empty when none
  QDBusPendingCallWatcher* call_ = nullptr;
};

}  // namespace tintara

#endif  // TINTARA_PLATFORM_PORTAL_GLOBAL_SHORTCUT_H_
