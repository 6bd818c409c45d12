// The draw window, its geometry and the monitors, from Xlib, RandR and Xinerama.
#include "x11/display_x11.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace velnor {
namespace {

constexpr int kOwnWindowWidth = 1024;
constexpr int kOwnWindowHeight = 768;

// Whether `window` exists, without Xlib's default handler ending the program on a
// BadWindow error.
bool g_lookupFailed = false;
int NoteLookupError(Display*, XErrorEvent*) {
    g_lookupFailed = true;
    return 0;
}

bool WindowExists(Display* display, Window window) {
    XWindowAttributes attributes;
    g_lookupFailed = false;
    XSync(display, False);
    XErrorHandler previous = XSetErrorHandler(NoteLookupError);
    const Status status = XGetWindowAttributes(display, window, &attributes);
    XSync(display, False);
    XSetErrorHandler(previous);
    return status != 0 && !g_lookupFailed;
}

// $XSCREENSAVER_WINDOW when it names an existing window, else the root window.
Window RootTarget(Display* display) {
    if (const char* named = std::getenv("XSCREENSAVER_WINDOW")) {
        if (const auto id = ParseWindowId(named); id && WindowExists(display, *id)) return *id;
    }
    return DefaultRootWindow(display);
}

// The window's properties as stock display modes set them on theirs, by which window
// managers and tools find it: name and class, the command line (WM_COMMAND), the machine
// (WM_CLIENT_MACHINE), input and size hints, the close protocol and _NET_WM_PID.
void SetOwnWindowProperties(Display* display, DrawWindow& own,
                            const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& argument : command) argv.push_back(const_cast<char*>(argument.c_str()));
    char title[] = "Velnor";
    char* titles[] = {title};
    XTextProperty name{};
    XStringListToTextProperty(titles, 1, &name);
    XSizeHints* size = XAllocSizeHints();
    size->flags = PSize | PMinSize;
    size->width = kOwnWindowWidth;
    size->height = kOwnWindowHeight;
    size->min_width = 1;
    size->min_height = 1;
    XWMHints* hints = XAllocWMHints();
    hints->flags = InputHint | StateHint;
    hints->input = True;
    hints->initial_state = NormalState;
    XClassHint* classHint = XAllocClassHint();
    classHint->res_name = const_cast<char*>("velnor");
    classHint->res_class = const_cast<char*>("Velnor");
    XSetWMProperties(display, own.window, &name, &name, argv.data(), static_cast<int>(argv.size()),
                     size, hints, classHint);
    XFree(name.value);
    XFree(size);
    XFree(hints);
    XFree(classHint);
    own.deleteMessage = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, own.window, &own.deleteMessage, 1);
    const unsigned long pid = static_cast<unsigned long>(getpid());
    XChangeProperty(display, own.window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL,
                    32, PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
}

DrawWindow CreateOwnWindow(Display* display, const std::vector<std::string>& command) {
    const int screen = DefaultScreen(display);
    DrawWindow own;
    own.own = true;
    own.window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, kOwnWindowWidth,
                                     kOwnWindowHeight, 0, BlackPixel(display, screen),
                                     BlackPixel(display, screen));
    SetOwnWindowProperties(display, own, command);
    XSelectInput(display, own.window, KeyPressMask | StructureNotifyMask | ExposureMask);
    XMapWindow(display, own.window);
    return own;
}

bool g_windowGone = false;
std::set<int> g_reportedErrors;  // error codes already written to standard error

int NoteError(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow || error->error_code == BadDrawable) {
        g_windowGone = true;
        return 0;
    }
    if (g_reportedErrors.insert(error->error_code).second) {
        char text[160] = "";
        XGetErrorText(display, error->error_code, text, sizeof text);
        std::fprintf(stderr, "velnor: X error: %s (request %d)\n", text, error->request_code);
    }
    return 0;
}

std::vector<MonitorArea> RandrMonitors(Display* display) {
    std::vector<MonitorArea> monitors;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) ||
        !XRRQueryVersion(display, &major, &minor) || major < 1 || (major == 1 && minor < 5)) {
        return monitors;
    }
    int count = 0;
    if (XRRMonitorInfo* info = XRRGetMonitors(display, DefaultRootWindow(display), True, &count)) {
        for (int i = 0; i < count; ++i) {
            const XRRMonitorInfo& m = info[i];
            monitors.push_back(
                MonitorArea{Rect{m.x, m.y, m.x + m.width, m.y + m.height}, m.primary != 0});
        }
        XRRFreeMonitors(info);
    }
    return monitors;
}

std::vector<MonitorArea> XineramaMonitors(Display* display) {
    std::vector<MonitorArea> monitors;
    int eventBase = 0, errorBase = 0;
    if (!XineramaQueryExtension(display, &eventBase, &errorBase) || !XineramaIsActive(display)) {
        return monitors;
    }
    int count = 0;
    if (XineramaScreenInfo* screens = XineramaQueryScreens(display, &count)) {
        for (int i = 0; i < count; ++i) {
            const XineramaScreenInfo& s = screens[i];
            monitors.push_back(
                MonitorArea{Rect{s.x_org, s.y_org, s.x_org + s.width, s.y_org + s.height}, i == 0});
        }
        XFree(screens);
    }
    return monitors;
}

}  // namespace

void InstallErrorHandler() {
    XSetErrorHandler(NoteError);
}

bool DrawWindowGone() {
    return g_windowGone;
}

std::optional<DrawWindow> OpenDrawWindow(Display* display, DrawTarget target,
                                         std::uint32_t windowId,
                                         const std::vector<std::string>& command) {
    if (target == DrawTarget::kOwnWindow) return CreateOwnWindow(display, command);
    DrawWindow given;
    if (target == DrawTarget::kRoot) {
        given.window = RootTarget(display);
        given.spansRoot = true;
    } else {
        if (!WindowExists(display, windowId)) return std::nullopt;
        given.window = windowId;
    }
    // Size changes and exposures only: input on a given window belongs to its owner.
    XSelectInput(display, given.window, StructureNotifyMask | ExposureMask);
    return given;
}

std::optional<WindowGeometry> GeometryOf(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return std::nullopt;
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, attributes.root, 0, 0, &rootX, &rootY, &child);
    WindowGeometry geometry;
    geometry.inRoot = Rect{rootX, rootY, rootX + attributes.width, rootY + attributes.height};
    geometry.visual = attributes.visual;
    geometry.depth = attributes.depth;
    return geometry;
}

std::vector<MonitorArea> QueryMonitors(Display* display) {
    // Xephyr screens joined by Xinerama, for one, keep RandR on and report one monitor
    // there: as the daemon does, the source that sees more monitors wins.
    std::vector<MonitorArea> randr = RandrMonitors(display);
    std::vector<MonitorArea> xinerama = XineramaMonitors(display);
    return randr.size() >= xinerama.size() ? randr : xinerama;
}

}  // namespace velnor
