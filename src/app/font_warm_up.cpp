#include "app/font_warm_up.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace tintara {

FontWarmUp::FontWarmUp() {
  try {
    // The library keeps what it reads as its current configuration, which
    // the toolkit then takes as it is.
    thread_ = std::thread([] { FcInit(); });
  } catch (const std::system_error&) {
    // No thread to spare: the toolkit reads the configuration itself.
  }
}

FontWarmUp::~FontWarmUp() { Wait(); }

void FontWarmUp::Wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace tintara
