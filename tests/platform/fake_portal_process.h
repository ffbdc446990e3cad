#ifndef TINTARA_TESTS_PLATFORM_FAKE_PORTAL_PROCESS_H_
#define TINTARA_TESTS_PLATFORM_FAKE_PORTAL_PROCESS_H_

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTest>
#include <memory>

namespace tintara {

// One of the tests' fake desktop portals, run as a process of its own on a
// private session bus, and known to the bus before and after: started, it
// owns the portal's name; stopped, the bus has seen it go, or the next call
// could still be routed to it.
class FakePortalProcess {
 public:
  static inline const QString kPortalName = QStringLiteral("org.freedesktop.portal.Desktop");

  // False when the fake did not start or quit before owning the name.
  bool Start(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment, const QDBusConnection& bus) {
    Stop(bus);
    process_ = std::make_unique<QProcess>();
    process_->setProcessEnvironment(environment);
    process_->setProcessChannelMode(QProcess::ForwardedChannels);
    process_->start(program, arguments);
    if (!process_->waitForStarted(10000)) return false;
    const bool settled = QTest::qWaitFor(
        [&] {
          return process_->state() != QProcess::Running ||
                 bus.interface()->isServiceRegistered(kPortalName).value();
        },
        60000);
    return settled && process_->state() == QProcess::Running;
  }

  // False when the bus still shows the portal's name.
  bool Stop(const QDBusConnection& bus) {
    if (!process_) return true;
    process_->kill();
    process_->waitForFinished();
    process_.reset();
    return QTest::qWaitFor(
        [&] { return !bus.interface()->isServiceRegistered(kPortalName).value(); }, 60000);
  }

 private:
  std::unique_ptr<QProcess> process_;
};

}  // namespace tintara

#endif  // TINTARA_TESTS_PLATFORM_FAKE_PORTAL_PROCESS_H_
