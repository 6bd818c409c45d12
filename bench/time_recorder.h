// A console reporter that also keeps every benchmark's time under its name ("Kind/1024x768",
// arguments appended), so that a benchmark program can print its ratios after the table.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace velnor::bench {

class TimeRecorder : public benchmark::ConsoleReporter {
  public:
    // CPU time suits work on the benchmark's own thread (other processes disturb it
    // least); wall-clock time counts the waits for another thread.
    enum class Clock { kCpu, kReal };

    explicit TimeRecorder(Clock clock) : clock_(clock) {}

    // Keeps the time of each single run, or the median when --benchmark_repetitions is
    // given.
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!single && !median) continue;
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
            times_[name] =
                clock_ == Clock::kCpu ? run.GetAdjustedCPUTime() : run.GetAdjustedRealTime();
        }
    }

    // The time kept for `name`; 0 when it did not run.
    double Time(const std::string& name) const {
        const auto found = times_.find(name);
        return found == times_.end() ? 0.0 : found->second;
    }

  private:
    Clock clock_;
    std::map<std::string, double> times_;
};

}  // namespace velnor::bench
