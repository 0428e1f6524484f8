#pragma once
// Failing the program's file writes on demand.
//
// The test executable is linked with the linker's --wrap for the write-side
// system calls that our static libraries import (see CMakeLists.txt). Every
// such call is routed through fault_switch.cpp, which passes it straight on
// unless it touches the watched folder:
//   - open for writing (or of a folder, which is opened only to flush it),
//     mkostemp (the temporary file of an atomic save) and rename: by path;
//   - write, fsync, ftruncate, and close of a file opened for writing: by
//     the descriptor, remembered when it was opened on a watched path.
// Those calls are counted from 1 after Arm, and the armed one fails with the
// chosen errno. A failing write first lands half of its bytes and returns a
// short count, and the retry fails: a disk that fills up in the middle of a
// write. A failing close has closed the descriptor all the same, as Linux
// does.

#include <string>
#include <vector>

namespace velmaric::testing::fault {

// Watches the files under folder (an absolute path) from now on.
void Watch(const std::string& folder);

// From now on, the call_number-th watched call fails with error_number;
// 0 counts without failing. Clears the count and the trace.
void Arm(int call_number, int error_number);

// Watched calls since the last Arm.
int Calls();
bool Fired();
// "write logs/run.log", "rename app/velmaric.ini", ... (temporary names as
// ".velmaric.ini.XXXXXX"), in the order they were made.
const std::vector<std::string>& Trace();
// The entry of Trace that failed; empty when none did.
std::string Fired_Call();

}  // namespace velmaric::testing::fault
