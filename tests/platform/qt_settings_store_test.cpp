#include "platform/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

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

  ASSERT_TRUE(QFile::remove(susie));
  QDir().mkpath(susie);
  EXPECT_EQ(ReadPlugInFolder(own), own);
}

}  // namespace
}  // namespace tintara
