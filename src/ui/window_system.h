#pragma once
// The connection to the window system, made once at start.

#include <QApplication>
#include <memory>

namespace velmaric {

// The application object, connected to the window system; or, when none
// can be reached (the platform plugin fails, whatever $DISPLAY says), one
// line on the standard error and the end of the process with status 1.
std::unique_ptr<QApplication> Connect_To_Window_System(int& argc, char** argv);

}  // namespace velmaric
