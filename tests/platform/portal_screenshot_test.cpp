#include "platform/portal_screenshot.h"

#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>
#include <optional>

#include "platform/fake_portal_process.h"
#include "private_session_bus.h"

namespace tintara {
namespace {

using Kind = PortalScreenshotResult::Kind;

const QString kPortalName = QStringLiteral("org.freedesktop.portal.Desktop");

// One line of the fake's log: the options of one request and the uri it gave.
struct Request {
  bool interactive = false;
  bool modal = false;
  QString token;
  QString file;  // Of the uri, when a file.
};

// A private session bus for the fake portal, so nothing reaches the desktop
// the tests run on; the temporary places are folders of the test's own.
class PortalScreenshotTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    bus_daemon_ = new PrivateSessionBus;
    address_ = bus_daemon_->Address();
    saved_tmpdir_ = qgetenv("TMPDIR");
    saved_runtime_ = qgetenv("XDG_RUNTIME_DIR");
  }

  static void TearDownTestSuite() {
    delete bus_daemon_;
    bus_daemon_ = nullptr;
  }

  void SetUp() override {
    ASSERT_FALSE(address_.isEmpty())
        << "no private session bus: dbus-daemon is missing or failed (scripts/install-deps)";
    ASSERT_TRUE(root_.isValid());
    for (const char* name : {"tmp", "run", "keep"}) ASSERT_TRUE(QDir(root_.path()).mkdir(name));
    tmp_ = root_.filePath("tmp");
    run_ = root_.filePath("run");
    keep_ = root_.filePath("keep");
    qputenv("TMPDIR", tmp_.toUtf8());
    qputenv("XDG_RUNTIME_DIR", run_.toUtf8());

    static int count = 0;
    bus_name_ = QStringLiteral("portal%1").arg(++count);
    bus_ = QDBusConnection::connectToBus(address_, bus_name_);
    ASSERT_TRUE(bus_.isConnected());

    // Every pixel different, and some not opaque.
    source_ = QImage(7, 5, QImage::Format_ARGB32);
    for (int y = 0; y < source_.height(); ++y) {
      for (int x = 0; x < source_.width(); ++x) {
        source_.setPixel(x, y, qRgba(x * 30, y * 50, 255 - x * y, x == y ? 128 : 255));
      }
    }
    source_path_ = root_.filePath("source.png");
    ASSERT_TRUE(source_.save(source_path_));
  }

  void TearDown() override {
    StopFake();
    QDBusConnection::disconnectFromBus(bus_name_);
    // The next test's folders are made in the real temporary folder.
    Restore("TMPDIR", saved_tmpdir_);
    Restore("XDG_RUNTIME_DIR", saved_runtime_);
  }

  static void Restore(const char* name, const QByteArray& value) {
    if (value.isNull()) {
      qunsetenv(name);
    } else {
      qputenv(name, value);
    }
  }

  // Starts the fake with `arguments`, leaving its files in `temporary`, and
  // waits until it owns the portal's name.
  void StartFake(QStringList arguments, const QString& temporary = {}) {
    StopFake();
    QFile::remove(LogPath());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SESSION_BUS_ADDRESS", address_);
    environment.insert("TMPDIR", temporary.isEmpty() ? tmp_ : temporary);
    ASSERT_TRUE(fake_.Start(QStringLiteral(TINTARA_FAKE_SCREENSHOT_PORTAL),
                            arguments << QStringLiteral("--log") << LogPath(), environment, bus_))
        << "the fake portal did not start or quit";
  }

  void StopFake() { EXPECT_TRUE(fake_.Stop(bus_)); }

  QString LogPath() const { return root_.filePath("requests.log"); }

  std::vector<Request> Requests() const {
    std::vector<Request> requests;
    QFile file(LogPath());
    if (!file.open(QIODevice::ReadOnly)) return requests;
    for (const QByteArray& line : file.readAll().split('\n')) {
      if (line.isEmpty()) continue;
      Request request;
      for (const QByteArray& field : line.split(' ')) {
        const QByteArray key = field.left(field.indexOf('='));
        const QString value = QString::fromUtf8(field.mid(key.size() + 1));
        if (key == "interactive") request.interactive = value == "1";
        if (key == "modal") request.modal = value == "1";
        if (key == "token") request.token = value;
        if (key == "uri") request.file = QUrl(value).toLocalFile();
      }
      requests.push_back(request);
    }
    return requests;
  }

  // Takes a picture and waits for the answer, checking on the way that the
  // answer comes after Take returned and once the object is free again.
  static PortalScreenshotResult TakeFrom(PortalScreenshot& portal) {
    struct State {
      bool returned = false;
      int calls = 0;
      PortalScreenshotResult result;
    };
    auto state = std::make_shared<State>();
    portal.Take([state, &portal](PortalScreenshotResult result) {
      EXPECT_TRUE(state->returned) << "done ran inside Take";
      EXPECT_FALSE(portal.Busy());
      ++state->calls;
      state->result = std::move(result);
    });
    state->returned = true;
    EXPECT_TRUE(portal.Busy());
    // The portal's own timeout ends every request well before this.
    EXPECT_TRUE(QTest::qWaitFor([&] { return state->calls > 0; }, 120000));
    EXPECT_EQ(state->calls, 1);
    return state->result;
  }

  PortalScreenshotResult Take() {
    PortalScreenshot portal(bus_);
    return TakeFrom(portal);
  }

  void ExpectTheSource(const PortalScreenshotResult& result) {
    ASSERT_EQ(result.kind, Kind::kPicture);
    EXPECT_EQ(result.picture.convertToFormat(QImage::Format_ARGB32), source_);
  }

