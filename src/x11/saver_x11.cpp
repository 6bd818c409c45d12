// The frame loop on X11: scenes per monitor, pacing, picture timer and window events.
#include "x11/saver_x11.h"

#include <X11/keysym.h>
#include <poll.h>

#include <chrono>
#include <ctime>

#include "engine/background.h"
#include "windows/frame_pacing.h"
#include "x11/scene_layout.h"

namespace velnor {

// One monitor's scene: its animation, frame, background and the image it is shown with.
struct SaverX11::Scene {
    Scene(const SaverScreen& placed, const SaverSettings& settings)
        : screen(placed),
          animation(settings, placed.screenWidth, placed.screenHeight, placed.seed),
          frame(placed.screenWidth, placed.screenHeight) {}

    SaverScreen screen;
    Animation animation;
    Surface frame;
    Surface background;  // Pic_B: what every frame's clear restores
    std::unique_ptr<BackgroundPreparer> preparer;
    bool pictureDue = false;
    ScreenImage image;
};

namespace {

// How long building a scene waits for its first folder picture.
constexpr std::chrono::milliseconds kFirstPictureWait{60};

bool UsesFolder(const SaverSettings& settings) {
    return settings.useSample != 1 && settings.pictures.pictureCount > 0;
}

}  // namespace

SaverX11::SaverX11(Display* display, const DrawWindow& target, const SaverRun& run)
    : display_(display), target_(target), run_(run), pictureTimer_(run.settings->pictureInterval) {}

SaverX11::~SaverX11() {
    scenes_.clear();
    if (gc_) XFreeGC(display_, gc_);
}

bool SaverX11::BuildScenes() {
    // A rebuild (after a resize) does not wait for pictures at all: black until ready.
    const std::chrono::milliseconds pictureWait =
        scenes_.empty() ? kFirstPictureWait : std::chrono::milliseconds(0);
    scenes_.clear();
    const std::optional<WindowGeometry> geometry = GeometryOf(display_, target_.window);
    if (!geometry) return false;
    builtFor_ = geometry->inRoot;
    const std::vector<MonitorArea> monitors =
        target_.spansRoot ? QueryMonitors(display_) : std::vector<MonitorArea>{};
    SaverSettings settings = *run_.settings;
    if (run_.fitBallToWindow) {
        settings.scale = FittedRadius(settings.scale, static_cast<int>(geometry->inRoot.width()),
                                      static_cast<int>(geometry->inRoot.height()));
    }
    for (const SaverScreen& placed : PlanWindowScenes(monitors, geometry->inRoot, run_.seed)) {
        auto scene = std::make_unique<Scene>(placed, settings);
        if (!scene->image.Create(display_, geometry->visual, geometry->depth, placed.screenWidth,
                                 placed.screenHeight, run_.allowSharedMemory)) {
            continue;
        }
        BackgroundPictures pictures(placed.screenWidth, placed.screenHeight);
        if (settings.useSample == 1) {
            if (run_.sample) ShowSamplePicture(pictures, *run_.sample);
        } else if (UsesFolder(settings)) {
            scene->preparer = std::make_unique<BackgroundPreparer>(
                placed.screenWidth, placed.screenHeight, settings.pictures, settings.pictureSize,
                MakePictureDecoder);
            // A short wait at most: a hung or slow first file leaves the scene black and
            // the frame loop takes the picture when it is ready.
            std::optional<PreparedBackground> first = scene->preparer->TakeWithin(pictureWait);
            scene->pictureDue = !first;
            if (first && first->shown) pictures.Pic_B = std::move(first->Pic_B);
        }
        scene->background = std::move(pictures.Pic_B);
        scenes_.push_back(std::move(scene));
    }
    return !scenes_.empty();
}

int SaverX11::Run() {
    gc_ = XCreateGC(display_, target_.window, 0, nullptr);
    if (!BuildScenes()) return 1;
    const bool folder = UsesFolder(*run_.settings);
    std::int64_t due = NowMicroseconds();
    nextTick_ = due + 1'000'000;
    while (!quit_) {
        const std::int64_t frameStart = PacedFrameStart(due, NowMicroseconds());
        const FramePresentations presented = DrawFrame();
        HandleEvents();
        if (quit_ || DrawWindowGone()) break;
        if (resized_) {
            resized_ = false;
            const std::optional<WindowGeometry> now = GeometryOf(display_, target_.window);
            const bool sizeChanged = now && (now->inRoot.width() != builtFor_.width() ||
                                             now->inRoot.height() != builtFor_.height());
            // The new size gets new scenes, as the program makes them at its start.
            if (sizeChanged && !BuildScenes()) break;
        }
        TakePreparedPictures();
        due = NextFrameStart(frameStart, NowMicroseconds(), run_.settings->frameDelayMs);
        WaitUntil(due);
        stats_.CountFrame(NowMicroseconds(), presented);
        if (folder) TickPictureTimer(NowMicroseconds());
        for (auto& scene : scenes_) scene->animation.AdvanceTilt();
    }
    return 0;
}

void SaverX11::TakePreparedPictures() {
    for (auto& scene : scenes_) {
        if (!scene->pictureDue) continue;
        std::optional<PreparedBackground> next = scene->preparer->TryTake();
        if (!next) continue;  // still decoding: try again after the next frame
        scene->pictureDue = false;
        // A file that could not be read keeps the current picture; the next change moves on.
        if (!next->shown) continue;
        scene->background = std::move(next->Pic_B);
        scene->animation.RequestFullRedraw();
    }
}

FramePresentations SaverX11::DrawFrame() {
    FramePresentations presented;
    for (auto& scene : scenes_) {
        scene->animation.AdvanceMotion();
        scene->animation.ComposeFrame(scene->frame, scene->background);
        // The wire ball's lines and the orbiting ball are sent apart (each with where it
        // was last frame): their common rectangle spans much unchanged screen.
        const ChangedRects& changed = scene->animation.changedRects();
        const Rect& at = scene->screen.windowRect;
        scene->image.Put(target_.window, gc_, scene->frame, changed.lines(), at.left, at.top);
        scene->image.Put(target_.window, gc_, scene->frame, changed.sprite(), at.left, at.top);
        ++presented.areas;
        const Rect whole{0, 0, scene->frame.width(), scene->frame.height()};
        if (scene->animation.changedArea() == whole) ++presented.whole;
    }
    // Waits until the server has taken every image, so a shared one may be reused.
    XSync(display_, False);
    return presented;
}

void SaverX11::TickPictureTimer(std::int64_t now) {
    while (now >= nextTick_) {
        nextTick_ += 1'000'000;
        if (!pictureTimer_.OnTick()) continue;
        for (auto& scene : scenes_) scene->pictureDue = scene->preparer != nullptr;
    }
}

void SaverX11::HandleEvents() {
    while (!quit_ && XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        HandleEvent(event);
    }
}

void SaverX11::HandleEvent(XEvent& event) {
    switch (event.type) {
        case ConfigureNotify:
            if (event.xconfigure.window == target_.window) resized_ = true;
            break;
        case Expose:
            for (auto& scene : scenes_) scene->animation.RequestFullRedraw();
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == target_.window) quit_ = true;
            break;
        case KeyPress:
            if (target_.own) {
                const KeySym key = XLookupKeysym(&event.xkey, 0);
                if (key == XK_q || key == XK_Q || key == XK_Escape) quit_ = true;
            }
            break;
        case ClientMessage:
            if (target_.own &&
                static_cast<Atom>(event.xclient.data.l[0]) == target_.deleteMessage) {
                quit_ = true;
            }
            break;
        default:
            break;
    }
}

void SaverX11::WaitUntil(std::int64_t due) {
    pollfd sources[2] = {{ConnectionNumber(display_), POLLIN, 0}, {run_.quitFd, POLLIN, 0}};
    const nfds_t count = run_.quitFd >= 0 ? 2 : 1;
    for (;;) {
        HandleEvents();
        if (quit_) return;
        const std::int64_t remaining = due - NowMicroseconds();
        if (remaining <= 0) return;
        const timespec wait{static_cast<time_t>(remaining / 1'000'000),
                            static_cast<long>(remaining % 1'000'000) * 1000};
        ppoll(sources, count, &wait, nullptr);
        if (count == 2 && (sources[1].revents & POLLIN) != 0) {
            quit_ = true;
            return;
        }
    }
}

}  // namespace velnor
