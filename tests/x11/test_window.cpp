// X client of the end-to-end tests. `velnor_test_window X Y WIDTH HEIGHT` makes a plain
// black window, as the daemon's settings program makes its preview pane, prints its id
// and lives until it is terminated. `velnor_test_window --close ID` asks window ID to
// close as a window manager's close button does (WM_DELETE_WINDOW).
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int AskToClose(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return sent ? 0 : 1;
}

[[noreturn]] void ShowWindow(Display* display, char** place) {
    const int screen = DefaultScreen(display);
    const Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), std::atoi(place[0]),
                            std::atoi(place[1]), static_cast<unsigned int>(std::atoi(place[2])),
                            static_cast<unsigned int>(std::atoi(place[3])), 0,
                            BlackPixel(display, screen), BlackPixel(display, screen));
    XStoreName(display, window, "velnor test window");
    XSelectInput(display, window, StructureNotifyMask);
    XMapWindow(display, window);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify) {
            std::printf("0x%lx\n", window);
            std::fflush(stdout);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const bool close = argc == 3 && std::strcmp(argv[1], "--close") == 0;
    if (!close && argc != 5) {
        std::fprintf(stderr, "usage: velnor_test_window X Y WIDTH HEIGHT | --close ID\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    if (close) return AskToClose(display, std::strtoul(argv[2], nullptr, 0));
    ShowWindow(display, argv + 1);
}
