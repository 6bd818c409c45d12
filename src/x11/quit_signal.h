// SIGTERM and SIGINT as a readable file descriptor (a self-pipe), so the frame loop's
// wait wakes at once when the daemon stops the program, without polling a flag.
#pragma once

namespace velnor {

// Installs the handlers; returns the descriptor that becomes readable on a signal, or
// -1 when no pipe could be made (the signals then end the process by default).
int InstallQuitSignals();

// Whether a quit signal has arrived (reads nothing from the pipe).
bool QuitSignalled();

}  // namespace velnor
