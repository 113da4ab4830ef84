#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <iomanip>
#include <map>
#include <string>
#include <vector>

// The console table, then each figure as a ratio to its baseline (wall-clock times), and the
// figures that have a limit of their own in milliseconds. A counter whose name ends in "_ms"
// (a baseline timed inside the benchmark's own loop) is a figure too, named
// "BM_Name:counter_ms".
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // With --benchmark_repetitions the fastest repetition stands for the benchmark, which keeps
    // the ratios steady on a busy machine, or the median does.
    enum class Repetitions { Fastest, Median };
    struct Ratio {
        std::string measured;
        std::string baseline;
        double target = 0; // at most; 0: none
    };
    struct Limit {
        std::string measured;
        double milliseconds;
    };

    explicit RatioReporter(std::vector<Ratio> ratios, std::vector<Limit> limits = {},
                           Repetitions repetitions = Repetitions::Fastest)
        : m_ratios(std::move(ratios)), m_limits(std::move(limits)), m_repetitions(repetitions)
    {}

    // Runs the benchmarks named on the command line through this reporter.
    int run(int& argc, char** argv)
    {
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv))
            return 1;
        benchmark::RunSpecifiedBenchmarks(this);
        benchmark::Shutdown();
        return 0;
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || (run.run_type != Run::RT_Iteration &&
                                       !(median && m_repetitions == Repetitions::Median)))
                continue;
            const std::string& name = run.run_name.function_name;
            record(name,
                   run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit));
            for (const auto& [counter, value] : run.counters) {
                if (counter.size() > 3 && counter.ends_with("_ms"))
                    record(name + ':' + counter, value.value / 1000);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        for (const Ratio& ratio : m_ratios)
            printRatio(ratio);
        for (const Limit& limit : m_limits)
            printMilliseconds(limit);
        ConsoleReporter::Finalize();
    }

private:
    // The median is reported after the repetitions it sums up, and replaces them.
    void record(const std::string& name, double seconds)
    {
        const auto [entry, added] = m_seconds.try_emplace(name, seconds);
        if (!added)
            entry->second =
                m_repetitions == Repetitions::Fastest ? std::min(entry->second, seconds) : seconds;
    }

    void printRatio(const Ratio& ratio)
    {
        const auto figure = m_seconds.find(ratio.measured);
        const auto base = m_seconds.find(ratio.baseline);
        if (figure == m_seconds.end() || base == m_seconds.end() || base->second <= 0)
            return;
        GetOutputStream() << ratio.measured << " / " << ratio.baseline << " = " << std::fixed
                          << std::setprecision(2) << figure->second / base->second;
        if (ratio.target > 0)
            GetOutputStream() << " (target <= " << ratio.target << ")";
        GetOutputStream() << "\n";
    }

    void printMilliseconds(const Limit& limit)
    {
        const auto figure = m_seconds.find(limit.measured);
        if (figure == m_seconds.end())
            return;
        GetOutputStream() << limit.measured << " = " << std::fixed << std::setprecision(2)
                          << figure->second * 1000 << " ms (target < " << limit.milliseconds
                          << " ms)\n";
    }

    std::vector<Ratio> m_ratios;
    std::vector<Limit> m_limits;
    Repetitions m_repetitions;
    std::map<std::string, double> m_seconds;
};
