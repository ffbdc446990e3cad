#include "platform/termination_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace tintara {
namespace {

// The handler may only write to a socket; the event loop reads the other end.
int signal_sockets[2] = {-1, -1};

void WriteSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signal_sockets[0], &byte, 1);
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> on_signal, QObject* parent)
    : QObject(parent), on_signal_(std::move(on_signal)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signal_sockets) != 0) return;
  notifier_ = new QSocketNotifier(signal_sockets[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Receive);
  struct sigaction action = {};
  action.sa_handler = WriteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal_number : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal_number, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  for (int signal_number : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal_number, SIG_DFL);
  delete notifier_;
  for (int& fd : signal_sockets) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

void TerminationSignals::Receive() {
  char byte;
  [[maybe_unused]] const ssize_t got = ::read(signal_sockets[1], &byte, 1);
  on_signal_();
}

}  // namespace tintara
