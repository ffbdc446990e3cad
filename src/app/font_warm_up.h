#ifndef TINTARA_APP_FONT_WARM_UP_H_
#define TINTARA_APP_FONT_WARM_UP_H_

#include <thread>

namespace tintara {

// Reads the desktop's font configuration on a thread of its own, begun
// before the toolkit starts. Connecting to the display and loading the
// toolkit's plug-ins take about as long, so the first caption laid out finds
// the configuration read instead of waiting for it.
class FontWarmUp {
 public:
  FontWarmUp();
  ~FontWarmUp();
  FontWarmUp(const FontWarmUp&) = delete;
  FontWarmUp& operator=(const FontWarmUp&) = delete;

  // Waits until the configuration is read. Called before the first text is
  // measured, so that the toolkit never reads it a second time alongside.
  void Wait();

 private:
  std::thread thread_;
};

}  // namespace tintara

#endif  // TINTARA_APP_FONT_WARM_UP_H_
