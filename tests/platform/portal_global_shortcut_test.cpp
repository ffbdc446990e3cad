#include "platform/portal_global_shortcut.h"

#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "platform/fake_portal_process.h"
#include "private_session_bus.h"

namespace tintara {
namespace {

const QString kPortalName = QStringLiteral("org.freedesktop.portal.Desktop");
const GlobalShortcutRequest kPick{QStringLiteral("pick"), QStringLiteral("画面から色を取る"),
                                  QStringLiteral("CTRL+SHIFT+c")};

// The fake portal on a private session bus, so nothing reaches the desktop
// the tests run on.
class PortalGlobalShortcutTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { bus_daemon_ = new PrivateSessionBus; }

  static void TearDownTestSuite() {
    delete bus_daemon_;
    bus_daemon_ = nullptr;
  }

  void SetUp() override {
    ASSERT_FALSE(bus_daemon_->Address().isEmpty())
        << "no private session bus: dbus-daemon is missing or failed (scripts/install-deps)";
    ASSERT_TRUE(root_.isValid());
    static int count = 0;
    bus_name_ = QStringLiteral("shortcuts%1").arg(++count);
    bus_ = QDBusConnection::connectToBus(bus_daemon_->Address(), bus_name_);
    ASSERT_TRUE(bus_.isConnected());
  }

  void TearDown() override {
    StopFake();
    QDBusConnection::disconnectFromBus(bus_name_);
  }

  void StartFake(QStringList arguments = {}) {
    StopFake();
    QFile::remove(LogPath());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SESSION_BUS_ADDRESS", bus_daemon_->Address());
    ASSERT_TRUE(fake_.Start(QStringLiteral(TINTARA_FAKE_GLOBAL_SHORTCUTS_PORTAL),
                            arguments << QStringLiteral("--log") << LogPath(), environment, bus_))
        << "the fake portal did not start or quit";
  }

  void StopFake() { EXPECT_TRUE(fake_.Stop(bus_)); }

  QString LogPath() const { return root_.filePath("calls.log"); }

  // The fake's log, one list of tab-separated fields per call.
  std::vector<QStringList> Calls() const {
    std::vector<QStringList> calls;
    QFile file(LogPath());
    if (!file.open(QIODevice::ReadOnly)) return calls;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
      calls.push_back(line.split('\t'));
    }
    return calls;
  }

  bool WaitForCalls(std::size_t count) {
    return QTest::qWaitFor([&] { return Calls().size() >= count; }, 60000);
  }

  // The session the portal made, from its log.
  QString Session() const {
    for (const QStringList& call : Calls()) {
      if (call.value(0) == "CreateSession")
        return call.value(1).mid(QStringLiteral("session=").size());
    }
    return {};
  }

  // Has the fake emit Activated, and lets the client hear it: the fake sends
  // the signal before its reply, over the connection the client uses.
  void Activate(const QString& session, const QString& id) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        kPortalName, "/org/freedesktop/portal/desktop", "io.github.tintara.FakePortal", "Activate");
    call << QVariant::fromValue(QDBusObjectPath(session)) << id;
    const QDBusMessage reply = bus_.call(call, QDBus::Block, 10000);
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    QTest::qWait(50);
  }

  inline static PrivateSessionBus* bus_daemon_ = nullptr;
  QTemporaryDir root_;
  QString bus_name_;
  QDBusConnection bus_{QString()};
  FakePortalProcess fake_;
};

