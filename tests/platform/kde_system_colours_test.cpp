#include "platform/kde_system_colours.h"

#include <gtest/gtest.h>

#include <QByteArrayList>
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <utility>
#include <vector>

#include "mainwindow/tform1.h"
#include "platform/memory_settings_store.h"
#include "private_session_bus.h"
#include "widgets/flat_button.h"

namespace tintara {
namespace {

// Files are compared as std::string, whose differences gtest prints legibly.
std::string ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

std::string Sample() { return ReadFile(QStringLiteral(TINTARA_KDEGLOBALS_SAMPLE)); }

// Writes as the desktop would, a little later than anything before.
void WriteFile(const QString& path, const std::string& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  file.flush();
  file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
}

std::string Replaced(std::string bytes, const std::string& old_line, const std::string& new_line) {
  const std::size_t at = bytes.find("\n" + old_line + "\n");
  EXPECT_NE(at, std::string::npos) << old_line;
  if (at == std::string::npos) return bytes;
  return bytes.replace(at + 1, old_line.size(), new_line);
}

// One signal as a listener on the bus sees it.
struct Seen {
  QString path;
  QString interface;
  QString member;
  QString signature;
  QList<QVariant> arguments;
};

class Listener : public QObject {
  Q_OBJECT

 public:
  std::vector<Seen> seen;
  bool done = false;

 public slots:
  void Record(const QDBusMessage& message) {
    if (message.member() == QLatin1String("Done")) {
      done = true;
      return;
    }
    seen.push_back({message.path(), message.interface(), message.member(), message.signature(),
                    message.arguments()});
  }
};

// A session bus of the test's own, so nothing reaches the desktop it runs on.
class KdeSystemColoursTest : public testing::Test {
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
    ASSERT_FALSE(address_.isEmpty())
        << "no private session bus: dbus-daemon is missing or failed (scripts/install-deps)";
    static int count = 0;
    ++count;
    sender_name_ = QStringLiteral("sender%1").arg(count);
    listener_name_ = QStringLiteral("listener%1").arg(count);
    sender_ = QDBusConnection::connectToBus(address_, sender_name_);
    QDBusConnection listener = QDBusConnection::connectToBus(address_, listener_name_);
    ASSERT_TRUE(sender_.isConnected());
    ASSERT_TRUE(listener.isConnected());
    qDBusRegisterMetaType<QByteArrayList>();
    qDBusRegisterMetaType<QHash<QString, QByteArrayList>>();
    const char* slot = SLOT(Record(QDBusMessage));
    listener.connect({}, "/kdeglobals", "org.kde.kconfig.notify", "ConfigChanged", &listener_,
                     slot);
    listener.connect({}, "/KGlobalSettings", "org.kde.KGlobalSettings", "notifyChange", &listener_,
                     slot);
    listener.connect({}, "/KWin", "org.kde.KWin", "reloadConfig", &listener_, slot);
    listener.connect({}, "/test", "org.tintara.Test", "Done", &listener_, slot);
    // A call answered after the subscriptions above were taken in.
    listener.interface()->registeredServiceNames();

    ASSERT_TRUE(home_.isValid());
    config_ = home_.path() + "/config";
    ASSERT_TRUE(QDir().mkpath(config_));
    qputenv("XDG_CONFIG_HOME", config_.toUtf8());
    path_ = config_ + "/kdeglobals";
    original_ = Sample();
    ASSERT_FALSE(original_.empty());
    WriteFile(path_, original_);
  }

  void TearDown() override {
    QDBusConnection::disconnectFromBus(sender_name_);
    QDBusConnection::disconnectFromBus(listener_name_);
  }

