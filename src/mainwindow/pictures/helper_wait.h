#ifndef TINTARA_MAINWINDOW_PICTURES_HELPER_WAIT_H_
#define TINTARA_MAINWINDOW_PICTURES_HELPER_WAIT_H_

#include <QObject>
#include <functional>

// While the picture plug-in helper works, the program goes on drawing but
// takes no command: every input is held back but Escape, which gives the
// wait up, and the pointer shows the wait cursor. Closing the window gives
// the wait up too. In force for as long as the object lives or until the
// wait is given up.
namespace tintara {

class HelperWait : public QObject {
 public:
  explicit HelperWait(std::function<void()> give_up);
  ~HelperWait() override;
  HelperWait(const HelperWait&) = delete;
  HelperWait& operator=(const HelperWait&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void GiveUp();
  // Input goes through again and the cursor is as before.
  void EndHold();

  std::function<void()> give_up_;
  bool cursor_shown_ = false;
  bool given_up_ = false;
};

}  // namespace tintara

#endif  // TINTARA_MAINWINDOW_PICTURES_HELPER_WAIT_H_
