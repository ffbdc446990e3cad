// What the start-up benchmarks share: the X server watched for the first
// frame of a process, starting and stopping processes, resident memory and
// medians.
#ifndef TINTARA_BENCH_FIRST_FRAME_H_
#define TINTARA_BENCH_FIRST_FRAME_H_

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
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace bench {

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
        Watch(created->window);
        xcb_flush(connection_);
      } else if (type == damage_event_) {
        const auto* drawn = reinterpret_cast<xcb_damage_notify_event_t*>(event);
        if (PidOf(drawn->drawable) == pid) shown = {drawn->geometry.width, drawn->geometry.height};
      }
      std::free(event);
    }
    for (xcb_damage_damage_t damage : damages_) xcb_damage_destroy(connection_, damage);
    damages_.clear();
    xcb_flush(connection_);
    return shown;
  }

  // Watches the top-level windows process `pid` has already made, shown or
  // not, so the next WaitForFirstFrame also sees them drawn again. What the
  // server reports for them at once, or while `quiet` lasts, is dropped.
  void WatchWindowsOf(pid_t pid, Clock::duration quiet) {
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr);
    if (tree == nullptr) return;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
      if (PidOf(children[i]) == pid) Watch(children[i]);
    }
    std::free(tree);
    xcb_flush(connection_);
    const Clock::time_point end = Clock::now() + quiet;
    while (Clock::now() < end) {
      if (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        std::free(event);
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }
    // Empty again, so the next drawing is reported.
    for (xcb_damage_damage_t damage : damages_) {
      xcb_damage_subtract(connection_, damage, XCB_NONE, XCB_NONE);
    }
    xcb_flush(connection_);
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

  void Watch(xcb_window_t window) {
    const xcb_damage_damage_t damage = xcb_generate_id(connection_);
    xcb_damage_create(connection_, damage, window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    damages_.push_back(damage);
  }

  xcb_connection_t* connection_ = nullptr;
  std::vector<xcb_damage_damage_t> damages_;
  xcb_window_t root_ = 0;
  int damage_event_ = 0;
  xcb_atom_t pid_atom_ = XCB_ATOM_NONE;
};

inline double ResidentMib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  }
  return 0;
}

inline pid_t Start(const std::vector<std::string>& command) {
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

inline void Stop(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

inline std::optional<Sample> Measure(Server& server, const std::vector<std::string>& command) {
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

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A home of its own for the programs measured, from a mkdtemp template: the
// first start writes the settings, so the measured starts are ordinary ones,
// as a user has them every day. Null if it cannot be made.
inline const char* MakeOwnHome(char* name_template) {
  const char* home = mkdtemp(name_template);
  if (home == nullptr) return nullptr;
  setenv("HOME", home, 1);
  setenv("XDG_CONFIG_HOME", (std::string(home) + "/.config").c_str(), 1);
  setenv("XDG_CACHE_HOME", (std::string(home) + "/.cache").c_str(), 1);
  const std::string runtime = std::string(home) + "/runtime";
  mkdir(runtime.c_str(), 0700);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  unsetenv("QT_QPA_PLATFORM");
  return home;
}

}  // namespace bench

#endif  // TINTARA_BENCH_FIRST_FRAME_H_
