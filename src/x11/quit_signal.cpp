// The self-pipe of SIGTERM and SIGINT, and the ending by the signal that arrived. The
// program finishes its frame and closes its display first; should that take longer than
// a short grace (an X server that answers late keeps it waiting inside Xlib), a timer ends
// the process by the signal anyway, so a display mode the daemon stops ends at once.
#include "x11/quit_signal.h"

#include <fcntl.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

namespace velnor {
namespace {

constexpr long kGraceNanoseconds = 50'000'000;

int g_writeEnd = -1;               // written by the signal handler only
volatile sig_atomic_t g_quit = 0;  // the signal that arrived, 0 before
timer_t g_graceTimer{};
bool g_haveGraceTimer = false;

[[noreturn]] void DieBy(int signal) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    sigset_t unblocked;
    sigemptyset(&unblocked);
    sigaddset(&unblocked, signal);
    sigprocmask(SIG_UNBLOCK, &unblocked, nullptr);
    raise(signal);
    _exit(128 + signal);  // not reached: the default action of both signals ends the process
}

void OnQuitSignal(int signal) {
    if (g_quit != 0) return;
    g_quit = signal;
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up; nothing is lost by dropping this one.
    [[maybe_unused]] const ssize_t written = write(g_writeEnd, &byte, 1);
    if (g_haveGraceTimer) {
        itimerspec grace{};
        grace.it_value.tv_nsec = kGraceNanoseconds;
        timer_settime(g_graceTimer, 0, &grace, nullptr);
    }
    errno = saved;
}

void OnGraceOver(int) {
    DieBy(g_quit);
}

}  // namespace

int InstallQuitSignals() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
    g_writeEnd = ends[1];
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = OnGraceOver;
    sigaction(SIGALRM, &action, nullptr);
    sigevent expiry{};
    expiry.sigev_notify = SIGEV_SIGNAL;
    expiry.sigev_signo = SIGALRM;
    g_haveGraceTimer = timer_create(CLOCK_MONOTONIC, &expiry, &g_graceTimer) == 0;
    action.sa_handler = OnQuitSignal;
    sigaddset(&action.sa_mask, SIGTERM);
    sigaddset(&action.sa_mask, SIGINT);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    return ends[0];
}

bool QuitSignalled() {
    return g_quit != 0;
}

void EndByQuitSignal() {
    if (g_quit != 0) DieBy(g_quit);
}

}  // namespace velnor
