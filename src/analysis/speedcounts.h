// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Figures of a speed histogram that the summary and the before/after comparison define alike.

#include <QtGlobal>

#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

// Number of readings at each speed, speeds distinct and ascending.
using SpeedCounts = std::vector<std::pair<int, qint64>>;

// Vehicles at one speed under the percentile rule: the readings divided by the divider, rounded
// down.
inline qint64 vehiclesAt(qint64 readings, int divider)
{
    return readings / divider;
}

// The V30/V50/V85 rule for each of the shares (in %): the highest speed at which the truncated
// cumulated percentage of vehicles is still at most that share; 0 when the slowest speed already
// holds more. Empty without a vehicle.
std::vector<std::optional<int>> speedPercentiles(const SpeedCounts& counts, int divider,
                                                 std::initializer_list<int> shares);

// Readings faster than threshold.
qint64 readingsAbove(const SpeedCounts& counts, int threshold);

// Number, mean and sum of squared deviations from the mean of the readings' speeds.
struct SpeedMoments
{
    qint64 readings = 0;
    double mean = 0;   // 0 without a reading
    double squares = 0;
};
SpeedMoments speedMoments(const SpeedCounts& counts);
