#include "mainwindow/picker/overlay_windows.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "mainwindow/picker/desktop_coordinates.h"
#include "mainwindow/picker/magnifier_view.h"
#include "mainwindow/picker/picker_math.h"
#include "platform/screen_reader.h"
#include "resources/font_alias.h"

namespace tintara {
namespace {

// Both picker windows stay out of the window manager's hands: it would
// frame them, keep them off its panels or move them, and the overlay has to
// cover every monitor exactly, with the magnifier above it.
constexpr Qt::WindowFlags kPickerWindowFlags = Qt::Window | Qt::FramelessWindowHint |
                                               Qt::WindowStaysOnTopHint |
                                               Qt::X11BypassWindowManagerHint;

}  // namespace

TFormMosaic::TFormMosaic() : QWidget(nullptr, kPickerWindowFlags | Qt::Tool) {
  setWindowTitle("Tintara");
  setFixedSize(kWidth, kHeight);
  QFont font(WindowFontFamily());
  font.setPixelSize(kWindowFontPixelSize);
  setFont(font);
  view_ = new MagnifierView(kWidth, this);
  view_->setGeometry(0, 0, kWidth, kHeight);
}

void TFormMosaic::Prepare(int radius, const QRect& monitor) {
  radius_ = radius;
  monitor_ = monitor;
}

void TFormMosaic::MoveTo(QPoint place) {
  // Inside the overlay, where windows cannot place themselves, the overlay
  // covers the desktop from its top-left corner.
  if (parentWidget() != nullptr) place -= parentWidget()->geometry().topLeft();
  move(place);
}

void TFormMosaic::FollowCursor(int x, const QRect& monitor) {
  const qreal ratio = DeviceRatioOf(monitor);
  const int left =
      MagnifierWindowLeft(x, ToPixelRect(monitor), static_cast<int>(std::lround(width() * ratio)));
  if (monitor != monitor_) {
    monitor_ = monitor;
    const int top =
        MagnifierWindowTop(ToPixelRect(monitor), static_cast<int>(std::lround(height() * ratio)));
    MoveTo(ToWindowCoordinates({left, top}, monitor));
    return;
  }
  MoveTo({ToWindowCoordinates({left, monitor.top()}, monitor).x(), Top()});
}

void TFormMosaic::FormShow() {
  const qreal ratio = DeviceRatioOf(monitor_);
  const int top =
      MagnifierWindowTop(ToPixelRect(monitor_), static_cast<int>(std::lround(height() * ratio)));
  MoveTo({Left(), ToWindowCoordinates({monitor_.left(), top}, monitor_).y()});
  view_->LayOutMarkers(radius_);
}

int TFormMosaic::Left() const {
  return parentWidget() != nullptr ? x() + parentWidget()->geometry().left() : x();
}

int TFormMosaic::Top() const {
  return parentWidget() != nullptr ? y() + parentWidget()->geometry().top() : y();
}

void TFormMosaic::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}

FrozenPicture::FrozenPicture(TFormCaption* owner) : QWidget(owner), owner_(owner) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void FrozenPicture::paintEvent(QPaintEvent* event) {
  // Covered by the server's own showing of the picture.
  if (owner_->server_shown_) return;
  QPainter painter(this);
  const QRect area = event->rect();
  const qreal ratio = devicePixelRatioF();
  const QRect source(static_cast<int>(std::floor(area.left() * ratio)),
                     static_cast<int>(std::floor(area.top() * ratio)),
                     static_cast<int>(std::ceil(area.width() * ratio)),
                     static_cast<int>(std::ceil(area.height() * ratio)));
  painter.drawImage(QRectF(area), owner_->frozen_, QRectF(source));
}

QPointF FrozenPicture::LocalPosition(const QMouseEvent* event) const {
  // The widget's own position comes rounded to whole logical pixels, which
  // loses every other device pixel of a scaled screen; the position in the
  // window keeps the pointer's device position, divided by the scale.
  return event->scenePosition() - QPointF(mapTo(window(), QPoint(0, 0)));
}

