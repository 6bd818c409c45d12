// The X11 half of the saver loop: scenes per monitor, XImage outputs and the event wait.
#include "x11/saver_x11.h"

#include <X11/keysym.h>
#include <poll.h>

#include <cstdlib>
#include <ctime>

#include "saver/saver_loop.h"
#include "saver/saver_scene.h"
#include "settings/picture_source.h"
#include "x11/quit_signal.h"
#include "x11/scene_layout.h"
#include "x11/screen_image_x11.h"

namespace velnor {
namespace {

// Presents a scene's frame on the draw window at the scene's place, and with -fps (a
// `frameRate`) the frame rate's box over it.
class ImageOutput final : public FrameOutput {
  public:
    ImageOutput(Window window, GC gc, const SaverScene& scene, bool* unsynced,
                const FrameRateMeter* frameRate)
        : window_(window), gc_(gc), scene_(scene), unsynced_(unsynced), frameRate_(frameRate) {}

    ScreenImage& image() { return image_; }
    ScreenImage& overlay() { return overlay_; }

    bool Show(std::span<const Rect> areas) override {
        const Rect& at = scene_.screen().windowRect;
        for (const Rect& area : areas) {
            image_.Put(window_, gc_, scene_.frame(), area, at.left, at.top);
        }
        const SaverScreen& screen = scene_.screen();
        const auto place = FrameRateBoxPlace(screen.screenWidth, screen.screenHeight);
        if (frameRate_ && place) {
            const Surface box = FrameRateBox(FrameRateText(frameRate_->rate()));
            overlay_.Put(window_, gc_, box, box.bounds(), at.left + place->x, at.top + place->y);
        }
        *unsynced_ = true;
        return true;
    }

  private:
    Window window_;
    GC gc_;
    const SaverScene& scene_;
    bool* unsynced_;
    const FrameRateMeter* frameRate_;
    ScreenImage image_;
    ScreenImage overlay_;
};

}  // namespace

SaverX11::SaverX11(Display* display, const DrawWindow& target, const SaverRun& run)
    : display_(display), target_(target), run_(run) {}

SaverX11::~SaverX11() {
    if (gc_) XFreeGC(display_, gc_);
}

void SaverX11::Run() {
    gc_ = XCreateGC(display_, target_.window, 0, nullptr);
    SaverLoopSetup setup;
    setup.settings = run_.settings;
    setup.sample = run_.sample;
    setup.makeDecoder = MakeBackgroundPictureDecoder;
    setup.makePictureSource = MakePlatformPictureSource;
    setup.frameStatistics = FrameStatisticsPathFromEnvironment();
    SaverLoop loop(*this, setup);
    const int status = loop.Run();
    // The daemon waits for the program to end: nothing is taken down piece by piece (the
    // screen-sized images and surfaces, a picture worker that may be in the middle of a
    // decode). The X server frees what the connection made when it closes. A quit signal
    // ends the process by that signal, as the daemon expects of the modes it stops.
    EndByQuitSignal();
    std::_Exit(status);
}

std::int64_t SaverX11::NowMicroseconds() {
    return velnor::NowMicroseconds();
}

ScenePlan SaverX11::PlaceScenes() {
    ScenePlan plan;
    geometry_ = GeometryOf(display_, target_.window);
    if (!geometry_) return plan;
    const Rect& inRoot = geometry_->inRoot;
    const std::vector<MonitorArea> monitors =
        target_.spansRoot ? QueryMonitors(display_) : std::vector<MonitorArea>{};
    plan.screens = PlanWindowScenes(monitors, inRoot, run_.seed);
    if (run_.fitBallToWindow) {
        plan.scale = FittedRadius(run_.settings->scale, static_cast<int>(inRoot.width()),
                                  static_cast<int>(inRoot.height()));
    }
    return plan;
}

std::unique_ptr<FrameOutput> SaverX11::MakeOutput(const SaverScene& scene) {
    auto output = std::make_unique<ImageOutput>(target_.window, gc_, scene, &unsynced_,
                                                run_.showFrameRate ? &frameRate_ : nullptr);
    const SaverScreen& screen = scene.screen();
    if (!geometry_ ||
        !output->image().Create(display_, geometry_->visual, geometry_->depth, screen.screenWidth,
                                screen.screenHeight, run_.allowSharedMemory)) {
        return nullptr;
    }
    if (run_.showFrameRate) {
        const Surface box = FrameRateBox("");
        if (!output->overlay().Create(display_, geometry_->visual, geometry_->depth, box.width(),
                                      box.height(), false)) {
            return nullptr;
        }
    }
    return output;
}

void SaverX11::FrameDone(std::int64_t /*frameStart*/, const FramePresentations& /*presented*/) {
    frameRate_.CountFrame(NowMicroseconds());
}

bool SaverX11::QuitRequested() const {
    return QuitSignalled() || DrawWindowGone();
}

std::optional<SaverEvent> SaverX11::WaitUntil(std::int64_t deadline) {
    // Looked at before anything else, so a quit is never passed over however late the
    // frames run, and never waits for the server to take the last frame.
    if (QuitRequested()) return SaverEvent::kQuit;
    if (unsynced_) {
        // Waits until the server has taken every image, so a shared one may be reused.
        XSync(display_, False);
        unsynced_ = false;
    }
    pollfd sources[2] = {{ConnectionNumber(display_), POLLIN, 0}, {run_.quitFd, POLLIN, 0}};
    const nfds_t count = run_.quitFd >= 0 ? 2 : 1;
    for (;;) {
        if (const std::optional<SaverEvent> event = TakePendingEvent()) return event;
        if (QuitRequested()) return SaverEvent::kQuit;
        const std::int64_t remaining = deadline - NowMicroseconds();
        if (remaining <= 0) return std::nullopt;
        const timespec wait{static_cast<time_t>(remaining / 1'000'000),
                            static_cast<long>(remaining % 1'000'000) * 1000};
        ppoll(sources, count, deadline == kNoDeadline ? nullptr : &wait, nullptr);
    }
}

std::optional<SaverEvent> SaverX11::TakePendingEvent() {
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (const std::optional<SaverEvent> wanted = EventOf(event)) return wanted;
    }
    if (!configuredSize_) return std::nullopt;
    // Only a change of size makes new scenes; a move keeps them. The size comes from the
    // last configure event, without a round trip to the server: a window being dragged
    // sends one for each step.
    const auto [width, height] = *configuredSize_;
    configuredSize_.reset();
    const bool sizeChanged =
        !geometry_ || width != geometry_->inRoot.width() || height != geometry_->inRoot.height();
    return sizeChanged ? std::optional(SaverEvent::kResized) : std::nullopt;
}

std::optional<SaverEvent> SaverX11::EventOf(XEvent& event) {
    switch (event.type) {
        case ConfigureNotify:
            if (event.xconfigure.window == target_.window) {
                configuredSize_ = {event.xconfigure.width, event.xconfigure.height};
            }
            break;
        case Expose:
            return SaverEvent::kExposed;
        case DestroyNotify:
            if (event.xdestroywindow.window == target_.window) return SaverEvent::kQuit;
            break;
        case KeyPress:
            if (target_.own) {
                const KeySym key = XLookupKeysym(&event.xkey, 0);
                if (key == XK_q || key == XK_Q || key == XK_Escape) return SaverEvent::kQuit;
            }
            break;
        case ClientMessage:
            if (target_.own &&
                static_cast<Atom>(event.xclient.data.l[0]) == target_.deleteMessage) {
                return SaverEvent::kQuit;
            }
            break;
        default:
            break;
    }
    return std::nullopt;
}

}  // namespace velnor
