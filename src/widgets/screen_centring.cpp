#include "widgets/screen_centring.h"

#include <QApplication>
#include <QEvent>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace tintara {
namespace {

QMargins FrameMarginsOf(const QWidget& window) {
  const QWindow* handle = window.windowHandle();
  return handle != nullptr ? handle->frameMargins() : QMargins();
}

// The frame a window about to be shown will get: its own from an earlier
// showing, else that of another framed window of the program, as one
// manager frames them alike.
QMargins ExpectedFrameMargins(const QWidget& window) {
  const QMargins own = FrameMarginsOf(window);
  if (!own.isNull()) return own;
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (other == &window || !other->isVisible()) continue;
    const QMargins margins = FrameMarginsOf(*other);
    if (!margins.isNull()) return margins;
  }
  return {};
}

class ScreenCentring final : public QObject {
 public:
  explicit ScreenCentring(QWidget& window) : QObject(&window), window_(window) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show) {
      placed_margins_ = ExpectedFrameMargins(window_);
      Place(placed_margins_);
      framing_ = true;
      QWindow* handle = window_.windowHandle();
      if (handle != nullptr && handle != watched_handle_) {
        handle->installEventFilter(this);
        watched_handle_ = handle;
      }
    } else if (watched == watched_handle_ && event->type() == QEvent::Expose && framing_) {
      // Exposed, the window is mapped and framed, before the user can
      // reach it.
      framing_ = false;
      const QMargins margins = FrameMarginsOf(window_);
      if (margins != placed_margins_) Place(margins);
    }
    return false;
  }

 private:
  // Places the window itself, so that the frame around it is centred: a
  // position given for the frame before the manager has framed the window
  // is taken for the window's own.
  void Place(const QMargins& margins) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    const QSize size = window_.size();
    const int frame_width = size.width() + margins.left() + margins.right();
    const int frame_height = size.height() + margins.top() + margins.bottom();
    const QPoint frame_corner(area.left() + (area.width() - frame_width) / 2,
                              area.top() + (area.height() - frame_height) / 2);
    window_.setGeometry(QRect(frame_corner + QPoint(margins.left(), margins.top()), size));
  }

  QWidget& window_;
  QWindow* watched_handle_ = nullptr;
  QMargins placed_margins_;
  bool framing_ = false;  // shown, and the manager's frame not yet seen
};

}  // namespace

void CentreOnScreenWhenShown(QWidget& window) { new ScreenCentring(window); }

}  // namespace tintara
