#pragma once

// Runs a program's benchmarks interleaved over several rounds and keeps the median processor
// time of each, so one disturbed round on the shared machine moves no result. Also prints the
// summary rows that bench/collect_table.py gathers into the closing table of `./dev bench`.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bench {

class MedianReporter : public benchmark::ConsoleReporter {
   public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians_[run.run_name.str()] = run.GetAdjustedCPUTime();
            } else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1) {
                medians_[run.run_name.str()] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Median processor time per iteration in the benchmark's own unit; 0 when it did not run.
    double Median(const std::string& name) const {
        const auto it = medians_.find(name);
        return it == medians_.end() ? 0.0 : it->second;
    }

   private:
    std::map<std::string, double> medians_;
};

// Runs the registered benchmarks. Unless the command line says otherwise: seven rounds of at
// least minTime seconds each, the benchmarks in a new random order each round, aggregates only.
inline void RunInterleaved(int argc, char** argv, MedianReporter& reporter, const char* minTime = "0.05") {
    std::vector<char*> args(argv, argv + argc);
    const auto given = [&](const char* flag) {
        for (int i = 1; i < argc; ++i) {
            if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0) return true;
        }
        return false;
    };
    static char repetitions[] = "--benchmark_repetitions=7";
    static char interleave[] = "--benchmark_enable_random_interleaving=true";
    static char aggregates[] = "--benchmark_report_aggregates_only=true";
    if (!given("--benchmark_repetitions")) args.push_back(repetitions);
    if (!given("--benchmark_enable_random_interleaving")) args.push_back(interleave);
    if (!given("--benchmark_report_aggregates_only")) args.push_back(aggregates);
    static std::string minTimeFlag;
    minTimeFlag = std::string("--benchmark_min_time=") + minTime;
    if (!given("--benchmark_min_time")) args.push_back(minTimeFlag.data());
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}

// One row of the closing table, in the form bench/collect_table.py reads; peers without a time
// (0) are left out.
inline void PrintRow(const std::string& measure, const char* unit, double ours,
                     const std::vector<std::pair<std::string, double>>& peers) {
    if (ours <= 0.0) return;
    std::printf("@row\t%s\t%s\t%.6g", measure.c_str(), unit, ours);
    for (const auto& [name, value] : peers) {
        if (value > 0.0) std::printf("\t%s=%.6g", name.c_str(), value);
    }
    std::printf("\n");
}

}  // namespace bench
