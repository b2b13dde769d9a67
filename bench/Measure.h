#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

// Timing for the figures: ours and the baseline run alternately in the same process, so that
// both see the same machine load, and each side's median is taken.
namespace Measure {

template <typename Work>
double seconds(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

struct SideBySide {
    double ours;      // median seconds
    double baseline;  // median seconds
    double ratio() const { return ours / baseline; }
};

template <typename Ours, typename Baseline>
SideBySide sideBySide(int rounds, Ours&& ours, Baseline&& baseline)
{
    std::vector<double> oursTimes;
    std::vector<double> baselineTimes;
    // Every other round the baseline goes first, so that neither side always follows the other.
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            oursTimes.push_back(seconds(ours));
            baselineTimes.push_back(seconds(baseline));
        } else {
            baselineTimes.push_back(seconds(baseline));
            oursTimes.push_back(seconds(ours));
        }
    }
    return {median(oursTimes), median(baselineTimes)};
}

inline std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

} // namespace Measure
