// The screen picker: press-and-drag picking on the live screen, and
// click picking on a frozen copy of it.
#include <QApplication>
#include <QLayout>
#include <QTimer>
#include <QToolTip>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <utility>

#include "mainwindow/client_area.h"
#include "mainwindow/picker/desktop_coordinates.h"
#include "mainwindow/picker/magnifier_view.h"
#include "mainwindow/picker/overlay_windows.h"
#include "mainwindow/picker/piccer_button.h"
#include "mainwindow/picker/picker_math.h"
#include "mainwindow/tform1.h"
#include "platform/screen_reader.h"
#include "resources/resource_names.h"

namespace tintara {
namespace {

constexpr char kPushHint[] =
    "画面の好きな点の色を調べます．マウスを押しながら調べたい点までカーソルを動かしてください．";
constexpr char kClickHint[] =
    "画面の好きな点の色を調べます．マウスをクリックした後，調べたい点までカーソルを動かしてもう一度"
    "ク"
    "リックしてください．";

constexpr char kNoScreenPicture[] = "デスクトップから画面の画像を受け取れませんでした．";

// How long the capture waits at most for the display server to take the
// program's windows off the screen, in polls of kClearPollMs.
constexpr int kClearPolls = 400;
constexpr int kClearPollMs = 5;

// The frame as the window manager last told it. The widget's own frame
// geometry may still lack a frame the manager has long since drawn.
QMargins FrameMargins(const QWidget& window) {
  const QWindow* handle = window.windowHandle();
  return handle != nullptr ? handle->frameMargins() : QMargins();
}

RgbColor ColourOf(QRgb pixel) {
  return RgbColor::FromInts(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

}  // namespace

void TForm1::CreatePicker() {
  BitBtnPiccer = new PiccerButton(PanelOpen);
  BitBtnPiccer->setGeometry(kPiccerButtonLeft, 1, 27, 27);
  BitBtnPiccer->setIcon(QIcon(QString::fromUtf8(res::kGlyphPiccer)));
  BitBtnPiccer->setIconSize(QSize(res::kToolGlyphSize, res::kToolGlyphSize));
  BitBtnPiccer->setToolTip(QString::fromUtf8(kPushHint));
  BitBtnPiccer->on_press = [this](Qt::MouseButton button, Qt::MouseButtons held) {
    BitBtnPiccerMouseDown(button, held);
  };
  BitBtnPiccer->on_move = [this] { BitBtnPiccerMouseMove(); };
  BitBtnPiccer->on_release = [this] { BitBtnPiccerMouseUp(); };
  BitBtnPiccer->on_escape = [this] { CancelPushPick(); };
  connect(BitBtnPiccer, &QToolButton::clicked, this, &TForm1::BitBtnPiccerClick);

  TimerCapture = new QTimer(this);
  // A coarse timer may fire a twentieth of its interval early.
  TimerCapture->setTimerType(Qt::PreciseTimer);
  connect(TimerCapture, &QTimer::timeout, this, &TForm1::TimerCaptureTimer);
}

bool TForm1::PushPicking() const {
  // Without the live screen the picker runs on a frozen copy, whatever
  // the options say.
  return held_options_.radio_piccer && screen_->ReadsLiveScreen();
}

MagnifierView& TForm1::PushPickPanel() {
  if (PanelPiccer == nullptr) {
    // Its position line is centred on the panel, which the shrunk window
    // shows.
    PanelPiccer = new MagnifierView(kPushPanelRight + 1, client_);
    PanelPiccer->setGeometry(-1, 0, kPushPanelRight + 1, 465);
    PanelPiccer->hide();
    PanelPiccer->LayOutMarkers(held_options_.piccer_area);
  }
  return *PanelPiccer;
}

void TForm1::ApplyPickerOptions() {
  BitBtnPiccer->setToolTip(QString::fromUtf8(PushPicking() ? kPushHint : kClickHint));
  if (PanelPiccer != nullptr) PanelPiccer->LayOutMarkers(held_options_.piccer_area);
}

bool TForm1::PickerBusy() const {
  return push_pick_running_ || capture_stage_ != CaptureStage::kIdle;
}

// ---- press-and-drag picking ----

void TForm1::FollowCursorWithWindow(QPoint cursor, bool centre_vertically) {
  const QRect monitor = MonitorAt(pick_monitors_, cursor);
  const qreal ratio = DeviceRatioOf(monitor);
  const QMargins frame = FrameMargins(*this);
  const QSize outer = size().grownBy(frame);
  const int left = MagnifierWindowLeft(cursor.x(), ToPixelRect(monitor),
                                       static_cast<int>(std::lround(outer.width() * ratio)));
  QPoint place = ToWindowCoordinates({left, monitor.top()}, monitor);
  if (centre_vertically) {
    const int top = MagnifierWindowTop(ToPixelRect(monitor),
                                       static_cast<int>(std::lround(outer.height() * ratio)));
    place.setY(ToWindowCoordinates({left, top}, monitor).y());
  } else {
    place.setY(geometry().top() - frame.top());
  }
  // Placed by its client area, so that the frame lands at `place` whatever
  // the widget believes of its frame.
  setGeometry(QRect(place + QPoint(frame.left(), frame.top()), size()));
}

void TForm1::ShowLiveSquare(QPoint cursor) {
  const QRect monitor = MonitorAt(pick_monitors_, cursor);
  const MagnifierPlan plan =
      PlanMagnifier(cursor.x(), cursor.y(), held_options_.piccer_area, ToPixelRect(monitor));
  // Only the square is read, never the whole screen: this runs on every move.
  const QRect square(plan.source.left, plan.source.top, plan.source.width, plan.source.height);
  const QImage grab = plan.source.empty() ? QImage() : screen_->Grab(square);
  const QPoint inside = cursor - square.topLeft();
  const QRgb centre =
      !grab.isNull() && grab.rect().contains(inside) ? grab.pixel(inside) : screen_->Pixel(cursor);
  PushPickPanel().ShowSquare(plan, reinterpret_cast<const std::uint32_t*>(grab.constBits()),
                             grab.isNull() ? 0 : static_cast<int>(grab.bytesPerLine() / 4), centre);
}

void TForm1::BitBtnPiccerMouseDown(Qt::MouseButton, Qt::MouseButtons held) {
  if (!PushPicking() || !(held & Qt::LeftButton) || PickerBusy()) return;
  push_pick_running_ = true;
  // The monitors stay as they are for the length of a drag; asking the
  // server on every move would cost a round trip each time.
  pick_monitors_ = screen_->Monitors();
  PushPickPanel().show();
  PanelPiccer->raise();
  BitBtnPiccer->move(kPiccerButtonHiddenLeft, BitBtnPiccer->y());
  saved_place_ = geometry().topLeft();
  saved_client_width_ = client_->width();
  saved_client_height_ = client_->height();
  // The outer width counts the frame; without one the client would show a
  // strip of the palette beside the magnifier panel, which ends at 211.
  const QMargins frame = FrameMargins(*this);
  const int frame_width = frame.left() + frame.right();
  client_->setFixedSize(std::min(kPushWindowWidth - frame_width, kPushPanelRight),
                        kPushClientHeight);
  layout()->activate();
  FollowCursorWithWindow(screen_->CursorPosition(), true);
  // Escape gives up; the button keeps the mouse and now the keyboard too.
  BitBtnPiccer->grabKeyboard();
}

void TForm1::BitBtnPiccerMouseMove() {
  if (!PushPicking() || !push_pick_running_) return;
  const QPoint cursor = screen_->CursorPosition();
  FollowCursorWithWindow(cursor, false);
  PushPickPanel().SetPositionLine(QString::fromStdString(LivePositionText(cursor.x(), cursor.y())),
                                  18);
  ShowLiveSquare(cursor);
}

void TForm1::BitBtnPiccerMouseUp() {
  if (!PushPicking() || !push_pick_running_) return;
  const QRgb pixel = screen_->Pixel(screen_->CursorPosition());
  SetCurrentColour(ColourOf(pixel));
  EndPushPick();
}

void TForm1::CancelPushPick() {
  if (push_pick_running_) EndPushPick();
}

void TForm1::EndPushPick() {
  BitBtnPiccer->releaseKeyboard();
  client_->setFixedSize(saved_client_width_, saved_client_height_);
  layout()->activate();
  // The client area's own place: a move of the frame would land elsewhere
  // when the frame became known only during the pick.
  setGeometry(QRect(saved_place_, size()));
  PushPickPanel().hide();
  BitBtnPiccer->move(kPiccerButtonLeft, BitBtnPiccer->y());
  push_pick_running_ = false;
}

// ---- click picking on the frozen screen ----

bool TForm1::MakeFrozenPickWindows() {
  if (caption_ != nullptr) return true;
  if (windows_ == nullptr) return false;
  mosaic_ = &windows_->Mosaic();
  caption_ = &windows_->Caption();
  caption_->Attach(mosaic_, [this](std::optional<QRgb> pixel) { FinishFrozenPick(pixel); });
  caption_->SetPiccerCursor(piccer_cursor_);
  return true;
}

void TForm1::BitBtnPiccerClick() {
  if (PushPicking() || PickerBusy() || !MakeFrozenPickWindows()) return;
  capture_stage_ = CaptureStage::kWaiting;
  hide();
  capture_due_ = QDeadlineTimer(held_options_.piccer_time, Qt::PreciseTimer);
  TimerCapture->setInterval(held_options_.piccer_time);
  TimerCapture->start();
}

void TForm1::TimerCaptureTimer() {
  // Once per click, before anything else can run.
  TimerCapture->stop();
  if (capture_stage_ != CaptureStage::kWaiting) return;
  // Even a precise timer may wake a little early; the capture never comes
  // before the delay set.
  if (!capture_due_.hasExpired()) {
    TimerCapture->start(static_cast<int>(std::max<qint64>(capture_due_.remainingTime(), 1)));
    return;
  }
  capture_stage_ = CaptureStage::kClearing;
  const QPoint cursor = screen_->CursorPosition();
  const QRect monitor = MonitorAt(screen_->Monitors(), cursor);
  mosaic_->Prepare(held_options_.piccer_area, monitor);
  mosaic_->FollowCursor(cursor.x(), monitor);

  // No window of the program may be in the copy: not this one, not the
  // overlay or the magnifier, not a hint left showing. (The dialogs are
  // modal, so none is open now.)
  QToolTip::hideText();
  windows_to_clear_ = {this, caption_, mosaic_};
  for (const QPointer<QWidget>& window : windows_to_clear_) window->hide();
  WaitForWindowsGone(kClearPolls);
}

void TForm1::WaitForWindowsGone(int tries_left) {
  std::vector<const QWidget*> windows;
  for (const QPointer<QWidget>& window : windows_to_clear_) {
    if (window != nullptr) windows.push_back(window.data());
  }
  if (tries_left > 0 && !screen_->WindowsGone(windows)) {
    QTimer::singleShot(kClearPollMs, this,
                       [this, tries_left] { WaitForWindowsGone(tries_left - 1); });
    return;
  }
  windows_to_clear_.clear();
  // The messages that repaint what lay beneath run in the meantime.
  QTimer::singleShot(screen_->SettleTime(), this, &TForm1::FreezeScreen);
}

void TForm1::FreezeScreen() {
  QPointer<TForm1> alive(this);
  screen_->FreezeDesktop([this, alive](std::optional<QImage> frozen) {
    // The pick may have been given up meanwhile (the program is ending).
    if (alive == nullptr || capture_stage_ != CaptureStage::kClearing) return;
    if (!frozen) {
      capture_stage_ = CaptureStage::kIdle;
      if (frozen_pick_done_) {
        std::exchange(frozen_pick_done_, {})(std::nullopt, QString::fromUtf8(kNoScreenPicture));
        return;
      }
      // Nothing changes: the window comes back and says why.
      show();
      raise();
      activateWindow();
      error_box_(QString::fromUtf8(kNoScreenPicture));
      return;
    }
    const std::vector<QRect> monitors = screen_->Monitors();
    const QRect desktop = DesktopRect(monitors);
    // Where windows cannot place themselves, the magnifier lives inside the
    // overlay, placed there as it would be on the desktop.
    if (!screen_->PlacesWindows() && mosaic_->parentWidget() != caption_) {
      mosaic_->setParent(caption_, Qt::Widget);
    }
    caption_->ShowFrozen(std::move(*frozen), desktop, monitors, screen_->PlacesWindows(), screen_);
    mosaic_->show();
    mosaic_->raise();
    capture_stage_ = CaptureStage::kFrozen;
    // The magnifier shows the spot under the cursor at once, not only after
    // the first move.
    caption_->ImageCaptionMouseMove(screen_->CursorPosition());
  });
}

void TForm1::FinishFrozenPick(std::optional<QRgb> pixel) {
  capture_stage_ = CaptureStage::kIdle;
  if (frozen_pick_done_) {
    std::exchange(frozen_pick_done_, {})(pixel ? std::optional(ColourOf(*pixel)) : std::nullopt,
                                         {});
    return;
  }
  if (pixel) SetCurrentColour(ColourOf(*pixel));
  show();
  raise();
  activateWindow();
}

// ---- the pick action ----

bool TForm1::PickPixelFromScreen(PickedPixel picked) {
  // A modal dialog waits for an answer; the window must not vanish from
  // under it.
  if (PickerBusy() || QApplication::activeModalWidget() != nullptr || !MakeFrozenPickWindows()) {
    return false;
  }
  frozen_pick_done_ = std::move(picked);
  // No delay: the copy is taken as soon as the server reports the windows
  // gone.
  capture_stage_ = CaptureStage::kWaiting;
  TimerCaptureTimer();
  return true;
}

void TForm1::PickColourFromScreen() {
  const bool started =
      PickPixelFromScreen([this](std::optional<RgbColor> colour, const QString& failure) {
        if (colour) {
          SetCurrentColour(*colour);
          CopyColourText();
        }
        show();
        raise();
        activateWindow();
        if (!failure.isEmpty()) error_box_(failure);
      });
  // Busy: the window is where the user can see why.
  if (!started && !PickerBusy()) {
    show();
    raise();
    activateWindow();
  }
}

}  // namespace tintara
