// The controls that draw themselves from kept pictures must look exactly as
// the toolkit's own drawing of the same thing.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionSlider>

#include "widgets/classic_scroll_bar.h"
#include "widgets/fast_label.h"

namespace tintara {
namespace {

// Every pixel where the two pictures differ, as "x,y".
QStringList Differences(const QImage& a, const QImage& b) {
  QStringList where;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) where << QString("%1,%2").arg(x).arg(y);
    }
  }
  return where;
}

TEST(FastLabelTest, DrawsTheTextAsAPlainLabelDoes) {
  QFont window_font("IPAPGothic");
  window_font.setPixelSize(12);
  QFont underlined = window_font;
  underlined.setUnderline(true);
  QFont bold_underlined = underlined;
  bold_underlined.setBold(true);
  const struct {
    const char* text;
    QFont font;
    Qt::Alignment alignment;
  } kCases[] = {
      {"bgcolor=\"#c0c0c0\" >", window_font, Qt::AlignLeft | Qt::AlignVCenter},
      {"<BODY TEXT=\"#FFFFFF\"", window_font, Qt::AlignLeft | Qt::AlignVCenter},
      {"標準のテキスト", window_font, Qt::AlignLeft | Qt::AlignVCenter},
      {"リンク部分", underlined, Qt::AlignLeft | Qt::AlignVCenter},
      // An underline lies under the text wherever the text stands.
      {"0", underlined, Qt::AlignCenter},
      {"0", bold_underlined, Qt::AlignCenter},
      {"7 既読", bold_underlined, Qt::AlignLeft | Qt::AlignVCenter},
      {"既に読んだリンク", underlined, Qt::AlignRight | Qt::AlignVCenter},
      {"指定する」", window_font, Qt::AlignRight | Qt::AlignVCenter},
      {"読み込み中のﾘﾝｸ", window_font, Qt::AlignLeft | Qt::AlignTop},
      {"AVAWAVA To", window_font, Qt::AlignHCenter | Qt::AlignBottom},
      // Characters that combine are laid out as a line.
      {"cafe\u0301 \u05e9\u05dc\u05d5\u05dd", window_font, Qt::AlignLeft | Qt::AlignVCenter},
  };
  for (const auto& [text, font, alignment] : kCases) {
    FastLabel fast(QString::fromUtf8(text));
    QLabel plain(QString::fromUtf8(text));
    plain.setTextFormat(Qt::PlainText);
    for (QLabel* label : {static_cast<QLabel*>(&fast), &plain}) {
      label->setFont(font);
      label->setAlignment(alignment);
      label->resize(137, 17);
    }
    EXPECT_EQ(Differences(fast.grab().toImage(), plain.grab().toImage()), QStringList()) << text;
  }
}

// The scroll bar keeps pictures of its track and thumb; they must follow the
// value and the range, which sizes the thumb.
TEST(ClassicScrollBarTest, KeptPicturesFollowValueAndRange) {
  ClassicScrollBar bar(Qt::Horizontal);
  bar.resize(256, 17);
  bar.setRange(0, 239);
  bar.setPageStep(10);
  const auto thumb = [&bar] {
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.pageStep = bar.pageStep();
    option.singleStep = bar.singleStep();
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                       &bar);
  };
  const QRgb shadow = bar.palette().color(QPalette::Shadow).rgb();
  const QRgb face = bar.palette().color(QPalette::Button).rgb();

  bar.setValue(0);
  const QRect first = thumb();
  QImage shown = bar.grab().toImage();
  EXPECT_EQ(shown.pixel(first.right(), first.center().y()), shadow);  // the thumb's dark edge

  bar.setValue(200);
  const QRect moved = thumb();
  shown = bar.grab().toImage();
  EXPECT_EQ(shown.pixel(moved.right(), moved.center().y()), shadow);
  EXPECT_NE(shown.pixel(first.center()), face);  // the old place shows the track again

  bar.setRange(0, 20);  // a longer thumb
  const QRect longer = thumb();
  ASSERT_GT(longer.width(), moved.width());
  shown = bar.grab().toImage();
  EXPECT_EQ(shown.pixel(longer.right(), longer.center().y()), shadow);
  EXPECT_EQ(shown.pixel(longer.center()), face);
}

}  // namespace
}  // namespace tintara
