// The plug-in host against real plug-ins, good and bad, built for the tests.
#include "pictures/susie_plugin.h"

#include <gtest/gtest.h>
#include <webp/encode.h>

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

namespace tintara {
namespace {

// A folder holding copies of some test plug-ins, under names of our choice.
class PlugInFolder {
 public:
  PlugInFolder& Add(const char* variant, QString name = {}) {
    if (name.isEmpty()) name = QString::fromUtf8(variant) + ".spi";
    EXPECT_TRUE(
        QFile::copy(QString(TINTARA_TEST_PLUGIN_DIR) + "/" + variant + ".spi", Path() + name));
    return *this;
  }
  QString Path() const { return dir_.path() + "/"; }
  QString Mask() const { return Path() + "*.SPI"; }

 private:
  QTemporaryDir dir_;
};

// The tiny format of the test plug-ins: "TSPI", width, height, RGB rows.
QByteArray TestPicture() {
  QByteArray data("TSPI");
  data += char(2);
  data += char(1);
  data += QByteArray("\x10\x20\x30\xF0\x80\x40", 6);
  return data;
}

bool Decode(TSusiePlugIn& host, const QByteArray& data, QImage* picture) {
  return host.DecodeMemory(data.constData(), data.size(), picture);
}

TEST(SusiePlugIn, AnEmptyFolderAddsNothing) {
  TSusiePlugIn host;
  PlugInFolder folder;
  EXPECT_EQ(host.LoadPlugIns(folder.Mask()), 0);
  EXPECT_EQ(host.FilterText(), "AllType   [*.*]|*.*|");
  QImage picture;
  EXPECT_FALSE(Decode(host, TestPicture(), &picture));
  EXPECT_EQ(host.PlugInAt(0), nullptr);
}

TEST(SusiePlugIn, KeepsOnlyPictureDecodersOnceEachInTheFoldersOrder) {
  PlugInFolder folder;
  folder.Add("good_a").Add("jpeg_like").Add("archive").Add("no_info").Add("refuses");
  // Any letter case of the extension; other files and hidden ones are not
  // plug-ins.
  folder.Add("good_b", "upper.SPI").Add("good_b", "mixed.Spi").Add("good_a", "notes.txt");
  folder.Add("good_a", ".hidden.spi");
  TSusiePlugIn host;
  EXPECT_EQ(host.LoadPlugIns(folder.Mask()), 5);
  std::vector<QString> kept;
  for (int i = 0; i < host.Count(); ++i)
    kept.push_back(QFileInfo(host.PlugInAt(i)->path).fileName());
  const QStringList listed = QDir(folder.Path()).entryList({"*.spi"}, QDir::Files, QDir::Unsorted);
  std::vector<QString> expected;
  for (const QString& name : listed) {
    if (name != "archive.spi" && name != "no_info.spi") expected.push_back(name);
  }
  EXPECT_EQ(kept, expected);

  const std::string& filter = host.FilterText();
  EXPECT_EQ(filter.rfind("AllType   [*.*]|*.*|", 0), 0u);
  EXPECT_NE(filter.find("|JPEG   [*.JPG;*.JPEG]|*.JPG;*.JPEG|"), std::string::npos);
  EXPECT_NE(filter.find("TestB   [*.TSP;*.TSPI]|*.TSP;*.TSPI|"), std::string::npos);
  const SusiePlugInEntry* entry = host.PlugInAt(0);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->api_version, "00IN");

