#pragma once

// What both start-up benchmarks (the Qt build's and the Windows build's) make of their runs.

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <vector>

namespace startup {

struct Sample
{
    double milliseconds;
    long peakKiB;
};

// Nearest-rank percentile of an unsorted list.
inline double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const auto rank
        = static_cast<std::size_t>(p / 100.0 * static_cast<double>(values.size()) + 0.999999);
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

struct Summary
{
    double medianMs;
    double p90Ms;
    double medianMiB;
};

inline Summary summarise(const std::vector<Sample> &samples)
{
    std::vector<double> ms;
    std::vector<double> mib;
    for (const Sample &s : samples) {
        ms.push_back(s.milliseconds);
        mib.push_back(static_cast<double>(s.peakKiB) / 1024.0);
    }
    return {percentile(ms, 50), percentile(ms, 90), percentile(mib, 50)};
}

struct Runs
{
    std::vector<Sample> program;
    std::vector<Sample> floor;
};

// `rounds` rounds of the program's probe and the floor's, alternating which goes first so that
// neither always follows the other; the first round only warms caches. `probe(isProgram)` gives a
// sample, or nothing when that probe drew no frame, and then so does this.
template <class Probe> std::optional<Runs> sideBySide(int rounds, Probe probe)
{
    Runs runs;
    for (int round = 0; round < rounds; ++round) {
        const bool programFirst = round % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool isProgram = (turn == 0) == programFirst;
            const std::optional<Sample> sample = probe(isProgram);
            if (!sample)
                return std::nullopt;
            if (round > 0)
                (isProgram ? runs.program : runs.floor).push_back(*sample);
        }
    }
    return runs;
}

// The medians, the 90th percentiles and their ratios, the program's over the floor's.
inline void printTable(
    const Runs &runs, const char *floorName, const char *memory, const char *goal)
{
    const Summary p = summarise(runs.program);
    const Summary f = summarise(runs.floor);
    std::printf("%-16s %10s %10s %14s\n", "", "median ms", "p90 ms", memory);
    std::printf("%-16s %10.1f %10.1f %14.1f\n", "program", p.medianMs, p.p90Ms, p.medianMiB);
    std::printf("%-16s %10.1f %10.1f %14.1f\n", floorName, f.medianMs, f.p90Ms, f.medianMiB);
    std::printf("%-16s %10.2f %10.2f %14.2f   (%s)\n", "ratio", p.medianMs / f.medianMs,
        p.p90Ms / f.p90Ms, p.medianMiB / f.medianMiB, goal);
}

} // namespace startup
