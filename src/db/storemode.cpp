// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/storemode.h"

#include "core/measure.h"
#include "db/databaseconnection.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

int StoreModeEvidence::storeMode(int fallback) const
{
    if (!decided())
        return fallback;
    return readingsPerBurst() >= kBurstThreshold ? 0 : 1;
}

QString StoreModeEvidence::reason() const
{
    if (!decided())
        return tr("trop peu de relevés pour reconnaître le mode");
    if (storeMode() == 1)
        return tr("1 relevé par véhicule détecté");
    return tr("rafales de relevés détectées");
}

void BurstCounter::add(qint64 time, int speed, int direction)
{
    if (direction != 0 && direction != 1)
        return;
    ++m_evidence.readings;
    auto& open = m_open[std::size_t(direction)];
    // Most readings continue the burst of the reading before them.
    Burst& latest = open[std::size_t(m_latest[std::size_t(direction)])];
    if (latest.readings > 0 && time >= latest.last && time - latest.last <= 2
        && 2 * std::abs(speed * latest.readings - latest.speedSum) <= 5 * latest.readings) {
        latest.last = time;
        ++latest.readings;
        latest.speedSum += speed;
        return;
    }
    int joined = -1;
    int oldest = 0;   // an empty one is oldest of all
    qint64 oldestLast = open[0].last;
    // The closest gap so far, gapTimes / readings, within 2.5; in whole numbers, as this runs
    // for every reading of every analysis.
    qint64 gapTimes = 5, readings = 2;
    for (int i = 0; i < kOpen; ++i) {
        const Burst& b = open[std::size_t(i)];
        if (b.last < oldestLast) {
            oldestLast = b.last;
            oldest = i;
        }
        if (b.readings == 0 || time - b.last > 2 || time < b.last)
            continue;
        const qint64 gap = std::abs(speed * b.readings - b.speedSum);
        if (gap * readings <= gapTimes * b.readings) {
            gapTimes = gap;
            readings = b.readings;
            joined = i;
        }
    }
    if (joined < 0) {
        ++m_evidence.bursts;
        joined = oldest;
        open[std::size_t(joined)] = Burst();
    }
    m_latest[std::size_t(direction)] = joined;
    Burst& b = open[std::size_t(joined)];
    b.last = time;
    ++b.readings;
    b.speedSum += speed;
}

namespace {

// Eight stretches of 4,000 readings: a few tens of thousands of bursts or vehicles, spread over the
// file's hours and days.
constexpr int kStretches = 8;
constexpr int kRows = 4000;

}   // namespace

StoreModeEvidence sampleStoreMode(const MeasureMap& readings)
{
    BurstCounter counter;
    const qint64 n = readings.size();
    for (int i = 0; i < kStretches; ++i) {
        const qint64 from = n <= qint64(kStretches) * kRows ? n * i / kStretches : (n - kRows) * i / (kStretches - 1);
        const qint64 to = n <= qint64(kStretches) * kRows ? n * (i + 1) / kStretches : from + kRows;
        for (auto it = readings.begin() + from, stop = readings.begin() + to; it != stop; ++it)
            counter.add(it->time, it->measure.speed, it->measure.direction);
    }
    return counter.evidence();
}

StoreModeEvidence sampleStoreMode(DatabaseConnection& db)
{
    QSqlQuery edge = db.newQuery();
    if (!edge.exec(QStringLiteral("SELECT min(rowid), max(rowid) FROM measure")) || !edge.next()
        || edge.value(0).isNull())
        return StoreModeEvidence();
    const qint64 first = edge.value(0).toLongLong();
    const qint64 last = edge.value(1).toLongLong();
    edge.finish();
    const bool directions = db.columnExists(QStringLiteral("measure"), QStringLiteral("meas_direction"));
    QSqlQuery rows = db.newQuery();
    rows.setForwardOnly(true);
    if (!rows.prepare(QStringLiteral("SELECT rowid, meas_date, meas_speed, %1 FROM measure WHERE rowid >= ? "
                                     "ORDER BY rowid LIMIT %2")
                          .arg(directions ? QStringLiteral("meas_direction") : QStringLiteral("0"))
                          .arg(kRows)))
        return StoreModeEvidence();

    struct Reading
    {
        qint64 time;
        int speed;
        int direction;
    };
    BurstCounter counter;
    std::vector<Reading> stretch;
    // Rowids may fill the whole 64-bit range: the stretches' starts are worked out unsigned.
    const quint64 step = (quint64(last) - quint64(first)) / kStretches;
    qint64 next = first;
    bool atEnd = false;
    for (int i = 0; i < kStretches && !atEnd && next <= last; ++i) {
        const qint64 from = std::max(next, qint64(quint64(first) + step * quint64(i)));
        rows.bindValue(0, from);
        if (!rows.exec())
            break;
        stretch.clear();
        while (rows.next()) {
            const qint64 rowid = rows.value(0).toLongLong();
            atEnd = rowid == std::numeric_limits<qint64>::max();
            next = atEnd ? rowid : rowid + 1;
            const double time = rows.value(1).toDouble();
            const qint64 speed = rows.value(2).toLongLong();
            // The units marker and what the read leaves out as no measure.
            if (!(time >= 1 && time < 253402300800.0) || speed < 0 || speed > 1000)
                continue;
            stretch.push_back({qint64(std::floor(time)), int(speed), rows.value(3).toInt()});
        }
        rows.finish();
        std::stable_sort(stretch.begin(), stretch.end(),
                         [](const Reading& a, const Reading& b) { return a.time < b.time; });
        for (const Reading& r : stretch)
            counter.add(r.time, r.speed, r.direction);
    }
    return counter.evidence();
}
