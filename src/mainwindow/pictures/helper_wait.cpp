#include "mainwindow/pictures/helper_wait.h"

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
    if (given_up_) return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    cursor_shown_ = true;
  });
}

HelperWait::~HelperWait() { EndHold(); }

void HelperWait::EndHold() {
  QCoreApplication::instance()->removeEventFilter(this);
  if (cursor_shown_) QGuiApplication::restoreOverrideCursor();
  cursor_shown_ = false;
}

void HelperWait::GiveUp() {
  // The wait is over for the user at once: what comes next is handled as
  // at any other time.
  given_up_ = true;
  EndHold();
  if (give_up_) give_up_();
}

bool HelperWait::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) GiveUp();
      return true;
    case QEvent::ShortcutOverride:
      // Taken here, so that no shortcut fires either.
      event->accept();
      return true;
    case QEvent::Close:
      // Closing the window, by hand or because the program is told to end,
      // gives the wait up, and the window closes as ever.
      GiveUp();
      return false;
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
