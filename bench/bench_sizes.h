// Screen sizes the frame benchmarks run at, and registration of one benchmark per size
// under the name "<Kind>/<width>x<height>", which the ratio report pairs up.
#pragma once

#include <benchmark/benchmark.h>

#include <string>

namespace velnor::bench {

struct ScreenSize {
    int width;
    int height;
};

inline constexpr ScreenSize kScreenSizes[] = {{1024, 768}, {1920, 1080}, {3840, 2160}};

inline std::string SizedName(const char* kind, ScreenSize size) {
    return std::string(kind) + "/" + std::to_string(size.width) + "x" + std::to_string(size.height);
}

template <typename Function>
void RegisterSized(const char* kind, ScreenSize size, Function function) {
    benchmark::RegisterBenchmark(SizedName(kind, size).c_str(), [=](benchmark::State& state) {
        function(state, size.width, size.height);
    })->Unit(benchmark::kMicrosecond);
}

}  // namespace velnor::bench
