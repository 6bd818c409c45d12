// SIGTERM and SIGINT as a readable file descriptor (a self-pipe), so the frame loop's
// wait wakes at once when the daemon stops the program, without polling a flag; and the
// ending by that signal that the daemon expects of a display mode it stops.
#pragma once

namespace velnor {

// Installs the handlers; returns the descriptor that becomes readable on a signal, or
// -1 when no pipe could be made (the signals then end the process by default).
int InstallQuitSignals();

// Whether a quit signal has arrived (reads nothing from the pipe).
bool QuitSignalled();

// After a quit signal, ends the process by that signal as its default action would, so
// that whoever sent it (the daemon) sees a program stopped by it, not one that exited on
// its own. Returns only when no quit signal arrived.
void EndByQuitSignal();

}  // namespace velnor
