// How long the program takes from its start to its first frame on the
// screen, and how much memory it holds a second later, beside an empty Qt
// window of the same size. Runs on the X server of DISPLAY (an Xvfb of its
// own under scripts/with-xvfb).
//
//   startup [--runs N] [--program PATH] [--bare PATH] [--caption PATH]
//
// The one-caption window beside them is the empty window with a single
// caption in the program's typeface: the least any window that shows text
// pays.
//
// A frame counts as shown when the X server reports the first drawing into
// a top-level window of the started process (Damage extension), so the time
// covers loading, building the window, mapping it and painting it.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "first_frame.h"

namespace {

using bench::Measure;
using bench::Median;
using bench::Sample;
using bench::Server;

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path here = std::filesystem::canonical("/proc/self/exe").parent_path();
  std::string program = (here / "tintara").string();
  std::string bare = (here / "startup_bare_window").string();
  std::string caption = (here / "startup_caption_window").string();
  int runs = 9;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--program" && i + 1 < argc) {
      program = argv[++i];
    } else if (arg == "--bare" && i + 1 < argc) {
      bare = argv[++i];
    } else if (arg == "--caption" && i + 1 < argc) {
      caption = argv[++i];
    } else {
      std::fprintf(stderr,
                   "usage: startup [--runs N] [--program PATH] [--bare PATH] [--caption PATH]\n");
      return 2;
    }
  }

  char home_template[] = "/tmp/tintara-startup.XXXXXX";
  const char* home = bench::MakeOwnHome(home_template);
  if (home == nullptr) return 2;

  Server server;
  const std::optional<Sample> first = Measure(server, {program});
  if (!first) {
    std::fprintf(stderr, "startup: %s showed no window\n", program.c_str());
    return 1;
  }
  const std::string width = std::to_string(first->width);
  const std::string height = std::to_string(first->height);
  struct Contender {
    const char* name;
    std::vector<std::string> command;
    std::vector<double> ms, mib;
  };
  // Bare first: the ratios are to it.
  Contender contenders[] = {{"empty Qt window", {bare, width, height}, {}, {}},
                            {"one caption", {caption, width, height}, {}, {}},
                            {"tintara", {program}, {}, {}}};
  // The program has had its first start above; the yardsticks get theirs.
  for (const Contender* yardstick : {&contenders[0], &contenders[1]}) {
    if (!Measure(server, yardstick->command)) {
      std::fprintf(stderr, "startup: %s showed no window\n", yardstick->command[0].c_str());
      return 1;
    }
  }

  // Turn about, so that a busy moment of the machine weighs on all alike.
  for (int run = 0; run < runs; ++run) {
    for (Contender& contender : contenders) {
      const auto sample = Measure(server, contender.command);
      if (!sample) {
        std::fprintf(stderr, "startup: a run showed no window\n");
        return 1;
      }
      contender.ms.push_back(sample->start_ms);
      contender.mib.push_back(sample->rss_mib);
    }
  }
  std::filesystem::remove_all(home);

  std::printf("median of %d starts, window %d x %d\n", runs, first->width, first->height);
  std::printf("%-18s %12s %14s %12s %14s\n", "", "first frame", "memory (RSS)", "time ratio",
              "memory ratio");
  const double bare_ms = Median(contenders[0].ms);
  const double bare_mib = Median(contenders[0].mib);
  for (const Contender& contender : contenders) {
    const double ms = Median(contender.ms);
    const double mib = Median(contender.mib);
    std::printf("%-18s %9.1f ms %10.1f MiB %10.2f x %12.2f x\n", contender.name, ms, mib,
                ms / bare_ms, mib / bare_mib);
  }
  std::printf("%-46s %10.2f x %12.2f x\n", "targets for tintara", 1.3, 1.5);
  std::printf("(ratios are to the empty window)\n");
  return 0;
}
