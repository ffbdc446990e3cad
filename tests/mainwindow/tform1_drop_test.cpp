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
#include <functional>

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

// Drags the files from a window of their own onto the main window with the X
// server's mouse, then waits until `done` holds.
void DragOnto(TForm1& form, const QList<QUrl>& urls, const std::function<bool()>& done) {
  ASSERT_EQ(QGuiApplication::platformName(), "xcb");
  form.move(300, 100);
  form.show();
  DragSource source(urls);
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
  QTRY_VERIFY_WITH_TIMEOUT(xdotool.state() == QProcess::NotRunning, 10000);
  QTRY_VERIFY_WITH_TIMEOUT(done(), 10000);
}

QString WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
  return path;
}

TEST(TForm1DropTest, OnlyTheFirstDroppedFileIsReadWithItsWholeName) {
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
  const QString page = WriteFile(dir.filePath("page.htm"), "<body text=#ff0000>");
  ASSERT_FALSE(page.isEmpty());

  TForm1 form;
  DragOnto(
      form,
      {QUrl::fromLocalFile(picture_path), QUrl::fromLocalFile(page), QUrl::fromLocalFile(page)},
      [&form] { return !form.BackgroundPictureName().isEmpty(); });
  EXPECT_EQ(form.BackgroundPictureName(), name);
  EXPECT_TRUE(form.CheckBoxPicture->isChecked());
  EXPECT_FALSE(form.MemoBODY.contains("ff0000"));  // the page was not read
}

TEST(TForm1DropTest, ADroppedPageIsReadForItsTag) {
  QTemporaryDir dir;
  const QString page =
      WriteFile(dir.filePath("page.html"),
                "<html><head><title>x</title></head>\r\n<body bgcolor=\"#FFFFFF\" text=\"#000000\" "
                "link=\"#0000FF\">\r\n<p>hello</p></body></html>\r\n");
  ASSERT_FALSE(page.isEmpty());
  TForm1 form;
  DragOnto(form, {QUrl::fromLocalFile(page)},
           [&form] { return form.MemoBODY.contains("#ffffff"); });
  EXPECT_TRUE(form.MemoBODY.contains("link=\"#0000ff\""));
  EXPECT_TRUE(form.BackgroundPictureName().isEmpty());
}

TEST(TForm1DropTest, ADroppedBinaryFileChangesNothing) {
  QTemporaryDir dir;
  QByteArray bytes;
  for (int i = 0; i < 70000; ++i) bytes.append(static_cast<char>((i * 131 + 7) % 256));
  const QString binary = WriteFile(dir.filePath("data.bin"), bytes);
  ASSERT_FALSE(binary.isEmpty());
  TForm1 form;
  const QString before = form.MemoBODY;
  const RgbColor colour = form.CurrentColour();
  // Nothing visible happens, so wait for the drop to be handled at all.
  bool dropped = false;
  struct DropSpy : QObject {
    bool* seen;
    explicit DropSpy(bool* s) : seen(s) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Drop) *seen = true;
      return false;
    }
  } spy(&dropped);
  form.installEventFilter(&spy);
  DragOnto(form, {QUrl::fromLocalFile(binary)}, [&dropped] { return dropped; });
  QTest::qWait(200);  // the file is read just after the drop
  EXPECT_EQ(form.MemoBODY, before);
  EXPECT_EQ(form.CurrentColour(), colour);
  EXPECT_TRUE(form.BackgroundPictureName().isEmpty());
}

}  // namespace
}  // namespace tintara
