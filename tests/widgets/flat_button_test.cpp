// The flat tool button driven through its window, so the toolkit's own
// mouse grab and enter/leave delivery decide what the button is told.
#include "widgets/flat_button.h"

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <array>
#include <utility>

namespace tintara {
namespace {

constexpr QRgb kFace = 0xffc0c0c0, kLight = 0xffffffff, kMidlight = 0xffdfdfdf;
constexpr QRgb kDark = 0xff808080, kShadow = 0xff000000, kGlyph = 0xff0000ff;
constexpr int kGlyphSize = 16;

// The corner pixels of the frame's two lines: outer and inner top left,
// inner and outer bottom right.
using Frame = std::array<QRgb, 4>;
constexpr Frame kFlat{kFace, kFace, kFace, kFace};
constexpr Frame kThinRaised{kLight, kFace, kFace, kDark};
constexpr Frame kSunken{kShadow, kDark, kMidlight, kLight};

// Points in the host window; the button is at (40, 20), 27 pixels square.
constexpr QPoint kAway{5, 5}, kOver{53, 33}, kLeftOf{20, 33};

class FlatButtonTest : public testing::Test {
 protected:
  void SetUp() override {
    QPalette pal;
    for (const auto& [role, colour] : {std::pair{QPalette::Button, kFace},
                                       {QPalette::Light, kLight},
                                       {QPalette::Midlight, kMidlight},
                                       {QPalette::Dark, kDark},
                                       {QPalette::Shadow, kShadow}}) {
      pal.setColor(role, QColor::fromRgb(colour));
    }
    host_.setPalette(pal);
    host_.setGeometry(100, 100, 120, 80);
    button_->setGeometry(40, 20, 27, 27);
    QPixmap glyph(kGlyphSize, kGlyphSize);
    glyph.fill(QColor::fromRgb(kGlyph));
    button_->setIcon(QIcon(glyph));
    button_->setIconSize(glyph.size());
    host_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host_));
    MoveTo(kAway);
  }

  // QTest's window moves carry the buttons it last pressed, so between Press
  // and Release a move is a drag.
  void MoveTo(QPoint p) { QTest::mouseMove(host_.windowHandle(), p); }
  void Press(QPoint p) { QTest::mousePress(host_.windowHandle(), Qt::LeftButton, {}, p); }
  void Release(QPoint p) { QTest::mouseRelease(host_.windowHandle(), Qt::LeftButton, {}, p); }

  Frame Shown() const {
    const QImage image = button_->grab().toImage();
    const int r = image.width() - 1, b = image.height() - 1;
    return {image.pixel(0, 0), image.pixel(1, 1), image.pixel(r - 1, b - 1), image.pixel(r, b)};
  }

  QWidget host_;
  TFlatBtn* button_ = new TFlatBtn(&host_);
};

TEST_F(FlatButtonTest, RaisedWhileTheMouseIsOverSunkenWhilePressed) {
  QSignalSpy clicked(button_, &QAbstractButton::clicked);
  EXPECT_EQ(Shown(), kFlat);
  MoveTo(kOver);
  EXPECT_TRUE(button_->Hovering());
  EXPECT_EQ(Shown(), kThinRaised);
  Press(kOver);
  EXPECT_TRUE(button_->Pressed());
  EXPECT_EQ(Shown(), kSunken);
  Release(kOver);
  EXPECT_FALSE(button_->Pressed());
  EXPECT_EQ(Shown(), kThinRaised);
  EXPECT_EQ(clicked.count(), 1);
  MoveTo(kAway);
  EXPECT_FALSE(button_->Hovering());
  EXPECT_EQ(Shown(), kFlat);
}

TEST_F(FlatButtonTest, DraggingOffAndBackWhileHeld) {
  QSignalSpy clicked(button_, &QAbstractButton::clicked);
  MoveTo(kOver);
  Press(kOver);
  MoveTo(kLeftOf);
  EXPECT_FALSE(button_->Hovering());
  EXPECT_FALSE(button_->Pressed());
  EXPECT_EQ(Shown(), kFlat);
  MoveTo(kOver);
  EXPECT_TRUE(button_->Pressed());
  EXPECT_EQ(Shown(), kSunken);
  MoveTo(kLeftOf);
  Release(kLeftOf);  // negative coordinates for the button
  EXPECT_FALSE(button_->Hovering());
  EXPECT_EQ(Shown(), kFlat);
  EXPECT_EQ(clicked.count(), 0);
  MoveTo(kOver);
  EXPECT_EQ(Shown(), kThinRaised);
}

