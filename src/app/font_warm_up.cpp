#include "app/font_warm_up.h"

#include <fontconfig/fontconfig.h>

#include <QFontDatabase>
#include <QStringList>
#include <system_error>

namespace tintara {

FontWarmUp::FontWarmUp() {
  try {
    thread_ = std::thread([this] { Run(); });
  } catch (const std::system_error&) {
    // No thread to spare: the toolkit does all of it itself.
  }
}

FontWarmUp::~FontWarmUp() { Finish(); }

void FontWarmUp::Run() {
  // The library keeps what it reads as its current configuration, which the
  // toolkit then takes as it is.
  FcInit();
  std::unique_lock lock(mutex_);
  configuration_read_ = true;
  changed_.notify_all();
  changed_.wait(lock, [this] { return next_ != Next::kWait; });
  if (next_ != Next::kFillFontList) return;
  lock.unlock();
  // The toolkit fills its list on the first question about it.
  QFontDatabase::families();
}

void FontWarmUp::WaitForConfiguration() {
  if (!thread_.joinable()) return;
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return configuration_read_; });
}

void FontWarmUp::FillFontList() {
  const std::lock_guard lock(mutex_);
  if (next_ == Next::kWait) next_ = Next::kFillFontList;
  changed_.notify_all();
}

void FontWarmUp::Finish() {
  if (!thread_.joinable()) return;
  {
    const std::lock_guard lock(mutex_);
    if (next_ == Next::kWait) next_ = Next::kStop;
    changed_.notify_all();
  }
  thread_.join();
}

}  // namespace tintara
