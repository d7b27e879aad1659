// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/speedcounts.h"

#include "analysis/speedstatistics.h"

std::vector<std::optional<int>> speedPercentiles(const SpeedCounts& counts, int divider,
                                                 std::initializer_list<int> shares)
{
    qint64 total = 0;
    for (const auto& c : counts)
        total += vehiclesAt(c.second, divider);
    std::vector<std::optional<int>> result(shares.size());
    if (total == 0)
        return result;
    for (auto& r : result)
        r = 0;
    qint64 cumulated = 0;
    for (const auto& c : counts) {
        cumulated += vehiclesAt(c.second, divider);
        const int p = truncatedPercentage(quint64(cumulated), quint64(total));
        std::size_t i = 0;
        for (int share : shares) {
            if (p <= share)
                result[i] = c.first;
            ++i;
        }
    }
    return result;
}

qint64 readingsAbove(const SpeedCounts& counts, int threshold)
{
    qint64 n = 0;
    for (const auto& c : counts)
        if (c.first > threshold)
            n += c.second;
    return n;
}

SpeedMoments speedMoments(const SpeedCounts& counts)
{
    SpeedMoments m;
    double sum = 0;
    for (const auto& c : counts) {
        m.readings += c.second;
        sum += double(c.first) * double(c.second);
    }
    if (m.readings == 0)
        return m;
    m.mean = sum / double(m.readings);
    for (const auto& c : counts)
        m.squares += double(c.second) * (c.first - m.mean) * (c.first - m.mean);
    return m;
}
