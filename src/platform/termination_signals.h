#ifndef TINTARA_PLATFORM_TERMINATION_SIGNALS_H_
#define TINTARA_PLATFORM_TERMINATION_SIGNALS_H_

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace tintara {

// Turns SIGTERM, SIGINT and SIGHUP (the session ending, kill, Ctrl+C in the
// terminal) into a call on the event loop, so the program can close as its
// exit command does and keep its settings.
class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  explicit TerminationSignals(std::function<void()> on_signal, QObject* parent = nullptr);
  ~TerminationSignals() override;

 private:
  void Receive();

  std::function<void()> on_signal_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tintara

#endif  // TINTARA_PLATFORM_TERMINATION_SIGNALS_H_