QPoint FrozenPicture::DevicePoint(const QMouseEvent* event) const {
  const QPointF local = LocalPosition(event);
  const qreal ratio = devicePixelRatioF();
  // A hair, so that a division by the scale that came out a little short
  // does not lose the whole pixel.
  constexpr qreal kHair = 1e-6;
  return owner_->desktop_.topLeft() +
         QPoint(static_cast<int>(std::floor(local.x() * ratio + kHair)),
                static_cast<int>(std::floor(local.y() * ratio + kHair)));
}

void FrozenPicture::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    owner_->Cancel();
    return;
  }
  if (event->button() == Qt::LeftButton) left_pressed_ = true;
  owner_->ImageCaptionMouseDown(event->buttons(), DevicePoint(event));
}

void FrozenPicture::mouseMoveEvent(QMouseEvent* event) {
  owner_->ImageCaptionMouseMove(DevicePoint(event));
}

void FrozenPicture::mouseReleaseEvent(QMouseEvent* event) {
  owner_->ImageCaptionMouseUp();
  if (event->button() == Qt::LeftButton && left_pressed_) {
    left_pressed_ = false;
    if (QRectF(rect()).contains(LocalPosition(event)))
      owner_->ImageCaptionClick(DevicePoint(event));
  }
}

TFormCaption::TFormCaption() : QWidget(nullptr, kPickerWindowFlags) {
  setWindowTitle("Tintara");
  FormCreate();
}

void TFormCaption::FormCreate() {
  ImageCaption = new FrozenPicture(this);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
}

void TFormCaption::Attach(TFormMosaic* mosaic, std::function<void(std::optional<QRgb>)> finished) {
  mosaic_ = mosaic;
  finished_ = std::move(finished);
}

void TFormCaption::SetPiccerCursor(const QCursor& cursor) { ImageCaption->setCursor(cursor); }

void TFormCaption::ShowFrozen(QImage frozen, const QRect& desktop, std::vector<QRect> monitors,
                              bool places_windows, const ScreenReader* server) {
  frozen_ = std::move(frozen);
  desktop_ = desktop;
  monitors_ = std::move(monitors);
  measuring_ = false;
  QRect area = ToWindowRect(desktop, MonitorAt(monitors_, desktop.topLeft()));
  if (places_windows) {
    setGeometry(area);
    // The toolkit places a window through the corner and scale of the screen
    // it takes the window to be on, which for one across the monitors of a
    // scaled desktop need not be the monitor at its corner: the place is
    // worked out again for that screen before the window shows.
    winId();
    const QRect placed = ToWindowRect(desktop, QRect(screen()->geometry().topLeft(), QSize()));
    if (placed != area) {
      area = placed;
      setGeometry(area);
    }
  }
  ImageCaption->setGeometry(0, 0, area.width(), area.height());
  ImageCaption->update();
  if (places_windows) {
    show();
  } else {
    // The compositor places it: full screen on its monitor.
    resize(area.size());
    showFullScreen();
  }
  raise();
  activateWindow();
  // Override-redirect windows get no keyboard focus from a window manager.
  grabKeyboard();
  if (server != nullptr) server_shown_ = server->ShowOnServer(frozen_, this);
}

QRgb TFormCaption::FrozenPixel(QPoint position) const {
  const QPoint p = position - desktop_.topLeft();
  if (!frozen_.rect().contains(p)) return kUnreadablePixel;
  return frozen_.pixel(p);
}

