// Frame-time measurement of velnor-render.
#include "render_timing.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <thread>

#include "engine/background.h"
#include "engine/picture_decoder.h"
#include "saver/frame_pacing.h"

namespace velnor::render {
namespace {

constexpr auto kFrameFloor = std::chrono::microseconds(kFrameFloorMicroseconds);
// Frames after a change that still count as "around" it (the swap and the full redraw).
constexpr long long kAfterChange = 2;

}  // namespace

void FrameTimes::Add(long long frame, Clock::time_point start, bool pictureChanged) {
    const std::chrono::duration<double, std::milli> spent = Clock::now() - start;
    milliseconds_.push_back(spent.count());
    if (pictureChanged) changes_.push_back(frame);
}

std::string FrameTimes::Report(double inLoopChangeMs) const {
    if (milliseconds_.empty()) return "timing: no frames\n";
    std::vector<double> sorted = milliseconds_;
    std::sort(sorted.begin(), sorted.end());
    const double mean =
        std::accumulate(sorted.begin(), sorted.end(), 0.0) / static_cast<double>(sorted.size());
    const double p99 =
        sorted[static_cast<std::size_t>(0.99 * static_cast<double>(sorted.size() - 1))];
    double aroundChange = 0;
    for (long long change : changes_) {
        for (long long f = change; f <= change + kAfterChange; ++f) {
            if (f >= 1 && f <= static_cast<long long>(milliseconds_.size())) {
                aroundChange =
                    std::max(aroundChange, milliseconds_[static_cast<std::size_t>(f - 1)]);
            }
        }
    }
    char text[512];
    std::snprintf(text, sizeof text,
                  "timing: %zu frames, %zu picture changes\n"
                  "timing: frame work mean %.3f ms, 99th percentile %.3f ms, longest %.3f ms\n"
                  "timing: longest frame at a picture change %.3f ms\n"
                  "timing: the same change on the frame loop (decode + compose) %.3f ms"
                  " (%.0f times the longest frame at a change)\n",
                  sorted.size(), changes_.size(), mean, p99, sorted.back(), aroundChange,
                  inLoopChangeMs, aroundChange > 0 ? inLoopChangeMs / aroundChange : 0.0);
    return text;
}

void PaceFrame(FrameTimes::Clock::time_point start) {
    std::this_thread::sleep_until(start + kFrameFloor);
}

double InLoopChangeMs(const SaverSettings& settings, int width, int height) {
    if (settings.useSample == 1 || settings.pictures.paths.empty()) return 0;
    const auto start = FrameTimes::Clock::now();
    BackgroundPictures background(width, height);
    ShowNextPicture(background, settings.pictures, settings.pictureSize, *MakePictureDecoder());
    const std::chrono::duration<double, std::milli> spent = FrameTimes::Clock::now() - start;
    return spent.count();
}

}  // namespace velnor::render
