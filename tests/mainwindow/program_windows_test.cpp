// The program's windows started, used and closed over an in-memory store.
#include "mainwindow/program_windows.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "mainwindow/dialogs/tform_about.h"
#include "mainwindow/dialogs/tform_input.h"
#include "mainwindow/dialogs/tform_option.h"
#include "mainwindow/editor/field_edit.h"
#include "mainwindow/user_palette/user_slot.h"
#include "platform/help_system.h"
#include "platform/memory_settings_store.h"
#include "widgets/classic_list_box.h"

namespace tintara {
namespace {

class ProgramWindowsTest : public testing::Test {
 protected:
  std::unique_ptr<ProgramWindows> Start() {
    return std::make_unique<ProgramWindows>(
        TForm1Services{.settings = &store_,
                       .error_box = [this](const QString& message) { errors_.push_back(message); },
                       .help = &help_});
  }

  std::int32_t Number(const char* name) const {
    const auto value = store_.Get(name);
    return value && std::holds_alternative<std::int32_t>(*value) ? std::get<std::int32_t>(*value)
                                                                 : -99999;
  }

  // Runs `act` on the options dialog once it is up, from inside its loop.
  void WithOptions(ProgramWindows& windows, std::function<void(TFormOption&)> act) {
    QTimer::singleShot(0, [&windows, act] {
      TFormOption& dialog = windows.Option();
      QTRY_VERIFY(dialog.isVisible());
      act(dialog);
    });
    windows.Main().MenuOptionClick();
  }

  MemorySettingsStore store_;
  HelpSystem help_;
  std::vector<QString> errors_;
};

TEST_F(ProgramWindowsTest, FirstStartWritesEveryValueWithItsDefault) {
  auto windows = Start();
  for (const char* name :
       {"ColorPalette", "ColorSlide", "OutputNum", "OutputLower", "Favorite", "R0", "G9", "B5",
        "RadioUser", "PiccerTime", "RadioPiccer", "PiccerArea", "Top", "Left"}) {
    EXPECT_TRUE(store_.Get(name).has_value()) << name;
  }
  EXPECT_EQ(Number("ColorPalette"), 8);
  EXPECT_EQ(Number("PiccerTime"), 500);
  EXPECT_EQ(Number("RadioUser"), 1);
  EXPECT_EQ(Number("RadioPiccer"), 0);
  EXPECT_EQ(Number("R3"), 255);
  // Both windows' defaults go to the store in one write.
  EXPECT_EQ(store_.commits(), 1);
  EXPECT_TRUE(errors_.empty());
  EXPECT_FALSE(windows->Option().isVisible());
  EXPECT_FALSE(windows->About().isVisible());
}

TEST_F(ProgramWindowsTest, StoredModelsAndOutputFormAreUsedAndSavedOnClose) {
  store_.Set("ColorPalette", 0);
  store_.Set("ColorSlide", 5);
  store_.Set("OutputNum", 0);
  store_.Set("OutputLower", 0);
  store_.Set("R0", 10);
  auto windows = Start();
  TForm1& main = windows->Main();
  EXPECT_EQ(main.LabelL->text(), "赤(R)");
  EXPECT_EQ(main.LabelC->text(), "Cb");
  EXPECT_EQ(main.windowTitle(), "Tintara SILVER");
  EXPECT_EQ(main.UserPalette()[1].r, 10);  // carried over from R0
  main.ChooseModels(13, SlideModel::kHsv);
  main.close();
  EXPECT_EQ(Number("ColorPalette"), 13);
  EXPECT_EQ(Number("ColorSlide"), 4);
  EXPECT_EQ(Number("OutputLower"), 0);
}

TEST_F(ProgramWindowsTest, StoredOptionsSteerTheWindowBeforeTheDialogIsMade) {
  store_.Set("RadioUser", 0);
  store_.Set("RadioPiccer", 1);
  store_.Set("PiccerTime", 800);
  store_.Set("PiccerArea", 4);
  auto windows = Start();
  // Only the main window is made at start; the dialogs wait for their
  // commands.
  for (const QWidget* window : QApplication::topLevelWidgets()) {
    EXPECT_EQ(qobject_cast<const QDialog*>(window), nullptr) << window->windowTitle().toStdString();
  }
  // Nor the push-pick magnifier or the open lists of the drop-down boxes,
  // which nothing shows before.
  EXPECT_EQ(windows->Main().PanelPiccer, nullptr);
  const QList<ClassicListBox*> boxes = windows->Main().findChildren<ClassicListBox*>();
  EXPECT_EQ(boxes.size(), 4);
  for (const ClassicListBox* box : boxes) {
    EXPECT_TRUE(box->findChildren<QAbstractItemView*>().isEmpty());
  }
  const OptionSettings& held = windows->Main().HeldOptions();
  EXPECT_FALSE(held.radio_user);
  EXPECT_TRUE(held.radio_piccer);
  EXPECT_EQ(held.piccer_time, 800);
  EXPECT_EQ(held.piccer_area, 4);
  EXPECT_EQ(windows->Main().UserSlots[0]->toolTip(), "ダブルクリックでcolorに代入");
  // Made later, the dialog shows what the window holds.
  TFormOption& dialog = windows->Option();
  EXPECT_EQ(dialog.MemoArea->text(), "4");
  EXPECT_EQ(dialog.ScrollBarPiccer->value(), 800);
  EXPECT_TRUE(dialog.RadioButtonPiccerPush->isChecked());
  EXPECT_TRUE(dialog.RadioButtonUserClick->isChecked());
}

TEST_F(ProgramWindowsTest, DamagedStoreStartsWithDefaults) {
  store_.Set("ColorPalette", std::string("eight"));
  store_.Set("ColorSlide", 99);
  store_.Set("Favorite", 2000000000);
  store_.Set("PiccerArea", 0);
  auto windows = Start();
  EXPECT_EQ(windows->Main().PaletteChannel(), 8);
  EXPECT_EQ(windows->Main().CurrentSlideModel(), SlideModel::kRgb);
  EXPECT_TRUE(windows->Main().Favourites().empty());
  EXPECT_EQ(Number("ColorPalette"), 8);
  EXPECT_EQ(Number("PiccerArea"), 10);
  EXPECT_EQ(windows->Option().MemoArea->text(), "10");
}

TEST_F(ProgramWindowsTest, FailedWriteOnCloseIsReportedAndTheWindowStillCloses) {
  auto windows = Start();
  windows->Main().show();
  store_.FailWritesOf("ColorPalette");
  EXPECT_TRUE(windows->Main().close());
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0], "'ColorPalette' の設定に失敗しました");
  EXPECT_FALSE(windows->Main().isVisible());
}

