// Fitting a background picture to the screen: a 512 x 384 picture stretched over the whole
// screen in the colour-on-colour mode, compared with the plain full-screen copy.
#include <benchmark/benchmark.h>

#include "bench_sizes.h"
#include "engine/stretch.h"

namespace velnor::bench {
namespace {

void StretchPicture(benchmark::State& state, int width, int height) {
    Surface picture(512, 384);
    for (int y = 0; y < 384; ++y) {
        for (int x = 0; x < 512; ++x) picture.set(x, y, PixelFromRgb(x, y, x ^ y));
    }
    Surface screen(width, height);
    for (auto _ : state) {
        StretchBlt(screen, 0, 0, width, height, picture, 0, 0, 512, 384);
        benchmark::ClobberMemory();
    }
}

const bool registered = [] {
    for (const ScreenSize& size : kScreenSizes)
        RegisterSized("StretchPicture", size, StretchPicture);
    return true;
}();

}  // namespace
}  // namespace velnor::bench