void TFormCaption::InvertRubberBand(QPoint corner) {
  const uchar* shown = frozen_.constBits();
  auto* bits = reinterpret_cast<QRgb*>(frozen_.bits());
  if (server_shown_ && frozen_.constBits() != shown) {
    // The picture was shared and is a copy of its own now, which the server
    // does not show: from here on the overlay paints it.
    server_shown_.reset();
    ImageCaption->update();
  }
  const int stride = static_cast<int>(frozen_.bytesPerLine() / 4);
  const QPoint origin = desktop_.topLeft();
  const QRect inside = frozen_.rect();
  ForEachRubberBandPixel(anchor_.x() - origin.x(), anchor_.y() - origin.y(),
                         corner.x() - origin.x(), corner.y() - origin.y(), [&](int x, int y) {
                           if (inside.contains(x, y)) bits[y * stride + x] ^= 0x00FFFFFFu;
                         });
  // The band runs from the smaller coordinate of the two corners up to the
  // larger one, excluded, whichever way it was dragged.
  const int left = std::min(anchor_.x(), corner.x()) - origin.x();
  const int top = std::min(anchor_.y(), corner.y()) - origin.y();
  const int right = std::max(anchor_.x(), corner.x()) - origin.x();
  const int bottom = std::max(anchor_.y(), corner.y()) - origin.y();
  if (server_shown_) {
    server_shown_->Refresh(QRect(left, top, right - left, bottom - top));
    return;
  }
  const qreal ratio = ImageCaption->devicePixelRatioF();
  const auto down = [ratio](int device) { return static_cast<int>(std::floor(device / ratio)); };
  const auto up = [ratio](int device) { return static_cast<int>(std::ceil(device / ratio)); };
  ImageCaption->update(
      QRect(down(left), down(top), up(right) - down(left), up(bottom) - down(top)));
}

void TFormCaption::ImageCaptionMouseDown(Qt::MouseButtons held, QPoint position) {
  if (!(held & Qt::RightButton)) return;
  anchor_ = position;
  corner_ = position;
  measuring_ = true;
}

void TFormCaption::ImageCaptionMouseMove(QPoint position) {
  if (mosaic_ == nullptr) return;
  MagnifierView* view = mosaic_->View();
  if (measuring_) {
    InvertRubberBand(corner_);
    corner_ = position;
    InvertRubberBand(corner_);
    view->SetPositionLine(
        QString::fromStdString(MeasureText(anchor_.x(), anchor_.y(), position.x(), position.y())),
        10);
    mosaic_->show();
    mosaic_->raise();
  } else {
    view->SetPositionLine(QString::fromStdString(FrozenPositionText(position.x(), position.y())),
                          18);
  }
  mosaic_->FollowCursor(position.x(), MonitorAt(monitors_, position));
  UpdateMagnifier(position);
}

void TFormCaption::UpdateMagnifier(QPoint position) {
  const QRect monitor = MonitorAt(monitors_, position);
  const MagnifierPlan plan =
      PlanMagnifier(position.x(), position.y(), mosaic_->Radius(), ToPixelRect(monitor));
  const int stride = static_cast<int>(frozen_.bytesPerLine() / 4);
  const auto* bits = reinterpret_cast<const std::uint32_t*>(frozen_.constBits());
  const std::uint32_t* source = plan.source.empty()
                                    ? bits
                                    : bits + (plan.source.top - desktop_.top()) * stride +
                                          (plan.source.left - desktop_.left());
  mosaic_->View()->ShowSquare(plan, source, stride, FrozenPixel(position));
}

void TFormCaption::ImageCaptionMouseUp() {
  if (!measuring_) return;
  InvertRubberBand(corner_);
  measuring_ = false;
}

void TFormCaption::ImageCaptionClick(QPoint position) { Finish(FrozenPixel(position)); }

void TFormCaption::Cancel() {
  if (measuring_) ImageCaptionMouseUp();
  Finish(std::nullopt);
}

void TFormCaption::Finish(std::optional<QRgb> pixel) {
  releaseKeyboard();
  if (mosaic_ != nullptr) mosaic_->hide();
  hide();
  // A whole screen's worth of memory, which the next copy may reuse.
  server_shown_.reset();
  frozen_ = QImage();
  if (finished_) finished_(pixel);
}

// The toolkit picks the widget under the pointer by the position rounded to
// whole logical pixels: on a scaled screen the last device column and row
// round past the picture and come here.
void TFormCaption::mousePressEvent(QMouseEvent* event) { ImageCaption->mousePressEvent(event); }

void TFormCaption::mouseMoveEvent(QMouseEvent* event) { ImageCaption->mouseMoveEvent(event); }

void TFormCaption::mouseReleaseEvent(QMouseEvent* event) { ImageCaption->mouseReleaseEvent(event); }

void TFormCaption::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Cancel();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace tintara
