// Runs the benchmarks and, after the usual console table, prints for every screen size the
// ratios that matter: cairo against ours (whole frame and drawing alone), and our frames
// against the plain copy of the full background. Ratios use CPU time (the median when
// --benchmark_repetitions is given), which other processes on the machine disturb least.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench_sizes.h"
#include "time_recorder.h"

namespace velnor::bench {
namespace {

class RatioReporter : public TimeRecorder {
  public:
    RatioReporter() : TimeRecorder(Clock::kCpu) {}

    void PrintRatios() const {
        std::printf("\nRatios of CPU time (a / b); wire ball of radius 128 unless marked r384:\n");
        const char* columns[] = {"cairo/ours", "cairo/ours", "ours/copy",  "rects/copy",
                                 "exact/copy", "rects/copy", "exact/copy", "stretch/copy"};
        const char* under[] = {"full frame", "drawing", "full frame", "changed",
                               "changed",    "r384",    "r384",       "512x384"};
        std::printf("%-10s", "size");
        for (const char* c : columns) std::printf(" %11s", c);
        std::printf("\n%-10s", "");
        for (const char* c : under) std::printf(" %11s", c);
        std::printf("\n");
        for (const ScreenSize& size : kScreenSizes) {
            const double copy = Time("FullCopy", size), ours = Time("OursFullFrame", size);
            const std::string ratios[] = {
                Ratio(Time("CairoFullFrame", size), ours),
                Ratio(Time("CairoDrawOnly", size), Time("OursDrawOnly", size)),
                Ratio(ours, copy),
                Ratio(Time("OursRectRestore", size), copy),
                Ratio(Time("OursExactRestore", size), copy),
                Ratio(Time("OursRectRestoreLargeBall", size), copy),
                Ratio(Time("OursExactRestoreLargeBall", size), copy),
                Ratio(Time("StretchPicture", size), copy)};
            std::printf("%-10s",
                        (std::to_string(size.width) + "x" + std::to_string(size.height)).c_str());
            for (const std::string& r : ratios) std::printf(" %11s", r.c_str());
            std::printf("\n");
        }
    }

  private:
    double Time(const char* kind, ScreenSize size) const {
        return TimeRecorder::Time(SizedName(kind, size));
    }
    static std::string Ratio(double a, double b) {
        if (a <= 0 || b <= 0) return "-";
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", a / b);
        return text;
    }
};

}  // namespace
}  // namespace velnor::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    velnor::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
