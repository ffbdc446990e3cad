#include <gtest/gtest.h>

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "colour/colour_text.h"
#include "resources/font_alias.h"
#include "resources/resource_names.h"

namespace tintara::res {
namespace {

QString ReadText(const char* path) {
  QFile file(QString::fromUtf8(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

struct Expected {
  std::string path;
  int width;
  int height;
};

std::vector<Expected> EveryPicture() {
  std::vector<Expected> all = {{kCursorPiccer, 32, 32}, {kBitmapTitle, 200, 40}};
  for (const NamedBitmap& b : kMenuBitmaps) all.push_back({b.path, b.width, b.height});
  for (const NamedBitmap& b : kSwatchBitmaps) all.push_back({b.path, b.width, b.height});
  for (const Glyph& g : kGlyphs) all.push_back({g.path, g.size, g.size});
  for (const IconFile& i : kIcons) all.push_back({i.path, i.size, i.size});
  return all;
}

class PictureTest : public testing::TestWithParam<Expected> {};

TEST_P(PictureTest, LoadsAtItsExactSize) {
  const Expected& expected = GetParam();
  const QImage image(QString::fromStdString(expected.path));
  ASSERT_FALSE(image.isNull()) << expected.path;
  EXPECT_EQ(image.width(), expected.width) << expected.path;
  EXPECT_EQ(image.height(), expected.height) << expected.path;
}

INSTANTIATE_TEST_SUITE_P(EveryResource, PictureTest, testing::ValuesIn(EveryPicture()));

TEST(MenuBitmaps, TheSizesAreThoseOfTheResourceTable) {
  // The table of loaded resources fixes these; the header must not drift.
  const std::vector<std::pair<std::string_view, int>> sizes = {
      {"BITMAPOPEN", 15}, {"BITMAPEXIT", 16},  {"BITMAPSAVEU", 12},
      {"BITMAPCOPY", 11}, {"BITMAPPASTE", 15}, {"BITMAPEARTH", 15},
      {"BITMAPDISP", 15}, {"BITMAPUNDO", 11},  {"BITMAPSTD", 16}};
  for (const auto& [name, size] : sizes) {
    const char* path = BitmapPath(name);
    ASSERT_NE(path, nullptr) << name;
    const QImage image(QString::fromUtf8(path));
    EXPECT_EQ(image.size(), QSize(size, size)) << name;
  }
}

TEST(MenuBitmaps, EveryNameResolvesAndUnknownNamesDoNot) {
  for (int i = 0; i < 16; ++i) {
    const std::string name = "BITMAP" + std::to_string(i);
    const char* path = BitmapPath(name);
    ASSERT_NE(path, nullptr) << name;
    EXPECT_EQ(std::string(path), ":/bitmaps/" + name + ".xpm");
  }
  EXPECT_STREQ(BitmapPath("BITMAPTITLE"), kBitmapTitle);
  EXPECT_EQ(BitmapPath("BITMAP16"), nullptr);
  EXPECT_EQ(BitmapPath("bitmapopen"), nullptr);
  EXPECT_EQ(BitmapPath(""), nullptr);
}

TEST(SwatchBitmaps, EachIsSolidInItsStandardColour) {
  for (int i = 0; i < 16; ++i) {
    const QImage image = QImage(kSwatchBitmaps[i].path).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(10, 10)) << i;
    const RgbColor want = StandardColor(i);
    const QRgb expected = qRgba(want.r, want.g, want.b, 255);
    int wrong = 0;
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 10; ++x) wrong += image.pixel(x, y) != expected;
    }
    EXPECT_EQ(wrong, 0) << "BITMAP" << i << " has " << wrong << " stray pixels";
  }
}

TEST(SwatchBitmaps, SilverComesBeforeGrey) {
  // Menu item 7 is the light C0C0C0 and item 8 the darker 808080.
  EXPECT_EQ(QImage(BitmapPath("BITMAP7")).pixel(5, 5), qRgb(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(QImage(BitmapPath("BITMAP8")).pixel(5, 5), qRgb(0x80, 0x80, 0x80));
}

TEST(PiccerCursor, HotSpotPixelIsOpaque) {
  const QImage cursor = QImage(kCursorPiccer).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(cursor.size(), QSize(kCursorSize, kCursorSize));
  EXPECT_EQ(kPiccerHotSpotX, 0);
  EXPECT_EQ(kPiccerHotSpotY, 13);
  EXPECT_EQ(qAlpha(cursor.pixel(kPiccerHotSpotX, kPiccerHotSpotY)), 255);
}

TEST(PiccerCursor, IsMonochromeWithATransparentSurround) {
  const QImage cursor = QImage(kCursorPiccer).convertToFormat(QImage::Format_ARGB32);
  int black = 0;
  for (int y = 0; y < cursor.height(); ++y) {
    for (int x = 0; x < cursor.width(); ++x) {
      const QRgb p = cursor.pixel(x, y);
      if (qAlpha(p) == 0) continue;
      ASSERT_EQ(qAlpha(p), 255) << x << "," << y;
      ASSERT_TRUE(p == qRgb(0, 0, 0) || p == qRgb(255, 255, 255)) << x << "," << y;
      black += p == qRgb(0, 0, 0);
    }
  }
  EXPECT_GT(black, 20);
  EXPECT_EQ(qAlpha(cursor.pixel(31, 31)), 0);
  EXPECT_EQ(qAlpha(cursor.pixel(0, 0)), 0);
}

TEST(TitlePicture, WhiteBackgroundAroundLetteringThatIsNeverWhite) {
  const QImage title = QImage(kBitmapTitle).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(title.size(), QSize(kTitleWidth, kTitleHeight));
  const QRgb white = qRgb(255, 255, 255);
  for (int x = 0; x < title.width(); ++x) {
    EXPECT_EQ(title.pixel(x, 0), white) << x;
    EXPECT_EQ(title.pixel(x, title.height() - 1), white) << x;
  }
  int lettering = 0;
  for (int y = 0; y < title.height(); ++y) {
    for (int x = 0; x < title.width(); ++x) {
      const QRgb p = title.pixel(x, y);
      ASSERT_EQ(qAlpha(p), 255) << "the dialog swaps colours, it does not blend";
      lettering += p != white;
    }
  }
  EXPECT_GT(lettering, 1000);
}

TEST(Glyphs, HaveTransparentCornersToSitOnAButtonFace) {
  for (const Glyph& glyph : kGlyphs) {
    const QImage image = QImage(glyph.path).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(image.isNull()) << glyph.path;
    EXPECT_TRUE(image.hasAlphaChannel()) << glyph.path;
    const int last = glyph.size - 1;
    const int transparent_corners =
        (qAlpha(image.pixel(0, 0)) == 0) + (qAlpha(image.pixel(last, 0)) == 0) +
        (qAlpha(image.pixel(0, last)) == 0) + (qAlpha(image.pixel(last, last)) == 0);
    EXPECT_GE(transparent_corners, 1) << glyph.path;
  }
}

TEST(HelpPages, KeywordPageNamesEveryMainWindowCommand) {
  const QString page = ReadText(kHelpKeywords);
  ASSERT_FALSE(page.isEmpty());
  const QStringList captions = {
      // main menu
      "ファイル", "開く", "終了", "編集", "コピー", "BODYタグをコピー", "張り付け",
      "ユーザーパレットをコピー", "ユーザーパレットに色を保存",
      "ユーザーパレットの色を全て白に戻す", "選択", "BODYタグ", "標準のテキスト", "リンク部分",
      "既に読んだリンク", "読み込み中のリンク", "背景色", "BODYタグの見本", "色の名前",
      "標準パレット", "画面のデザイン", "ユーザーパレット", "画面の色を起動時の物に戻す", "ｵﾌﾟｼｮﾝ",
      "ヘルプ", "目次", "キーワード検索", "ヴァージョン情報",
      // popup menu
      "RGB値をコピー",
      // tool buttons, by their hints
      "画像やHTMLファイルを読み込む", "出来たBODYタグをクリップボードにコピー",
      "画像やBODYタグをクリップボードから読み込む", "画面の好きな点の色を調べます",
      "一般的な形式です", "をクリップボードにコピー", "HTMLで用いられる色の名前から色を選ぶ",
      "画面のデザインから色を選ぶ", "お気に入りから色を選ぶ", "標準パレットから色を選ぶ",
      // standard palette items
      "黒", "栗色", "緑色", "オリーブ色", "海軍色", "紫", "暗青緑色", "灰色", "銀色", "赤",
      "ライム色", "黄色", "青", "フクシャ色", "水色", "白",
      // BODY tag samples
      "標準色", "モノクロ", "黒地に薄緑ﾘﾝｸ", "白地に薄緑ﾘﾝｸ", "白地に赤ﾘﾝｸ", "白地に黒", "白地に茶",
      "薄緑に黒", "薄黄に紺", "黄色", "薄だいだい", "オレンジ", "茶", "灰に黄文字", "灰に緑文字",
      "薄青", "薄水色", "青地に白", "薄青緑", "緑", "シアン", "青地に黒", "紺地に黒",
      "青地に薄水色", "紺", "紺地に薄青緑", "黒地に濃緑", "黒地に青", "黒地に白", "黒地に薄黄",
      "黒地に黄緑", "黒地にピンク", "ピンク",
      // screen design items as the menu spells them
      "３Ｄ表示されているオブジェクトの表面の色背景の現在色",
      "キャプション、サイズボックス、スクロールバーの矢印ボタンの中のテキストの色",
      "Windowsデスクトップの色", "ウィンドウのテキストの現在色",
      // colour-name items whose menu caption differs from the name
      "darkturquiose", "lightgray", "olivedark"};
  QStringList missing;
  for (const QString& caption : captions) {
    if (!page.contains(caption)) missing << caption;
  }
  for (int slot = 0; slot < 10; ++slot) {
    const QString caption = QStringLiteral("User %1").arg(slot);
    if (!page.contains(caption)) missing << caption;
  }
  for (const NamedColor& colour : NamedColorTable) {
    const QString name = QString::fromUtf8(colour.name.data(), colour.name.size());
    if (!page.contains(QRegularExpression("\\b" + name + "\\b"))) missing << name;
  }
  EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();
}

TEST(HelpPages, KeywordLinksLandOnSectionsOfTheContentsPage) {
  const QString contents = ReadText(kHelpContents);
  const QString keywords = ReadText(kHelpKeywords);
  QSet<QString> anchors;
  for (const auto& m : QRegularExpression(R"re(id="([^"]+)")re").globalMatch(contents)) {
    anchors.insert(m.captured(1));
  }
  int links = 0;
  for (const auto& m :
       QRegularExpression(R"re(href="index\.html#([^"]+)")re").globalMatch(keywords)) {
    ++links;
    EXPECT_TRUE(anchors.contains(m.captured(1))) << m.captured(1).toStdString();
  }
  EXPECT_GT(links, 60);
  for (const auto& m : QRegularExpression(R"re(href="#([^"]+)")re").globalMatch(contents)) {
    EXPECT_TRUE(anchors.contains(m.captured(1))) << m.captured(1).toStdString();
  }
}

TEST(HelpPages, AreSelfContainedUtf8) {
  for (const char* path : {kHelpContents, kHelpKeywords, kHelpStyle}) {
    QFile file(QString::fromUtf8(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    const QByteArray bytes = file.readAll();
    const QString text = QString::fromUtf8(bytes);
    EXPECT_EQ(text.toUtf8(), bytes) << path << " is not clean UTF-8";
    EXPECT_FALSE(text.contains(QRegularExpression(R"re((href|src)\s*=\s*"(https?:)?//)re")))
        << path << " reaches outside the help folder";
  }
  EXPECT_TRUE(ReadText(kHelpContents).contains(R"re(<meta charset="utf-8">)re"));
  EXPECT_TRUE(ReadText(kHelpKeywords).contains(R"re(<meta charset="utf-8">)re"));
}

TEST(HelpPages, ContentsPageCoversTheMainSubjects) {
  const QString page = ReadText(kHelpContents);
  for (const char* subject :
       {"~/.config/Korvell/RGB.conf", "ピッカー", "コピーの形式", "BODYタグ", "オプション",
        "ユーザーパレット", "グラデーションパレット", "3段スライド", "Version 1.62"}) {
    EXPECT_TRUE(page.contains(QString::fromUtf8(subject))) << subject;
  }
}

TEST(FontAlias, BothNamesOfTheWindowFontGetIpaPGothicOnce) {
  InstallFontAlias();
  InstallFontAlias();
  for (const char* family : {kWindowFontFamily, kWindowFontLatinFamily}) {
    const QStringList substitutes = QFont::substitutes(QString::fromUtf8(family));
    // Qt keeps family names folded to lower case; fontconfig ignores case.
    EXPECT_EQ(substitutes.filter(QStringLiteral("IPAPGothic"), Qt::CaseInsensitive).size(), 1)
        << family;
  }
  EXPECT_EQ(QString::fromUtf8(kWindowFontFamily), QStringLiteral(u"ＭＳ Ｐゴシック"));
}

TEST(FontAlias, TheWindowFontResolvesToIpaPGothic) {
  int argc = 1;
  char name[] = "resources_test";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  if (!QFontDatabase::families().contains(QStringLiteral("IPAPGothic"))) {
    GTEST_SKIP() << "IPAPGothic is not installed";
  }
  InstallFontAlias();
  QFont font(QString::fromUtf8(kWindowFontFamily));
  font.setPixelSize(kWindowFontPixelSize);
  EXPECT_EQ(QFontInfo(font).family().toStdString(), "IPAPGothic");
  // Without a font of the window font's own name, the stand-in is asked for
  // by its own, and draws the same.
  if (QFontDatabase::families().contains(QString::fromUtf8(kWindowFontFamily))) return;
  EXPECT_EQ(WindowFontFamily().toStdString(), "IPAPGothic");
  QFont asked(WindowFontFamily());
  asked.setPixelSize(kWindowFontPixelSize);
  EXPECT_EQ(QFontMetrics(asked).horizontalAdvance(QStringLiteral(u"現在の色 Red 255")),
            QFontMetrics(font).horizontalAdvance(QStringLiteral(u"現在の色 Red 255")));
}

}  // namespace
}  // namespace tintara::res
