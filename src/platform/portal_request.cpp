#include "platform/portal_request.h"

namespace tintara {
namespace {

// The caller's unique name as the portal writes it in its object paths.
QString SenderPart(const QDBusConnection& bus) {
  QString sender = bus.baseService();
  return sender.remove(QLatin1Char(':')).replace(QLatin1Char('.'), QLatin1Char('_'));
}

}  // namespace

QString NextPortalToken() {
  static int count = 0;
  return QStringLiteral("tintara%1").arg(++count);
}

QString PortalRequestPath(const QDBusConnection& bus, const QString& token) {
  return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
      .arg(SenderPart(bus), token);
}

QString PortalSessionPath(const QDBusConnection& bus, const QString& token) {
  return QStringLiteral("/org/freedesktop/portal/desktop/session/%1/%2")
      .arg(SenderPart(bus), token);
}

}  // namespace tintara
