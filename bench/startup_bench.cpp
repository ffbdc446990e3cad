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
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
  double start_ms = 0;
  double rss_mib = 0;
  int width = 0;
  int height = 0;
};

class Server {
 public:
  Server() {
    connection_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection_)) Fail("cannot connect to the X server");
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection_, &xcb_damage_id);
    if (damage == nullptr || !damage->present) Fail("the X server has no Damage extension");
    damage_event_ = damage->first_event + XCB_DAMAGE_NOTIFY;
    xcb_discard_reply(connection_, xcb_damage_query_version(connection_, 1, 1).sequence);
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    pid_atom_ = Atom("_NET_WM_PID");
    xcb_flush(connection_);
  }
  ~Server() { xcb_disconnect(connection_); }

  // Waits for the first drawing into a top-level window of process `pid`;
  // the window's size, or nothing after `timeout`.
  std::optional<std::pair<int, int>> WaitForFirstFrame(pid_t pid, Clock::duration timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    std::vector<xcb_damage_damage_t> damages;
    std::optional<std::pair<int, int>> shown;
    while (!shown && Clock::now() < deadline) {
      xcb_generic_event_t* event = xcb_poll_for_event(connection_);
      if (event == nullptr) {
        pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
        poll(&fd, 1, 5);
        continue;
      }
      const int type = event->response_type & 0x7f;
      if (type == XCB_CREATE_NOTIFY) {
        // Watched from its creation, so no early drawing is missed.
        const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
        const xcb_damage_damage_t damage = xcb_generate_id(connection_);
        xcb_damage_create(connection_, damage, created->window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        damages.push_back(damage);
        xcb_flush(connection_);
      } else if (type == damage_event_) {
        const auto* drawn = reinterpret_cast<xcb_damage_notify_event_t*>(event);
        if (PidOf(drawn->drawable) == pid) shown = {drawn->geometry.width, drawn->geometry.height};
      }
      std::free(event);
    }
    for (xcb_damage_damage_t damage : damages) xcb_damage_destroy(connection_, damage);
    xcb_flush(connection_);
    return shown;
  }

 private:
  [[noreturn]] static void Fail(const char* why) {
    std::fprintf(stderr, "startup: %s\n", why);
    std::exit(2);
  }

  xcb_atom_t Atom(const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
  }

  pid_t PidOf(xcb_window_t window) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, pid_atom_, XCB_ATOM_CARDINAL, 0, 1),
        nullptr);
    pid_t pid = -1;
    if (reply != nullptr && xcb_get_property_value_length(reply) == 4) {
      pid = static_cast<pid_t>(*static_cast<uint32_t*>(xcb_get_property_value(reply)));
    }
    std::free(reply);
    return pid;
  }

  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = 0;
  int damage_event_ = 0;
  xcb_atom_t pid_atom_ = XCB_ATOM_NONE;
};

double ResidentMib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  }
  return 0;
}

pid_t Start(const std::vector<std::string>& command) {
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    execv(argv[0], argv.data());
    std::fprintf(stderr, "startup: cannot run %s: %s\n", argv[0], std::strerror(errno));
    _exit(127);
  }
  return pid;
}

void Stop(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

std::optional<Sample> Measure(Server& server, const std::vector<std::string>& command) {
  const Clock::time_point start = Clock::now();
  const pid_t pid = Start(command);
  const auto shown = server.WaitForFirstFrame(pid, std::chrono::seconds(20));
  if (!shown) {
    Stop(pid);
    return std::nullopt;
  }
  Sample sample;
  sample.start_ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  sample.width = shown->first;
  sample.height = shown->second;
  std::this_thread::sleep_for(std::chrono::seconds(1));
  sample.rss_mib = ResidentMib(pid);
  Stop(pid);
  return sample;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

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

  // A home of its own: the first start below writes the settings, so the
  // measured starts are ordinary ones, as a user has them every day.
  char home_template[] = "/tmp/tintara-startup.XXXXXX";
  const char* home = mkdtemp(home_template);
  if (home == nullptr) return 2;
  setenv("HOME", home, 1);
  setenv("XDG_CONFIG_HOME", (std::string(home) + "/.config").c_str(), 1);
  setenv("XDG_CACHE_HOME", (std::string(home) + "/.cache").c_str(), 1);
  const std::string runtime = std::string(home) + "/runtime";
  mkdir(runtime.c_str(), 0700);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  unsetenv("QT_QPA_PLATFORM");

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