TEST_F(ProgramWindowsTest, OptionsOkAppliesModelsAndOutput) {
  auto windows = Start();
  WithOptions(*windows, [](TFormOption& dialog) {
    EXPECT_EQ(dialog.PageControl->currentIndex(), 1);  // colour tones first
    EXPECT_TRUE(dialog.PaletteRadioButtons[8]->isChecked());
    QTest::mouseClick(dialog.PaletteRadioButtons[14], Qt::LeftButton);
    QTest::mouseClick(dialog.SlideRadioButtons[3], Qt::LeftButton);
    dialog.PageControl->setCurrentIndex(2);
    dialog.RadioButtonOutputUpper->click();
    QTest::mouseClick(dialog.BitBtnOK, Qt::LeftButton);
  });
  TForm1& main = windows->Main();
  EXPECT_EQ(main.PaletteChannel(), 14);
  EXPECT_EQ(main.CurrentSlideModel(), SlideModel::kHsl);
  EXPECT_EQ(main.LabelL->text(), "色値(V)");
  EXPECT_EQ(main.windowTitle(), "Tintara C0C0C0");
  // The dialog opens on the page shown last.
  WithOptions(*windows, [](TFormOption& dialog) {
    EXPECT_EQ(dialog.PageControl->currentIndex(), 2);
    dialog.BitBtnCancel->click();
  });
}

TEST_F(ProgramWindowsTest, OptionsCancelAndCloseBoxKeepTheMainWindowsOptions) {
  auto windows = Start();
  WithOptions(*windows, [](TFormOption& dialog) {
    QTest::mouseClick(dialog.PaletteRadioButtons[14], Qt::LeftButton);
    dialog.RadioButtonUserClick->click();
    dialog.BitBtnCancel->click();
  });
  EXPECT_EQ(windows->Main().PaletteChannel(), 8);
  EXPECT_TRUE(windows->Option().RadioButtonUserMove->isChecked());  // put back by Cancel

  WithOptions(*windows, [](TFormOption& dialog) {
    EXPECT_TRUE(dialog.PaletteRadioButtons[8]->isChecked());
    QTest::mouseClick(dialog.PaletteRadioButtons[2], Qt::LeftButton);
    dialog.RadioButtonUserClick->click();
    dialog.close();  // the frame's close box: neither OK nor Cancel
  });
  EXPECT_EQ(windows->Main().PaletteChannel(), 8);
  EXPECT_EQ(Number("RadioUser"), 0);  // stored as shown
  EXPECT_TRUE(windows->Main().HeldOptions().radio_user);
}