  // The signals sent so far, in order: everything before a last one of our own.
  std::vector<Seen> Signals() {
    listener_.done = false;
    sender_.send(QDBusMessage::createSignal("/test", "org.tintara.Test", "Done"));
    QElapsedTimer timer;
    timer.start();
    while (!listener_.done && timer.elapsed() < 10000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_TRUE(listener_.done) << "the bus never delivered the closing signal";
    return std::exchange(listener_.seen, {});
  }

  inline static PrivateSessionBus* bus_daemon_ = nullptr;
  inline static QString address_;
  QString sender_name_;
  QString listener_name_;
  QDBusConnection sender_{QString()};
  Listener listener_;
  QTemporaryDir home_;
  QString config_;
  QString path_;
  std::string original_;
};

QHash<QString, QByteArrayList> ChangedKeys(const Seen& seen) {
  QHash<QString, QByteArrayList> keys;
  seen.arguments.value(0).value<QDBusArgument>() >> keys;
  return keys;
}

TEST_F(KdeSystemColoursTest, ReadsTheActiveSchemeInEveryFormItIsWritten) {
  KdeSystemColours colours(sender_);
  EXPECT_EQ(colours.Path(), path_);
  EXPECT_EQ(colours.Get(kColorBtnFace), (RgbColor{252, 252, 252}));
  EXPECT_EQ(colours.Get(kColorBtnText), (RgbColor{35, 38, 41}));           // blanks
  EXPECT_EQ(colours.Get(kColorHighlight), (RgbColor{61, 174, 233}));       // alpha
  EXPECT_EQ(colours.Get(kColorHighlightText), (RgbColor{255, 255, 255}));  // #rrggbb
  EXPECT_EQ(colours.Get(kColorWindowText), (RgbColor{0, 0, 0}));           // the locked entry
  EXPECT_EQ(colours.Get(kColorActiveCaption), (RgbColor{227, 229, 231}));
  EXPECT_EQ(colours.Get(kColorInactiveCaptionText), (RgbColor{112, 125, 138}));
  // Absent from the file: what Plasma reads without it.
  EXPECT_EQ(colours.Get(kColorInactiveCaption), (RgbColor{239, 240, 241}));
  // No key in a colour scheme: the classic colours.
  EXPECT_EQ(colours.Get(kColorBackground), ClassicSystemColour(kColorBackground));
  EXPECT_EQ(colours.Get(kColor3dDkShadow), ClassicSystemColour(kColor3dDkShadow));
  EXPECT_EQ(colours.Get(-1), RgbColor{});
  EXPECT_EQ(colours.Get(kSystemColourIndexCount), RgbColor{});
}

TEST_F(KdeSystemColoursTest, WithoutAFileEverySchemeColourIsPlasmasDefault) {
  ASSERT_TRUE(QFile::remove(path_));
  KdeSystemColours colours(sender_);
  EXPECT_EQ(colours.Get(kColorWindow), (RgbColor{255, 255, 255}));
  EXPECT_EQ(colours.Get(kColorMenu), (RgbColor{239, 240, 241}));
  EXPECT_EQ(colours.Get(kColorHighlight), (RgbColor{61, 174, 233}));
  EXPECT_EQ(colours.Get(kColorBtnFace), (RgbColor{252, 252, 252}));
  EXPECT_EQ(colours.Get(kColorActiveCaption), (RgbColor{227, 229, 231}));
  EXPECT_EQ(colours.Get(kColorGrayText), (RgbColor{112, 125, 138}));
}

TEST_F(KdeSystemColoursTest, SettingWritesOnlyThatKeyAndTellsTheDesktop) {
  KdeSystemColours colours(sender_);
  colours.Set(kColorBtnFace, {1, 2, 3});

  EXPECT_EQ(ReadFile(path_),
            Replaced(original_, "BackgroundNormal=252,252,252", "BackgroundNormal=1,2,3"));
  EXPECT_EQ(colours.Get(kColorBtnFace), (RgbColor{1, 2, 3}));
  EXPECT_EQ(KdeSystemColours(sender_).Get(kColorBtnFace), (RgbColor{1, 2, 3}));

  const std::vector<Seen> seen = Signals();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].member, "ConfigChanged");
  EXPECT_EQ(seen[0].interface, "org.kde.kconfig.notify");
  EXPECT_EQ(seen[0].signature, "a{saay}");
  const QHash<QString, QByteArrayList> expected = {{"Colors:Button", {"BackgroundNormal"}}};
  EXPECT_EQ(ChangedKeys(seen[0]), expected);
  EXPECT_EQ(seen[1].path, "/KGlobalSettings");
  EXPECT_EQ(seen[1].interface, "org.kde.KGlobalSettings");
  EXPECT_EQ(seen[1].member, "notifyChange");
  EXPECT_EQ(seen[1].signature, "ii");
  EXPECT_EQ(seen[1].arguments, (QList<QVariant>{0, 0}));
}

TEST_F(KdeSystemColoursTest, KeepsTheSpellingOfTheLineItChanges) {
  KdeSystemColours colours(sender_);
  colours.Set(kColorBtnText, {9, 8, 7});
  EXPECT_EQ(ReadFile(path_),
            Replaced(original_, "ForegroundNormal = 35, 38, 41", "ForegroundNormal = 9,8,7"));
}

