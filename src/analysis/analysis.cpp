// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/analysis.h"

const DirectionStatistics& Analysis::direction(int d) const
{
    static const DirectionStatistics none;
    return d == 0 || d == 1 ? m_directions[d] : none;
}

double Analysis::meanSpeed(const QDateTime& from, const QDateTime& to, int direction) const
{
    return m_statistics.meanSpeedInRange(from, to, direction);
}

int Analysis::maxSpeed(const QDateTime& from, const QDateTime& to, int direction) const
{
    return m_statistics.maxSpeedInRange(from, to, direction);
}

int Analysis::vehicles(const QDateTime& from, const QDateTime& to, int direction) const
{
    return m_statistics.countVehicles(from, to, direction);
}
