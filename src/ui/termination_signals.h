#pragma once
// SIGTERM, SIGHUP and SIGINT close the window the same way its close box
// does, so a logout, a kill or Ctrl+C in a terminal saves the timing.

class QWidget;

namespace velmaric {

// Routes the three signals into the event loop (through a self-pipe) and
// closes the window there. Call once, after the window exists.
void Close_On_Termination_Signals(QWidget* window);

}  // namespace velmaric
