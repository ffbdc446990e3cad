// The BODY group, the tag copy and pictures and text brought in, driven
// through the main window's real controls.
#include <gtest/gtest.h>
#include <webp/encode.h>

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <memory>
#include <utility>

#include "mainwindow/body/body_scheme_box.h"
#include "mainwindow/tform1.h"
#include "widgets/colour_group_box.h"
#include "widgets/flat_button.h"

namespace tintara {
namespace {

QColor TextColour(const QWidget* widget) { return widget->palette().color(QPalette::WindowText); }

class TForm1BodyTest : public testing::Test {
 protected:
  TForm1BodyTest() {
    TForm1Services services;
    services.error_box = [this](const QString& message) { errors_ << message; };
    form_ = std::make_unique<TForm1>(std::move(services));
    form_->ChooseFileToOpen = [this] {
      ++dialogs_;
      return std::exchange(next_file_, QString());
    };
  }

  void SetUp() override {
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    form_->SetOutputForm(true, true);
  }

  QString Tag() const { return form_->MemoBODY; }
  // The group as the screen shows it after the pending repaints.
  QImage ShownGroup() {
    QCoreApplication::processEvents();
    const QPoint offset = form_->GroupBox1->mapTo(form_.get(), QPoint(0, 0));
    return form_->screen()
        ->grabWindow(form_->winId(), offset.x(), offset.y(), form_->GroupBox1->width(),
                     form_->GroupBox1->height())
        .toImage();
  }
  QStringList Lines() const {
    return {form_->LabelBody1->text(), form_->LabelBody2->text(), form_->LabelBody3->text(),
            form_->LabelBody4->text(), form_->LabelBody5->text()};
  }
  static void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
  }
  // Opens a file through the tool button, the dialog answered with it.
  void Open(const QString& name, const QByteArray& bytes) {
    next_file_ = dir_.filePath(name);
    QFile file(next_file_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    Click(form_->SpeedButtonPicture);
  }
  // A 40 x 40 green picture with one red pixel in its corner.
  static QImage Picture() {
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(qRgb(0, 128, 0));
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    return picture;
  }

  QTemporaryDir dir_;
  QStringList errors_;
  int dialogs_ = 0;
  QString next_file_;
  std::unique_ptr<TForm1> form_;
};

TEST_F(TForm1BodyTest, TagsAndPreviewLines) {
  form_->SetOutputForm(true, false);
  EXPECT_EQ(Lines(),
            (QStringList{R"(<BODY TEXT="#000000" )", R"(LINK="#0000EE" )", R"(VLINK="#551A8B" )",
                         R"(ALINK="#EE0000" )", R"(BGCOLOR="#C0C0C0" >)"}));
  EXPECT_EQ(Tag(), Lines().join(""));
  form_->SetOutputForm(false, true);
  EXPECT_EQ(Tag(), R"(<body text="black" link="#0000ee" vlink="#551a8b" alink="#ee0000" )"
                   R"(bgcolor="silver" >)");

  form_->SetOutputForm(true, true);
  for (QCheckBox* box : {form_->CheckBoxL, form_->CheckBoxV, form_->CheckBoxA}) Click(box);
  EXPECT_EQ(Lines(),
            (QStringList{R"(<body text="#000000" )", "", "", "", R"(bgcolor="#c0c0c0" >)"}));
  Click(form_->CheckBoxL);
  Click(form_->CheckBoxB);
  EXPECT_EQ(Tag(), R"(<body text="#000000" link="#0000ee" >)");
  EXPECT_EQ(Lines().last(), ">");
}

TEST_F(TForm1BodyTest, ClearingTheActiveRoleHandsTheCurrentColourOn) {
  form_->SetCurrentColour({0x12, 0x34, 0x56});  // the background role is active
  EXPECT_EQ(form_->GroupBox1->FillColour(), QColor(0x12, 0x34, 0x56));
  Click(form_->CheckBoxB);
  EXPECT_TRUE(form_->RadioButtonT->isChecked());
  EXPECT_FALSE(form_->RadioButtonB->isEnabled());
  EXPECT_EQ(form_->CurrentColour(), (RgbColor{0, 0, 0}));
  EXPECT_EQ(form_->GroupBox1->FillColour(), QColor(0xc0, 0xc0, 0xc0));

  Click(form_->RadioButtonL);
  form_->SetCurrentColour({255, 0, 0});
  EXPECT_EQ(TextColour(form_->LabelLi), QColor(255, 0, 0));
  EXPECT_TRUE(Tag().contains(R"(link="#ff0000")"));
  Click(form_->CheckBoxL);
  EXPECT_TRUE(form_->RadioButtonT->isChecked());
  EXPECT_EQ(TextColour(form_->LabelLi), QColor(0, 0, 0xee));  // back to its default
}

TEST_F(TForm1BodyTest, TheLastBoxHoldsAndThePictureIncludesTheText) {
  for (QCheckBox* box : {form_->CheckBoxT, form_->CheckBoxL, form_->CheckBoxV, form_->CheckBoxA}) {
    Click(box);
  }
  Click(form_->CheckBoxB);  // the last one: cannot be cleared
  EXPECT_TRUE(form_->CheckBoxB->isChecked());
  EXPECT_EQ(Tag(), R"(<body bgcolor="#c0c0c0" >)");

  Click(form_->CheckBoxPicture);  // no picture yet: the dialog comes, and is cancelled
  EXPECT_EQ(dialogs_, 1);
  EXPECT_TRUE(form_->RadioButtonT->isChecked());
  EXPECT_FALSE(form_->CheckBoxT->isEnabled());
  EXPECT_FALSE(form_->CheckBoxB->isChecked());
  EXPECT_EQ(Tag(), R"(<body text="#000000" background="" >)");
  Click(form_->CheckBoxB);  // the colour turns the picture off again
  EXPECT_FALSE(form_->CheckBoxPicture->isChecked());
  EXPECT_EQ(Tag(), R"(<body text="#000000" bgcolor="#c0c0c0" >)");
}

TEST_F(TForm1BodyTest, ChoosingASampleSetsEveryRoleAndKeepsTheBoxes) {
  Click(form_->CheckBoxV);
  Click(form_->RadioButtonL);
  form_->ComboBoxBodyEx->setFocus();
  for (int i = 0; i < 13; ++i) QTest::keyClick(form_->ComboBoxBodyEx, Qt::Key_Down);
  EXPECT_EQ(form_->CurrentColour(), (RgbColor{0xc0, 0xc0, 0xc0}));
  EXPECT_EQ(Tag(), R"(<body text="#ebec31" link="#c0c0c0" alink="#ff0000" bgcolor="#c0c0c0" >)");
  EXPECT_EQ(TextColour(form_->LabelBody1), QColor(0xeb, 0xec, 0x31));
  form_->SetCurrentColour({1, 2, 3});
  emit form_->ComboBoxBodyEx->activated(13);  // the sample shown applies again
  EXPECT_EQ(form_->CurrentColour(), (RgbColor{0xc0, 0xc0, 0xc0}));
}

TEST_F(TForm1BodyTest, TheBackgroundColourShowsAroundTheControlsButNotInTheirFields) {
  // The background role is active at start, so each edit recolours the group.
  for (const RgbColor colour : {RgbColor{10, 200, 30}, RgbColor{250, 20, 90}}) {
    form_->SetCurrentColour(colour);
    const QImage shown = ShownGroup();
    const QRgb fill = qRgb(colour.r, colour.g, colour.b);
    EXPECT_EQ(shown.pixel(70, 38), fill);  // between two role rows
    const QPoint radio = form_->RadioButtonT->geometry().topLeft();
    EXPECT_EQ(shown.pixel(radio), fill);  // the corner beside the round indicator
    const QRect list = form_->ComboBoxBodyEx->geometry();
    EXPECT_EQ(shown.pixel(list.center() + QPoint(30, 0)), qRgb(255, 255, 255));
  }
}

TEST_F(TForm1BodyTest, LinkCaptionsAreUnderlinedInTheirColours) {
  const QImage shown = ShownGroup();
  const QRect caption = form_->LabelLi->geometry();
  const QRgb link = qRgb(0, 0, 0xee);
  int longest = 0;
  for (int y = caption.top(); y <= caption.bottom(); ++y) {
    int run = 0;
    for (int x = caption.left(); x <= caption.right(); ++x) {
      run = shown.pixel(x, y) == link ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  // Glyph strokes are short; only the underline runs under the whole word.
  EXPECT_GE(longest, 40);
}

QString ContrastHint(const char* figure) {
  return QString::fromUtf8("背景色とのコントラスト比 ") + QString::fromUtf8(figure);
}

TEST_F(TForm1BodyTest, PreviewHintsFollowTheContrastWithTheBackground) {
  QLabel* const lines[] = {form_->LabelBody1, form_->LabelBody2, form_->LabelBody3,
                           form_->LabelBody4};
  auto hints = [&] {
    QStringList shown;
    for (QLabel* line : lines) shown << line->toolTip();
    return shown;
  };
  // The defaults on silver.
  EXPECT_EQ(hints(),
            (QStringList{ContrastHint("11.54:1 (AA 適合)"), ContrastHint("5.17:1 (AA 適合)"),
                         ContrastHint("6.05:1 (AA 適合)"), ContrastHint("2.49:1 (AA 不適合)")}));
  EXPECT_TRUE(form_->LabelBody5->toolTip().isEmpty());

  form_->SetCurrentColour({255, 255, 255});  // the background role is active
  EXPECT_EQ(hints(),
            (QStringList{ContrastHint("21.00:1 (AA 適合)"), ContrastHint("9.40:1 (AA 適合)"),
                         ContrastHint("11.01:1 (AA 適合)"), ContrastHint("4.53:1 (AA 適合)")}));

  Click(form_->RadioButtonT);
  form_->SetCurrentColour({0x77, 0x77, 0x77});
  EXPECT_EQ(lines[0]->toolTip(), ContrastHint("4.48:1 (AA 不適合)"));
  // A cleared box gives the role its default colour back, and the hint follows.
  Click(form_->CheckBoxT);
  EXPECT_EQ(lines[0]->toolTip(), ContrastHint("21.00:1 (AA 適合)"));
  // Cleared, the background goes back to silver.
  Click(form_->CheckBoxB);
  EXPECT_EQ(lines[3]->toolTip(), ContrastHint("2.49:1 (AA 不適合)"));
}

TEST(BodySchemeBoxTest, EachSampleIsDrawnAsASmallPage) {
  QImage item(128, 16, QImage::Format_RGB32);
  QPainter painter(&item);
  QPalette palette;
  palette.setColor(QPalette::Base, Qt::white);
  DrawBodySchemeItem(painter, item.rect(), 13, false, palette);
  EXPECT_EQ(item.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(item.pixel(1, 1), qRgb(0xc0, 0xc0, 0xc0));  // the page, to (14, 14)
  EXPECT_EQ(item.pixel(15, 14), qRgb(255, 255, 255));
  EXPECT_EQ(item.pixel(14, 15), qRgb(255, 255, 255));
  EXPECT_EQ(item.pixel(3, 3), qRgb(0xeb, 0xec, 0x31));  // text line, x 3..12
  EXPECT_EQ(item.pixel(13, 3), qRgb(0xc0, 0xc0, 0xc0));
  EXPECT_EQ(item.pixel(12, 12), qRgb(0xff, 0x00, 0x00));  // active-link line
}

TEST_F(TForm1BodyTest, CopyingTheTagSwellsTheButtonOnce) {
  TFlatBtn* button = form_->ButtonCopyBody;
  Click(button);
  EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->formats(), QStringList{"text/plain"});
  EXPECT_EQ(QGuiApplication::clipboard()->text(), Tag());
  EXPECT_EQ(button->geometry(), QRect(14, -14, 57, 57));
  EXPECT_EQ(form_->Timer->interval(), 100);
  Click(button);  // again before the timer fires
  EXPECT_EQ(button->geometry(), QRect(14, -14, 57, 57));
  form_->TimerTimer();
  EXPECT_EQ(button->geometry(), QRect(29, 1, 27, 27));
}

TEST_F(TForm1BodyTest, OpeningABitmapTilesItBehindThePreview) {
  QByteArray bitmap;
  QBuffer buffer(&bitmap);
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && Picture().save(&buffer, "BMP"));
  Open("tile.bmp", bitmap);
  EXPECT_TRUE(form_->CheckBoxPicture->isChecked());
  EXPECT_TRUE(form_->ImageBg->isVisible());
  const QImage shown = form_->ImageBg->pixmap().toImage();
  EXPECT_EQ(shown.pixel(120, 280), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(136, 311), qRgb(0, 128, 0));
  form_->SetOutputForm(true, false);
  EXPECT_TRUE(Tag().endsWith(R"(ALINK="#EE0000" BACKGROUND="tile.bmp" >)"));

  Click(form_->CheckBoxPicture);
  Click(form_->CheckBoxPicture);  // on again: the same picture, no dialog
  EXPECT_EQ(form_->BackgroundPictureName(), "tile.bmp");
  EXPECT_EQ(dialogs_, 1);
}

// A bitmap cut short is no picture: nothing of it reaches the screen, and the
// text reader finds nothing in it.
TEST_F(TForm1BodyTest, ABitmapCutShortIsNotShown) {
  QImage blue(137, 312, QImage::Format_RGB32);
  blue.fill(qRgb(0x40, 0x80, 0xC0));
  QByteArray bitmap;
  QBuffer buffer(&bitmap);
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && blue.save(&buffer, "BMP"));
  const QString tag = Tag();
  Open("cut.bmp", bitmap.left(1290));
  EXPECT_FALSE(form_->CheckBoxPicture->isChecked());
  EXPECT_FALSE(form_->ImageBg->isVisible());
  EXPECT_TRUE(form_->BackgroundPictureName().isEmpty());
  EXPECT_EQ(Tag(), tag);
  EXPECT_TRUE(errors_.isEmpty());
}

// A lossless WebP picture, which only the WebP plug-in reads.
QByteArray WebPPicture() {
  std::vector<std::uint8_t> rgba(8 * 8 * 4);
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    rgba[i] = 200;
    rgba[i + 3] = 255;
  }
  std::uint8_t* encoded = nullptr;
  const std::size_t size = WebPEncodeLosslessRGBA(rgba.data(), 8, 8, 32, &encoded);
  QByteArray bytes(reinterpret_cast<const char*>(encoded), static_cast<qsizetype>(size));
  WebPFree(encoded);
  return bytes;
}

TEST_F(TForm1BodyTest, PicturesAPlugInDecodesOpenAndDropLikeBitmaps) {
  EXPECT_TRUE(form_->OpenFilter().contains("WebP   [*.WEBP] (*.WEBP *.webp)"))
      << form_->OpenFilter().toStdString();
  Open("photo.webp", WebPPicture());
  EXPECT_EQ(form_->BackgroundPictureName(), "photo.webp");
  EXPECT_TRUE(form_->CheckBoxPicture->isChecked());
  EXPECT_EQ(form_->ImageBg->pixmap().toImage().pixel(130, 300), qRgb(200, 0, 0));
  EXPECT_TRUE(Tag().contains(R"(background="photo.webp")")) << Tag().toStdString();
  EXPECT_TRUE(errors_.isEmpty());

  const QString dropped = dir_.filePath("dropped.webp");
  QFile file(dropped);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(WebPPicture());
  file.close();
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(dropped)});
  QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form_.get(), &enter);
  QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(form_.get(), &drop);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_TRUE(QTest::qWaitFor([&] { return form_->BackgroundPictureName() == "dropped.webp"; }));
}

TEST_F(TForm1BodyTest, RolesAPastedTagLeavesOutGoBackToTheirDefaults) {
  QGuiApplication::clipboard()->setText(
      "<body text=#000000 link=#112233 vlink=#445566 alink=#778899 bgcolor=#ffffff>");
  Click(form_->SpeedButtonPaste);
  EXPECT_TRUE(Tag().contains(R"(link="#112233")")) << Tag().toStdString();
  QGuiApplication::clipboard()->setText("<body text=#000000 bgcolor=#ffffff>");
  Click(form_->SpeedButtonPaste);
  EXPECT_FALSE(form_->CheckBoxL->isChecked());
  // Ticked again, each writes its default, as after clearing it by hand.
  for (QCheckBox* box : {form_->CheckBoxL, form_->CheckBoxV, form_->CheckBoxA}) Click(box);
  EXPECT_TRUE(Tag().contains(R"(link="#0000ee" vlink="#551a8b" alink="#ee0000")"))
      << Tag().toStdString();
}

TEST_F(TForm1BodyTest, OtherFilesGoToTheReader) {
  Open("page.htm", "<html>\n<BODY BGCOLOR=#FFFFFF TEXT=\"#000000\" LINK=#0000FF>\n");
  EXPECT_EQ(Tag(), R"(<body text="#000000" link="#0000ff" bgcolor="#ffffff" >)");
  EXPECT_FALSE(form_->CheckBoxPicture->isChecked());

  const QString before = Tag();
  QByteArray binary("\xff\xd8\xff\xe0\x00\x10JFIF\x00", 11);
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>(i * 7);
  Open("photo.jpg", binary);
  Open("bad.htm", "<body text=red2 link=#00ff00>");
  EXPECT_EQ(errors_, QStringList{"'0x0re' は整数ではありません"});
  QFile huge(dir_.filePath("huge.bin"));
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64{17} << 20));
  next_file_ = huge.fileName();
  Click(form_->SpeedButtonPicture);
  ASSERT_EQ(errors_.size(), 2);
  EXPECT_TRUE(errors_[1].contains("huge.bin"));
  EXPECT_EQ(Tag(), before);
  EXPECT_EQ(form_->CurrentColour(), (RgbColor{255, 255, 255}));
}

TEST_F(TForm1BodyTest, PastePrefersThePictureToTheText) {
  auto* both = new QMimeData;
  both->setImageData(Picture());
  both->setText("navy");
  QGuiApplication::clipboard()->setMimeData(both);
  Click(form_->SpeedButtonPaste);
  EXPECT_TRUE(Tag().endsWith(R"(background="From Clipboard" >)"));
  EXPECT_EQ(form_->CurrentColour(), (RgbColor{0, 0, 0}));

  QGuiApplication::clipboard()->setText("#336699");
  Click(form_->SpeedButtonPaste);
  EXPECT_EQ(form_->CurrentColour(), (RgbColor{0x33, 0x66, 0x99}));
}

TEST_F(TForm1BodyTest, PasteRefusesWhatIsTooLargeAndSaysSo) {
  const QString before = Tag();
  const RgbColor colour = form_->CurrentColour();
  QGuiApplication::clipboard()->setText(QString(17 << 20, 'x') + "navy");
  Click(form_->SpeedButtonPaste);
  ASSERT_EQ(errors_.size(), 1);
  EXPECT_TRUE(errors_[0].startsWith(QString::fromUtf8("クリップボードの内容は大きすぎる")));
  EXPECT_EQ(Tag(), before);
  EXPECT_EQ(form_->CurrentColour(), colour);
}

}  // namespace
}  // namespace tintara
