#pragma once
// SIGTERM, SIGHUP and SIGINT end the program the way the end of the session
// does, so a logout, a kill or Ctrl+C in a terminal saves the timing and the
// program always ends.

#include <functional>

class QObject;

namespace velmaric {

// Routes the three signals into the event loop (through a self-pipe) and
// runs on_signal there. Call once; context owns the routing.
void On_Termination_Signals(QObject* context, std::function<void()> on_signal);

}  // namespace velmaric