TEST_F(PortalGlobalShortcutTest, BindsThePickShortcutAndPassesOnItsActivations) {
  ASSERT_NO_FATAL_FAILURE(StartFake());
  PortalGlobalShortcut shortcut(kPick, bus_);
  QSignalSpy activated(&shortcut, &PortalGlobalShortcut::Activated);
  ASSERT_TRUE(QTest::qWaitFor([&] { return shortcut.Bound(); }, 60000));

  const std::vector<QStringList> calls = Calls();
  ASSERT_EQ(calls.size(), 2u);
  const QString session = Session();
  EXPECT_TRUE(session.startsWith("/org/freedesktop/portal/desktop/session/"));
  const QStringList bind = {
      "BindShortcuts", "session=" + session,           "signature=oa(sa{sv})sa{sv}",
      "id=pick",       "description=画面から色を取る", "trigger=CTRL+SHIFT+c"};
  EXPECT_EQ(calls[1], bind);

  ASSERT_NO_FATAL_FAILURE(Activate(session, "pick"));
  EXPECT_EQ(activated.count(), 1);
  // Another shortcut, or another program's session, is not ours.
  ASSERT_NO_FATAL_FAILURE(Activate(session, "other"));
  ASSERT_NO_FATAL_FAILURE(Activate("/org/freedesktop/portal/desktop/session/x/y", "pick"));
  EXPECT_EQ(activated.count(), 1);
  ASSERT_NO_FATAL_FAILURE(Activate(session, "pick"));
  EXPECT_EQ(activated.count(), 2);
}

TEST_F(PortalGlobalShortcutTest, ARefusalIsSilentAndFinal) {
  for (const char* refusal : {"--refuse-session", "--refuse-bind"}) {
    SCOPED_TRACE(refusal);
    ASSERT_NO_FATAL_FAILURE(StartFake({refusal}));
    PortalGlobalShortcut shortcut(kPick, bus_);
    QSignalSpy activated(&shortcut, &PortalGlobalShortcut::Activated);
    const bool bind_refused = QString(refusal) == "--refuse-bind";
    // A refused binding gives its session back.
    ASSERT_TRUE(WaitForCalls(bind_refused ? 3 : 1));
    ASSERT_NO_FATAL_FAILURE(Activate(Session(), "pick"));
    EXPECT_FALSE(shortcut.Bound());
    EXPECT_EQ(activated.count(), 0);
    const std::vector<QStringList> calls = Calls();
    if (bind_refused) {
      ASSERT_EQ(calls.size(), 3u);
      EXPECT_EQ(calls[2], QStringList({"Close", "session=" + Session()}));
    } else {
      EXPECT_EQ(calls.size(), 1u);
    }

    // Not asked again when the portal restarts.
    ASSERT_NO_FATAL_FAILURE(StartFake());
    QTest::qWait(200);
    EXPECT_TRUE(Calls().empty());
    EXPECT_FALSE(shortcut.Bound());
  }
}

TEST_F(PortalGlobalShortcutTest, WithoutThePortalNothingHappensUntilItComes) {
  PortalGlobalShortcut shortcut(kPick, bus_);
  QSignalSpy activated(&shortcut, &PortalGlobalShortcut::Activated);
  QTest::qWait(200);
  EXPECT_FALSE(shortcut.Bound());

  // A portal without global shortcuts.
  ASSERT_NO_FATAL_FAILURE(StartFake({"--no-shortcuts"}));
  QTest::qWait(200);
  EXPECT_FALSE(shortcut.Bound());

  ASSERT_NO_FATAL_FAILURE(StartFake());
  ASSERT_TRUE(QTest::qWaitFor([&] { return shortcut.Bound(); }, 60000));
  const QString first = Session();
  ASSERT_NO_FATAL_FAILURE(Activate(first, "pick"));
  EXPECT_EQ(activated.count(), 1);

  // Gone: the session went with it. Back: a new session.
  StopFake();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !shortcut.Bound(); }, 60000));
  ASSERT_NO_FATAL_FAILURE(StartFake());
  ASSERT_TRUE(QTest::qWaitFor([&] { return shortcut.Bound(); }, 60000));
  EXPECT_EQ(Calls().size(), 2u);
  ASSERT_NO_FATAL_FAILURE(Activate(Session(), "pick"));
  EXPECT_EQ(activated.count(), 2);
}

TEST(PortalGlobalShortcut, WithoutASessionBusStaysQuiet) {
  PortalGlobalShortcut shortcut(kPick, QDBusConnection(QString()));
  EXPECT_FALSE(shortcut.Bound());
}

}  // namespace
}  // namespace tintara
