#ifndef TINTARA_MAINWINDOW_PICKER_OVERLAY_WINDOWS_H_
#define TINTARA_MAINWINDOW_PICKER_OVERLAY_WINDOWS_H_

#include <QCursor>
#include <QImage>
#include <QRect>
#include <QRgb>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/screen_reader.h"

namespace tintara {

class MagnifierView;
class TFormCaption;

// The magnifier window of click-mode picking: borderless, above the frozen
// screen, in the third of the monitor away from the cursor.
class TFormMosaic : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 211;
  static constexpr int kHeight = 320;

  TFormMosaic();

  MagnifierView* View() const { return view_; }
  // The radius and the monitor of the next showing.
  void Prepare(int radius, const QRect& monitor);
  int Radius() const { return radius_; }
  // Moves the window by the cursor's desktop x, on the monitor under the
  // cursor; moving to another monitor centres it on that one's height.
  void FollowCursor(int x, const QRect& monitor);
  void FormShow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The window's place on the desktop, also while it lives inside the
  // overlay.
  void MoveTo(QPoint place);
  int Left() const;
  int Top() const;

  MagnifierView* view_;
  int radius_ = 10;
  QRect monitor_;
};

// The frozen desktop, painted one to one on the device pixels.
class FrozenPicture : public QWidget {
  Q_OBJECT

 public:
  explicit FrozenPicture(TFormCaption* owner);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  friend class TFormCaption;

  QPointF LocalPosition(const QMouseEvent* event) const;
  QPoint DevicePoint(const QMouseEvent* event) const;

  TFormCaption* owner_;
  bool left_pressed_ = false;
};

// The full-screen overlay of click-mode picking: a copy of the whole
// desktop, every monitor, over which the user moves, measures with the
// right button and clicks the pixel to take. Escape or the middle button
// gives up.
class TFormCaption : public QWidget {
  Q_OBJECT

 public:
  TFormCaption();

  void FormCreate();
  // `finished` receives the picked pixel, or nothing when the user gave up.
  void Attach(TFormMosaic* mosaic, std::function<void(std::optional<QRgb>)> finished);
  void SetPiccerCursor(const QCursor& cursor);
  // Shows `frozen`, the copy of `desktop` (device pixels, monitors as
  // given), over the whole desktop: placed there itself, or full screen
  // where windows cannot place themselves. `server`, the reader that made
  // the copy, may have the display server show it without painting.
  void ShowFrozen(QImage frozen, const QRect& desktop, std::vector<QRect> monitors,
                  bool places_windows = true, const ScreenReader* server = nullptr);
  const QImage& Frozen() const { return frozen_; }
  const QRect& DesktopArea() const { return desktop_; }
  bool Measuring() const { return measuring_; }

  // Mouse handlers; positions are desktop device pixels.
  void ImageCaptionMouseDown(Qt::MouseButtons held, QPoint position);
  void ImageCaptionMouseMove(QPoint position);
  void ImageCaptionMouseUp();
  void ImageCaptionClick(QPoint position);
  // Closes the overlay and its magnifier without a colour.
  void Cancel();

  FrozenPicture* ImageCaption = nullptr;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  friend class FrozenPicture;

  void InvertRubberBand(QPoint corner);
  void UpdateMagnifier(QPoint position);
  QRgb FrozenPixel(QPoint position) const;
  void Finish(std::optional<QRgb> pixel);

  TFormMosaic* mosaic_ = nullptr;
  std::function<void(std::optional<QRgb>)> finished_;
  QImage frozen_;
  // The display server's own showing of frozen_, where it has one.
  std::unique_ptr<ServerShownPicture> server_shown_;
  QRect desktop_;
  std::vector<QRect> monitors_;
  bool measuring_ = false;
  QPoint anchor_;
  QPoint corner_;
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_PICKER_OVERLAY_WINDOWS_H_
