#include "platform/qt_settings_store.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>

namespace tintara {
namespace {

// A private configuration home for the whole program, in place before Qt
// first looks up where per-user settings live.
struct TempHome {
  TempHome() {
    setenv("HOME", dir.path().toUtf8().constData(), 1);
    setenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8().constData(), 1);
  }
  QTemporaryDir dir;
};
const QTemporaryDir& Home() {
  static const TempHome home;
  return home.dir;
}
[[maybe_unused]] const QTemporaryDir& kHomeSetEarly = Home();

QString Config(const QString& relative) { return Home().path() + "/config/" + relative; }

void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A store file whose own name fits the file system but leaves no room for
// the temporary file a new version is written to before it replaces the old
// one: the store can be read but never replaced, even by root.
QString UnreplaceableFile(const QString& folder) {
  QDir().mkpath(folder);
  return folder + "/" + QString(250, 'k');
}

TEST(QtSettingsStore, KeepsNumbersAndTextsInThePerUserFile) {
  {
    QtSettingsStore store;
    store.WriteNumber("Top", -40);
    store.WriteString("Favorite0", "空色, sky");
    store.WriteString("Favorite1", "");
    store.Commit();
  }
  EXPECT_TRUE(QFile::exists(Config("Korvell/RGB.conf")));
  QtSettingsStore store;
  EXPECT_EQ(store.ReadNumber("Top"), -40);
  EXPECT_EQ(store.ReadString("Favorite0"), "空色, sky");
  EXPECT_EQ(store.ReadString("Favorite1"), "");
  EXPECT_EQ(store.ReadNumber("Favorite0"), std::nullopt);
  EXPECT_EQ(store.ReadNumber("Left"), std::nullopt);
  EXPECT_EQ(store.ReadString("Left"), std::nullopt);
}

TEST(QtSettingsStore, OnlyWholeThirtyTwoBitDecimalsAreNumbers) {
  const QString path = Home().path() + "/numbers.conf";
  WriteFile(path,
            "[General]\na=12\nb=-2147483648\nc=2147483647\nd=2147483648\ne=12px\nf=abc\n"
            "g=+5\nh=\ni=\"1, 2\"\nj=1, 2\n");
  QtSettingsStore store(path);
  EXPECT_EQ(store.ReadNumber("a"), 12);
  EXPECT_EQ(store.ReadNumber("b"), -2147483648);
  EXPECT_EQ(store.ReadNumber("c"), 2147483647);
  for (const char* text_only : {"d", "e", "f", "g", "h", "i", "j"}) {
    EXPECT_EQ(store.ReadNumber(text_only), std::nullopt) << text_only;
  }
  EXPECT_EQ(store.ReadString("i"), "1, 2");
  EXPECT_EQ(store.ReadString("j"), std::nullopt);  // a list, not one text
}

TEST(QtSettingsStore, AMalformedFileHidesNoWriteFailure) {
  const QByteArray malformed = "[General]\nTop=5\nnot a setting\n";
  const QString writable = Home().path() + "/malformed.conf";
  const QString locked = UnreplaceableFile(Home().path() + "/malformed");
  WriteFile(writable, malformed);
  WriteFile(locked, malformed);

  QtSettingsStore good(writable);
  EXPECT_EQ(good.ReadNumber("Top"), 5);
  good.WriteNumber("Top", 9);
  EXPECT_NO_THROW(good.Commit());
  EXPECT_EQ(QtSettingsStore(writable).ReadNumber("Top"), 9);

  QtSettingsStore bad(locked);
  EXPECT_EQ(bad.ReadNumber("Top"), 5);
  bad.WriteNumber("Top", 9);
  EXPECT_THROW(bad.Commit(), SettingsWriteError);
  EXPECT_EQ(ReadFile(locked), malformed);
}

TEST(QtSettingsStore, ABlockedFolderOrAFolderInPlaceOfTheFileFails) {
  WriteFile(Home().path() + "/blocker", "not a folder");
  QtSettingsStore blocked(Home().path() + "/blocker/RGB.conf");
  blocked.WriteNumber("Top", 1);
  EXPECT_THROW(blocked.Commit(), SettingsWriteError);

  const QString folder = Home().path() + "/folder.conf";
  QDir().mkpath(folder);
  QtSettingsStore store(folder);
  EXPECT_EQ(store.ReadNumber("Top"), std::nullopt);
  store.WriteNumber("Top", 1);
  EXPECT_THROW(store.Commit(), SettingsWriteError);
  EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(QtSettingsStore, ReadingAndCommittingNothingCreatesNoFile) {
  const QString path = Home().path() + "/untouched/RGB.conf";
  QtSettingsStore store(path);
  EXPECT_EQ(store.ReadNumber("Top"), std::nullopt);
  store.Commit();
  EXPECT_FALSE(QFileInfo::exists(Home().path() + "/untouched"));
}

// Fails the test program, rather than hanging it, when a read blocks.
class Deadline {
 public:
  Deadline() { alarm(20); }
  ~Deadline() { alarm(0); }
};

TEST(QtSettingsStore, ValuesItCouldNotReadAreKeptInABackupBeforeTheyAreReplaced) {
  const QString path = Home().path() + "/backup/RGB.conf";
  const QString backup = path + ".bak";
  const QByteArray damaged = "[General]\nTop=5\nColorPalette=eight\nFavorite0=\"sky\nLeft=7\n";
  WriteFile(path, damaged);
  {
    QtSettingsStore store(path);
    EXPECT_EQ(store.ReadNumber("Top"), 5);
    EXPECT_EQ(store.ReadNumber("Left"), 7);  // after the unmatched quote
    EXPECT_EQ(store.ReadNumber("ColorPalette"), std::nullopt);
    EXPECT_EQ(store.ReadString("Favorite0"), "sky");
    store.WriteNumber("ColorPalette", 8);
    testing::internal::CaptureStderr();
    store.Commit();
    // Said once, however often it happens.
    WriteFile(path, damaged);
    store.WriteString("Favorite0", "x;y");
    store.Commit();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("RGB.conf.bak"), std::string::npos) << said;
    EXPECT_EQ(said.find("RGB.conf.bak"), said.rfind("RGB.conf.bak")) << said;
  }
  EXPECT_EQ(ReadFile(backup), damaged);
  EXPECT_EQ(ReadFile(path), "[General]\nTop=5\nColorPalette=eight\nFavorite0=\"x;y\"\nLeft=7\n");

  // A whole file whose unreadable value stays as it was needs no backup.
  ASSERT_TRUE(QFile::remove(backup));
  WriteFile(path, "[General]\nTop=high\nLeft=1\n");
  QtSettingsStore store(path);
  EXPECT_EQ(store.ReadNumber("Top"), std::nullopt);
  store.WriteNumber("Left", 2);
  store.Commit();
  EXPECT_FALSE(QFileInfo::exists(backup));
  EXPECT_EQ(ReadFile(path), "[General]\nTop=high\nLeft=2\n");
}

TEST(QtSettingsStore, AnythingButARegularFileIsRefusedAtOnceAndLeftAlone) {
  const QString folder = Home().path() + "/refused";
  QDir().mkpath(folder);
  const QString fifo = folder + "/fifo.conf";
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString zero = folder + "/zero.conf";
  ASSERT_TRUE(QFile::link("/dev/zero", zero));
  const QString socket_path = folder + "/socket.conf";
  const int socket_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  const QByteArray socket_name = QFile::encodeName(socket_path);
  ASSERT_LT(socket_name.size(), static_cast<qsizetype>(sizeof address.sun_path));
  std::memcpy(address.sun_path, socket_name.constData(), socket_name.size());
  ASSERT_EQ(::bind(socket_fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

  Deadline deadline;
  testing::internal::CaptureStderr();
  for (const QString& path : {fifo, zero, socket_path}) {
    QtSettingsStore store(path);
    EXPECT_EQ(store.ReadNumber("Top"), std::nullopt) << path.toStdString();
    store.WriteNumber("Top", 1);
    EXPECT_THROW(store.Commit(), SettingsWriteError) << path.toStdString();
  }
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("fifo.conf: not a regular file"), std::string::npos) << said;
  ::close(socket_fd);
  struct stat info = {};
  ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_EQ(QFileInfo(zero).symLinkTarget(), "/dev/zero");
}

TEST(QtSettingsStore, AStoreBeyondSixteenMebibytesIsNeitherReadNorReplaced) {
  const QString folder = Home().path() + "/sizes";
  QDir().mkpath(folder);
  const QString largest = folder + "/largest.conf";
  QByteArray content = "[General]\nTop=3\n";
  content += QByteArray(kMaxStoreBytes - content.size() - 1, ';') + "\n";
  WriteFile(largest, content);
  EXPECT_EQ(QtSettingsStore(largest).ReadNumber("Top"), 3);

  const QString larger = folder + "/larger.conf";
  WriteFile(larger, content + "Left=1\n");
  const QString huge = folder + "/huge.conf";  // 100 MB, most of it a hole
  WriteFile(huge, "[General]\nTop=3\n");
  ASSERT_TRUE(QFile::resize(huge, 100'000'000));
  for (const QString& path : {larger, huge}) {
    QtSettingsStore store(path);
    const qint64 size = QFileInfo(path).size();
    EXPECT_EQ(store.ReadNumber("Top"), std::nullopt);
    store.WriteNumber("Top", 4);
    EXPECT_THROW(store.Commit(), SettingsWriteError);
    EXPECT_EQ(QFileInfo(path).size(), size);
  }
}

TEST(QtSettingsStore, ALinkedStoreIsWrittenThroughAndKeepsItsPermissions) {
  const QString target = Home().path() + "/dotfiles/rgb.ini";
  const QString link = Home().path() + "/linked/RGB.conf";
  WriteFile(target, "[General]\nTop=1\n");
  QDir().mkpath(Home().path() + "/linked");
  ASSERT_TRUE(QFile::link(target, link));
  ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner));
  QtSettingsStore store(link);
  EXPECT_EQ(store.ReadNumber("Top"), 1);
  store.WriteNumber("Top", 2);
  store.Commit();
  EXPECT_EQ(QFileInfo(link).symLinkTarget(), target);
  EXPECT_EQ(ReadFile(target), "[General]\nTop=2\n");
  struct stat info = {};
  ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(QDir(Home().path() + "/dotfiles").entryList(QDir::Files), QStringList{"rgb.ini"});
}

