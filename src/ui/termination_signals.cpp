#include "ui/termination_signals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace velmaric {
namespace {

int signal_pipe[2] = {-1, -1};

void On_Signal(int signal_number) {
  const char byte = static_cast<char>(signal_number);
  // Only async-signal-safe work here; the event loop does the rest.
  [[maybe_unused]] const ssize_t written = write(signal_pipe[1], &byte, 1);
}

}  // namespace

void On_Termination_Signals(QObject* context, std::function<void()> on_signal) {
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signal_pipe) != 0) return;
  auto* notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, context);
  QObject::connect(notifier, &QSocketNotifier::activated, context, [on_signal] {
    char byte = 0;
    while (read(signal_pipe[0], &byte, 1) > 0) {
    }
    on_signal();
  });
  struct sigaction action {};
  action.sa_handler = On_Signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal_number : {SIGTERM, SIGHUP, SIGINT})
    sigaction(signal_number, &action, nullptr);
}

}  // namespace velmaric