  // The same folder again keeps nothing more.
  const std::string before = filter;
  EXPECT_EQ(host.LoadPlugIns(folder.Mask()), 0);
  EXPECT_EQ(host.Count(), 5);
  EXPECT_EQ(host.FilterText(), before);
  host.UnloadPlugIns();
  EXPECT_EQ(host.Count(), 0);
}

TEST(SusiePlugIn, TheFirstPlugInThatDecodesWins) {
  PlugInFolder refuses, fails, first, second;
  refuses.Add("refuses");
  fails.Add("fails");
  first.Add("good_a");
  second.Add("good_b");
  TSusiePlugIn host;
  for (PlugInFolder* folder : {&refuses, &fails, &first, &second}) host.LoadPlugIns(folder->Mask());
  QImage picture;
  ASSERT_TRUE(Decode(host, TestPicture(), &picture));
  ASSERT_EQ(picture.size(), QSize(2, 1));
  EXPECT_EQ(picture.pixel(0, 0), qRgb(0x10, 0x20, 0x30));  // good_a, not good_b
  EXPECT_EQ(picture.pixel(1, 0), qRgb(0xF0, 0x80, 0x40));
  EXPECT_FALSE(Decode(host, "not a test picture", &picture));
}

TEST(SusiePlugIn, BrokenPlugInsCountAsNotDecodedAndTheNextIsTried) {
  TSusiePlugIn host;
  host.SetCallTimeout(1500);
  std::vector<std::unique_ptr<PlugInFolder>> folders;
  for (const char* variant : {"crashes", "absurd", "short_bits", "bad_depth", "hangs", "good_b"}) {
    folders.push_back(std::make_unique<PlugInFolder>());
    folders.back()->Add(variant);
    ASSERT_EQ(host.LoadPlugIns(folders.back()->Mask()), 1) << variant;
  }
  QElapsedTimer clock;
  clock.start();
  QImage picture;
  ASSERT_TRUE(Decode(host, TestPicture(), &picture));
  EXPECT_EQ(picture.pixel(0, 0), qRgb(0xFF - 0x10, 0x20, 0x30));  // good_b
  // Only the plug-in that hung cost its time, and only once.
  EXPECT_LT(clock.elapsed(), 10000);
  EXPECT_EQ(host.Count(), 6);
}

// The time allowed is for the whole call: a plug-in that keeps reporting
// progress is ended all the same, and the next one decodes.
TEST(SusiePlugIn, ProgressBuysAPlugInNoMoreTime) {
  PlugInFolder slow, good;
  slow.Add("slow_progress");
  good.Add("good_b");
  TSusiePlugIn host;
  host.SetCallTimeout(2000);
  ASSERT_EQ(host.LoadPlugIns(slow.Mask()), 1);
  ASSERT_EQ(host.LoadPlugIns(good.Mask()), 1);
  int reports = 0;
  host.OnWorking = [&reports](TSusiePlugIn*, int, int) { ++reports; };
  QImage picture;
  ASSERT_TRUE(Decode(host, TestPicture(), &picture));
  EXPECT_EQ(picture.pixel(0, 0), qRgb(0xFF - 0x10, 0x20, 0x30));  // good_b
  EXPECT_GE(reports, 1);
}

// A plug-in the helper was ended on is not asked again, so that one bad
// library does not cost its time on every later decode.
TEST(SusiePlugIn, APlugInThatHungIsPassedOverFromThenOn) {
  PlugInFolder hangs, good;
  hangs.Add("hangs");
  good.Add("good_b");
  TSusiePlugIn host;
  host.SetCallTimeout(4000);
  ASSERT_EQ(host.LoadPlugIns(hangs.Mask()), 1);
  ASSERT_EQ(host.LoadPlugIns(good.Mask()), 1);
  // The hanging plug-in counts its calls in a file.
  QTemporaryDir work;
  const QString calls = work.filePath("calls");
  qputenv("TINTARA_TEST_PLUGIN_CALLS", calls.toLocal8Bit());
  const auto count_calls = [&calls] {
    QFile file(calls);
    return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') : 0;
  };
  QImage picture;
  ASSERT_TRUE(Decode(host, TestPicture(), &picture));
  EXPECT_EQ(count_calls(), 1);
  ASSERT_TRUE(Decode(host, TestPicture(), &picture));
  EXPECT_EQ(count_calls(), 1);
  qunsetenv("TINTARA_TEST_PLUGIN_CALLS");
  // Nor when the plug-ins are loaded again.
  host.UnloadPlugIns();
  EXPECT_EQ(host.LoadPlugIns(hangs.Mask()), 0);
}

TEST(SusiePlugIn, ReportsProgressAndReadsFilesAndStreams) {
  PlugInFolder folder;
  folder.Add("progress");
  TSusiePlugIn host;
  host.LoadPlugIns(folder.Mask());
  std::vector<std::pair<int, int>> steps;
  host.OnWorking = [&](TSusiePlugIn* sender, int done, int total) {
    EXPECT_EQ(sender, &host);
    steps.emplace_back(done, total);
  };
  QImage picture;
  ASSERT_TRUE(Decode(host, TestPicture(), &picture));
  EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}, {2, 2}}));

  const QString path = folder.Path() + "picture.tsp";
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(TestPicture());
  file.close();
  picture = QImage();
  EXPECT_TRUE(host.DecodeFile(path, &picture));
  EXPECT_EQ(picture.width(), 2);
  EXPECT_THROW(host.DecodeFile(folder.Path() + "missing.tsp", &picture), PictureReadError);

  QByteArray bytes = TestPicture();
  QBuffer stream(&bytes);
  EXPECT_TRUE(host.DecodeStream(stream, bytes.size(), &picture));
  EXPECT_FALSE(host.DecodeMemory(nullptr, 10, &picture));
  EXPECT_FALSE(host.DecodeMemory(bytes.constData(), bytes.size(), nullptr));
}

TEST(SusiePlugIn, TheProgramsOwnWebPPlugInDecodesWebP) {
  TSusiePlugIn host;
  const QString own = TSusiePlugIn::OwnPlugInFolder();
  EXPECT_TRUE(QFileInfo::exists(own + "webp.spi")) << own.toStdString();
  host.LoadPlugIns(own + "*.SPI");
  EXPECT_NE(host.FilterText().find("WebP   [*.WEBP]|*.WEBP|"), std::string::npos);

  // 3 x 2, lossless, one pixel half see-through.
  const std::vector<std::uint8_t> rgba = {255, 0,  0,  255, 0,  255, 0,  255, 0,   0,   255, 255,
                                          10,  20, 30, 255, 40, 50,  60, 128, 200, 100, 0,   255};
  std::uint8_t* encoded = nullptr;
  const std::size_t size = WebPEncodeLosslessRGBA(rgba.data(), 3, 2, 12, &encoded);
  ASSERT_GT(size, 0u);
  const QByteArray webp(reinterpret_cast<const char*>(encoded), static_cast<qsizetype>(size));
  WebPFree(encoded);
  QImage picture;
  ASSERT_TRUE(Decode(host, webp, &picture));
  ASSERT_EQ(picture.size(), QSize(3, 2));
  EXPECT_EQ(picture.pixel(0, 0), qRgba(255, 0, 0, 255));
  EXPECT_EQ(picture.pixel(2, 0), qRgba(0, 0, 255, 255));
  EXPECT_EQ(picture.pixel(1, 1), qRgba(40, 50, 60, 128));
}

}  // namespace
}  // namespace tintara
