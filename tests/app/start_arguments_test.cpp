#include "app/start_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// The toolkit is given these alone, so each keeps its value and none is
// taken for a file or refused.
TEST(StartArguments, ToolkitOptionsAreSetApartWithTheirValues) {
  const StartRequest request = ReadStartArguments(
      {"-platform", "offscreen", "--display", ":1", "page.html", "--style=fusion", "-reverse",
       "-qwindowtitle", "-x.html", "-stylesheet", "a.qss"});
  EXPECT_EQ(request.action, Action::kRun);
  EXPECT_EQ(request.file, "page.html");
  EXPECT_EQ(
      request.toolkit_options,
      (std::vector<std::string>{"-platform", "offscreen", "--display", ":1", "--style=fusion",
                                "-reverse", "-qwindowtitle", "-x.html", "-stylesheet", "a.qss"}));
  // A value is a value, whatever it looks like.
  EXPECT_EQ(ReadStartArguments({"-title", "--help"}).action, Action::kRun);
  EXPECT_EQ(ReadStartArguments({"-name", "a.html", "b.html"}).file, "b.html");
  // After "--" they are file names like any other.
  const StartRequest after = ReadStartArguments({"--", "-reverse"});
  EXPECT_EQ(after.file, "-reverse");
  EXPECT_TRUE(after.toolkit_options.empty());
}

TEST(StartArguments, RefusedArgumentsSayWhy) {
  const StartRequest unknown = ReadStartArguments({"page.html", "--bogus"});
  EXPECT_EQ(unknown.action, Action::kUsageError);
  EXPECT_EQ(unknown.message, "unknown option '--bogus' (try --help)");
  EXPECT_EQ(unknown.file, "");

  const StartRequest two = ReadStartArguments({"a.html", "--", "b.html"});
  EXPECT_EQ(two.action, Action::kUsageError);
  EXPECT_EQ(two.message, "one FILE at most, got 2 (try --help)");

  EXPECT_EQ(ReadStartArguments({""}).action, Action::kUsageError);

  const StartRequest no_value = ReadStartArguments({"page.html", "-platform"});
  EXPECT_EQ(no_value.action, Action::kUsageError);
  EXPECT_EQ(no_value.message, "option '-platform' needs a value (try --help)");
  // Only the options the toolkit reads so take a value after '='.
  EXPECT_EQ(ReadStartArguments({"-platform=xcb"}).message,
            "unknown option '-platform=xcb' (try --help)");
  // The first refusal is told.
  EXPECT_EQ(ReadStartArguments({"-x", "-y"}).message, "unknown option '-x' (try --help)");
}

}  // namespace
}  // namespace tintara
