// The picker in a Wayland session: the real windows under a headless
// compositor, the screen's copy from a fake screenshot portal on a private
// session bus. Run inside scripts/with-weston.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QLabel>
#include <QMouseEvent>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "mainwindow/dialogs/tform_option.h"
#include "mainwindow/picker/magnifier_view.h"
#include "mainwindow/picker/overlay_windows.h"
#include "mainwindow/picker/piccer_button.h"
#include "mainwindow/program_windows.h"
#include "platform/memory_settings_store.h"
#include "platform/wayland_screen_reader.h"
#include "private_session_bus.h"

namespace tintara {
namespace {

constexpr QRgb kPicked = 0xFF0A00FFu;

class WaylandPickerTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    bus_daemon_ = new PrivateSessionBus;
    address_ = bus_daemon_->Address();
  }
  static void TearDownTestSuite() {
    delete bus_daemon_;
    bus_daemon_ = nullptr;
  }

  void SetUp() override {
    ASSERT_EQ(QGuiApplication::platformName(), "wayland") << "run inside scripts/with-weston";
    ASSERT_FALSE(address_.isEmpty());
    static int count = 0;
    bus_name_ = QStringLiteral("wayland-test%1").arg(++count);
    bus_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address_, bus_name_));
    ASSERT_TRUE(bus_->isConnected());
    QImage screen(1024, 768, QImage::Format_RGB32);
    screen.fill(qRgb(40, 60, 80));
    screen.setPixel(300, 200, kPicked);
    picture_ = dir_.filePath("screen.png");
    ASSERT_TRUE(screen.save(picture_));
  }
  void TearDown() override {
    windows_.reset();
    reader_.reset();
    if (portal_ != nullptr) {
      portal_->kill();
      portal_->waitForFinished();
    }
    bus_.reset();
    QDBusConnection::disconnectFromBus(bus_name_);
  }

  void StartPortal(const QStringList& arguments) {
    portal_ = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SESSION_BUS_ADDRESS", address_);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    portal_->setProcessEnvironment(environment);
    portal_->start(TINTARA_FAKE_PORTAL, arguments);
    ASSERT_TRUE(portal_->waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] {
      return bus_->interface()->isServiceRegistered("org.freedesktop.portal.Desktop").value();
    }));
  }
  void StartWindows(bool shown = true) {
    reader_ = std::make_unique<WaylandScreenReader>(*bus_);
    windows_ = std::make_unique<ProgramWindows>(
        TForm1Services{.settings = &store_,
                       .error_box = [this](const QString& message) { errors_ << message; },
                       .screen = reader_.get()});
    OptionSettings options;
    options.radio_piccer = true;  // as stored by an X11 session
    options.piccer_time = 1;
    Main().ApplyHeldOptions(options);
    if (!shown) return;
    Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
  }
  TForm1& Main() { return windows_->Main(); }
  TFormCaption& Caption() { return windows_->Caption(); }
  void Click(QWidget* widget, QPoint at) {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                        Qt::NoModifier);
      QApplication::sendEvent(widget, &event);
    }
  }

  static inline PrivateSessionBus* bus_daemon_ = nullptr;
  static inline QString address_;
  QString bus_name_;
  std::unique_ptr<QDBusConnection> bus_;
  std::unique_ptr<QProcess> portal_;
  QTemporaryDir dir_;
  QString picture_;
  MemorySettingsStore store_;
  QStringList errors_;
  std::unique_ptr<WaylandScreenReader> reader_;
  std::unique_ptr<ProgramWindows> windows_;
};

TEST_F(WaylandPickerTest, ClickModePicksFromThePortalsPicture) {
  StartPortal({"--picture", picture_});
  StartWindows();
  EXPECT_FALSE(windows_->Option().RadioButtonPiccerPush->isEnabled());
  // The stored press-and-drag choice does not apply: the click freezes.
  Click(Main().BitBtnPiccer, {13, 13});
  EXPECT_TRUE(Main().PickerBusy());
  ASSERT_TRUE(QTest::qWaitFor([&] { return Caption().isVisible(); }, 10000));
  EXPECT_FALSE(Main().isVisible());
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&Caption()));
  EXPECT_EQ(Caption().Frozen().pixel(300, 200), kPicked);
  EXPECT_EQ(windows_->Mosaic().parentWidget(), &Caption());

  QMouseEvent move(QEvent::MouseMove, QPointF(300, 200), QPointF(300, 200), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(Caption().ImageCaption, &move);
  const MagnifierView& view = *windows_->Mosaic().View();
  EXPECT_EQ(view.LabelPos->text(), "(300,200)");
  EXPECT_EQ(view.LabelhB->text(), "ff");
  EXPECT_EQ(view.ImagePiccer->Picture().pixel(105, 105), kPicked);
  Click(Caption().ImageCaption, {300, 200});
  EXPECT_EQ(Main().CurrentColour(), RgbColor::FromInts(10, 0, 255));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Main().isVisible(); }));
  EXPECT_FALSE(Caption().isVisible());
  EXPECT_TRUE(errors_.isEmpty());
}

TEST_F(WaylandPickerTest, ARefusedScreenshotLeavesTheColourAndBringsTheWindowBack) {
  StartPortal({"--cancel"});
  StartWindows();
  const RgbColor before = Main().CurrentColour();
  Click(Main().BitBtnPiccer, {13, 13});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !errors_.isEmpty(); }, 10000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Main().isVisible(); }));
  EXPECT_FALSE(Caption().isVisible());
  EXPECT_EQ(Main().CurrentColour(), before);
  EXPECT_FALSE(Main().PickerBusy());
}

// The pick action of a program started by --pick: no window before, the
// portal's picture frozen at once, the window after the click.
TEST_F(WaylandPickerTest, PickActionFreezesThePortalsPictureBeforeAnyWindow) {
  StartPortal({"--picture", picture_});
  StartWindows(/*shown=*/false);
  Main().PickColourFromScreen();
  EXPECT_TRUE(Main().PickerBusy());
  ASSERT_TRUE(QTest::qWaitFor([&] { return Caption().isVisible(); }, 10000));
  EXPECT_FALSE(Main().isVisible());
  EXPECT_EQ(Caption().Frozen().pixel(300, 200), kPicked);
  Click(Caption().ImageCaption, {300, 200});
  EXPECT_EQ(Main().CurrentColour(), RgbColor::FromInts(10, 0, 255));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Main().isVisible(); }));
  EXPECT_FALSE(Main().PickerBusy());
  EXPECT_TRUE(errors_.isEmpty());
}

TEST_F(WaylandPickerTest, PickActionRefusedByThePortalSaysSoOverTheWindow) {
  StartPortal({"--cancel"});
  StartWindows(/*shown=*/false);
  const RgbColor before = Main().CurrentColour();
  Main().PickColourFromScreen();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !errors_.isEmpty(); }, 10000));
  EXPECT_TRUE(Main().isVisible());
  EXPECT_FALSE(Caption().isVisible());
  EXPECT_EQ(Main().CurrentColour(), before);
  EXPECT_FALSE(Main().PickerBusy());
}

}  // namespace
}  // namespace tintara
