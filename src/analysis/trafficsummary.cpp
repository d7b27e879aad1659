// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/trafficsummary.h"

#include "analysis/speedcounts.h"
#include "analysis/speedstatistics.h"
#include "db/storemode.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <utility>
#include <vector>

namespace {

constexpr int kSlotsPerDay = 48;   // half hours
constexpr int kDenseSpeeds = 512;

// Local date and second of the day of Unix times that mostly come in order: one time-zone lookup a
// day, one every 15 minutes on a daylight-saving day.
class LocalClock
{
public:
    void locate(qint64 t, QDate* date, int* secondOfDay)
    {
        if (t < m_from || t >= m_to)
            moveTo(t);
        *date = m_date;
        if (!m_shifted) {
            *secondOfDay = int(t - m_from);
            return;
        }
        const qint64 block = t - t % 900;
        if (block != m_block) {
            m_block = block;
            m_blockSecond = QDateTime::fromSecsSinceEpoch(block).time().msecsSinceStartOfDay() / 1000;
        }
        *secondOfDay = m_blockSecond + int(t - block);
    }

private:
    void moveTo(qint64 t)
    {
        m_date = QDateTime::fromSecsSinceEpoch(t).date();
        m_from = m_date.startOfDay().toSecsSinceEpoch();
        m_to = m_date.addDays(1).startOfDay().toSecsSinceEpoch();
        m_shifted = m_to - m_from != 86400;
        m_block = -1;
    }

