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

TEST(StartArguments, PickAndItsPrintingOptions) {
  const StartRequest pick = ReadStartArguments({"--pick"});
  EXPECT_EQ(pick.action, Action::kRun);
  EXPECT_TRUE(pick.pick);
  EXPECT_FALSE(pick.print);
  EXPECT_EQ(pick.format, -1);

  const StartRequest print =
      ReadStartArguments({"--print", "--format", "16", "--pick", "--upper", "--names"});
  EXPECT_EQ(print.action, Action::kRun);
  EXPECT_TRUE(print.pick && print.print && print.names && print.upper);
  EXPECT_EQ(print.format, 16);
  EXPECT_EQ(ReadStartArguments({"--pick", "--print", "--format=0"}).format, 0);
  // After "--" they are file names, like any other word.
  EXPECT_EQ(ReadStartArguments({"--", "--pick"}).file, "--pick");
  EXPECT_FALSE(ReadStartArguments({"--", "--pick"}).pick);
  EXPECT_TRUE(ReadStartArguments({"--bus-activated"}).bus_activated);
}

TEST(StartArguments, PickOptionsThatDoNotGoTogetherAreRefused) {
  const auto refused = [](std::vector<std::string> args) {
    const StartRequest request = ReadStartArguments(args);
    EXPECT_EQ(request.action, Action::kUsageError) << args.front();
    return request.message;
  };
  EXPECT_EQ(refused({"--print"}), "--print needs --pick");
  EXPECT_EQ(refused({"--bus-activated", "--pick"}), "--bus-activated takes no other argument");
  EXPECT_EQ(refused({"--bus-activated", "a.html"}), "--bus-activated takes no other argument");
  EXPECT_EQ(refused({"--pick", "page.html"}), "--pick takes no FILE");
  EXPECT_EQ(refused({"--pick", "--format", "4"}), "--format, --names and --upper need --print");
  EXPECT_EQ(refused({"--pick", "--upper"}), "--format, --names and --upper need --print");
  EXPECT_EQ(refused({"--pick", "--print", "--format"}), "--format needs a number 0..16");
  EXPECT_EQ(refused({"--pick", "--print", "--format", "17"}),
            "--format needs a number 0..16, got '17'");
  EXPECT_EQ(refused({"--pick", "--print", "--format", "-1"}),
            "--format needs a number 0..16, got '-1'");
  EXPECT_EQ(refused({"--pick", "--print", "--format=4x"}),
            "--format needs a number 0..16, got '4x'");
  EXPECT_EQ(refused({"--pick", "--print", "--format", ""}),
            "--format needs a number 0..16, got ''");
}

StartRequest Print(int format, bool names, bool upper) {
  StartRequest request;
  request.pick = request.print = true;
  request.format = format;
  request.names = names;
  request.upper = upper;
  return request;
}

// --format writes as tintara-cli text does, whatever the options chose.
TEST(PrintedPickText, FormatGivenIgnoresTheOptions) {
  const RgbColor red = RgbColor::FromInts(255, 0, 0);
  EXPECT_EQ(PrintedPickText(red, Print(4, false, false), 7, false, false), "color : #ff0000");
  EXPECT_EQ(PrintedPickText(red, Print(4, true, false), 7, true, true), "color : red");
  EXPECT_EQ(
      PrintedPickText(RgbColor::FromInts(0x12, 0x34, 0x56), Print(0, false, true), 4, true, true),
      "123456");
}

// Without it the options' format and form hold; the switches only add.
TEST(PrintedPickText, WithoutFormatTheOptionsHold) {
  const RgbColor red = RgbColor::FromInts(255, 0, 0);
  EXPECT_EQ(PrintedPickText(red, Print(-1, false, false), 4, false, true), "color : red");
  EXPECT_EQ(PrintedPickText(red, Print(-1, false, false), 4, true, false), "COLOR : #FF0000");
  EXPECT_EQ(PrintedPickText(red, Print(-1, true, true), 4, true, true), "COLOR : RED");
}

}  // namespace
}  // namespace tintara
