#ifndef TINTARA_TESTS_PRIVATE_SESSION_BUS_H_
#define TINTARA_TESTS_PRIVATE_SESSION_BUS_H_

#include <QProcess>
#include <QString>

namespace tintara {

// A session bus of the tests' own, so nothing reaches the desktop they run
// on. Address() is empty when dbus-daemon is missing or did not start.
class PrivateSessionBus {
 public:
  PrivateSessionBus() {
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"),
                   QStringLiteral("--print-address")});
    if (!daemon_.waitForStarted(10000)) return;
    while (!daemon_.canReadLine() && daemon_.waitForReadyRead(10000)) {
    }
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
  }
  ~PrivateSessionBus() {
    daemon_.kill();
    daemon_.waitForFinished();
  }
  PrivateSessionBus(const PrivateSessionBus&) = delete;
  PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

  const QString& Address() const { return address_; }

 private:
  QProcess daemon_;
  QString address_;
};

}  // namespace tintara

#endif  // TINTARA_TESTS_PRIVATE_SESSION_BUS_H_