  inline static PrivateSessionBus* bus_daemon_ = nullptr;
  inline static QString address_;
  inline static QByteArray saved_tmpdir_;
  inline static QByteArray saved_runtime_;
  QTemporaryDir root_;
  QString tmp_, run_, keep_;
  QString bus_name_;
  QDBusConnection bus_{QString()};
  FakePortalProcess fake_;
  QImage source_;
  QString source_path_;
};

TEST_F(PortalScreenshotTest, ReturnsThePictureAndDeletesItsTemporaryFile) {
  for (const QString& place : {tmp_, run_}) {
    ASSERT_NO_FATAL_FAILURE(StartFake({"--picture", source_path_}, place));
    ExpectTheSource(Take());
    const std::vector<Request> requests = Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(requests[0].interactive);
    EXPECT_TRUE(requests[0].modal);
    EXPECT_TRUE(requests[0].file.startsWith(place + "/")) << requests[0].file.toStdString();
    EXPECT_FALSE(QFile::exists(requests[0].file)) << requests[0].file.toStdString();
  }
}

TEST_F(PortalScreenshotTest, LeavesAPictureSavedElsewhereWhereItIs) {
  const QString saved = keep_ + "/shot.png";
  ASSERT_TRUE(QFile::copy(source_path_, saved));
  ASSERT_NO_FATAL_FAILURE(StartFake({"--uri", QUrl::fromLocalFile(saved).toString()}));
  ExpectTheSource(Take());
  EXPECT_TRUE(QFile::exists(saved));
}

TEST_F(PortalScreenshotTest, AsksAgainWithConsentWhenAQuietRequestIsDeclined) {
  ASSERT_NO_FATAL_FAILURE(StartFake({"--consent", source_path_}));
  ExpectTheSource(Take());
  const std::vector<Request> requests = Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_FALSE(requests[0].interactive);
  EXPECT_TRUE(requests[1].interactive);
  EXPECT_TRUE(requests[1].modal);
  EXPECT_NE(requests[0].token, requests[1].token);
  EXPECT_FALSE(QFile::exists(requests[1].file));
}

TEST_F(PortalScreenshotTest, ARefusalIsFinal) {
  ASSERT_NO_FATAL_FAILURE(StartFake({"--cancel"}));
  EXPECT_EQ(Take().kind, Kind::kRefused);
  EXPECT_EQ(Requests().size(), 1u);

  ASSERT_NO_FATAL_FAILURE(StartFake({"--other"}));
  EXPECT_EQ(Take().kind, Kind::kRefused);
  const std::vector<Request> requests = Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_TRUE(requests[1].interactive);
}

TEST_F(PortalScreenshotTest, UnusableAnswersFail) {
  // Not a picture, but left where a picture would be: still cleaned up.
  const QString garbage = tmp_ + "/garbage.png";
  QFile file(garbage);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("not a picture");
  file.close();
  const QStringList cases[] = {
      {"--error"},
      {"--no-uri"},
      {"--uri", "https://example.org/shot.png"},
      {"--uri", QUrl::fromLocalFile(root_.filePath("missing.png")).toString()},
      {"--uri", QUrl::fromLocalFile(garbage).toString()},
  };
  for (const QStringList& arguments : cases) {
    ASSERT_NO_FATAL_FAILURE(StartFake(arguments));
    EXPECT_EQ(Take().kind, Kind::kFailed) << arguments.join(' ').toStdString();
  }
  EXPECT_FALSE(QFile::exists(garbage));
}

TEST_F(PortalScreenshotTest, APortalThatNeverAnswersTimesOut) {
  ASSERT_NO_FATAL_FAILURE(StartFake({"--silent"}));
  PortalScreenshot portal(bus_);
  portal.SetTimeout(200);
  EXPECT_EQ(TakeFrom(portal).kind, Kind::kFailed);
}

TEST_F(PortalScreenshotTest, WithoutAPortalSaysSo) {
  EXPECT_EQ(Take().kind, Kind::kNoPortal);
  ASSERT_NO_FATAL_FAILURE(StartFake({"--no-screenshot"}));
  EXPECT_EQ(Take().kind, Kind::kNoPortal);
  PortalScreenshot unconnected(QDBusConnection(QStringLiteral("never connected")));
  EXPECT_EQ(TakeFrom(unconnected).kind, Kind::kNoPortal);
}

TEST_F(PortalScreenshotTest, HearsAnAnswerBeforeTheReplyOrOnAnotherPath) {
  ASSERT_NO_FATAL_FAILURE(StartFake({"--picture", source_path_, "--early"}));
  ExpectTheSource(Take());
  ASSERT_NO_FATAL_FAILURE(StartFake({"--picture", source_path_, "--elsewhere"}));
  ExpectTheSource(Take());
}

TEST_F(PortalScreenshotTest, OneRequestAtATimeAndTheNextMayStartFromDone) {
  ASSERT_NO_FATAL_FAILURE(StartFake({"--picture", source_path_}));
  PortalScreenshot portal(bus_);
  std::vector<Kind> answers;
  bool returned = false;
  portal.Take([&](PortalScreenshotResult first) {
    answers.push_back(first.kind);
    portal.Take([&](PortalScreenshotResult again) { answers.push_back(again.kind); });
  });
  portal.Take([&](PortalScreenshotResult refused) {
    EXPECT_TRUE(returned) << "done ran inside Take";
    answers.push_back(refused.kind);
  });
  returned = true;
  ASSERT_TRUE(QTest::qWaitFor([&] { return answers.size() == 3; }, 120000));
  EXPECT_EQ(answers, (std::vector<Kind>{Kind::kFailed, Kind::kPicture, Kind::kPicture}));
  EXPECT_EQ(Requests().size(), 2u);
}

}  // namespace
}  // namespace tintara
