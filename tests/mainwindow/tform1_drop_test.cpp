// Files dragged onto the main window with the X server's own mouse: a real
// drag and drop, so it runs on a display.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "mainwindow/tform1.h"

namespace tintara {
namespace {

// A small window that starts dragging its files as soon as it is pressed.
class DragSource : public QWidget {
 public:
  explicit DragSource(QList<QUrl> urls) : urls_(std::move(urls)) {}

 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setUrls(urls_);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
  }

 private:
  QList<QUrl> urls_;
};

QStringList Words(const char* text) { return QString(text).split(' '); }
QStringList At(QPoint p) { return {"mousemove", QString::number(p.x()), QString::number(p.y())}; }

TEST(TForm1DropTest, OnlyTheFirstDroppedFileIsReadWithItsWholeName) {
  ASSERT_EQ(QGuiApplication::platformName(), "xcb");
  QTemporaryDir dir;
  // Deeper and longer than the 255 characters a fixed buffer would keep.
  const QString folder = dir.filePath(QString(120, 'd') + "/" + QString(120, 'e'));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString name = QString(180, 'p') + ".bmp";
  const QString picture_path = folder + "/" + name;
  ASSERT_GT(picture_path.size(), 300);
  QImage picture(40, 40, QImage::Format_RGB32);
  picture.fill(Qt::darkGreen);
  ASSERT_TRUE(picture.save(picture_path, "BMP"));
  const QString page = dir.filePath("page.htm");
  QFile file(page);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("<body text=#ff0000>") > 0);
  file.close();

  TForm1 form;
  form.move(300, 100);
  form.show();
  DragSource source(
      {QUrl::fromLocalFile(picture_path), QUrl::fromLocalFile(page), QUrl::fromLocalFile(page)});
  source.setGeometry(40, 100, 120, 120);
  source.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&source));

  const QPoint from = source.mapToGlobal(QPoint(60, 60));
  const QPoint to = form.Client()->mapToGlobal(QPoint(400, 220));
  // Press on the source, move over in steps, release over the window.
  QStringList steps = At(from) + Words("mousedown 1 sleep 0.3");
  for (int k = 1; k <= 4; ++k) steps << At(from + (to - from) * k / 4) << Words("sleep 0.2");
  steps << At(to + QPoint(3, 3)) << Words("sleep 0.3 mouseup 1");
  QProcess xdotool;
  xdotool.start("xdotool", steps);
  ASSERT_TRUE(xdotool.waitForStarted());

  QTRY_VERIFY_WITH_TIMEOUT(!form.BackgroundPictureName().isEmpty(), 20000);
  EXPECT_EQ(form.BackgroundPictureName(), name);
  EXPECT_TRUE(form.CheckBoxPicture->isChecked());
  EXPECT_FALSE(form.MemoBODY->toPlainText().contains("ff0000"));  // the page was not read
  QTRY_VERIFY_WITH_TIMEOUT(xdotool.state() == QProcess::NotRunning, 10000);
}

}  // namespace
}  // namespace tintara
