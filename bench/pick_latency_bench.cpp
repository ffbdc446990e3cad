// How fast a pick begins: from `tintara --pick` to the first frame of the
// frozen screen, (1) handed to a running program and (2) with none running,
// beside an empty Qt window's start-up and tintara's own start-up to its
// main window, measured turn about in the same run. Runs on the X server of
// DISPLAY (an Xvfb of its own under scripts/with-xvfb), with a session bus
// of its own.
//
//   pick_latency [--runs N] [--program PATH] [--bare PATH]
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "first_frame.h"

namespace {

using bench::Clock;
using bench::Median;
using bench::Server;

// dbus-daemon on a bus of its own, for as long as this runs.
class PrivateBus {
 public:
  PrivateBus() {
    FILE* daemon = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
    char address[512] = {};
    char pid[32] = {};
    if (daemon == nullptr || fgets(address, sizeof address, daemon) == nullptr ||
        fgets(pid, sizeof pid, daemon) == nullptr) {
      std::fprintf(stderr, "pick_latency: cannot start dbus-daemon\n");
      std::exit(2);
    }
    pclose(daemon);
    address[std::strcspn(address, "\n")] = '\0';
    pid_ = std::atoi(pid);
    setenv("DBUS_SESSION_BUS_ADDRESS", address, 1);
  }
  ~PrivateBus() {
    if (pid_ > 0) kill(pid_, SIGTERM);
  }

 private:
  pid_t pid_ = 0;
};

// Milliseconds from starting `command` to the first frame drawn by process
// `drawer` (the started process itself when 0).
std::optional<double> TimeToFrame(Server& server, const std::vector<std::string>& command,
                                  pid_t drawer = 0) {
  if (drawer != 0) server.WatchWindowsOf(drawer, std::chrono::milliseconds(200));
  const Clock::time_point start = Clock::now();
  const pid_t pid = bench::Start(command);
  const auto shown = server.WaitForFirstFrame(drawer != 0 ? drawer : pid, std::chrono::seconds(20));
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  if (drawer != 0) {
    waitpid(pid, nullptr, 0);
  } else {
    bench::Stop(pid);
  }
  if (!shown) return std::nullopt;
  return ms;
}

// Gives up the pick under way, as Escape does, and lets the program's main
// window come back and settle.
void GiveUp() {
  if (std::system("xdotool key Escape") != 0) {
    std::fprintf(stderr, "pick_latency: xdotool failed\n");
    std::exit(2);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
}

[[noreturn]] void NoFrame(const char* what) {
  std::fprintf(stderr, "pick_latency: no frame for %s\n", what);
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path here = std::filesystem::canonical("/proc/self/exe").parent_path();
  std::string program = (here / "tintara").string();
  std::string bare = (here / "startup_bare_window").string();
  int runs = 9;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--program" && i + 1 < argc) {
      program = argv[++i];
    } else if (arg == "--bare" && i + 1 < argc) {
      bare = argv[++i];
    } else {
      std::fprintf(stderr, "usage: pick_latency [--runs N] [--program PATH] [--bare PATH]\n");
      return 2;
    }
  }

  char home_template[] = "/tmp/tintara-pick.XXXXXX";
  const char* home = bench::MakeOwnHome(home_template);
  if (home == nullptr) return 2;
  PrivateBus bus;

  Server server;
  // The first start writes the settings; the yardstick gets its first start.
  const std::optional<bench::Sample> first = bench::Measure(server, {program});
  if (!first) NoFrame("tintara");
  const std::vector<std::string> bare_command = {bare, std::to_string(first->width),
                                                 std::to_string(first->height)};
  if (!TimeToFrame(server, bare_command)) NoFrame("the empty window");

  std::vector<double> bare_ms, program_ms, handed_ms, alone_ms;
  for (int run = 0; run < runs; ++run) {
    const auto empty = TimeToFrame(server, bare_command);
    const auto start = TimeToFrame(server, {program});
    const auto alone = TimeToFrame(server, {program, "--pick"});
    if (!empty || !start || !alone) NoFrame("a start");
    bare_ms.push_back(*empty);
    program_ms.push_back(*start);
    alone_ms.push_back(*alone);
  }
  // The running program: started once, then handed every pick.
  const pid_t running = bench::Start({program});
  if (!server.WaitForFirstFrame(running, std::chrono::seconds(20))) NoFrame("the running program");
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  for (int run = 0; run < runs; ++run) {
    const auto handed = TimeToFrame(server, {program, "--pick"}, running);
    if (!handed) NoFrame("a handed pick");
    handed_ms.push_back(*handed);
    GiveUp();
  }
  bench::Stop(running);
  std::filesystem::remove_all(home);

  const double empty = Median(bare_ms);
  const double start = Median(program_ms);
  const double handed = Median(handed_ms);
  const double alone = Median(alone_ms);
  std::printf("median of %d runs\n", runs);
  std::printf("%-44s %9.1f ms\n", "empty Qt window, start to first frame", empty);
  std::printf("%-44s %9.1f ms\n", "tintara, start to its main window", start);
  std::printf("%-44s %9.1f ms %7.2f x the empty window (target 1.0)\n",
              "(1) --pick handed to a running program", handed, handed / empty);
  std::printf("%-44s %9.1f ms %7.2f x tintara's start-up (target 1.3)\n",
              "(2) --pick with none running", alone, alone / start);
  return 0;
}
