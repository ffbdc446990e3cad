#include "app/start_arguments.h"

#include <gtest/gtest.h>

namespace tintara {
namespace {

using Action = StartRequest::Action;

TEST(StartArguments, NoArgumentsJustStart) {
  const StartRequest request = ReadStartArguments({});
  EXPECT_EQ(request.action, Action::kRun);
  EXPECT_EQ(request.file, "");
}

TEST(StartArguments, OneFileIsOpened) {
  const StartRequest request = ReadStartArguments({"page.html"});
  EXPECT_EQ(request.action, Action::kRun);
  EXPECT_EQ(request.file, "page.html");
}

// Answered before the toolkit takes its options out, so they must win
// wherever they stand and whatever else is there.
TEST(StartArguments, HelpAndVersionWinOverEverythingElse) {
  EXPECT_EQ(ReadStartArguments({"--help"}).action, Action::kHelp);
  EXPECT_EQ(ReadStartArguments({"-h"}).action, Action::kHelp);
  EXPECT_EQ(ReadStartArguments({"--version"}).action, Action::kVersion);
  EXPECT_EQ(ReadStartArguments({"-v"}).action, Action::kVersion);
  EXPECT_EQ(ReadStartArguments({"-platform", "offscreen", "--version"}).action, Action::kVersion);
  EXPECT_EQ(ReadStartArguments({"a", "b", "--bogus", "--help"}).action, Action::kHelp);
  // The first one asked for is answered.
  EXPECT_EQ(ReadStartArguments({"--version", "--help"}).action, Action::kVersion);
}

TEST(StartArguments, DoubleDashEndsTheOptions) {
  EXPECT_EQ(ReadStartArguments({"--", "--help"}).file, "--help");
  EXPECT_EQ(ReadStartArguments({"--", "--help"}).action, Action::kRun);
  EXPECT_EQ(ReadStartArguments({"--", "-x.html"}).file, "-x.html");
  EXPECT_EQ(ReadStartArguments({"--", "--"}).file, "--");
}

TEST(StartArguments, LoneDashIsAFileName) { EXPECT_EQ(ReadStartArguments({"-"}).file, "-"); }

TEST(StartArguments, RefusedArgumentsSayWhy) {
  const StartRequest unknown = ReadStartArguments({"page.html", "--bogus"});
  EXPECT_EQ(unknown.action, Action::kUsageError);
  EXPECT_EQ(unknown.message, "unknown option '--bogus' (try --help)");
  EXPECT_EQ(unknown.file, "");

  const StartRequest two = ReadStartArguments({"a.html", "--", "b.html"});
  EXPECT_EQ(two.action, Action::kUsageError);
  EXPECT_EQ(two.message, "one FILE at most, got 2 (try --help)");

  EXPECT_EQ(ReadStartArguments({""}).action, Action::kUsageError);
}

}  // namespace
}  // namespace tintara