TEST_F(ProgramWindowsTest, PickerDelayAndRadiusFieldsKeepTheirRanges) {
  auto windows = Start();
  TFormOption& dialog = windows->Option();
  dialog.EditPiccer->setText("abc");
  EXPECT_EQ(dialog.EditPiccer->text(), "1");
  EXPECT_EQ(dialog.ScrollBarPiccer->value(), 1);
  dialog.EditPiccer->setText("20000");
  EXPECT_EQ(dialog.EditPiccer->text(), "10000");
  dialog.EditPiccer->setText("0012x");
  EXPECT_EQ(dialog.EditPiccer->text(), "12");
  dialog.ScrollBarPiccer->setValue(700);
  EXPECT_EQ(dialog.EditPiccer->text(), "700");

  dialog.MemoArea->setText("98");
  dialog.ButtonUp->click();
  EXPECT_EQ(dialog.MemoArea->text(), "99");
  EXPECT_FALSE(dialog.ButtonUp->isEnabled());
  dialog.MemoArea->setText("0");
  EXPECT_EQ(dialog.MemoArea->text(), "1");
  EXPECT_FALSE(dialog.ButtonDown->isEnabled());
  EXPECT_TRUE(dialog.ButtonUp->isEnabled());

  dialog.RadioButtonPiccerPush->click();
  EXPECT_FALSE(dialog.EditPiccer->isEnabled());
  EXPECT_FALSE(dialog.ScrollBarPiccer->isEnabled());
  EXPECT_FALSE(dialog.LabelPiccer1->isEnabled());
  dialog.RadioButtonPiccerClick->click();
  EXPECT_TRUE(dialog.EditPiccer->isEnabled());
  EXPECT_TRUE(dialog.LabelPiccer2->isEnabled());
}

TEST_F(ProgramWindowsTest, HelpOpensTheContentsAndTheIndexBesideIt) {
  std::vector<QUrl> opened;
  help_.SetUrlOpener([&opened](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  auto windows = Start();
  windows->Main().MenuHelpCClick();
  EXPECT_TRUE(opened.empty());  // no help file set
  help_.SetHelpFile("/usr/share/tintara/help/index.html");
  windows->Main().MenuHelpC->trigger();
  windows->Main().MenuHelpSearch->trigger();
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0].toLocalFile(), "/usr/share/tintara/help/index.html");
  EXPECT_EQ(opened[1].toLocalFile(), "/usr/share/tintara/help/keywords.html");
}

// Without a launcher (no xdg-utils) the desktop's browser cannot be asked
// at all; the user must hear why and where the page is.
TEST(HelpSystemTest, APageThatCannotBeShownIsReported) {
  HelpSystem help;
  std::vector<QString> messages;
  help.SetErrorBox([&messages](const QString& message) { messages.push_back(message); });
  bool launcher = false;
  help.SetUrlOpener([&launcher](const QUrl&) { return launcher; });
  help.SetHelpFile("/usr/share/tintara/help/index.html");
  help.ShowContents();
  help.ShowKeywordSearch();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_TRUE(messages[0].contains("「/usr/share/tintara/help/index.html」"))
      << messages[0].toStdString();
  EXPECT_TRUE(messages[0].contains("xdg-utils")) << messages[0].toStdString();
  EXPECT_TRUE(messages[1].contains("「/usr/share/tintara/help/keywords.html」"))
      << messages[1].toStdString();
  launcher = true;
  help.ShowContents();
  EXPECT_EQ(messages.size(), 2u);

  // The built-in pages cannot be written where a file stands in the way.
  QStandardPaths::setTestModeEnabled(true);
  const QString folder = QFileInfo(HelpSystem::FindHelpFile()).path();
  QDir(folder).removeRecursively();
  QDir().mkpath(QFileInfo(folder).path());
  QFile blocker(folder);
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  help.SetHelpFile(HelpSystem::FindHelpFile());
  help.ShowContents();
  QFile::remove(folder);
  QStandardPaths::setTestModeEnabled(false);
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_TRUE(messages[2].contains("「" + folder + "」")) << messages[2].toStdString();
}

