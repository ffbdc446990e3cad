// The main window driven through its real controls.
#include "mainwindow/tform1.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>

#include "colour/conversions.h"
#include "mainwindow/client_area.h"
#include "mainwindow/copy/copy_format_box.h"
#include "mainwindow/editor/editor_math.h"
#include "mainwindow/editor/field_edit.h"
#include "widgets/flat_button.h"

namespace tintara {
namespace {

class TForm1Test : public testing::Test {
 protected:
  void SetUp() override {
    form_.show();
    form_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
  }

  // Types into a field and leaves it with Tab, as a user would.
  void TypeAndLeave(QLineEdit* field, const QString& text) {
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
  }

  void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(form_.Client(), button, Qt::NoModifier, at);
  }
  void MoveTo(QPoint to) {
    QMouseEvent move(QEvent::MouseMove, to, form_.Client()->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.Client(), &move);
  }
  void Release(QPoint at) {
    QTest::mouseRelease(form_.Client(), Qt::LeftButton, Qt::NoModifier, at);
  }

  // What the screen shows of the client area after the pending repaints, as
  // the window's backing store holds it (a fresh render would hide parts
  // that were never repainted).
  QImage Shown() {
    QCoreApplication::processEvents();
    const QPoint offset = form_.Client()->mapTo(&form_, QPoint(0, 0));
    return form_.screen()
        ->grabWindow(form_.winId(), offset.x(), offset.y(), TForm1::kClientWidth,
                     TForm1::kClientHeight)
        .toImage();
  }

  std::uint32_t Pixel(int x, int y) const {
    const QRgb argb = form_.SurfaceImage().pixel(x, y);
    return RgbColor::FromInts(qRed(argb), qGreen(argb), qBlue(argb)).Packed();
  }

  TForm1 form_;
};

TEST_F(TForm1Test, StartsWithTheGreyAndItsViews) {
  EXPECT_EQ(form_.windowTitle(), "Tintara c0c0c0");
  EXPECT_EQ(form_.EditR->text(), "192");
  EXPECT_EQ(form_.hEditB->text(), "c0");
  EXPECT_EQ(form_.LabelL->text(), "明るさ(L)");
  EXPECT_EQ(form_.EditL->text(), "180");
  EXPECT_EQ(form_.ScrollBarL->value(), 60);
  EXPECT_EQ(form_.SpeedButtonCopy->toolTip(), "c0c0c0をクリップボードにコピー");
  EXPECT_EQ(form_.Client()->size(), QSize(626, 416));
}

TEST_F(TForm1Test, DecimalFieldsClampWhatIsTyped) {
  TypeAndLeave(form_.EditR, "300");
  EXPECT_EQ(form_.EditR->text(), "255");
  EXPECT_EQ(form_.hEditR->text(), "ff");
  EXPECT_EQ(form_.ScrollBarR->value(), 255);
  EXPECT_EQ(form_.windowTitle(), "Tintara ffc0c0");

  TypeAndLeave(form_.EditG, "12x");
  EXPECT_EQ(form_.CurrentColour().g, 12);
  TypeAndLeave(form_.EditB, "abc");
  EXPECT_EQ(form_.CurrentColour().b, 0);
  TypeAndLeave(form_.EditB, "-20");
  EXPECT_EQ(form_.EditB->text(), "0");
  EXPECT_EQ(form_.windowTitle(), "Tintara ff0c00");
}

TEST_F(TForm1Test, TypingIsLimitedToTheFieldsWidth) {
  form_.EditR->setFocus();
  form_.EditR->selectAll();
  QTest::keyClicks(form_.EditR, "12345");
  EXPECT_EQ(form_.EditR->text(), "123");
  form_.hEditR->setFocus();
  form_.hEditR->selectAll();
  QTest::keyClicks(form_.hEditR, "abc");
  EXPECT_EQ(form_.hEditR->text(), "ab");
}

TEST_F(TForm1Test, HexadecimalFieldsReadAllOrNothing) {
  TypeAndLeave(form_.hEditR, "A");
  EXPECT_EQ(form_.CurrentColour().r, 10);
  EXPECT_EQ(form_.hEditR->text(), "a");
  EXPECT_EQ(form_.EditR->text(), "10");
  TypeAndLeave(form_.hEditG, "zz");
  EXPECT_EQ(form_.CurrentColour().g, 0);
  TypeAndLeave(form_.hEditB, "-1");
  EXPECT_EQ(form_.CurrentColour().b, 0);
}

TEST_F(TForm1Test, SignedAndWideRowsShowAndReadBack) {
  form_.ChooseModels(8, SlideModel::kYcc);
  EXPECT_EQ(form_.Rows(), (std::array<int, 3>{192, 0, 0}));
  EXPECT_EQ(form_.LabelC->text(), "Cb");
  TypeAndLeave(form_.EditG, "-20");
  EXPECT_EQ(form_.EditG->text(), "-20");
  form_.ScrollBarG->setValue(-128);  // only the slider reaches -128
  EXPECT_EQ(form_.EditG->text(), "-128");
  EXPECT_EQ(form_.hEditG->text(), "ffffff80");
  const RgbColor before = form_.CurrentColour();
  form_.hEditG->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(form_.hEditG, Qt::Key_Tab);  // leave it unchanged
  EXPECT_EQ(form_.Rows()[1], -128);
  EXPECT_EQ(form_.CurrentColour(), before);

  form_.ChooseModels(8, SlideModel::kHsv);
  TypeAndLeave(form_.EditR, "360");
  EXPECT_EQ(form_.hEditR->text(), "168");
}

TEST_F(TForm1Test, RowsOfRgbAndYmcTouchOneChannel) {
  form_.SetCurrentColour({10, 20, 30});
  form_.ChooseModels(8, SlideModel::kYmc);
  EXPECT_EQ(form_.Rows(), (std::array<int, 3>{225, 235, 245}));
  TypeAndLeave(form_.EditR, "55");  // Y
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{10, 20, 200}));
}

