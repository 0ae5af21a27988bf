#pragma once

// What both start-up benchmarks (the Qt build's and the Windows build's) make of their runs.

#include <algorithm>
#include <cstddef>
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

} // namespace startup