    QDate m_date;
    qint64 m_from = 1;
    qint64 m_to = 0;
    bool m_shifted = false;
    qint64 m_block = -1;
    int m_blockSecond = 0;
};

// Readings per speed of one hour of the day, without a map node per reading.
class HourCounts
{
public:
    void add(int speed)
    {
        if (speed >= 0 && speed < kDenseSpeeds) {
            if (m_dense.empty())
                m_dense.assign(kDenseSpeeds, 0);
            ++m_dense[std::size_t(speed)];
        } else {
            ++m_sparse[speed];
        }
    }
    void addTo(std::map<int, qint64>& counts) const
    {
        for (std::size_t s = 0; s < m_dense.size(); ++s)
            if (m_dense[s])
                counts[int(s)] += m_dense[s];
        for (const auto& e : m_sparse)
            counts[e.first] += e.second;
    }

private:
    std::vector<qint64> m_dense;
    std::map<int, qint64> m_sparse;
};

SpeedCounts toCounts(const std::map<int, qint64>& counts)
{
    return SpeedCounts(counts.begin(), counts.end());
}

// Everything but the percentiles reads the readings' shares; counts of vehicles are those shares
// of the period's vehicles.
void speedFigures(const SpeedCounts& counts, int divider, std::optional<int> limit, DirectionSummary& out)
{
    const SpeedMoments moments = speedMoments(counts);
    const qint64 readings = moments.readings;
    const auto vehicles = [&](qint64 n) { return readings > 0 ? qRound64(double(n) * out.vehicles / readings) : 0; };
    if (readings > 0) {
        out.meanSpeed = moments.mean;
        out.speedDeviation = std::sqrt(moments.squares / double(readings));

        // Two cursors over the speeds: [first, last) lies within the span starting at first.
        qint64 best = 0, inSpan = 0;
        std::size_t last = 0;
        for (std::size_t first = 0; first < counts.size(); ++first) {
            while (last < counts.size() && counts[last].first <= counts[first].first + 9)
                inSpan += counts[last++].second;
            if (inSpan > best) {
                best = inSpan;
                out.paceFrom = counts[first].first;
            }
            inSpan -= counts[first].second;
        }
        out.paceShare = double(best) / double(readings);
    }

    const auto v = speedPercentiles(counts, divider, {15, 50, 85, 95});
    out.v15 = v[0];
    out.v50 = v[1];
    out.v85 = v[2];
    out.v95 = v[3];

    if (limit) {
        const auto over = [&](int threshold) {
            const qint64 n = readingsAbove(counts, threshold);
            Exceedance e;
            e.vehicles = vehicles(n);
            if (readings > 0)
                e.share = double(n) / double(readings);
            return e;
        };
        out.overLimit = over(*limit);
        out.overLimit10 = over(*limit + 10);
        out.overLimit20 = over(*limit + 20);
        qint64 n = 0;
        double speeds = 0;
        for (const auto& c : counts) {
            if (c.first > *limit) {
                n += c.second;
                speeds += double(c.first) * double(c.second);
            }
        }
        if (n > 0)
            out.meanSpeedOverLimit = speeds / double(n);
    }

    QVector<qint64> bins;
    for (const auto& c : counts) {
        const int bin = c.first < 0 ? 0 : std::min(c.first / 5, TrafficSummary::kSpeedBins - 1);
        if (bins.size() <= bin)
            bins.resize(bin + 1);
        bins[bin] += c.second;
    }
    for (qint64 n : bins)
        out.speedBins.append(vehicles(n));
}

// Vehicles of each half hour of one day, per direction, and how it was recorded.
struct DayVolumes
{
    std::array<std::array<qint32, kSlotsPerDay>, 2> halfHours{};
    bool recorded = false;   // readings in the period
    bool covered = true;   // the radar recorded it throughout
    qint64 firstReading = std::numeric_limits<qint64>::max();   // within the period
    qint64 lastReading = std::numeric_limits<qint64>::min();
};

std::optional<double> mean(qint64 sum, int days)
{
    if (days == 0)
        return std::nullopt;
    return double(sum) / days;
}

// The busiest hour starting at the half hours [firstSlot, lastSlot] of summed half-hour volumes.
std::optional<PeakHour> peak(const std::array<qint64, kSlotsPerDay>& halfHours, int days, int firstSlot, int lastSlot)
{
    if (days == 0)
        return std::nullopt;
    qint64 best = 0;
    int start = -1;
    for (int k = firstSlot; k <= lastSlot; ++k) {
        const qint64 hour = halfHours[std::size_t(k)] + halfHours[std::size_t(k + 1)];
        if (hour > best) {
            best = hour;
            start = k;
        }
    }
    if (start < 0)
        return std::nullopt;
    return PeakHour{start * 30, double(best) / days};
}

QJsonValue json(const std::optional<double>& v)
{
    return v ? QJsonValue(*v) : QJsonValue();
}
QJsonValue json(const std::optional<int>& v)
{
    return v ? QJsonValue(*v) : QJsonValue();
}
QJsonValue json(const std::optional<PeakHour>& p)
{
    if (!p)
        return QJsonValue();
    return QJsonObject{{QStringLiteral("start"), TrafficSummary::clockText(p->startMinute)},
                       {QStringLiteral("vehicles"), p->vehicles}};
}
QJsonValue json(const std::optional<Exceedance>& e)
{
    if (!e)
        return QJsonValue();
    return QJsonObject{{QStringLiteral("vehicles"), double(e->vehicles)}, {QStringLiteral("share"), json(e->share)}};
}
template <std::size_t N, typename T> QJsonArray json(const std::array<std::optional<T>, N>& values)
{
    QJsonArray a;
    for (const auto& v : values)
        a.append(json(v));
    return a;
}

QJsonObject groupJson(const DirectionSummary& g)
{
    QJsonArray hourly;
    for (int h = 0; h < 24; ++h) {
        hourly.append(QJsonObject{{QStringLiteral("hour"), h},
                                  {QStringLiteral("weekday"), json(g.weekdayHourly[std::size_t(h)])},
                                  {QStringLiteral("weekend"), json(g.weekendHourly[std::size_t(h)])},
                                  {QStringLiteral("v85"), json(g.hourlyV85[std::size_t(h)])}});
    }
    QJsonArray bins;
    for (int i = 0; i < g.speedBins.size(); ++i)
        bins.append(QJsonArray{5 * i, double(g.speedBins[i])});
    QJsonValue pace;
    if (g.paceFrom)
        pace = QJsonObject{{QStringLiteral("from"), *g.paceFrom},
                           {QStringLiteral("to"), *g.paceFrom + 9},
                           {QStringLiteral("share"), json(g.paceShare)}};
    return QJsonObject{{QStringLiteral("vehicles"), double(g.vehicles)},
                       {QStringLiteral("readings"), double(g.readings)},
                       {QStringLiteral("dailyTraffic"), json(g.dailyTraffic)},
                       {QStringLiteral("weekdayTraffic"), json(g.weekdayTraffic)},
                       {QStringLiteral("weekendTraffic"), json(g.weekendTraffic)},
                       {QStringLiteral("morningPeak"), json(g.morningPeak)},
                       {QStringLiteral("afternoonPeak"), json(g.afternoonPeak)},
                       {QStringLiteral("meanSpeed"), json(g.meanSpeed)},
                       {QStringLiteral("speedDeviation"), json(g.speedDeviation)},
                       {QStringLiteral("v15"), json(g.v15)},
                       {QStringLiteral("v50"), json(g.v50)},
                       {QStringLiteral("v85"), json(g.v85)},
                       {QStringLiteral("v95"), json(g.v95)},
                       {QStringLiteral("pace"), pace},
                       {QStringLiteral("overLimit"), json(g.overLimit)},
                       {QStringLiteral("overLimit10"), json(g.overLimit10)},
                       {QStringLiteral("overLimit20"), json(g.overLimit20)},
                       {QStringLiteral("meanSpeedOverLimit"), json(g.meanSpeedOverLimit)},
                       {QStringLiteral("hourly"), hourly},
                       {QStringLiteral("dayOfWeekTraffic"), json(g.dayOfWeekTraffic)},
                       {QStringLiteral("speedBins"), bins}};
}

}   // namespace

