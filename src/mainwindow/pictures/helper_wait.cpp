#include "mainwindow/pictures/helper_wait.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>

namespace tintara {
namespace {

// Most waits end at once: the cursor changes only for one that does not, so
// that it does not flicker on every open.
constexpr int kCursorDelayMs = 150;

}  // namespace

HelperWait::HelperWait(std::function<void()> give_up) : give_up_(std::move(give_up)) {
  QCoreApplication::instance()->installEventFilter(this);
  QTimer::singleShot(kCursorDelayMs, this, [this] {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    cursor_shown_ = true;
  });
}

HelperWait::~HelperWait() {
  QCoreApplication::instance()->removeEventFilter(this);
  if (cursor_shown_) QGuiApplication::restoreOverrideCursor();
}

bool HelperWait::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && give_up_) give_up_();
      return true;
    case QEvent::ShortcutOverride:
      // Taken here, so that no shortcut fires either.
      event->accept();
      return true;
    case QEvent::Close:
      event->ignore();
      return true;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::InputMethod:
      return true;
    default:
      return QObject::eventFilter(watched, event);
  }
}

}  // namespace tintara
