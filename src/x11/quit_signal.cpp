// The self-pipe of SIGTERM and SIGINT.
#include "x11/quit_signal.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace velnor {
namespace {

int g_writeEnd = -1;  // written by the signal handler only
volatile sig_atomic_t g_quit = 0;

void OnQuitSignal(int) {
    g_quit = 1;
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up; nothing is lost by dropping this one.
    [[maybe_unused]] const ssize_t written = write(g_writeEnd, &byte, 1);
    errno = saved;
}

}  // namespace

int InstallQuitSignals() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
    g_writeEnd = ends[1];
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    return ends[0];
}

bool QuitSignalled() {
    return g_quit != 0;
}

}  // namespace velnor
