#include "app/font_warm_up.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QStringList>

namespace tintara {
namespace {

// Each of these would hang, not fail, if the thread waited for a step that
// never comes; the test's time limit catches that.
TEST(FontWarmUp, FillsTheFontListWhileTheCallerGoesOn) {
  FontWarmUp fonts;
  fonts.WaitForConfiguration();
  fonts.FillFontList();
  // Asked meanwhile, the list waits for the thread and comes whole.
  EXPECT_FALSE(QFontDatabase::families().isEmpty());
  fonts.Finish();
  fonts.Finish();
}

TEST(FontWarmUp, EndsWithoutBeingToldToFillTheList) {
  { FontWarmUp never_told; }
  FontWarmUp finished;
  finished.Finish();
  // Too late: the thread has gone, and nothing happens.
  finished.FillFontList();
  finished.WaitForConfiguration();
}

}  // namespace
}  // namespace tintara
