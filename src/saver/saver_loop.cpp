// The portable frame loop of the running saver.
#include "saver/saver_loop.h"

#include <algorithm>

#include "saver/frame_pacing.h"

namespace velnor {

SaverLoop::SaverLoop(SaverPlatform& platform, const SaverLoopSetup& setup)
    : platform_(platform),
      setup_(setup),
      usesFolder_(ShowsFolderPictures(*setup.settings, setup.makePictureSource)),
      pictureTimer_(setup.settings->pictureInterval),
      statistics_(setup.frameStatistics) {}

int SaverLoop::Run() {
    if (!BuildScenes()) return kNothingToDrawOn;
    const Next first = TakeFirstPictures();
    if (first != Next::kGoOn) return first == Next::kQuit ? 0 : kNothingToDrawOn;
    platform_.ScenesReady();
    std::int64_t due = platform_.NowMicroseconds();
    nextTick_ = due + kTimerTick;
    for (;;) {
        Next next = Next::kGoOn;
        if (visible_) {
            next = RunFrame(due);
        } else {
            // Nobody sees the screen: no frames, no motion, no pictures; only events.
            next = HandleEvents(kNoDeadline);
            statistics_.Pause();  // the time without frames is no frame's
            due = platform_.NowMicroseconds();
        }
        if (next == Next::kQuit) return 0;
        if (next == Next::kFail) return kNothingToDrawOn;
    }
}

SaverLoop::Next SaverLoop::RunFrame(std::int64_t& due) {
    if (resized_) {
        // The new size gets new scenes, made as at the start, without waiting for their
        // first pictures: they are black until those are ready.
        resized_ = false;
        if (!BuildScenes()) return Next::kFail;
        platform_.ScenesReady();
    }
    due = DrawFrame(PacedFrameStart(due, platform_.NowMicroseconds()));
    Next next = HandleEvents(platform_.NowMicroseconds());
    if (next != Next::kGoOn) return next;
    TakeDuePictures(setup_.pictureWaits == PictureWaits::kEvery);
    next = HandleEvents(due);
    if (next != Next::kGoOn) return next;
    for (auto& scene : scenes_) scene->AdvanceTilt();
    TickPictureTimer(platform_.NowMicroseconds());
    return Next::kGoOn;
}

bool SaverLoop::BuildScenes() {
    scenes_.clear();
    const ScenePlan plan = platform_.PlaceScenes();
    SaverSettings settings = *setup_.settings;
    // A ball drawn smaller than its settings' size takes its perspective along.
    double eyeDistanceScale = 1.0;
    if (plan.scale && settings.scale > 0) {
        eyeDistanceScale = static_cast<double>(*plan.scale) / settings.scale;
        settings.scale = *plan.scale;
    }
    for (const SaverScreen& screen : plan.screens) {
        auto scene = std::make_unique<SaverScene>(screen, settings, eyeDistanceScale);
        std::unique_ptr<FrameOutput> output = platform_.MakeOutput(*scene);
        if (!output) continue;  // no worker is started for a screen that cannot be drawn on
        scene->SetOutput(std::move(output));
        scene->StartBackground(settings, setup_.sample, setup_.makeDecoder,
                               setup_.makePictureSource);
        scenes_.push_back(std::move(scene));
    }
    return !scenes_.empty();
}

SaverLoop::Next SaverLoop::TakeFirstPictures() {
    if (setup_.pictureWaits != PictureWaits::kBounded) {
        TakeDuePictures(true);
        return Next::kGoOn;
    }
    const std::int64_t limit = platform_.NowMicroseconds() + kFirstPictureWait;
    for (;;) {
        TakeDuePictures(false);
        const bool due = std::any_of(scenes_.begin(), scenes_.end(),
                                     [](const auto& scene) { return scene->pictureDue(); });
        const std::int64_t now = platform_.NowMicroseconds();
        // Not ready in time: the scene starts black and shows the picture once it is.
        if (!due || now >= limit) return Next::kGoOn;
        const Next next = HandleEvents(std::min(limit, now + kFirstPicturePoll));
        if (next != Next::kGoOn) return next;
    }
}

std::int64_t SaverLoop::DrawFrame(std::int64_t frameStart) {
    const std::int16_t delay = setup_.settings->frameDelayMs;
    for (auto& scene : scenes_) scene->Compose();
    const std::int64_t composed = platform_.NowMicroseconds();
    if (composed - refreshQueried_ >= 1'000'000) QueryRefreshTiming(composed);
    FramePresentations presented;
    if (refreshSchedule_.PresentNow(composed, NextFrameStart(frameStart, composed, delay))) {
        for (auto& scene : scenes_) scene->Present(presented);
    }
    platform_.FrameDone(frameStart, presented);
    statistics_.CountFrame(frameStart, platform_.NowMicroseconds(), presented);
    // A slow presentation counts as the frame's drawing: its pause still follows it.
    return NextFrameStart(frameStart, platform_.NowMicroseconds(), delay);
}

SaverLoop::Next SaverLoop::HandleEvents(std::int64_t deadline) {
    while (const std::optional<SaverEvent> event = platform_.WaitUntil(deadline)) {
        const Next next = Act(*event);
        if (next != Next::kGoOn) return next;
        // Back on after a wait without deadline: the frames go on at once.
        if (deadline == kNoDeadline && visible_) return Next::kGoOn;
    }
    return Next::kGoOn;
}

SaverLoop::Next SaverLoop::Act(SaverEvent event) {
    switch (event) {
        case SaverEvent::kQuit:
            return Next::kQuit;
        case SaverEvent::kResized:
            // Rebuilt once before the next frame, however many sizes a window drag passes
            // through until then.
            resized_ = true;
            return Next::kGoOn;
        case SaverEvent::kExposed:
            for (auto& scene : scenes_) scene->PresentWholeNext();
            return Next::kGoOn;
        case SaverEvent::kDisplayOff:
            visible_ = false;
            return Next::kGoOn;
        case SaverEvent::kDisplayOn:
            if (visible_) return Next::kGoOn;
            visible_ = true;
            for (auto& scene : scenes_) scene->PresentWholeNext();
            {
                const std::int64_t now = platform_.NowMicroseconds();
                QueryRefreshTiming(now);  // the display may have come back in another mode
                nextTick_ = now + kTimerTick;
            }
            return Next::kGoOn;
    }
    return Next::kGoOn;
}

void SaverLoop::TakeDuePictures(bool wait) {
    for (auto& scene : scenes_) scene->TakeDuePicture(wait);
}

void SaverLoop::TickPictureTimer(std::int64_t now) {
    if (!usesFolder_) return;
    while (now >= nextTick_) {
        nextTick_ += kTimerTick;
        const bool due = pictureTimer_.OnTick();
        for (auto& scene : scenes_) {
            if (due) {
                scene->RequestNextPicture();
            } else {
                scene->RetryFailedPicture();
            }
        }
    }
}

void SaverLoop::QueryRefreshTiming(std::int64_t now) {
    refreshSchedule_.SetTiming(platform_.QueryRefreshTiming());
    refreshQueried_ = now;
}

}  // namespace velnor
