#ifndef TINTARA_PLATFORM_PORTAL_SCREENSHOT_H_
#define TINTARA_PLATFORM_PORTAL_SCREENSHOT_H_

#include <QDBusConnection>
#include <QDBusMessage>
#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>
#include <functional>

class QDBusPendingCallWatcher;

namespace tintara {

struct PortalScreenshotResult {
  enum class Kind {
    kPicture,   // `picture` holds the whole screen.
    kNoPortal,  // Nothing on the bus answers for screenshots: read the screen another way.
    kRefused,   // The user (or the desktop on their behalf) said no.
    kFailed,    // The portal was there but gave nothing usable.
  };
  Kind kind = Kind::kFailed;
  QImage picture;  // For kPicture.
};

// A picture of the whole screen from the desktop portal, for sessions where
// an application may not read the screen itself (Wayland, sandboxes).
//
// The portal is asked quietly first; when it will not answer without the
// user's say, it is asked once more and shows its own consent dialog. A
// picture the portal left in a temporary place is deleted once read;
// anything elsewhere (a screenshots folder) is the user's and stays.
class PortalScreenshot : public QObject {
  Q_OBJECT

 public:
  explicit PortalScreenshot(QDBusConnection bus = QDBusConnection::sessionBus(),
                            QObject* parent = nullptr);
  ~PortalScreenshot() override;

  // Asks for a picture of the whole screen. `done` runs exactly once, later,
  // on this thread: never inside Take. It may call Take again. Destroying
  // the object first drops the request, and `done` never runs.
  void Take(std::function<void(PortalScreenshotResult)> done);

  // From Take until just before `done` runs. A Take meanwhile answers
  // kFailed (later, as always) and leaves the request under way alone.
  bool Busy() const { return busy_; }

  // How long to wait for each answer of the portal; 60 s unless set.
  void SetTimeout(int ms) { timeout_ = ms; }

 private slots:
  void OnResponse(uint response, const QVariantMap& results, const QDBusMessage& message);

 private:
  void Ask(bool interactive);
  void OnReply(QDBusPendingCallWatcher* call);
  bool Subscribe(const QString& path);
  void Unsubscribe();
  void DropCall();
  void Finish(PortalScreenshotResult result);
  // Posts `done` a result without touching the request under way.
  void Answer(std::function<void(PortalScreenshotResult)> done, PortalScreenshotResult result);

  QDBusConnection bus_;
  std::function<void(PortalScreenshotResult)> done_;
  bool busy_ = false;
  bool interactive_ = false;
  QString subscribed_;  // The request path listened on; empty when none.
  QDBusPendingCallWatcher* call_ = nullptr;
  QTimer timer_;
  int timeout_ = 60000;
};

}  // namespace tintara

#endif  // TINTARA_PLATFORM_PORTAL_SCREENSHOT_H_