TrafficSummary TrafficSummary::compute(const SpeedStatistics& statistics, const QDateTime& begin, const QDateTime& end,
                                       std::optional<int> limit, int storeMode)
{
    TrafficSummary s;
    s.begin = begin;
    s.end = end;
    s.units = statistics.getUnits();
    s.vehicleDivider = std::max(1, statistics.vehicleDivider());
    if (limit && *limit > 0)
        s.limit = limit;
    s.storeMode = storeMode > 0 ? 1 : 0;
    s.implausibleAbove = s.units == 1 ? 155 : s.units == 2 ? 135 : 250;
    s.minSpeed = statistics.effectiveMinSpeed();
    s.misdatedReadings = statistics.getMisdatedReadings();
    const qint64 beginT = begin.toSecsSinceEpoch();
    const qint64 endT = end.toSecsSinceEpoch();
    if (!begin.isValid() || !end.isValid() || endT < beginT)
        return s;

    const qint64 slow = statistics.getSlowReadings();
    if (slow >= 0 && beginT <= statistics.getStartDate().toSecsSinceEpoch()
        && endT >= statistics.getEndDate().toSecsSinceEpoch())
        s.slowReadings = slow;

    // --- days of the period
    const QDate firstDay = begin.date();
    QDate lastDay = end.date();
    if (end.time() == QTime(0, 0) && end > begin)
        lastDay = lastDay.addDays(-1);
    s.daysInPeriod = int(std::max<qint64>(0, firstDay.daysTo(lastDay) + 1));
    std::vector<DayVolumes> days(std::size_t(s.daysInPeriod));
    std::vector<qint64> dayStarts(std::size_t(s.daysInPeriod) + 1);
    for (int i = 0; i <= s.daysInPeriod; ++i)
        dayStarts[std::size_t(i)] = firstDay.addDays(i).startOfDay().toSecsSinceEpoch();
    // The days an unrecorded stretch (from, to) touches are not whole.
    const auto unrecorded = [&](qint64 from, qint64 to) {
        const auto first = std::upper_bound(dayStarts.begin(), dayStarts.end(), from);
        const auto last = std::lower_bound(dayStarts.begin(), dayStarts.end(), to);
        for (auto it = first == dayStarts.begin() ? first : first - 1; it < last && it < dayStarts.end() - 1; ++it)
            days[std::size_t(it - dayStarts.begin())].covered = false;
    };

    // --- volumes, from the 30-minute buckets
    LocalClock clock;
    const DirectionSamples& original = statistics.getOriginalSample();
    for (int d = 0; d < 2; ++d) {
        DirectionSummary& g = s.groups[std::size_t(d)];
        g.readings = statistics.getMeasureCount(d);
        for (const SampleRecord& r : original.value(d)) {
            // As the vehicle count plot: a bucket that starts before the period is left out.
            if (!r.valid || r.measureCount < 1 || r.time < beginT || r.time > endT)
                continue;
            g.vehicles += r.vehicleCount;
            QDate date;
            int second = 0;
            clock.locate(r.time, &date, &second);
            const qint64 day = firstDay.daysTo(date);
            if (day < 0 || day >= s.daysInPeriod)
                continue;
            DayVolumes& v = days[std::size_t(day)];
            v.recorded = true;
            v.halfHours[std::size_t(d)][std::size_t(std::min(second / 1800, kSlotsPerDay - 1))] += r.vehicleCount;
        }
    }
    s.groups[Both].vehicles = s.groups[0].vehicles + s.groups[1].vehicles;
    s.groups[Both].readings = s.groups[0].readings + s.groups[1].readings;

    // --- one pass over the readings: the radar's recording, hours of the day and data quality
    std::array<std::array<HourCounts, 24>, 2> hours;
    const MeasureMap& measures = statistics.measures();
    const qint32 slowest = statistics.slowestLeftOut();
    BurstCounter bursts;
    // How many times a reading was the n-th identical one of its second, speed and direction (index n).
    std::vector<qint64> nth(3);
    qint64 recordedUntil = std::numeric_limits<qint64>::min();
    qint64 second = -1;
    std::vector<std::pair<Measure, int>> sameSecond;
    for (auto it = measures.lowerBound(std::max<qint64>(beginT - kRecordingReach, 0)),
              stop = measures.upperBound(endT + kRecordingReach);
         it != stop; ++it) {
        const qint64 t = it->time;
        if (t - kRecordingReach > recordedUntil)
            unrecorded(recordedUntil, t - kRecordingReach);
        recordedUntil = t + kRecordingReach;
        const Measure& m = it->measure;
        if (t < beginT || t > endT || (m.direction != 0 && m.direction != 1) || m.speed <= slowest)
            continue;
        QDate date;
        int secondOfDay = 0;
        clock.locate(t, &date, &secondOfDay);
        const qint64 day = date.toJulianDay() - firstDay.toJulianDay();
        if (day >= 0 && day < s.daysInPeriod) {
            DayVolumes& v = days[std::size_t(day)];
            v.firstReading = std::min(v.firstReading, t);
            v.lastReading = std::max(v.lastReading, t);
        }
        hours[std::size_t(m.direction)][std::size_t(std::min(secondOfDay / 3600, 23))].add(m.speed);
        if (s.storeMode == 0)
            bursts.add(t, m.speed, m.direction);
        if (m.speed > s.implausibleAbove)
            ++s.implausibleReadings;
        if (t != second) {
            second = t;
            sameSecond.clear();
        }
        const auto same = std::find_if(sameSecond.begin(), sameSecond.end(), [&m](const std::pair<Measure, int>& o) {
            return o.first.speed == m.speed && o.first.direction == m.direction;
        });
        if (same == sameSecond.end()) {
            sameSecond.push_back({m, 1});
        } else {
            const std::size_t n = std::size_t(++same->second);
            if (nth.size() <= n)
                nth.resize(n + 1);
            ++nth[n];
        }
    }
    unrecorded(recordedUntil, std::numeric_limits<qint64>::max());
    if (s.storeMode == 0 && bursts.evidence().readings > 0)
        s.readingsPerVehicle = bursts.evidence().readingsPerBurst();
    // Identical readings beyond what one vehicle explains: any second one, or past a burst's length.
    const int explained = s.readingsPerVehicle ? int(std::ceil(*s.readingsPerVehicle)) : 1;
    for (std::size_t n = std::size_t(explained) + 1; n < nth.size(); ++n)
        s.repeatedReadings += nth[n];
    for (int h = 0; h < 24; ++h) {
        std::map<int, qint64> all;
        for (int d = 0; d < 2; ++d) {
            std::map<int, qint64> counts;
            hours[std::size_t(d)][std::size_t(h)].addTo(counts);
            hours[std::size_t(d)][std::size_t(h)].addTo(all);
            s.groups[std::size_t(d)].hourlyV85[std::size_t(h)] =
                speedPercentiles(toCounts(counts), s.vehicleDivider, {85})[0];
        }
        s.groups[Both].hourlyV85[std::size_t(h)] = speedPercentiles(toCounts(all), s.vehicleDivider, {85})[0];
    }

    // Half-hour sums of the whole recorded weekdays and weekend days, per group.
    std::array<std::array<qint64, kSlotsPerDay>, 3> weekdaySlots{}, weekendSlots{};
    std::array<std::array<qint64, 7>, 3> dayOfWeekSum{};
    for (int i = 0; i < s.daysInPeriod; ++i) {
        const QDate date = firstDay.addDays(i);
        const DayVolumes& v = days[std::size_t(i)];
        if (!v.recorded) {
            s.missingDays.append(date);
            continue;
        }
        ++s.daysRecorded;
        const bool reached =
            dayStarts[std::size_t(i)] + 1800 > beginT && QDateTime(date, QTime(23, 30)).toSecsSinceEpoch() <= endT;
        if (!reached || !v.covered) {
            if (v.firstReading <= v.lastReading)
                s.partialDays.append({date, QDateTime::fromSecsSinceEpoch(v.firstReading).time(),
                                      QDateTime::fromSecsSinceEpoch(v.lastReading).time()});
            continue;
        }
        ++s.wholeDays;
        const int weekday = date.dayOfWeek() - 1;
        const bool weekend = weekday >= 5;
        ++(weekend ? s.wholeWeekendDays : s.wholeWeekdays);
        ++s.wholeByDayOfWeek[std::size_t(weekday)];
        for (int g = 0; g < 3; ++g) {
            auto& halfHours = weekend ? weekendSlots[std::size_t(g)] : weekdaySlots[std::size_t(g)];
            for (int k = 0; k < kSlotsPerDay; ++k) {
                const qint64 n = g == Both ? qint64(v.halfHours[0][std::size_t(k)]) + v.halfHours[1][std::size_t(k)]
                                           : v.halfHours[std::size_t(g)][std::size_t(k)];
                halfHours[std::size_t(k)] += n;
                dayOfWeekSum[std::size_t(g)][std::size_t(weekday)] += n;
            }
        }
    }
    for (int gi = 0; gi < 3; ++gi) {
        DirectionSummary& g = s.groups[std::size_t(gi)];
        const auto& wd = weekdaySlots[std::size_t(gi)];
        const auto& we = weekendSlots[std::size_t(gi)];
        qint64 weekdayTotal = 0, weekendTotal = 0;
        for (int k = 0; k < kSlotsPerDay; ++k) {
            weekdayTotal += wd[std::size_t(k)];
            weekendTotal += we[std::size_t(k)];
        }
        g.dailyTraffic = mean(weekdayTotal + weekendTotal, s.wholeDays);
        g.weekdayTraffic = mean(weekdayTotal, s.wholeWeekdays);
        g.weekendTraffic = mean(weekendTotal, s.wholeWeekendDays);
        for (int h = 0; h < 24; ++h) {
            g.weekdayHourly[std::size_t(h)] =
                mean(wd[std::size_t(2 * h)] + wd[std::size_t(2 * h + 1)], s.wholeWeekdays);
            g.weekendHourly[std::size_t(h)] =
                mean(we[std::size_t(2 * h)] + we[std::size_t(2 * h + 1)], s.wholeWeekendDays);
        }
        for (int w = 0; w < 7; ++w)
            g.dayOfWeekTraffic[std::size_t(w)] =
                mean(dayOfWeekSum[std::size_t(gi)][std::size_t(w)], s.wholeByDayOfWeek[std::size_t(w)]);
        g.morningPeak = peak(wd, s.wholeWeekdays, 0, 23);
        g.afternoonPeak = peak(wd, s.wholeWeekdays, 24, kSlotsPerDay - 2);
    }

    // --- speeds, from the engine's histograms of the period
    const QMap<int, SpeedHistogram>& histograms = statistics.getSpeedHistogram();
    std::map<int, qint64> both;
    for (int d = 0; d < 2; ++d) {
        std::map<int, qint64> counts;
        const SpeedHistogram h = histograms.value(d);
        for (auto it = h.constBegin(); it != h.constEnd(); ++it) {
            counts[it.key()] += it.value();
            both[it.key()] += it.value();
        }
        speedFigures(toCounts(counts), s.vehicleDivider, s.limit, s.groups[std::size_t(d)]);
    }
    speedFigures(toCounts(both), s.vehicleDivider, s.limit, s.groups[Both]);
    return s;
}

