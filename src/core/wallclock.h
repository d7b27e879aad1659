// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <climits>

// Local wall-clock time of Unix seconds, as QDateTime's local time gives it, for many times in a
// row. Each local conversion asks the C library, which re-reads the zone file when TZ is unset;
// here the offset is asked twice per day of time, and per time only on a day where it changes.
class WallClock
{
public:
    // Seconds east of UTC at t.
    int offset(qint64 t)
    {
        const qint64 day = t >= 0 ? t / 86400 : -((-t + 86399) / 86400);
        auto it = m_days.constFind(day);
        if (it == m_days.constEnd()) {
            const int first = offsetAt(day * 86400);
            it = m_days.insert(day, offsetAt(day * 86400 + 86399) == first ? first : kChanging);
        }
        return *it != kChanging ? *it : offsetAt(t);
    }
    // The wall clock at t, held as a UTC time so that nothing converts it again.
    QDateTime wall(qint64 t) { return QDateTime::fromSecsSinceEpoch(t + offset(t), Qt::UTC); }
    // "yyyy-MM-ddTHH:mm:ss", local time.
    QString isoText(qint64 t) { return wall(t).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")); }

private:
    static int offsetAt(qint64 t) { return QDateTime::fromSecsSinceEpoch(t).offsetFromUtc(); }

    static constexpr int kChanging = INT_MIN;   // the offset changes within that day
    QHash<qint64, int> m_days;
};