TEST_F(FlatButtonTest, DisabledShowsNoFrameAndAnEmbossedGlyph) {
  MoveTo(kOver);
  button_->setEnabled(false);  // with the mouse still over it
  EXPECT_EQ(Shown(), kFlat);
  MoveTo(kAway);
  MoveTo(kOver);
  EXPECT_FALSE(button_->Hovering());
  const QImage image = button_->grab().toImage();
  EXPECT_EQ(image.pixel(0, 0), kFace);
  constexpr int kAt = (27 - kGlyphSize + 1) / 2;
  EXPECT_EQ(image.pixel(kAt, kAt), kDark);
  EXPECT_EQ(image.pixel(kAt + kGlyphSize, kAt + kGlyphSize), kLight);

  button_->setEnabled(true);
  MoveTo(kOver + QPoint(1, 0));
  EXPECT_EQ(Shown(), kThinRaised);
}

TEST_F(FlatButtonTest, LatchedStaysSunkenUntilAnotherOfItsGroupLatches) {
  auto* other = new TFlatBtn(&host_);
  other->setGeometry(70, 20, 27, 27);
  other->show();
  QButtonGroup group;  // exclusive
  for (TFlatBtn* b : {button_, other}) {
    b->setCheckable(true);
    group.addButton(b);
  }
  QTest::mouseClick(host_.windowHandle(), Qt::LeftButton, {}, kOver);
  for (QPoint p : {kOver, kAway, kOver}) {
    MoveTo(p);
    EXPECT_EQ(Shown(), kSunken);
  }
  QTest::mouseClick(host_.windowHandle(), Qt::LeftButton, {}, {83, 33});
  EXPECT_FALSE(button_->isChecked());
  EXPECT_EQ(Shown(), kFlat);
}

TEST_F(FlatButtonTest, EdgeStyles) {
  constexpr Frame kHard{kLight, kFace, kFace, kShadow};
  using E = TFlatBtn;
  const struct {
    TFlatBtn::TEdgeStyle style;
    Frame away, over;
  } kCases[] = {
      {E::esAlwaysShow, kThinRaised, kThinRaised},
      {E::esHard, kFlat, kHard},
      {E::esHard | E::esAlwaysShow, kHard, kHard},
      {E::esWide, kFlat, {kLight, kMidlight, kDark, kDark}},
      {E::esWide | E::esHard | E::esAlwaysShow, Frame{kLight, kMidlight, kDark, kShadow},
       Frame{kLight, kMidlight, kDark, kShadow}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    button_->SetEdgeStyle(c.style);
    MoveTo(kAway);
    EXPECT_EQ(Shown(), c.away);
    MoveTo(kOver);
    EXPECT_EQ(Shown(), c.over);
    Press(kOver);
    EXPECT_EQ(Shown(), kSunken);
    Release(kOver);
  }
}

TEST_F(FlatButtonTest, GlyphCentredAtAnySizeAndMovedWhilePressed) {
  // The usual size and swollen by 30 pixels around the centre.
  for (const QRect geometry : {QRect(40, 20, 27, 27), QRect(25, 5, 57, 57)}) {
    button_->setGeometry(geometry);
    const int at = (geometry.width() - kGlyphSize + 1) / 2, end = at + kGlyphSize;
    QImage image = button_->grab().toImage();
    EXPECT_EQ(image.pixel(at, at), kGlyph) << geometry.width();
    EXPECT_EQ(image.pixel(end, end), kFace);
    MoveTo(geometry.center());
    Press(geometry.center());
    image = button_->grab().toImage();
    EXPECT_EQ(image.pixel(at, at), kFace);
    EXPECT_EQ(image.pixel(end, end), kGlyph);
    Release(geometry.center());
  }
}

}  // namespace
}  // namespace tintara
