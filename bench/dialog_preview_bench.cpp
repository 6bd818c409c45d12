// The settings dialog's still picture: one RedrawPreview (grid, projection, 3 x 21
// polylines, sample ball) on the 296 x 296 inner box, against the plain clear of the same
// surface as the baseline, at 100 % and 200 % scaling. It runs on every step of a dragged
// scroll thumb, so it has to stay far below a frame's time.
#include <benchmark/benchmark.h>

#include "dialog/dialog_preview.h"

namespace velnor::bench {
namespace {

PreviewInputs Inputs(int perspectiveOn) {
    PreviewInputs in;
    in.shapeValue = -10;
    in.depthValue = -20;
    in.scaleValue = 144;
    in.perspectiveOn = static_cast<std::int16_t>(perspectiveOn);
    in.parallelColour = 0x00FF00;
    in.meridianColour = 0xFFFF00;
    return in;
}

PreviewBox BoxAt(int dpi) {
    const int outer = 300 * dpi / 96;
    return PreviewBox{outer - 4, outer - 4, outer, outer, dpi};
}

void DialogPreviewClear(benchmark::State& state) {
    const PreviewBox box = BoxAt(static_cast<int>(state.range(0)));
    Surface target(box.innerWidth, box.innerHeight);
    for (auto _ : state) {
        target.Fill(0);
        benchmark::DoNotOptimize(target.data());
    }
}
BENCHMARK(DialogPreviewClear)->Arg(96)->Arg(192);

void DialogPreviewRedraw(benchmark::State& state) {
    const PreviewBox box = BoxAt(static_cast<int>(state.range(0)));
    PreviewInputs inputs = Inputs(static_cast<int>(state.range(1)));
    inputs.sampleColour = {{72, 32, 56}};
    DialogPreview preview;
    Surface target(box.innerWidth, box.innerHeight);
    for (auto _ : state) {
        benchmark::DoNotOptimize(preview.RedrawPreview(target, inputs, box));
    }
}
BENCHMARK(DialogPreviewRedraw)->Args({96, 0})->Args({96, 1})->Args({192, 0});

}  // namespace
}  // namespace velnor::bench
