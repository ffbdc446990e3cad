// The open command's real dialog: in the program's language, with the
// filter as the program writes it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "mainwindow/tform1.h"
#include "platform/toolkit_language.h"
#include "widgets/flat_button.h"

namespace tintara {
namespace {

TEST(OpenDialog, SpeaksJapaneseAndShowsTheFilterAsWritten) {
  ASSERT_TRUE(InstallToolkitTranslations()) << "qt6-translations-l10n (scripts/install-deps)";
  TForm1 form;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QStringList texts;
  QString filter;
  bool details_hidden = false;
  // The dialog comes once the plug-ins have given their filter, which runs
  // the event loop too: look until it is there.
  QTimer look;
  look.setInterval(20);
  QObject::connect(&look, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    look.stop();
    details_hidden = dialog->testOption(QFileDialog::HideNameFilterDetails);
    for (const QLabel* label : dialog->findChildren<QLabel*>()) texts << label->text();
    for (const QPushButton* button : dialog->findChildren<QPushButton*>()) texts << button->text();
    if (auto* types = dialog->findChild<QComboBox*>("fileTypeCombo")) filter = types->itemText(0);
    dialog->reject();
  });
  look.start();
  form.SpeedButtonPicture->click();
  EXPECT_TRUE(details_hidden);
  EXPECT_EQ(filter, "AllType   [*.*]");
  const QString all = texts.join('|');
  EXPECT_TRUE(all.contains(QString::fromUtf8("キャンセル"))) << all.toStdString();
  EXPECT_FALSE(all.contains("Cancel")) << all.toStdString();
  EXPECT_FALSE(all.contains("File name")) << all.toStdString();
}

}  // namespace
}  // namespace tintara
