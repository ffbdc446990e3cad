// Times one magnifier update per mouse move, as a user picking sees it: the
// read of the screen square, the stretch, the black fills, the pixel read,
// the seven readouts and the repaint. Needs an X server (Xvfb will do):
//
//   scripts/with-xvfb build/release/bin/picker
//
// "live" is press-and-drag picking, which reads the screen on every move;
// "frozen" is click picking over the frozen copy.
#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "mainwindow/picker/overlay_windows.h"
#include "mainwindow/picker/piccer_button.h"
#include "mainwindow/program_windows.h"
#include "platform/memory_settings_store.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kMoves = 2000;

struct Figures {
  double median_ms;
  double p99_ms;
};

// The cursor walks a loop over the middle of the screen and along its
// edges, so the clipped cases are timed too.
QPoint Walk(int i, QSize screen) {
  const int w = screen.width();
  const int h = screen.height();
  switch (i % 4) {
    case 0:
      return {(i * 7) % w, (i * 13) % h};
    case 1:
      return {i % w, 0};
    case 2:
      return {w - 1, (i * 3) % h};
    default:
      return {(i * 5) % w, h / 2};
  }
}

Figures Measure(const std::function<void(int)>& prepare, const std::function<void(int)>& move) {
  std::vector<double> times;
  for (int i = 0; i < kMoves; ++i) {
    prepare(i);
    const auto start = Clock::now();
    move(i);
    QCoreApplication::processEvents();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times[times.size() * 99 / 100]};
}

void SendMove(QWidget* widget, QPoint at, Qt::MouseButtons held) {
  QMouseEvent event(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
                    held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

void UseOptions(tintara::TForm1& form, bool push, int radius) {
  tintara::OptionSettings options;
  options.radio_piccer = push;
  options.piccer_area = radius;
  options.piccer_time = 1;
  form.ApplyHeldOptions(options);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tintara::MemorySettingsStore store;
  tintara::TForm1Services services;
  services.settings = &store;
  services.error_box = [](const QString&) {};
  tintara::ProgramWindows windows(std::move(services));
  tintara::TForm1& form = windows.Main();
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  const QSize screen = QGuiApplication::primaryScreen()->size();

  std::printf("%-8s %4s %12s %12s\n", "mode", "n", "median ms", "p99 ms");
  for (int radius : {1, 10, 99}) {
    UseOptions(form, true, radius);
    QTest::mousePress(form.BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
    const Figures live = Measure([&](int i) { QCursor::setPos(Walk(i, screen)); },
                                 [&](int) {
                                   SendMove(form.BitBtnPiccer, {5, 5}, Qt::LeftButton);
                                 });
    QTest::mouseRelease(form.BitBtnPiccer, Qt::LeftButton, {}, QPoint(13, 13));
    std::printf("%-8s %4d %12.4f %12.4f\n", "live", radius, live.median_ms, live.p99_ms);
  }
  for (int radius : {1, 10, 99}) {
    UseOptions(form, false, radius);
    form.BitBtnPiccerClick();
    if (!QTest::qWaitFor([&] { return windows.Caption().isVisible(); }, 5000)) return 1;
    QWidget* picture = windows.Caption().ImageCaption;
    const Figures frozen =
        Measure([](int) {}, [&](int i) { SendMove(picture, Walk(i, screen), Qt::NoButton); });
    windows.Caption().Cancel();
    std::printf("%-8s %4d %12.4f %12.4f\n", "frozen", radius, frozen.median_ms, frozen.p99_ms);
  }
  return 0;
}