TEST_F(TForm1Test, RowsKeepWhatWasTyped) {
  form_.ChooseModels(8, SlideModel::kHsl);
  form_.SetCurrentColour({33, 66, 200});
  EXPECT_EQ(form_.Rows(), (std::array<int, 3>{155, 182, 116}));
  TypeAndLeave(form_.EditG, "0");
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{116, 116, 116}));
  // The grey's hue 246 shows only once the rows are recomputed from a colour.
  EXPECT_EQ(form_.EditR->text(), "155");
  form_.SetCurrentColour({116, 116, 116});
  EXPECT_EQ(form_.EditR->text(), "246");
}

TEST_F(TForm1Test, EnterThenTabAppliesTheSameValueTwice) {
  form_.EditG->setFocus(Qt::MouseFocusReason);
  form_.EditG->selectAll();
  QTest::keyClicks(form_.EditG, "77");
  QTest::keyClick(form_.EditG, Qt::Key_Return);
  EXPECT_EQ(form_.CurrentColour().g, 77);
  const QString title = form_.windowTitle();
  QTest::keyClick(form_.EditG, Qt::Key_Tab);
  EXPECT_EQ(form_.CurrentColour().g, 77);
  EXPECT_EQ(form_.windowTitle(), title);
}

TEST_F(TForm1Test, SwitchingModelsClampsTheSlidersAndShowsTheColour) {
  form_.ChooseModels(8, SlideModel::kHsv);
  TypeAndLeave(form_.EditR, "300");
  ASSERT_EQ(form_.ScrollBarR->value(), 300);
  form_.ChooseModels(8, SlideModel::kRgb);
  EXPECT_EQ(form_.ScrollBarR->maximum(), 255);
  EXPECT_EQ(form_.ScrollBarR->value(), form_.CurrentColour().r);
  EXPECT_EQ(form_.EditR->text(), QString::number(form_.CurrentColour().r));
}

TEST_F(TForm1Test, ProgrammaticSliderMovesDoNotFeedBack) {
  // Were a slider moved by a refresh to run its setter, the colour would go
  // through ESL and come back as 33, 66, 199.
  form_.SetCurrentColour({33, 66, 200});
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{33, 66, 200}));
  EXPECT_EQ(form_.UpdateOrigin, 0);
  form_.ChooseModels(10, SlideModel::kEsl);
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{33, 66, 200}));
}

TEST_F(TForm1Test, PaletteFieldsClamp) {
  TypeAndLeave(form_.EditL, "300");
  EXPECT_EQ(form_.EditL->text(), "240");
  EXPECT_EQ(form_.ScrollBarL->value(), 0);
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{255, 255, 255}));
}