TEST_F(KdeSystemColoursTest, TitleBarColoursAlsoReloadTheWindowManager) {
  KdeSystemColours colours(sender_);
  colours.Set(kColorCaptionText, {10, 20, 30});
  const std::vector<Seen> seen = Signals();
  ASSERT_EQ(seen.size(), 3u);
  const QHash<QString, QByteArrayList> expected = {{"WM", {"activeForeground"}}};
  EXPECT_EQ(ChangedKeys(seen[0]), expected);
  EXPECT_EQ(seen[1].member, "notifyChange");
  EXPECT_EQ(seen[2].path, "/KWin");
  EXPECT_EQ(seen[2].interface, "org.kde.KWin");
  EXPECT_EQ(seen[2].member, "reloadConfig");
}

TEST_F(KdeSystemColoursTest, RestoringEveryIndexLeavesTheFileByteForByte) {
  KdeSystemColours colours(sender_);
  std::vector<RgbColor> start;
  for (int index = 0; index < kSystemColourIndexCount; ++index) {
    start.push_back(colours.Get(index));
  }
  for (int index = 0; index < kSystemColourIndexCount; ++index) {
    colours.Set(index, RgbColor::FromInts(index, 100 + index, 200));
  }
  EXPECT_NE(ReadFile(path_), original_);
  for (int index = 0; index < kSystemColourIndexCount; ++index) {
    if (index == kColorWindowText) continue;  // locked: never changed
    EXPECT_EQ(colours.Get(index), RgbColor::FromInts(index, 100 + index, 200)) << index;
  }
  for (int index = 0; index < kSystemColourIndexCount; ++index) {
    colours.Set(index, start[static_cast<std::size_t>(index)]);
  }
  EXPECT_EQ(ReadFile(path_), original_);
  for (int index = 0; index < kSystemColourIndexCount; ++index) {
    EXPECT_EQ(colours.Get(index), start[static_cast<std::size_t>(index)]) << index;
  }
}

TEST_F(KdeSystemColoursTest, AKeyAbsentAtTheStartComesAndGoes) {
  KdeSystemColours colours(sender_);
  const RgbColor start = colours.Get(kColorInactiveCaption);
  colours.Set(kColorInactiveCaption, {5, 6, 7});
  EXPECT_EQ(ReadFile(path_), Replaced(original_, "inactiveForeground=112,125,138",
                                      "inactiveForeground=112,125,138\ninactiveBackground=5,6,7"));
  colours.Set(kColorInactiveCaption, start);
  EXPECT_EQ(ReadFile(path_), original_);
  // Both changes were announced.
  EXPECT_EQ(Signals().size(), 6u);
}

TEST_F(KdeSystemColoursTest, AGroupAbsentAtTheStartComesAndGoes) {
  const std::string small = "[General]\nColorScheme=BreezeLight\n";
  WriteFile(path_, small);
  KdeSystemColours colours(sender_);
  const RgbColor start = colours.Get(kColorActiveCaption);
  colours.Set(kColorActiveCaption, {1, 1, 1});
  EXPECT_EQ(ReadFile(path_), small + "\n[WM]\nactiveBackground=1,1,1\n");
  colours.Set(kColorActiveCaption, start);
  EXPECT_EQ(ReadFile(path_), small);
}

TEST_F(KdeSystemColoursTest, AFileMadeOnlyForAChangeIsTakenAwayOnRestoring) {
  ASSERT_TRUE(QFile::remove(path_));
  KdeSystemColours colours(sender_);
  const RgbColor start = colours.Get(kColorWindow);
  colours.Set(kColorWindow, {1, 2, 3});
  EXPECT_EQ(ReadFile(path_), "[Colors:View]\nBackgroundNormal=1,2,3\n");
  colours.Set(kColorWindow, start);
  EXPECT_FALSE(QFile::exists(path_));
}

TEST_F(KdeSystemColoursTest, SeesWhatTheDesktopWroteMeanwhileAndKeepsIt) {
  KdeSystemColours colours(sender_);
  EXPECT_EQ(colours.Get(kColorMenu), (RgbColor{239, 240, 241}));
  const std::string changed = Replaced(original_, "Theme=breeze", "Theme=breeze-dark");
  WriteFile(
      path_,
      Replaced(changed,
               "[Colors:Window]\nBackgroundAlternate=227,229,231\nBackgroundNormal=239,240,241",
               "[Colors:Window]\nBackgroundAlternate=227,229,231\nBackgroundNormal=1,1,1"));
  EXPECT_EQ(colours.Get(kColorMenu), (RgbColor{1, 1, 1}));

  colours.Set(kColorHighlight, {2, 2, 2});
  const std::string bytes = ReadFile(path_);
  EXPECT_NE(bytes.find("\nTheme=breeze-dark\n"), std::string::npos);
  EXPECT_NE(bytes.find("\nBackgroundNormal=1,1,1\n"), std::string::npos);
  EXPECT_NE(bytes.find("\nBackgroundNormal=2,2,2\n"), std::string::npos);
}

