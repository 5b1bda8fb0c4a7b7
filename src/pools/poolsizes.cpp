#include "poolsizes.h"

namespace vintrel {

QList<int> serpentineSizes(int participants, int groups)
{
    QList<int> sizes(qMax(groups, 0), 0);
    if (groups < 1) return sizes;
    // Whole passes give everyone the same; only the last pass is uneven.
    const int whole = participants / groups;
    const int rest = participants % groups;
    for (int &size : sizes)
        size = whole;
    const bool backward = whole % 2 == 1; // passes alternate, the first runs forward
    for (int step = 0; step < rest; ++step)
        ++sizes[backward ? groups - 1 - step : step];
    return sizes;
}

bool poolSizesAllowed(const QList<int> &sizes)
{
    for (int size : sizes)
        if (size < kMinPoolSize || size > kMaxPoolSize) return false;
    return true;
}

} // namespace vintrel
