#include "platform/ini_text.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace tintara {
namespace {

std::string ReadText(const IniText& text, std::string_view key) {
  const std::optional<std::string_view> raw = text.RawValue({}, key);
  if (!raw) return "<absent>";
  const IniValue value = DecodeIniValue(*raw);
  return value.kind == IniValue::Kind::kText || value.kind == IniValue::Kind::kBytes
             ? value.text
             : "<not a text>";
}

// Names a user may type, or an older store may hold.
const std::vector<std::string> kAwkwardTexts = {
    "",
    "plain",
    "\"quoted\"",
    "\"",
    "a=b",
    "x;y",
    "a, b",
    "back\\slash\\",
    "#comment",
    "[General]",
    "  blanks  ",
    " ",
    "\t tab",
    "line\nTop=5\r\nLeft=9",
    "@",
    "@@x",
    "@Variant(\\0)",
    "@ByteArray(abc)",
    "@Invalid()",
    "夕焼けの空",
    "\x01\x1f\x7f",
    "\\x41",
    std::string("nul\0inside", 10),
    "\xff\xfe invalid",
    "\xe5\xa4",  // cut short
    "caf\xe9",   // Latin-1
    "\xc3\xa9\xff",
    "\x80",
    "\\",
};

TEST(IniText, EveryTextReadsBackByteForByte) {
  IniText text;
  for (std::size_t k = 0; k < kAwkwardTexts.size(); ++k) {
    text.SetRawValue("Name" + std::to_string(k), EncodeIniText(kAwkwardTexts[k]));
  }
  text.SetRawValue("After", "1");
  const IniText again(text.Bytes());
  EXPECT_TRUE(again.whole()) << text.Bytes();
  for (std::size_t k = 0; k < kAwkwardTexts.size(); ++k) {
    EXPECT_EQ(ReadText(again, "Name" + std::to_string(k)), kAwkwardTexts[k]) << k;
  }
  EXPECT_EQ(ReadText(again, "After"), "1");
}

// Other programs, and the stores of older versions, use QSettings itself:
// what one writes the other reads the same.
TEST(IniText, SpeaksTheDialectOfQSettings) {
  QTemporaryDir home;
  const QString ours = home.path() + "/ours.conf";
  const QString theirs = home.path() + "/theirs.conf";
  IniText text;
  {
    QSettings settings(theirs, QSettings::IniFormat);
    for (std::size_t k = 0; k < kAwkwardTexts.size(); ++k) {
      const std::string& name = kAwkwardTexts[k];
      const QString key = QString("Name%1").arg(k);
      const QString utf8 = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
      if (utf8.toUtf8() == QByteArray(name.data(), static_cast<qsizetype>(name.size())) &&
          !utf8.contains(QChar::Null)) {
        settings.setValue(key, utf8);
      } else {
        settings.setValue(key, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
      }
      text.SetRawValue(key.toStdString(), EncodeIniText(name));
    }
    settings.setValue("Top", -40);
  }
  text.SetRawValue("Top", "-40");
  QFile file(ours);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const std::string bytes = text.Bytes();
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  file.close();

  QFile written_by_qt(theirs);
  ASSERT_TRUE(written_by_qt.open(QIODevice::ReadOnly));
  const QByteArray qt_bytes = written_by_qt.readAll();
  const IniText read_from_qt(std::string_view(qt_bytes.constData(), qt_bytes.size()));
  QSettings read_by_qt(ours, QSettings::IniFormat);
  EXPECT_EQ(read_by_qt.status(), QSettings::NoError);
  for (std::size_t k = 0; k < kAwkwardTexts.size(); ++k) {
    const QString key = QString("Name%1").arg(k);
    EXPECT_EQ(ReadText(read_from_qt, key.toStdString()), kAwkwardTexts[k]) << k;
    const QVariant value = read_by_qt.value(key);
    const QByteArray value_bytes =
        value.typeId() == QMetaType::QByteArray ? value.toByteArray() : value.toString().toUtf8();
    EXPECT_EQ(value_bytes,
              QByteArray(kAwkwardTexts[k].data(), static_cast<qsizetype>(kAwkwardTexts[k].size())))
        << k;
  }
  EXPECT_EQ(read_by_qt.value("Top").toInt(), -40);
  EXPECT_EQ(read_from_qt.RawValue({}, "Top"), "-40");
}

TEST(IniText, ADamagedLineCostsOnlyItself) {
  const IniText text(
      "[General]\nTop=5\nFavorite0=\"sky\nFavorite1=sea\nnot a setting\nLeft=back\\\n"
      "PiccerTime=700\n[Plug-in\nPath=/opt\n");
  EXPECT_FALSE(text.whole());
  EXPECT_EQ(ReadText(text, "Top"), "5");
  EXPECT_EQ(ReadText(text, "Favorite0"), "sky");  // read as well as it can be
  EXPECT_EQ(ReadText(text, "Favorite1"), "sea");
  EXPECT_EQ(ReadText(text, "Left"), "back");
  EXPECT_EQ(ReadText(text, "PiccerTime"), "700");
  EXPECT_EQ(text.RawValue("Plug-in", "Path"), "/opt");
  EXPECT_EQ(ReadText(text, "Path"), "<absent>");
  // What cannot be written back as it was is left out; the section gets its ']'.
  EXPECT_EQ(text.Bytes(),
            "[General]\nTop=5\nFavorite1=sea\nPiccerTime=700\n[Plug-in]\nPath=/opt\n");
  EXPECT_TRUE(IniText(text.Bytes()).whole());
}

TEST(IniText, TheLastOfTwiceWrittenKeysCountsAndOnlyItIsKept) {
  IniText text("Top=1\nLeft=2\nTop=3\n[Other]\nTop=4\n");
  EXPECT_FALSE(text.whole());
  EXPECT_EQ(ReadText(text, "Top"), "3");
  EXPECT_EQ(text.RawValue("Other", "Top"), "4");
  text.SetRawValue("Top", "9");
  EXPECT_EQ(text.Bytes(), "Left=2\nTop=9\n[Other]\nTop=4\n");
}

TEST(IniText, KeepsWhatItDoesNotChangeAndAddsKeysToTheTopSection) {
  const std::string file =
      "; written by hand\n[General]\nTop = 5 ; the top\nOther=\"a, b\"\n\n[Plug-in]\nPath=/x\n";
  IniText text(file);
  EXPECT_TRUE(text.whole());
  EXPECT_EQ(text.Bytes(), file);
  EXPECT_EQ(ReadText(text, "Top"), "5");
  text.SetRawValue("Top", "6");
  text.SetRawValue("Left", "7");
  EXPECT_EQ(text.Bytes(),
            "; written by hand\n[General]\nTop=6\nOther=\"a, b\"\nLeft=7\n\n[Plug-in]\nPath=/x\n");

  IniText without_top("[Plug-in]\nPath=/x\n");
  without_top.SetRawValue("Top", "1");
  EXPECT_EQ(without_top.Bytes(), "[General]\nTop=1\n\n[Plug-in]\nPath=/x\n");
  EXPECT_EQ(ReadText(IniText(without_top.Bytes()), "Top"), "1");
}

TEST(IniText, LineEndingsAndAByteOrderMarkAreRead) {
  const IniText text("\xEF\xBB\xBFTop=1\r\nLeft=2\rColorSlide=3\n\n");
  EXPECT_TRUE(text.whole());
  EXPECT_EQ(ReadText(text, "Top"), "1");
  EXPECT_EQ(ReadText(text, "Left"), "2");
  EXPECT_EQ(ReadText(text, "ColorSlide"), "3");
  EXPECT_EQ(text.Bytes(), "Top=1\nLeft=2\nColorSlide=3\n\n");
}

TEST(IniValue, ListsAndOtherTypesAreNoTexts) {
  EXPECT_EQ(DecodeIniValue("1, 2").kind, IniValue::Kind::kList);
  EXPECT_EQ(DecodeIniValue("\"1, 2\"").kind, IniValue::Kind::kText);
  EXPECT_EQ(DecodeIniValue("@Variant(\\0\\0\\0\\x2)").kind, IniValue::Kind::kOther);
  EXPECT_EQ(DecodeIniValue("@Rect(1 2 3 4)").kind, IniValue::Kind::kOther);
  EXPECT_EQ(DecodeIniValue("@ByteArray(\\x3042)").kind, IniValue::Kind::kOther);
  const IniValue bytes = DecodeIniValue("@ByteArray(\\xff\\x1)");
  EXPECT_EQ(bytes.kind, IniValue::Kind::kBytes);
  EXPECT_EQ(bytes.text, "\xff\x01");
  EXPECT_EQ(DecodeIniValue("@String(x)").text, "x");
  EXPECT_EQ(DecodeIniValue("  padded \\x20 ").text, "padded  ");
  EXPECT_EQ(DecodeIniValue("\\101\\x42\\q").text, "AB");
}

TEST(ValidUtf8, ReplacesOnlyBytesThatAreNoUtf8) {
  EXPECT_EQ(ValidUtf8("空色 sky"), "空色 sky");
  EXPECT_EQ(ValidUtf8("a\xff!"), "a\xEF\xBF\xBD!");
  // An overlong form, a surrogate and a sequence cut short.
  EXPECT_EQ(ValidUtf8("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(ValidUtf8("x\xE7\xA9"), "x\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(ValidUtf8(std::string("\0", 1)), std::string("\0", 1));
}

}  // namespace
}  // namespace tintara