TEST_F(TForm1Test, FieldDragClampsPastTheEdges) {
  Press({100, 100});
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{192, 192, 192}));  // a press alone changes nothing
  MoveTo({300, -20});
  EXPECT_EQ(form_.EditE->text(), "239");
  EXPECT_EQ(form_.EditS->text(), "240");
  EXPECT_EQ(form_.CurrentColour(), EslToRgb(239, 240, 180));
  Release({300, -20});
  MoveTo({10, 10});
  EXPECT_EQ(form_.EditE->text(), "239");  // no drag after the release
}

TEST_F(TForm1Test, BarDragSetsTheBarValue) {
  Press({290, 128});
  MoveTo({290, 400});
  EXPECT_EQ(form_.EditL->text(), "0");
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{0, 0, 0}));
  EXPECT_EQ(form_.ImageArrow->pos(), QPoint(297, 256));
  Release({290, 400});
}

TEST_F(TForm1Test, RightButtonStartsNoDrag) {
  Press({100, 100}, Qt::RightButton);
  MoveTo({200, 50});
  EXPECT_EQ(form_.CurrentColour(), (RgbColor{192, 192, 192}));
}

TEST_F(TForm1Test, MarkersSurroundThePoint) {
  form_.ChooseModels(0, SlideModel::kRgb);
  form_.SetCurrentColour({0, 255, 255});
  EXPECT_EQ(form_.ImageCenterU->pos(), QPoint(255, -14));
  EXPECT_EQ(form_.ImageCenterD->pos(), QPoint(255, 7));
  EXPECT_EQ(form_.ImageCenterL->pos(), QPoint(242, -1));
  EXPECT_EQ(form_.ImageCenterR->pos(), QPoint(263, -1));
  EXPECT_EQ(form_.LabelE->text(), "緑(G)");
}

