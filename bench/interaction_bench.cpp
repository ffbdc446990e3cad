// Drives a real main window offscreen and reports how long each user event
// takes, including all drawing into the window's surface and the repaint.
//
//   QT_QPA_PLATFORM=offscreen bench/interaction [--without-body-group]
//
// --without-body-group hides the BODY group first, to tell its share of a
// step from the editor's and the palette's.
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "mainwindow/tform1.h"
#include "widgets/colour_group_box.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
  const char* name;
  int count;
  double median_ms;
  double p99_ms;
};

// Times `count` events; each one is followed by the event loop's repaint.
Figures Measure(const char* name, int count, const std::function<void(int)>& event) {
  std::vector<double> times;
  times.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const auto start = Clock::now();
    event(i);
    QCoreApplication::processEvents();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return {name, count, times[times.size() / 2], times[times.size() * 99 / 100]};
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint at) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tintara::TForm1 form;
  form.show();
  QCoreApplication::processEvents();
  QWidget* client = form.Client();
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.contains("--without-body-group")) form.GroupBox1->hide();

  std::vector<Figures> results;
  results.push_back(Measure("row slider step", 10000,
                            [&](int i) { form.ScrollBarR->setValue(i % 256 == 0 ? 1 : i % 256); }));

  SendMouse(client, QEvent::MouseButtonPress, {128, 128});
  results.push_back(Measure("field drag move", 10000, [&](int i) {
    SendMouse(client, QEvent::MouseMove, {(i * 7) % 256, (i * 13) % 256});
  }));
  SendMouse(client, QEvent::MouseButtonRelease, {128, 128});

  SendMouse(client, QEvent::MouseButtonPress, {290, 128});
  results.push_back(Measure("bar drag move", 1000, [&](int i) {
    SendMouse(client, QEvent::MouseMove, {290, (i * 3) % 256});
  }));
  SendMouse(client, QEvent::MouseButtonRelease, {290, 128});

  results.push_back(Measure("channel switch", 100, [&](int i) {
    form.ChooseModels(i % tintara::kPaletteChannelCount,
                      static_cast<tintara::SlideModel>(i % tintara::kSlideModelCount));
  }));

  std::printf("%-18s %8s %12s %12s\n", "event", "count", "median ms", "p99 ms");
  for (const Figures& f : results) {
    std::printf("%-18s %8d %12.4f %12.4f\n", f.name, f.count, f.median_ms, f.p99_ms);
  }
  return 0;
}