QString TrafficSummary::limitNote() const
{
    if (!limit)
        return QCoreApplication::translate("TrafficSummary", "Limite non renseignée");
    return limitSource == LimitSource::Request
        ? QCoreApplication::translate("TrafficSummary", "limite donnée pour cette analyse")
        : QCoreApplication::translate("TrafficSummary", "limite du site");
}

QString TrafficSummary::clockText(int minutes)
{
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QJsonObject TrafficSummary::toJson() const
{
    QJsonArray missing;
    for (const QDate& d : missingDays)
        missing.append(d.toString(Qt::ISODate));
    QJsonArray partial;
    for (const PartialDay& d : partialDays)
        partial.append(QJsonObject{{QStringLiteral("date"), d.date.toString(Qt::ISODate)},
                                   {QStringLiteral("first"), d.first.toString(QStringLiteral("HH:mm"))},
                                   {QStringLiteral("last"), d.last.toString(QStringLiteral("HH:mm"))}});
    QJsonArray byDayOfWeek;
    for (int n : wholeByDayOfWeek)
        byDayOfWeek.append(n);
    const char* const source = limitSource == LimitSource::Site ? "site"
        : limitSource == LimitSource::Request                   ? "request"
                                                                : nullptr;
    return QJsonObject{
        {QStringLiteral("limit"), limit ? QJsonValue(*limit) : QJsonValue()},
        {QStringLiteral("limitSource"), limit && source ? QJsonValue(QLatin1String(source)) : QJsonValue()},
        {QStringLiteral("vehicleDivider"), vehicleDivider},
        {QStringLiteral("days"),
         QJsonObject{{QStringLiteral("inPeriod"), daysInPeriod},
                     {QStringLiteral("recorded"), daysRecorded},
                     {QStringLiteral("missing"), missing},
                     {QStringLiteral("whole"), wholeDays},
                     {QStringLiteral("wholeWeekdays"), wholeWeekdays},
                     {QStringLiteral("wholeWeekendDays"), wholeWeekendDays},
                     {QStringLiteral("wholeByDayOfWeek"), byDayOfWeek},
                     {QStringLiteral("partial"), partial}}},
        {QStringLiteral("quality"),
         QJsonObject{{QStringLiteral("minSpeed"), minSpeed},
                     {QStringLiteral("slowReadings"), slowReadings ? QJsonValue(double(*slowReadings)) : QJsonValue()},
                     {QStringLiteral("implausibleAbove"), implausibleAbove},
                     {QStringLiteral("implausibleReadings"), double(implausibleReadings)},
                     {QStringLiteral("repeatedReadings"), double(repeatedReadings)},
                     {QStringLiteral("storeMode"), storeMode},
                     {QStringLiteral("storeModeReason"), storeModeReason},
                     {QStringLiteral("readingsPerVehicle"), json(readingsPerVehicle)},
                     {QStringLiteral("misdatedReadings"), double(misdatedReadings)}}},
        {QStringLiteral("directions"),
         QJsonObject{{QStringLiteral("0"), groupJson(groups[Ingoing])},
                     {QStringLiteral("1"), groupJson(groups[Outgoing])},
                     {QStringLiteral("both"), groupJson(groups[Both])}}}};
}

std::optional<int> limitFromAreaName(const QString& name)
{
    static const QRegularExpression number(QStringLiteral("\\d+"));
    const QRegularExpressionMatch match = number.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const int value = match.captured().toInt(&ok);
    if (!ok || value < 1 || value > 1000)
        return std::nullopt;
    return value;
}
