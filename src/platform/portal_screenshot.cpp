#include "platform/portal_screenshot.h"

#include <QDBusError>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <utility>

#include "platform/portal_request.h"

namespace tintara {
namespace {

const QString kService = QString::fromLatin1(kPortalService);
const QString kPath = QString::fromLatin1(kPortalPath);
const QString kScreenshotInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequestInterface = QString::fromLatin1(kPortalRequestInterface);
const QString kResponse = QStringLiteral("Response");
const char* const kResponseSlot = SLOT(OnResponse(uint, QVariantMap, QDBusMessage));

using Kind = PortalScreenshotResult::Kind;

// Errors that mean no portal serves screenshots here, so the caller falls
// back to reading the screen itself. A portal without a screenshot backend
// answers that it has no such interface or method.
bool MeansNoPortal(const QDBusError& error) {
  static const QStringList kNames = {
      QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"),
      QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner"),
      QStringLiteral("org.freedesktop.DBus.Error.Disconnected"),
      QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"),
      QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface"),
      QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
  };
  // Activation that found nothing to start, or could not start it.
  return kNames.contains(error.name()) ||
         error.name().startsWith(QLatin1String("org.freedesktop.DBus.Error.Spawn."));
}

// Only files in a place meant for them are ours to remove: some portals
// save into the user's pictures folder, and those stay.
bool IsTemporary(const QString& path) {
  const QString file = QFileInfo(path).canonicalFilePath();
  if (file.isEmpty()) return false;
  for (const QString& place : {QDir::tempPath(), qEnvironmentVariable("XDG_RUNTIME_DIR")}) {
    if (place.isEmpty()) continue;
    const QString root = QDir(place).canonicalPath();
    // A root of "/" never matches: that would be every file.
    if (!root.isEmpty() && file.startsWith(root + QLatin1Char('/'))) return true;
  }
  return false;
}

PortalScreenshotResult Picture(const QVariantMap& results) {
  const QUrl url(results.value(QStringLiteral("uri")).toString());
  if (!url.isLocalFile()) return {};
  const QString path = url.toLocalFile();
  const QImage picture(path);
  if (IsTemporary(path)) QFile::remove(path);
  if (picture.isNull()) return {};
  return {Kind::kPicture, picture};
}

}  // namespace

PortalScreenshot::PortalScreenshot(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] { Finish({}); });
}

PortalScreenshot::~PortalScreenshot() { Unsubscribe(); }

void PortalScreenshot::Take(std::function<void(PortalScreenshotResult)> done) {
  if (busy_) {
    Answer(std::move(done), {});
    return;
  }
  busy_ = true;
  done_ = std::move(done);
  if (!bus_.isConnected()) {
    Finish({Kind::kNoPortal, {}});
    return;
  }
  Ask(false);
}

void PortalScreenshot::Ask(bool interactive) {
  DropCall();
  Unsubscribe();
  interactive_ = interactive;
  const QString token = NextPortalToken();
  if (!Subscribe(PortalRequestPath(bus_, token))) {
    Finish({});
    return;
  }
  QDBusMessage message =
      QDBusMessage::createMethodCall(kService, kPath, kScreenshotInterface, "Screenshot");
  const QVariantMap options = {
      {QStringLiteral("handle_token"), token},
      {QStringLiteral("modal"), true},
      {QStringLiteral("interactive"), interactive},
  };
  message << QString() << options;
  // The user may take a while over the consent dialog: the bus's own
  // timeout must not cut in before ours.
  call_ = new QDBusPendingCallWatcher(bus_.asyncCall(message, timeout_), this);
  QDBusPendingCallWatcher* call = call_;
  connect(call, &QDBusPendingCallWatcher::finished, this, [this, call] {
    if (call == call_) OnReply(call);
  });
  timer_.start(timeout_);
}

void PortalScreenshot::OnReply(QDBusPendingCallWatcher* call) {
  const QDBusPendingReply<QDBusObjectPath> reply = *call;
  DropCall();
  if (reply.isError()) {
    Finish({MeansNoPortal(reply.error()) ? Kind::kNoPortal : Kind::kFailed, {}});
    return;
  }
  // Older portals chose the path themselves.
  const QString handle = reply.value().path();
  if (handle != subscribed_) {
    Unsubscribe();
    if (!Subscribe(handle)) Finish({});
  }
}

void PortalScreenshot::OnResponse(uint response, const QVariantMap& results,
                                  const QDBusMessage& message) {
  // A signal already on its way when we stopped listening.
  if (!busy_ || subscribed_.isEmpty() || message.path() != subscribed_) return;
  switch (response) {
    case kPortalSuccess:
      Finish(Picture(results));
      return;
    case kPortalCancelled:
      Finish({Kind::kRefused, {}});
      return;
    case kPortalOther:
      // Not without asking the user: the portal shows its own dialog.
      if (!interactive_) {
        Ask(true);
      } else {
        Finish({Kind::kRefused, {}});
      }
      return;
    default:
      Finish({});
  }
}

bool PortalScreenshot::Subscribe(const QString& path) {
  if (!bus_.connect(kService, path, kRequestInterface, kResponse, this, kResponseSlot)) {
    return false;
  }
  subscribed_ = path;
  return true;
}

void PortalScreenshot::Unsubscribe() {
  if (subscribed_.isEmpty()) return;
  bus_.disconnect(kService, subscribed_, kRequestInterface, kResponse, this, kResponseSlot);
  subscribed_.clear();
}

void PortalScreenshot::DropCall() {
  // Later: this may run inside the watcher's own signal.
  if (call_ != nullptr) std::exchange(call_, nullptr)->deleteLater();
}

void PortalScreenshot::Finish(PortalScreenshotResult result) {
  DropCall();
  Unsubscribe();
  timer_.stop();
  // Queued, so `done` never runs inside Take nor inside the bus's delivery,
  // and may delete this object.
  QMetaObject::invokeMethod(
      this,
      [this, result = std::move(result)] {
        busy_ = false;
        const std::function<void(PortalScreenshotResult)> done = std::exchange(done_, {});
        if (done) done(result);
      },
      Qt::QueuedConnection);
}

void PortalScreenshot::Answer(std::function<void(PortalScreenshotResult)> done,
                              PortalScreenshotResult result) {
  QMetaObject::invokeMethod(
      this,
      [done = std::move(done), result = std::move(result)] {
        if (done) done(result);
      },
      Qt::QueuedConnection);
}

}  // namespace tintara
