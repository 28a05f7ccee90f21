#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Runs the benchmarks with the console output and then prints a summary made from one counter
// of every benchmark, keyed by the benchmark's name (a benchmark that failed is left out).
using CounterSummary = std::function<void(const std::map<std::string, double>&)>;

class CounterSummaryReporter : public benchmark::ConsoleReporter {
 public:
  CounterSummaryReporter(std::string counter, CounterSummary summary)
      : counter(std::move(counter)), summary(std::move(summary)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      values[run.benchmark_name()] = run.counters.at(counter);
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    summary(values);
  }

 private:
  const std::string counter;
  const CounterSummary summary;
  std::map<std::string, double> values;
};

inline int RunBenchmarksWithSummary(int argc, char** argv, const std::string& counter,
                                    CounterSummary summary) {
  benchmark::Initialize(&argc, argv);
  CounterSummaryReporter reporter(counter, std::move(summary));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
