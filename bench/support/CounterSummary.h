#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Runs the benchmarks with the console output and then prints a summary made from one counter
// of every benchmark, keyed by the benchmark's name without repetition or aggregate suffixes (a
// benchmark that failed is left out). With repetitions the mean is taken, so the summary is the
// same whether or not --benchmark_report_aggregates_only hides the single runs.
using CounterSummary = std::function<void(const std::map<std::string, double>&)>;

class CounterSummaryReporter : public benchmark::ConsoleReporter
{
public:
  CounterSummaryReporter(std::string counter, CounterSummary summary)
      : counter(std::move(counter)), summary(std::move(summary))
  {
  }

  void ReportRuns(const std::vector<Run>& runs) override
  {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
    {
      const auto found = run.counters.find(counter);
      if (run.error_occurred || found == run.counters.end())
        continue;
      benchmark::BenchmarkName bare = run.run_name;
      bare.repetitions.clear();
      const std::string name = bare.str();
      if (run.run_type == Run::RT_Aggregate)
      {
        if (run.aggregate_name != "mean")
          continue;
        fromMean.insert(name);
      }
      else if (fromMean.count(name) != 0)
      {
        continue;
      }
      values[name] = found->second;
    }
  }

  void Finalize() override
  {
    ConsoleReporter::Finalize();
    summary(values);
  }

private:
  const std::string counter;
  const CounterSummary summary;
  std::map<std::string, double> values;
  std::set<std::string> fromMean;
};

inline int RunBenchmarksWithSummary(int argc, char** argv, const std::string& counter,
                                    CounterSummary summary)
{
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  CounterSummaryReporter reporter(counter, std::move(summary));
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
