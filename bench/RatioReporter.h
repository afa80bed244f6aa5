// Console output of Google Benchmark followed by the ratio of each benchmark to its
// baseline, the benchmark of the same name with the prefix "baseline/", measured in the
// same run.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace ostrafel::bench {

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // With repetitions, the median stands for the benchmark.
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            if (run.run_type == Run::RT_Iteration)
                FTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
            else if (run.aggregate_name == "median")
                FTimes[run.run_name.str()] = run.GetAdjustedCPUTime();
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        const std::string prefix = "baseline/";
        for (const auto& [name, time] : FTimes) {
            if (name.rfind(prefix, 0) != 0)
                continue;
            const auto ours = FTimes.find(name.substr(prefix.size()));
            if (ours != FTimes.end() && time > 0)
                std::printf("ratio %-40s %6.2fx its baseline\n", ours->first.c_str(),
                            ours->second / time);
        }
    }

  private:
    std::map<std::string, double> FTimes;
};

} // namespace ostrafel::bench

// A main that prints the ratios after the usual table.
#define OSTRAFEL_BENCHMARK_MAIN_WITH_RATIOS()                                                      \
    int main(int argc, char** argv) {                                                              \
        benchmark::Initialize(&argc, argv);                                                        \
        ostrafel::bench::RatioReporter reporter;                                                   \
        benchmark::RunSpecifiedBenchmarks(&reporter);                                              \
        benchmark::Shutdown();                                                                     \
        return 0;                                                                                  \
    }
