// The engine's own frame at screen sizes: Animation's motion and ComposeFrame with a
// full-screen background picture, once restoring the whole background and once only the
// changed area; and the two per-frame or per-cycle computations, ProjectWireBall and
// PaintOrbitingBall. Pairs with FullCopy and the cairo frame of the same sizes.
#include <benchmark/benchmark.h>

#include "bench_scene.h"
#include "bench_sizes.h"
#include "engine/animation.h"
#include "engine/orbiting_ball.h"
#include "engine/wire_ball.h"

namespace velnor::bench {
namespace {

SaverSettings EngineSettings(int scale) {
    SaverSettings s;
    s.aspectTenths = 10;
    s.perspectiveDepth = 20;
    s.ballColour = {72, 32, 56};
    s.lineColours = {0, 65280, 16776960};
    s.scale = static_cast<std::int16_t>(scale);
    return s;
}

// Runs whole frames of the saver (motion, composition, tilt) with `mode`.
void EngineFrames(benchmark::State& state, int width, int height, int scale, RestoreMode mode) {
    const Surface background = MakeBenchScene(width, height).background;
    Animation animation(EngineSettings(scale), width, height, 1);
    Surface frame(width, height);
    double changed = 0;
    for (auto _ : state) {
        animation.AdvanceMotion();
        animation.ComposeFrame(frame, background, mode);
        for (const Rect& area : animation.changedRects().all()) {
            changed += static_cast<double>(area.width() * area.height());
        }
        animation.AdvanceTilt();
        benchmark::ClobberMemory();
    }
    // Share of the screen restored and presented (1 for the full path).
    state.counters["rects_share"] =
        changed / static_cast<double>(state.iterations()) / (double(width) * height);
}

void EngineFullFrame(benchmark::State& state, int width, int height) {
    EngineFrames(state, width, height, kDefaultRadius, RestoreMode::kFull);
}
void EngineChangedFrame(benchmark::State& state, int width, int height) {
    EngineFrames(state, width, height, kDefaultRadius, RestoreMode::kChangedArea);
}
void EngineChangedFrameLargeBall(benchmark::State& state, int width, int height) {
    EngineFrames(state, width, height, kLargestRadius, RestoreMode::kChangedArea);
}

void ProjectWireBallBench(benchmark::State& state) {
    WireBall ball;
    ball.radius = kDefaultRadius;
    ball.perspective = 1;
    BuildWireBall(ball, 10, 20);
    float spin = 1920;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ProjectWireBall(ball, spin, 300, {1920, 1080, 1920, 1080}));
        spin -= 6.4f;
        if (spin < -1920) spin += 3840;
        benchmark::ClobberMemory();
    }
}

void PaintOrbitingBallBench(benchmark::State& state) {
    Surface sprite(kSpriteSize, kSpriteSize);
    int q = 0;
    for (auto _ : state) {
        PaintOrbitingBall(sprite, 72, 32, 56, q);
        q = (q + 1) % kHighlightDirections;
        benchmark::ClobberMemory();
    }
}

const bool registered = [] {
    for (const ScreenSize& size : kScreenSizes) {
        RegisterSized("EngineFullFrame", size, EngineFullFrame);
        RegisterSized("EngineChangedFrame", size, EngineChangedFrame);
        RegisterSized("EngineChangedFrameLargeBall", size, EngineChangedFrameLargeBall);
    }
    benchmark::RegisterBenchmark("ProjectWireBall", ProjectWireBallBench)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("PaintOrbitingBall", PaintOrbitingBallBench)
        ->Unit(benchmark::kMicrosecond);
    return true;
}();

}  // namespace
}  // namespace velnor::bench