// A field at rest shows a kept picture of its text; the text must sit where
// the line edit itself draws it, or it would jump when the field is entered.
TEST(FieldEditTest, RestingTextSitsWhereTheLineEditDrawsIt) {
  // Decimal fields are 37 pixels wide and hexadecimal ones 24, where two
  // wide digits leave no room for the right alignment.
  const struct {
    const char* text;
    int width;
  } kCases[] = {{"192", 37}, {"7", 37}, {"ffffff80", 37}, {"00", 24}, {"e9", 24}, {"1", 24}};
  for (const auto& [text, width] : kCases) {
    FieldEdit field(3);
    field.resize(width, 20);
    field.setText(text);
    QLineEdit plain;
    plain.setFrame(false);
    plain.setAlignment(field.alignment());
    plain.setTextMargins(field.textMargins());
    plain.resize(field.size());
    plain.setText(text);
    const QImage resting = field.grab().toImage();
    const QImage drawn = plain.grab().toImage();
    for (int y = 2; y < 18; ++y) {
      for (int x = 2; x < width - 2; ++x) {
        ASSERT_EQ(resting.pixel(x, y), drawn.pixel(x, y)) << text << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(TForm1Test, MarkersAreShownOverTheCellsAndLeaveNoTrace) {
  form_.ChooseModels(0, SlideModel::kRgb);
  form_.SetCurrentColour({0, 100, 60});
  const QPoint old_up = form_.ImageCenterU->pos();
  const QPoint old_arrow = form_.ImageArrow->pos();
  QImage shown = Shown();
  const QRgb red = qRgb(255, 0, 0);
  EXPECT_EQ(shown.pixel(old_up + QPoint(1, 3)), red);
  EXPECT_EQ(shown.pixel(form_.ImageCenterL->pos() + QPoint(3, 1)), red);
  EXPECT_EQ(shown.pixel(old_arrow + QPoint(0, 1)), red);

  form_.SetCurrentColour({120, 200, 160});
  shown = Shown();
  EXPECT_EQ(shown.pixel(form_.ImageCenterU->pos() + QPoint(1, 3)), red);
  // The old places show the surface again: cells and the bar's background.
  const QPoint cell = old_up + QPoint(1, 3);
  EXPECT_EQ(shown.pixel(cell), form_.SurfaceImage().pixel(cell));
  EXPECT_EQ(shown.pixel(old_arrow + QPoint(0, 1)),
            form_.SurfaceImage().pixel(old_arrow + QPoint(0, 1)));
}

TEST_F(TForm1Test, SurfaceShowsTheComputedPalette) {
  for (int channel : {0, 3, 8, 10, 12, 15, 17}) {
    form_.ChooseModels(channel, static_cast<SlideModel>(channel % kSlideModelCount));
    form_.SetCurrentColour({90, 30, 201});
    const RgbColor current = form_.CurrentColour();
    PaletteGrid grid;
    BuildPaletteGrid(channel, form_.Axes().bar, grid);
    for (int cell : {0, 31, 33, 500, 1023}) {
      const int c = cell % 32, r = cell / 32;
      EXPECT_EQ(Pixel(8 * c, 8 * r), grid[cell]) << channel << " cell " << cell;
      EXPECT_EQ(Pixel(8 * c + 7, 8 * r + 7), grid[cell]) << channel << " cell " << cell;
    }
    for (int band : {0, 1, 64, 126}) {
      EXPECT_EQ(Pixel(284, 253 - 2 * band), BarBandColour(channel, band, current)) << channel;
      EXPECT_EQ(Pixel(295, 254 - 2 * band), BarBandColour(channel, band, current)) << channel;
    }
    EXPECT_EQ(Pixel(290, 0), BarBandColour(channel, 127, current));
    const SlideModel model = form_.CurrentSlideModel();
    for (int i : {0, 200, 368}) {
      EXPECT_EQ(Pixel(112 + i, 307), StripColour(model, 0, i, form_.Rows())) << channel;
      EXPECT_EQ(Pixel(112 + i, 340), StripColour(model, 1, i, form_.Rows())) << channel;
      EXPECT_EQ(Pixel(112 + i, 372), StripColour(model, 2, i, form_.Rows())) << channel;
    }
    EXPECT_EQ(Pixel(332, 84), current.Packed());
    EXPECT_EQ(Pixel(481, 177), current.Packed());
  }
}

TEST_F(TForm1Test, SurfaceCellsWorkedByHand) {
  form_.ChooseModels(0, SlideModel::kRgb);
  form_.SetCurrentColour({100, 50, 50});
  EXPECT_EQ(Pixel(8, 255), (RgbColor{100, 8, 0}.Packed()));      // cell (1, 31)
  EXPECT_EQ(Pixel(255, 0), (RgbColor{100, 248, 248}.Packed()));  // cell (31, 0)
  EXPECT_EQ(Pixel(290, 254), (RgbColor{1, 50, 50}.Packed()));    // band 0
  EXPECT_EQ(Pixel(290, 252), (RgbColor{3, 50, 50}.Packed()));    // band 1
  EXPECT_EQ(Pixel(112, 339), (RgbColor{100, 0, 50}.Packed()));   // green strip, column 0
}

TEST_F(TForm1Test, CopyFormatListAndClipboard) {
  form_.ComboBoxCopy->setCurrentIndex(7);
  EXPECT_EQ(form_.EditRGB, "<font color = \"#c0c0c0\"></font>");
  EXPECT_EQ(form_.windowTitle(), "Tintara <font color = \"#c0c0c0\"></font>");
  EXPECT_EQ(form_.ComboBoxCopy->toolTip(), "フォントの色指定");
  EXPECT_EQ(form_.ComboBoxCopy->width(), 44);
  QTest::mouseClick(form_.SpeedButtonCopy, Qt::LeftButton);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "<font color = \"#c0c0c0\"></font>");

  form_.ComboBoxCopy->showPopup();
  EXPECT_EQ(form_.ComboBoxCopy->width(), 200);
  form_.ComboBoxCopy->hidePopup();
  QTest::mouseDClick(form_.ComboBoxCopy, Qt::LeftButton);
  EXPECT_EQ(form_.ComboBoxCopy->width(), 44);

  form_.SetOutputForm(false, false);
  form_.ComboBoxCopy->setCurrentIndex(4);
  EXPECT_EQ(form_.EditRGB, "COLOR : SILVER");
}

TEST_F(TForm1Test, DroppedFormatListShowsItemsWholeAndADoubleClickOnItsTextNarrowsIt) {
  CopyFormatBox* list = form_.ComboBoxCopy;
  list->showPopup();
  QAbstractItemView* view = list->view();
  EXPECT_EQ(view->textElideMode(), Qt::ElideNone);
  int widest = 0;
  for (int k = 0; k < list->count(); ++k) {
    widest = std::max(widest, view->fontMetrics().horizontalAdvance(list->itemText(k)));
  }
  EXPECT_GE(view->width(), widest);
  QTest::keyClick(view, Qt::Key_Escape);
  EXPECT_EQ(list->width(), 200);
  // Where the user double-clicks: on the list's text.
  QTest::mouseDClick(list->lineEdit(), Qt::LeftButton, {}, QPoint(10, 8));
  EXPECT_EQ(list->width(), 44);
  EXPECT_FALSE(list->lineEdit()->hasSelectedText());
}

// What a hint shows: rich text is rendered, anything else is shown as it is.
QString ShownHint(const QString& hint) {
  if (!Qt::mightBeRichText(hint)) return hint;
  QTextDocument shown;
  shown.setHtml(hint);
  return shown.toPlainText();
}

TEST_F(TForm1Test, CopyButtonHintShowsTheCopyTextAsItStands) {
  for (int format : {6, 7, 9, 10, 11, 12, 13, 14, 15}) {
    form_.ComboBoxCopy->setCurrentIndex(format);
    // The hint keeps the template's letter case; the text is the same.
    const QString shown = ShownHint(form_.SpeedButtonCopy->toolTip());
    EXPECT_EQ(shown.compare(form_.EditRGB + QString::fromUtf8("をクリップボードにコピー"),
                            Qt::CaseInsensitive),
              0)
        << format << " " << shown.toStdString();
  }
}

TEST_F(TForm1Test, SwatchPressLiftsAFloatingCopy) {
  Press({340, 90});
  QWidget* floating = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != &form_ && w->isVisible() && w->size() == QSize(150, 94)) floating = w;
  }
  ASSERT_NE(floating, nullptr);
  EXPECT_EQ(floating->pos(), form_.Client()->mapToGlobal(QPoint(332, 84)));
  EXPECT_EQ(floating->palette().color(QPalette::Window), QColor(192, 192, 192));
  MoveTo({350, 95});
  EXPECT_EQ(floating->pos(), form_.Client()->mapToGlobal(QPoint(342, 89)));
  Release({350, 95});
  EXPECT_FALSE(floating->isVisible());
}

TEST_F(TForm1Test, DoubleClickTogglesTheBackground) {
  form_.SetCurrentColour({10, 20, 30});
  QTest::mouseDClick(form_.Client(), Qt::LeftButton, Qt::NoModifier, {600, 400});
  EXPECT_EQ(form_.BackgroundColour(), QColor(10, 20, 30));
  EXPECT_EQ(Pixel(600, 400), (RgbColor{10, 20, 30}.Packed()));
  QTest::mouseDClick(form_.Client(), Qt::LeftButton, Qt::NoModifier, {600, 400});
  EXPECT_EQ(form_.BackgroundColour(), QGuiApplication::palette().color(QPalette::Button));
}

TEST_F(TForm1Test, ToolBarAndSourceStripLookTheSameOnAnyBackground) {
  // The tool bar with the source strip under it, gaps between panels included.
  const QRect bar(328, 0, 298, 59);
  for (TFlatBtn* source : {form_.SpeedButtonColorFix, form_.SpeedButtonColorStd}) {
    source->click();
    const QImage before = Shown().copy(bar);
    form_.SetCurrentColour({200, 30, 40});
    QTest::mouseDClick(form_.Client(), Qt::LeftButton, Qt::NoModifier, {600, 400});
    const QImage after = Shown();
    ASSERT_EQ(after.pixel(326, 10), qRgb(200, 30, 40));  // the background did change
    const QImage shown_bar = after.copy(bar);
    for (int y = 0; y < bar.height(); ++y) {
      for (int x = 0; x < bar.width(); ++x) {
        ASSERT_EQ(shown_bar.pixel(x, y), before.pixel(x, y))
            << "at " << bar.left() + x << "," << bar.top() + y;
      }
    }
    QTest::mouseDClick(form_.Client(), Qt::LeftButton, Qt::NoModifier, {600, 400});
    EXPECT_EQ(Shown().copy(bar), before);
  }
}

}  // namespace
}  // namespace tintara
