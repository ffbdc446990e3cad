#ifndef TINTARA_WIDGETS_SCREEN_CENTRING_H_
#define TINTARA_WIDGETS_SCREEN_CENTRING_H_

class QWidget;

namespace tintara {

// Centres `window` on the primary screen's work area each time it is shown:
// its frame, title bar and borders included, as the user sees it. A window
// manager frames a window only after it is mapped, so the window is placed
// first with the frame it is expected to get and moved once more, before
// the user can touch it, if the real frame differs.
void CentreOnScreenWhenShown(QWidget& window);

}  // namespace tintara

#endif  // TINTARA_WIDGETS_SCREEN_CENTRING_H_
