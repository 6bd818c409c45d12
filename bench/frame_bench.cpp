// Frame composition with the engine's drawing operations at screen sizes: the plain copy of
// the whole background (the memory-bandwidth floor), a full frame (background, 860 lines,
// masked sprite), and two changed-area frames that restore only what the last frame drew:
// its rectangles (one round the lines, one the sprite's square) or its exact pixels.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench_scene.h"
#include "bench_sizes.h"
#include "engine/blit.h"
#include "engine/line.h"

namespace velnor::bench {
namespace {

// What one frame drew on: the lines' bounding rectangle and the sprite's square.
struct DrawnAreas {
    Rect lines;
    Rect sprite;
};

DrawnAreas DrawFrameContent(Surface& frame, const BenchScene& scene, std::size_t f) {
    const MeshPoints& mesh = scene.meshes[f % scene.meshes.size()];
    const Point place = scene.spritePlaces[f % scene.spritePlaces.size()];
    DrawnAreas areas;
    LinePen pen;
    ForEachSegment(scene, mesh, [&](Point from, Point to, Pixel colour) {
        if (pen.position() != from) pen.MoveTo(from);
        pen.LineTo(frame, to, colour, &areas.lines);
    });
    BitBlt(frame, place.x, place.y, kSpriteSize, kSpriteSize, scene.mask, 0, 0, RasterOp::kAnd);
    areas.sprite = BitBlt(frame, place.x, place.y, kSpriteSize, kSpriteSize, scene.sprite, 0, 0,
                          RasterOp::kXor);
    return areas;
}

// Puts back the background under exactly the pixels frame `f` drew.
void RestoreFramePixels(Surface& frame, const BenchScene& scene, std::size_t f) {
    const MeshPoints& mesh = scene.meshes[f % scene.meshes.size()];
    const Point place = scene.spritePlaces[f % scene.spritePlaces.size()];
    CopyRect(frame, scene.background,
             Rect{place.x, place.y, place.x + kSpriteSize, place.y + kSpriteSize});
    ForEachSegment(scene, mesh, [&](Point from, Point to, Pixel) {
        CopyLine(frame, scene.background, from, to);
    });
}

void FullCopy(benchmark::State& state, int width, int height) {
    const BenchScene scene = MakeBenchScene(width, height);
    Surface frame(width, height);
    const auto bytes = static_cast<std::size_t>(width) * height * sizeof(Pixel);
    for (auto _ : state) {
        std::memcpy(frame.data(), scene.background.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void FullFrame(benchmark::State& state, int width, int height) {
    const BenchScene scene = MakeBenchScene(width, height);
    Surface frame(width, height);
    std::size_t f = 0;
    for (auto _ : state) {
        CopyRect(frame, scene.background, frame.bounds());
        DrawFrameContent(frame, scene, f++);
        benchmark::ClobberMemory();
    }
}

// The drawing alone (lines and sprite) on a frame that is not cleared.
void DrawOnly(benchmark::State& state, int width, int height) {
    const BenchScene scene = MakeBenchScene(width, height);
    Surface frame = scene.background;
    std::size_t f = 0;
    for (auto _ : state) {
        DrawFrameContent(frame, scene, f++);
        benchmark::ClobberMemory();
    }
}

// A changed-area frame: `restore` puts back what frame f - 1 drew, then frame f is drawn.
// Checked against a full clear and redraw over a few frames before timing.
template <typename Restore>
void ChangedFrame(benchmark::State& state, const BenchScene& scene, Restore restore) {
    Surface frame = scene.background, reference(frame.width(), frame.height());
    DrawnAreas previous = DrawFrameContent(frame, scene, 0);
    for (std::size_t f = 1; f < 4; ++f) {
        restore(frame, previous, f - 1);
        previous = DrawFrameContent(frame, scene, f);
        CopyRect(reference, scene.background, reference.bounds());
        DrawFrameContent(reference, scene, f);
        if (frame != reference)
            state.SkipWithError("changed-area frame differs from a full redraw");
    }
    std::size_t f = 4;
    double restored = 0;
    for (auto _ : state) {
        restore(frame, previous, f - 1);
        restored += static_cast<double>(previous.lines.width() * previous.lines.height() +
                                        previous.sprite.width() * previous.sprite.height());
        previous = DrawFrameContent(frame, scene, f++);
        benchmark::ClobberMemory();
    }
    const double screen = double(frame.width()) * frame.height();
    state.counters["rect_share"] = restored / static_cast<double>(state.iterations()) / screen;
}

void RectRestoreFrame(benchmark::State& state, int width, int height, int radius) {
    const BenchScene scene = MakeBenchScene(width, height, radius);
    ChangedFrame(state, scene, [&](Surface& frame, const DrawnAreas& previous, std::size_t) {
        CopyRect(frame, scene.background, previous.lines);
        CopyRect(frame, scene.background, previous.sprite);
    });
}

void ExactRestoreFrame(benchmark::State& state, int width, int height, int radius) {
    const BenchScene scene = MakeBenchScene(width, height, radius);
    ChangedFrame(state, scene, [&](Surface& frame, const DrawnAreas&, std::size_t f) {
        RestoreFramePixels(frame, scene, f);
    });
}

template <int kRadius>
void RectRestore(benchmark::State& state, int width, int height) {
    RectRestoreFrame(state, width, height, kRadius);
}
template <int kRadius>
void ExactRestore(benchmark::State& state, int width, int height) {
    ExactRestoreFrame(state, width, height, kRadius);
}

const bool registered = [] {
    for (const ScreenSize& size : kScreenSizes) {
        RegisterSized("FullCopy", size, FullCopy);
        RegisterSized("OursFullFrame", size, FullFrame);
        RegisterSized("OursDrawOnly", size, DrawOnly);
        RegisterSized("OursRectRestore", size, RectRestore<kDefaultRadius>);
        RegisterSized("OursExactRestore", size, ExactRestore<kDefaultRadius>);
        RegisterSized("OursRectRestoreLargeBall", size, RectRestore<kLargestRadius>);
        RegisterSized("OursExactRestoreLargeBall", size, ExactRestore<kLargestRadius>);
    }
    return true;
}();

}  // namespace
}  // namespace velnor::bench
