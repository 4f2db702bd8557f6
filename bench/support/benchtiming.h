#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace mhbk::bench {

// The middle of the runs: one slow run on a shared machine does not move it.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// How long `work` takes, in milliseconds.
template <typename Work>
double elapsedMs(Work &&work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed() / 1e6;
}

// The count given as argument `index` (at least 1), or `fallback` when there is none.
inline int countArgument(int argc, char **argv, int index, int fallback)
{
    return argc > index ? std::max(1, std::atoi(argv[index])) : fallback;
}

} // namespace mhbk::bench
