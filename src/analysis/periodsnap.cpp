// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/periodsnap.h"

namespace {

QDateTime withTime(const QDateTime& dt, const QTime& time)
{
    QDateTime result(dt);
    result.setTime(time);
    return result;
}

}   // namespace

QDateTime snapPeriodStart(const QDateTime& start)
{
    if (!start.isValid())
        return start;
    const QTime t = start.time();
    const QTime snapped(t.hour(), t.minute() - t.minute() % 30, 0);
    if (snapped == t)
        return start;
    return withTime(start, snapped);
}

QDateTime snapPeriodEnd(const QDateTime& end)
{
    if (!end.isValid())
        return end;
    const int seconds = end.time().msecsSinceStartOfDay() / 1000;
    const int snapped = (seconds + 1799) / 1800 * 1800;
    if (snapped >= 24 * 3600)
        return end;
    if (snapped == seconds && end.time().msec() == 0)
        return end;
    const QDateTime result = withTime(end, QTime(0, 0).addSecs(snapped));
    // A half hour inside the spring-forward gap does not exist: the same instant is the first
    // time after the gap.
    if (!result.isValid())
        return end.addSecs(snapped - seconds).addMSecs(-end.time().msec());
    return result;
}
