#ifndef TINTARA_APP_FONT_WARM_UP_H_
#define TINTARA_APP_FONT_WARM_UP_H_

#include <condition_variable>
#include <mutex>
#include <thread>

namespace tintara {

// Font work done on a thread of its own while the program starts. Begun
// before the toolkit, it reads the desktop's font configuration, which takes
// about as long as connecting to the display. Once the toolkit is up it fills
// the toolkit's list of installed fonts, while the main window's first
// controls are made; the first caption laid out waits for the list if it
// must (the toolkit guards the list with a lock).
class FontWarmUp {
 public:
  FontWarmUp();
  ~FontWarmUp();
  FontWarmUp(const FontWarmUp&) = delete;
  FontWarmUp& operator=(const FontWarmUp&) = delete;

  // Waits until the configuration is read, so that nothing reads it a
  // second time alongside.
  void WaitForConfiguration();
  // Lets the thread fill the font list. Call once the application object
  // exists, and call Finish before it goes.
  void FillFontList();
  // Waits for the thread's work, or, before FillFontList, tells it that
  // there is nothing more to do.
  void Finish();

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable changed_;
  bool configuration_read_ = false;
  enum class Next { kWait, kFillFontList, kStop } next_ = Next::kWait;
  std::thread thread_;
};

}  // namespace tintara

#endif  // TINTARA_APP_FONT_WARM_UP_H_
