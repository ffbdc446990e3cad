#ifndef TINTARA_PLATFORM_PORTAL_REQUEST_H_
#define TINTARA_PLATFORM_PORTAL_REQUEST_H_

#include <QDBusConnection>
#include <QString>

// What every call to the desktop portal shares: where the portal lives, and
// where it will put the request (or session) a call names by its token.
namespace tintara {

inline constexpr char kPortalService[] = "org.freedesktop.portal.Desktop";
inline constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";
inline constexpr char kPortalRequestInterface[] = "org.freedesktop.portal.Request";

// The portal's answers in a request's Response.
inline constexpr uint kPortalSuccess = 0;
inline constexpr uint kPortalCancelled = 1;
inline constexpr uint kPortalOther = 2;

// A token unique in the process: two objects may share a connection.
QString NextPortalToken();

// Known before the call, so that the answer cannot slip past between the
// reply and the subscription.
QString PortalRequestPath(const QDBusConnection& bus, const QString& token);
QString PortalSessionPath(const QDBusConnection& bus, const QString& token);

}  // namespace tintara

#endif  // TINTARA_PLATFORM_PORTAL_REQUEST_H_
