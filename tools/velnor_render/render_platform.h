// velnor-render's side of the saver loop: one scene of the chosen size, on a clock of its
// own that moves on by one frame per wait, so that a second of it passes every N frames
// (the folder picture changes at frames N + 1, 2N + 1, ...) and every run gives the same
// frames. Each composed frame goes to a sink (trace line, PNG). With --timing frames are
// also paced in real time to the saver's floor and their work is timed.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "engine/surface.h"
#include "render_timing.h"
#include "saver/saver_loop.h"
#include "settings/saver_settings.h"

namespace velnor::render {

// Frames per picture when no option says otherwise: pictureInterval seconds (at least
// one) at an assumed 60 frames per second.
long long FramesPerPicture(const SaverSettings& settings, long long pictureEveryOption);

// The chosen sample picture from the source tree's resources; nothing when it cannot be
// read (the background is then black).
std::optional<Surface> LoadSample(int sampleChoice);

class RenderPlatform final : public SaverPlatform {
  public:
    // Called with each frame's number (from 1) and its scene; returns an error message to
    // stop the run with, or an empty text.
    using FrameSink = std::function<std::string(long long frame, const SaverScene& scene)>;

    RenderPlatform(int width, int height, std::uint64_t seed, long long frames,
                   long long framesPerPicture, bool timing, FrameSink sink);

    std::int64_t NowMicroseconds() override { return now_; }
    std::optional<SaverEvent> WaitUntil(std::int64_t deadline) override;
    ScenePlan PlaceScenes() override;
    std::unique_ptr<FrameOutput> MakeOutput(const SaverScene& scene) override;
    void FrameDone(std::int64_t frameStart, const FramePresentations& presented) override;

    long long frames() const { return frames_; }
    bool timing() const { return timing_; }
    const std::string& error() const { return error_; }
    const FrameTimes& times() const { return times_; }

  private:
    const int width_;
    const int height_;
    const std::uint64_t seed_;
    const long long frames_;
    const long long framesPerPicture_;
    const bool timing_;
    FrameSink sink_;
    const SaverScene* scene_ = nullptr;
    long long done_ = 0;  // frames composed so far
    std::int64_t now_ = 0;
    FrameTimes::Clock::time_point frameStart_ = FrameTimes::Clock::now();
    FrameTimes times_;
    std::string error_;
};

// Runs the saver loop off screen with `settings` for the platform's frames. Returns the
// loop's status; the platform's error() tells why a run stopped early.
int RenderFrames(RenderPlatform& platform, const SaverSettings& settings);

}  // namespace velnor::render
