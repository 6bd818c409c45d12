// A plain X window for the end-to-end tests to hand to `velnor --window-id`, as the
// daemon's settings program hands it its preview pane: black, at the given place and
// size; prints its id and lives until it is terminated.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: velnor_test_window X Y WIDTH HEIGHT\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    const int screen = DefaultScreen(display);
    const Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), std::atoi(argv[1]),
                            std::atoi(argv[2]), static_cast<unsigned int>(std::atoi(argv[3])),
                            static_cast<unsigned int>(std::atoi(argv[4])), 0,
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