TEST(QtSettingsStore, AFileMarkedReadOnlyIsNeverReplaced) {
  const QString path = Home().path() + "/read-only/RGB.conf";
  WriteFile(path, "[General]\nTop=1\n");
  ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
  QtSettingsStore store(path);
  EXPECT_EQ(store.ReadNumber("Top"), 1);
  store.WriteNumber("Top", 2);
  EXPECT_THROW(store.Commit(), SettingsWriteError);
  EXPECT_EQ(ReadFile(path), "[General]\nTop=1\n");
}

TEST(PlugInFolder, IsTheRegisteredFullPathOrElseTheProgramsOwn) {
  const QString own = "/usr/lib/tintara/plug-ins/";
  const QString susie = Config("Varrow/Susie.conf");
  EXPECT_EQ(ReadPlugInFolder(own), own);
  EXPECT_FALSE(QFileInfo::exists(Config("Varrow")));

  WriteFile(susie, "[Plug-in]\nOther=1\n");
  EXPECT_EQ(ReadPlugInFolder(own), own);
  WriteFile(susie, "[Plug-in]\nPath=/opt/susie/plugins\n");
  EXPECT_EQ(ReadPlugInFolder(own), "/opt/susie/plugins/");
  WriteFile(susie, "[Plug-in]\nPath=/opt/susie/plugins/\n");
  EXPECT_EQ(ReadPlugInFolder(own), "/opt/susie/plugins/");
  // Never the root or the current folder.
  WriteFile(susie, "[Plug-in]\nPath=\n");
  EXPECT_EQ(ReadPlugInFolder(own), own);
  WriteFile(susie, "[Plug-in]\nPath=plugins\n");
  EXPECT_EQ(ReadPlugInFolder(own), own);

  WriteFile(susie, "[Plug-in]\nPath=\"/opt/susie\n[General]\nPath=/opt/other\n");
  EXPECT_EQ(ReadPlugInFolder(own), "/opt/susie/");

  ASSERT_TRUE(QFile::remove(susie));
  QDir().mkpath(susie);
  EXPECT_EQ(ReadPlugInFolder(own), own);
  ASSERT_TRUE(QDir().rmdir(susie));
  ASSERT_EQ(mkfifo(QFile::encodeName(susie).constData(), 0600), 0);
  Deadline deadline;
  EXPECT_EQ(ReadPlugInFolder(own), own);
}

}  // namespace
}  // namespace tintara
