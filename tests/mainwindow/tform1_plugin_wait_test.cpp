// The main window while the picture plug-in helper works: it goes on drawing,
// shows the wait cursor, takes no command, and Escape gives the open up.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "mainwindow/tform1.h"
#include "pictures/susie_plugin.h"
#include "widgets/flat_button.h"

namespace tintara {
namespace {

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
};

class TForm1PlugInWaitTest : public testing::Test {
 protected:
  TForm1PlugInWaitTest() {
    // The plug-in folder is registered as the user would: a folder holding a
    // plug-in that never returns from a decode.
    qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
    EXPECT_TRUE(QFile::copy(QStringLiteral(TINTARA_TEST_PLUGIN_DIR "/hangs.spi"),
                            plug_ins_.filePath("hangs.spi")));
    EXPECT_TRUE(QDir(config_.path()).mkpath("Varrow"));
    QFile conf(config_.filePath("Varrow/Susie.conf"));
    EXPECT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write("[Plug-in]\nPath=" + plug_ins_.path().toUtf8() + "/\n");
    conf.close();

    TForm1Services services;
    services.error_box = [this](const QString& message) { errors_ << message; };
    form_ = std::make_unique<TForm1>(std::move(services));
    form_->ChooseFileToOpen = [this] {
      ++dialogs_;
      return file_;
    };
  }
  ~TForm1PlugInWaitTest() override { qunsetenv("XDG_CONFIG_HOME"); }

  void SetUp() override {
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    form_->SetOutputForm(true, true);
  }

  // A picture of the test plug-ins' format, 1 x 1, for the dialog to answer
  // with. Its bytes also hold a tag: read as text, it would change the
  // background colour.
  void WritePicture() {
    file_ = files_.filePath("picture.tsp");
    QFile file(file_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("TSPI\x01\x01\x10\x20\x30", 9) + "<body bgcolor=#123456>");
  }
  static void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
  }

  QTemporaryDir config_;
  QTemporaryDir plug_ins_;
  QTemporaryDir files_;
  QStringList errors_;
  int dialogs_ = 0;
  QString file_;
  std::unique_ptr<TForm1> form_;
};

TEST_F(TForm1PlugInWaitTest, TheWindowDrawsHoldsCommandsAndEscapeGivesTheOpenUp) {
  ASSERT_EQ(form_->PlugInFolder(), plug_ins_.path() + "/");
  WritePicture();
  form_->SusiePlugIn->SetCallTimeout(20000);
  QGuiApplication::clipboard()->setText("<body bgcolor=#654321>");
  const QString tag = form_->MemoBODY;
  const RgbColor colour = form_->CurrentColour();

  PaintCounter counter;
  form_->installEventFilter(&counter);
  bool opening = false;
  bool waited_with_the_loop_running = false;
  Qt::CursorShape cursor = Qt::ArrowCursor;
  int paints_asked_at = -1;
  QTimer::singleShot(1500, form_.get(), [&] {
    waited_with_the_loop_running = opening;
    if (const QCursor* shown = QGuiApplication::overrideCursor()) cursor = shown->shape();
    // Commands given meanwhile: another open, a paste by button and key.
    Click(form_->SpeedButtonPicture);
    Click(form_->SpeedButtonPaste);
    QTest::keyClick(form_.get(), Qt::Key_V, Qt::ControlModifier);
    paints_asked_at = counter.paints;
    form_->update();
  });
  int paints_by_escape = -1;
  QTimer::singleShot(2500, form_.get(), [&] {
    paints_by_escape = counter.paints;
    QTest::keyClick(form_.get(), Qt::Key_Escape);
  });

  QElapsedTimer clock;
  clock.start();
  opening = true;
  Click(form_->SpeedButtonPicture);
  opening = false;
  EXPECT_LT(clock.elapsed(), 10000);
  // Let the timers fire now, if the wait held them back.
  QTest::qWait(3000);

  EXPECT_TRUE(waited_with_the_loop_running);
  EXPECT_EQ(cursor, Qt::WaitCursor);
  EXPECT_GT(paints_by_escape, paints_asked_at);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(dialogs_, 1);
  EXPECT_EQ(form_->MemoBODY, tag);
  EXPECT_EQ(form_->CurrentColour(), colour);
  EXPECT_FALSE(form_->CheckBoxPicture->isChecked());
  EXPECT_TRUE(form_->BackgroundPictureName().isEmpty());
  EXPECT_TRUE(errors_.isEmpty());

  // Given up is not passed over: the next open asks the plug-in again, and
  // one that runs out of time is not asked after that.
  form_->SusiePlugIn->SetCallTimeout(1000);
  const auto open_waits_on_the_helper = [&] {
    bool waited = false;
    QTimer::singleShot(0, form_.get(), [&] { waited = opening; });
    opening = true;
    Click(form_->SpeedButtonPicture);
    opening = false;
    QCoreApplication::processEvents();
    return waited;
  };
  EXPECT_TRUE(open_waits_on_the_helper());
  // Not a picture for any plug-in left: the text reader has it.
  EXPECT_TRUE(form_->MemoBODY.contains("#123456")) << form_->MemoBODY.toStdString();
  EXPECT_FALSE(open_waits_on_the_helper());
  EXPECT_EQ(dialogs_, 3);
}

// Closing the window while the helper works gives the open up, and the
// window closes at once.
TEST_F(TForm1PlugInWaitTest, ClosingTheWindowGivesTheOpenUp) {
  WritePicture();
  form_->SusiePlugIn->SetCallTimeout(20000);
  const QString tag = form_->MemoBODY;
  bool opening = false;
  bool closed_while_opening = false;
  QTimer::singleShot(1500, form_.get(), [&] {
    form_->close();
    closed_while_opening = opening && !form_->isVisible();
  });
  QElapsedTimer clock;
  clock.start();
  opening = true;
  Click(form_->SpeedButtonPicture);
  opening = false;
  EXPECT_LT(clock.elapsed(), 10000);
  QTest::qWait(2000);
  EXPECT_TRUE(closed_while_opening);
  EXPECT_EQ(form_->MemoBODY, tag);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace tintara
