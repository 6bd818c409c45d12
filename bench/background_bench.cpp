// Cost of a background picture change on the frame loop, for a 6000 x 4000 JPEG: decoding
// and composing it in the loop (the baseline a loop without the worker would pay in one
// frame) against what the loop pays with the worker (taking the prepared picture and
// restoring the whole frame from it). Prints the ratio per screen size.
#include <benchmark/benchmark.h>
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstdio>
#include <string>

#include "engine/background.h"
#include "engine/background_preparer.h"
#include "engine/blit.h"
#include "engine/picture_decoder.h"
#include "temp_folder.h"
#include "time_recorder.h"

namespace velnor::bench {
namespace {

constexpr int kPictureWidth = 6000;
constexpr int kPictureHeight = 4000;

// A photo-like test picture (smooth gradients with fine texture) written once as JPEG into
// a folder of the process that goes at its exit.
const std::string& LargeJpeg() {
    static const std::string path = [] {
        GdkPixbuf* pixbuf =
            gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, kPictureWidth, kPictureHeight);
        const int stride = gdk_pixbuf_get_rowstride(pixbuf);
        guint8* pixels = gdk_pixbuf_get_pixels(pixbuf);
        for (int y = 0; y < kPictureHeight; ++y) {
            for (int x = 0; x < kPictureWidth; ++x) {
                guint8* p = pixels + static_cast<std::ptrdiff_t>(y) * stride + x * 3;
                const unsigned noise =
                    (static_cast<unsigned>(x) * 2654435761u ^ static_cast<unsigned>(y) * 40503u) >>
                    27;
                p[0] = static_cast<guint8>(x * 255 / kPictureWidth + noise);
                p[1] = static_cast<guint8>(y * 255 / kPictureHeight + noise);
                p[2] = static_cast<guint8>((x + y) % 256);
            }
        }
        static const test::TempFolder folder("velnor-bench");
        std::string file = (folder.path() / "large.jpg").string();
        gdk_pixbuf_save(pixbuf, file.c_str(), "jpeg", nullptr, "quality", "90", nullptr);
        g_object_unref(pixbuf);
        return file;
    }();
    return path;
}

PictureList OneFile(const std::string& path) {
    PictureList list;
    list.paths.push_back(path);
    return list;
}

void ChangeOnFrameLoop(benchmark::State& state, int width, int height) {
    const PictureList list = OneFile(LargeJpeg());
    std::unique_ptr<PictureDecoder> decoder = MakePictureDecoder();
    BackgroundPictures background(width, height);
    for (auto _ : state) {
        if (!ShowNextPicture(background, list, 1, *decoder)) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(background.Pic_B.data());
    }
}

void ChangeFromWorker(benchmark::State& state, int width, int height) {
    BackgroundPreparer preparer(width, height, OneFile(LargeJpeg()), 1, MakePictureDecoder);
    Surface current(width, height);
    Surface frame(width, height);
    for (auto _ : state) {
        state.PauseTiming();
        PreparedBackground next = preparer.Take();  // the worker had the interval to finish
        state.ResumeTiming();
        if (next.shown) current = std::move(next.Pic_B);
        CopyRect(frame, current, frame.bounds());  // the full redraw after a change
        benchmark::DoNotOptimize(frame.data());
    }
}

const char* const kSizes[] = {"1024x768", "1920x1080"};

}  // namespace
}  // namespace velnor::bench

int main(int argc, char** argv) {
    using namespace velnor::bench;
    const int sizes[][2] = {{1024, 768}, {1920, 1080}};
    for (const auto& s : sizes) {
        const std::string size = std::to_string(s[0]) + "x" + std::to_string(s[1]);
        const int w = s[0], h = s[1];
        benchmark::RegisterBenchmark(("ChangeOnFrameLoop/" + size).c_str(),
                                     [=](benchmark::State& st) { ChangeOnFrameLoop(st, w, h); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
        benchmark::RegisterBenchmark(("ChangeFromWorker/" + size).c_str(),
                                     [=](benchmark::State& st) { ChangeFromWorker(st, w, h); })
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeRecorder reporter(TimeRecorder::Clock::kReal);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf(
        "\nA picture change's wall-clock cost to the frame loop, in the loop / with the "
        "worker:\n");
    for (const char* size : kSizes) {
        const double inLoop = reporter.Time("ChangeOnFrameLoop/" + std::string(size));
        const double worker = reporter.Time("ChangeFromWorker/" + std::string(size));
        if (inLoop > 0 && worker > 0) std::printf("%-10s %8.1f\n", size, inLoop / worker);
    }
    return 0;
}
