// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/analysis.h"

const DirectionStatistics& Analysis::direction(int d) const
{
    static const DirectionStatistics none;
    return d == 0 || d == 1 ? m_directions[d] : none;
}

std::optional<double> Analysis::meanSpeed(const QDateTime& from, const QDateTime& to, int direction) const
{
    // Readings taken are faster than 0: a maximum of 0 means none.
    if (!maxSpeed(from, to, direction))
        return std::nullopt;
    return m_statistics.meanSpeedInRange(from, to, direction);
}

std::optional<int> Analysis::maxSpeed(const QDateTime& from, const QDateTime& to, int direction) const
{
    const int max = m_statistics.maxSpeedInRange(from, to, direction);
    return max > 0 ? std::optional<int>(max) : std::nullopt;
}

int Analysis::vehicles(const QDateTime& from, const QDateTime& to, int direction) const
{
    return m_statistics.countVehicles(from, to, direction);
}