TEST(HelpSystemTest, BuiltInPagesAreWrittenOutOnlyWhenHelpIsWanted) {
  QStandardPaths::setTestModeEnabled(true);
  const QString contents = HelpSystem::FindHelpFile();
  ASSERT_FALSE(contents.isEmpty());
  QDir(QFileInfo(contents).path()).removeRecursively();
  HelpSystem help;
  help.SetHelpFile(HelpSystem::FindHelpFile());
  std::vector<QUrl> opened;
  help.SetUrlOpener([&opened](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  // Finding the pages writes nothing; the first help command does.
  EXPECT_FALSE(QFile::exists(contents));
  help.ShowKeywordSearch();
  ASSERT_EQ(opened.size(), 1u);
  const QString keywords = QFileInfo(contents).dir().filePath("keywords.html");
  EXPECT_EQ(opened[0].toLocalFile(), keywords);
  QFile page(contents);
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  EXPECT_TRUE(page.readAll().contains("<html"));
  page.close();
  ASSERT_TRUE(QFile::exists(keywords));
  // An unchanged copy is left as it is; a stale one is replaced.
  const QDateTime written = QFileInfo(keywords).lastModified();
  QFile stale(contents);
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly | QIODevice::Truncate));
  stale.write("old");
  stale.close();
  QTest::qWait(20);
  help.ShowContents();
  EXPECT_EQ(QFileInfo(keywords).lastModified(), written);
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  EXPECT_TRUE(page.readAll().contains("<html"));
  QStandardPaths::setTestModeEnabled(false);
}

TEST_F(ProgramWindowsTest, SmallDialogs) {
  auto windows = Start();
  TFormInput& input = windows->Input();
  input.MemoInput->setText("old name");
  input.show();
  EXPECT_TRUE(input.MemoInput->text().isEmpty());
  input.hide();

  TFormAbout& about = windows->About();
  EXPECT_EQ(about.Label4->text(), "Version 1.62");
  EXPECT_EQ(about.PaintBoxTitle->size(), QSize(200, 40));
  QImage picture(2, 1, QImage::Format_RGB32);
  picture.setPixel(0, 0, qRgb(255, 255, 255));
  picture.setPixel(1, 0, qRgb(254, 255, 255));
  const QImage shown = TitleOnFace(picture, QColor(10, 20, 30));
  EXPECT_EQ(shown.pixel(0, 0), qRgb(10, 20, 30));
  EXPECT_EQ(shown.pixel(1, 0), qRgb(254, 255, 255));
}

TEST_F(ProgramWindowsTest, FavouriteNameDialogStandsAsDrawn) {
  auto windows = Start();
  TFormInput& input = windows->Input();
  EXPECT_EQ(input.windowTitle(), QString::fromUtf8("お気に入りの色の名前の入力"));
  EXPECT_EQ(input.MemoInput->geometry(), QRect(40, 56, 353, 25));
  EXPECT_EQ(QFontInfo(input.MemoInput->font()).pixelSize(), 19);
  EXPECT_EQ(input.Label1->text(), QString::fromUtf8("お気に入りの色の名前を入力してください"));
  EXPECT_EQ(QFontInfo(input.Label1->font()).pixelSize(), 16);
  // The whole prompt shows, above the field; the buttons lie below it, and
  // nothing leaves the dialog.
  const QRect prompt = input.Label1->geometry();
  EXPECT_LE(input.Label1->fontMetrics().horizontalAdvance(input.Label1->text()), prompt.width());
  EXPECT_GE(prompt.height(), input.Label1->fontMetrics().height());
  EXPECT_LE(prompt.bottom(), input.MemoInput->geometry().top());
  for (const QWidget* part : std::initializer_list<const QWidget*>{
           input.Label1, input.MemoInput, input.BitBtnOk, input.BitBtnCancel}) {
    EXPECT_TRUE(input.rect().contains(part->geometry())) << part->metaObject()->className();
  }
  for (const QPushButton* button : {input.BitBtnOk, input.BitBtnCancel}) {
    EXPECT_GT(button->geometry().top(), input.MemoInput->geometry().bottom());
  }
  EXPECT_FALSE(input.BitBtnOk->geometry().intersects(input.BitBtnCancel->geometry()));

  // Enter takes the name as typed and ends the dialog with OK.
  int result = -1;
  QTimer::singleShot(0, [&input] {
    QTest::keyClicks(input.MemoInput, "sky");
    QTest::keyClick(input.MemoInput, Qt::Key_Return);
  });
  result = input.exec();
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_EQ(input.MemoInput->text(), "sky");
}

}  // namespace
}  // namespace tintara