TEST_F(KdeSystemColoursTest, RefusedAndFailingWritesPassSilently) {
  {
    // A locked entry.
    KdeSystemColours colours(sender_);
    colours.Set(kColorWindowText, {1, 2, 3});
    EXPECT_EQ(ReadFile(path_), original_);
    EXPECT_EQ(colours.Get(kColorWindowText), (RgbColor{0, 0, 0}));
  }
  {
    // A file made read-only.
    ASSERT_TRUE(QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    KdeSystemColours colours(sender_);
    colours.Set(kColorBtnFace, {1, 2, 3});
    EXPECT_EQ(ReadFile(path_), original_);
    EXPECT_EQ(colours.Get(kColorBtnFace), (RgbColor{252, 252, 252}));
    ASSERT_TRUE(QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
  }
  {
    // No configuration folder at all.
    const QString missing = home_.path() + "/nowhere";
    qputenv("XDG_CONFIG_HOME", missing.toUtf8());
    KdeSystemColours colours(sender_);
    colours.Set(kColorBtnFace, {1, 2, 3});
    EXPECT_FALSE(QDir(missing).exists());
    EXPECT_EQ(colours.Get(kColorBtnFace), (RgbColor{252, 252, 252}));
    qputenv("XDG_CONFIG_HOME", config_.toUtf8());
  }
  EXPECT_TRUE(Signals().empty());
}

TEST_F(KdeSystemColoursTest, WithoutABusTheFileStillChanges) {
  KdeSystemColours colours{QDBusConnection(QStringLiteral("never connected"))};
  colours.Set(kColorHighlightText, {4, 5, 6});
  EXPECT_EQ(ReadFile(path_),
            Replaced(original_, "ForegroundNormal=#ffffff", "ForegroundNormal=4,5,6"));
}

TEST_F(KdeSystemColoursTest, IndicesWithoutASchemeKeyStayInMemory) {
  KdeSystemColours colours(sender_);
  colours.Set(kColorBackground, {7, 7, 7});
  colours.Set(kColorActiveBorder, {8, 8, 8});
  EXPECT_EQ(colours.Get(kColorBackground), (RgbColor{7, 7, 7}));
  EXPECT_EQ(colours.Get(kColorActiveBorder), (RgbColor{8, 8, 8}));
  EXPECT_EQ(ReadFile(path_), original_);
  EXPECT_TRUE(Signals().empty());
  EXPECT_EQ(KdeSystemColours(sender_).Get(kColorBackground), ClassicSystemColour(kColorBackground));
}

// The window's own buttons on a Plasma desktop: the button face turned red
// for every application, and the restore button leaving the scheme as it was.
TEST_F(KdeSystemColoursTest, TheWindowRecoloursTheDesktopAndPutsItBack) {
  KdeSystemColours colours(sender_);
  MemorySettingsStore store;
  TForm1 form(TForm1Services{&store, [](const QString&) {}, nullptr, &colours, {}});
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.MenuSelWin->aboutToShow();
  for (QAction* item : form.MenuSelWin->actions()) {
    if (item->data().toInt() == 9) item->trigger();
  }
  EXPECT_EQ(form.CurrentColour(), (RgbColor{252, 252, 252}));
  form.SetCurrentColour({255, 0, 0});
  QTest::mouseClick(form.SpeedButtonWinSave, Qt::LeftButton);
  EXPECT_EQ(ReadFile(path_),
            Replaced(original_, "BackgroundNormal=252,252,252", "BackgroundNormal=255,0,0"));
  std::vector<Seen> seen = Signals();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].member, "notifyChange");

  QTest::mouseClick(form.SpeedButtonWinBack, Qt::LeftButton);
  EXPECT_EQ(ReadFile(path_), original_);
  seen = Signals();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].member, "notifyChange");
}

}  // namespace
}  // namespace tintara

#include "kde_system_colours_test.moc"
