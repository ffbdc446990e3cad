// The standard message boxes show what they are given as plain text: their
// messages quote names and texts the user typed or opened.
#include "platform/error_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace tintara {
namespace {

// Closes the next box once it is shown, noting its format and text.
struct BoxSeen {
  Qt::TextFormat format = Qt::AutoText;
  QString text;
};
void CloseNextBox(BoxSeen& seen, QMessageBox::StandardButton answer) {
  QTimer::singleShot(0, [&seen, answer] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      seen = {box->textFormat(), box->text()};
      box->button(answer)->click();
    }
  });
}

TEST(StandardBoxes, ShowMarkupAsPlainText) {
  const QString name = "<b>bold</b> & <hr>";
  BoxSeen seen;
  CloseNextBox(seen, QMessageBox::Ok);
  StandardErrorBox()(name);
  EXPECT_EQ(seen.format, Qt::PlainText);
  EXPECT_EQ(seen.text, name);

  CloseNextBox(seen, QMessageBox::Cancel);
  EXPECT_FALSE(StandardQuestionBox()("caption", name));
  EXPECT_EQ(seen.format, Qt::PlainText);
  CloseNextBox(seen, QMessageBox::Ok);
  EXPECT_TRUE(StandardQuestionBox()("caption", name));
}

}  // namespace
}  // namespace tintara
