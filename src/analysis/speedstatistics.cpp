// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/speedstatistics.h"

#include "db/measurereader.h"

#include <QDebug>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

namespace {

const char* const kDayTime = "dd/MM/yyyy hh:mm:ss";
const char* const kDayMinute = "dd/MM/yyyy hh:mm";
constexpr qint64 kOriginalStep = 1800;

// Class bounds and speeds are whole numbers; keeps a wild double from being undefined behaviour.
qint64 truncToInteger(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 9.0e18)
        return std::numeric_limits<qint64>::max();
    if (value <= -9.0e18)
        return std::numeric_limits<qint64>::min();
    return qint64(value);
}

// Unsigned 32-bit Unix seconds, all ones for what that cannot hold (as the old time_t API did).
quint32 unsignedSeconds(const QDateTime& dt)
{
    if (!dt.isValid())
        return 0xFFFFFFFFu;
    const qint64 s = dt.toSecsSinceEpoch();
    if (s < 0 || s > qint64(0xFFFFFFFEu))
        return 0xFFFFFFFFu;
    return quint32(s);
}

bool bothEpoch(const QDateTime& from, const QDateTime& to)
{
    return from.isValid() && to.isValid() && from.toSecsSinceEpoch() == 0 && to.toSecsSinceEpoch() == 0;
}

QString dayText(qint64 secs, const char* format)
{
    return QDateTime::fromSecsSinceEpoch(secs).toString(QLatin1String(format));
}

int bitLength(quint64 v)
{
    int n = 0;
    while (v) {
        ++n;
        v >>= 1;
    }
    return n;
}

}   // namespace

// x87 arithmetic done by hand: q = RN(c / t) with a 64-bit significand, P = RN(q * 100),
// then truncation toward zero. Long double is only 64 bits wide with MSVC, and a plain
// 100 * c / t misses the cases where the rounded product falls just below a whole number.
int truncatedPercentage(quint64 cumulated, quint64 total)
{
    if (total == 0 || cumulated == 0)
        return 0;
    Q_ASSERT(cumulated < (quint64(1) << 62) && total < (quint64(1) << 62));

    // Quotient: m * 2^-k with 2^63 <= m < 2^64, rounded to nearest even.
    quint64 m = cumulated / total;
    quint64 r = cumulated % total;
    int k = 0;
    while (m < (quint64(1) << 63)) {
        r <<= 1;
        m <<= 1;
        if (r >= total) {
            r -= total;
            m |= 1;
        }
        ++k;
    }
    r <<= 1;
    bool roundBit = false;
    if (r >= total) {
        r -= total;
        roundBit = true;
    }
    const bool sticky = r != 0;
    if (roundBit && (sticky || (m & 1))) {
        ++m;
        if (m == 0) {
            m = quint64(1) << 63;
            --k;
        }
    }

    // Product m * 100 as 128 bits (hi:lo).
    const quint64 mLo = m & 0xFFFFFFFFu;
    const quint64 mHi = m >> 32;
    const quint64 pLo = mLo * 100;
    const quint64 pHi = mHi * 100;
    quint64 lo = pLo + (pHi << 32);
    quint64 hi = (pHi >> 32) + (lo < pLo ? 1 : 0);

    // Round the product to a 64-bit significand.
    const int shift = bitLength(hi);   // bits beyond the low word
    quint64 mant = shift == 0 ? lo : ((lo >> shift) | (hi << (64 - shift)));
    int exponent = shift - k;   // value = mant * 2^exponent
    if (shift > 0) {
        const quint64 rest = lo & ((quint64(1) << shift) - 1);
        const quint64 half = quint64(1) << (shift - 1);
        if (rest > half || (rest == half && (mant & 1))) {
            ++mant;
            if (mant == 0) {
                mant = quint64(1) << 63;
                ++exponent;
            }
        }
    }

    if (exponent >= 0)
        return int(mant << exponent);   // only for a quotient above 2^57: not a percentage
    if (exponent <= -64)
        return 0;
    return int(mant >> -exponent);
}

SpeedStatistics::SpeedStatistics()
{
    reset();
}

void SpeedStatistics::reset()
{
    m_measures = std::make_shared<MeasureMap>();
    m_ownsMeasures = true;
    m_slowHeld = 0;
    m_originalSample.clear();
    m_filteredSample.clear();
    m_distribution.clear();
    m_maxSpeed[0] = 0;
    m_startDate = QDateTime::fromSecsSinceEpoch(0);
    m_endDate = QDateTime::fromSecsSinceEpoch(0);
    m_meanSpeed[0] = 0.0;
    m_filter = 1800;
    m_range = 150;
    m_dividerOff = true;
    m_units = 0;
    m_minSpeed = 15;
    m_loadedMinSpeed = 15;
    m_directions = {0, 1};
}

MeasureMap& SpeedStatistics::editMeasures()
{
    if (!m_ownsMeasures || m_measures.use_count() > 1) {
        m_measures = std::make_shared<MeasureMap>(*m_measures);
        m_ownsMeasures = true;
    }
    // Made here as a non-const map: writing through it is allowed.
    return const_cast<MeasureMap&>(*m_measures);
}

qint32 SpeedStatistics::slowestLeftOut() const
{
    return m_minSpeed > m_loadedMinSpeed ? m_minSpeed : std::numeric_limits<qint32>::min();
}

void SpeedStatistics::setRead(const MeasureRead& read)
{
    m_measures = read.measures;
    m_ownsMeasures = false;
    m_startDate = QDateTime::fromSecsSinceEpoch(read.first);
    m_endDate = QDateTime::fromSecsSinceEpoch(read.last);
    m_units = read.units;
    m_loadedMinSpeed = read.minSpeed;
    m_slowReadings = read.slowReadings;
    m_slowHeld = 0;
    m_invalidReadings = read.invalidReadings;
    m_misdatedReadings = read.misdatedReadings;
    m_directions = read.directions;
}

QString SpeedStatistics::unitLabel(int units)
{
    switch (units) {
    case 1: return QStringLiteral("Mph");
    case 2: return QStringLiteral("Knot");
    default: return QStringLiteral("Km/h");
    }
}

QString SpeedStatistics::unitSymbol(int units)
{
    switch (units) {
    case 1: return QStringLiteral("mph");
    case 2: return QStringLiteral("kn");
    default: return QStringLiteral("km/h");
    }
}

int SpeedStatistics::defaultMinSpeed(int units)
{
    return (units == 1 || units == 2) ? 9 : 15;
}

int SpeedStatistics::dividerForRange(int range)
{
    return ((range - 1) / 50) * 3 + 3;
}

int SpeedStatistics::vehicleDivider() const
{
    const int divider = m_dividerOff ? 1 : dividerForRange(m_range);
    qDebug() << "Vehicle divider :" << divider;
    return divider;
}

void SpeedStatistics::createSample(const QDateTime& begin, const QDateTime& end)
{
    const int divider = std::max(1, vehicleDivider());
    for (auto it = m_originalSample.begin(); it != m_originalSample.end(); ++it)
        it->clear();
    qDebug() << "createSample Filtre=" << kOriginalStep;
    for (auto it = m_measureCount.begin(); it != m_measureCount.end(); ++it)
        *it = 0;
    m_measureCount[0] = 0;
    m_measureCount[1] = 0;
    m_highestSpeed[0] = 0;
    m_highestSpeed[1] = 0;
    for (auto it = m_speedHistogram.begin(); it != m_speedHistogram.end(); ++it)
        it->clear();

    const qint64 b = unsignedSeconds(begin);
    const qint64 e = unsignedSeconds(end);
    qDebug() << "createSample::Start date=" << begin.toString(QLatin1String(kDayTime));
    qDebug() << "createSample::End date=" << end.toString(QLatin1String(kDayTime));

    // Per direction: the bucket being filled and a dense histogram for the usual speeds, so that
    // ten million readings cost no map look-up each.
    constexpr int kDense = 1024;
    struct Run
    {
        SampleMap* sample = nullptr;
        SampleRecord* bucket = nullptr;
        qint64 bucketStart = -1;
        std::vector<qint32> dense;
        SpeedHistogram* histogram = nullptr;
        qint32 count = 0;
        float total = 0.0f;
    };
    Run fixedRuns[2];
    std::map<int, Run> otherRuns;

    auto runOf = [&](int direction) -> Run& {
        Run& run = (direction == 0 || direction == 1) ? fixedRuns[direction] : otherRuns[direction];
        if (!run.sample) {
            run.sample = &m_originalSample[direction];
            run.histogram = &m_speedHistogram[direction];
            run.dense.assign(kDense, 0);
        }
        return run;
    };

    m_slowHeld = 0;
    const qint32 slowest = slowestLeftOut();
    if (b <= e) {
        const MeasureMap& measures = *m_measures;
        const auto last = measures.upperBound(e);
        int lastDirection = std::numeric_limits<int>::min();
        Run* run = nullptr;
        for (auto it = measures.lowerBound(b); it != last; ++it) {
            const qint64 t = it->time;
            if (t < 0)
                continue;
            const qint32 speed = it->measure.speed;
            if (speed <= slowest) {
                ++m_slowHeld;
                continue;
            }
            if (!run || it->measure.direction != lastDirection) {
                lastDirection = it->measure.direction;
                run = &runOf(lastDirection);
            }
            const qint64 start = t - t % kOriginalStep;
            if (start != run->bucketStart) {
                run->bucketStart = start;
                SampleRecord record;
                record.time = start;
                record.minSpeed = record.maxSpeed = record.speedSum = record.meanSpeed = speed;
                record.measureCount = 1;
                record.vehicleCount = 1;
                // Readings come in time order, so each new bucket goes to the end.
                auto pos = run->sample->insert(run->sample->end(), start, record);
                run->bucket = &pos.value();
            } else {
                SampleRecord& r = *run->bucket;
                r.minSpeed = std::min(r.minSpeed, double(speed));
                r.maxSpeed = std::max(r.maxSpeed, double(speed));
                r.speedSum += speed;
                r.measureCount += 1;
                r.meanSpeed = r.speedSum / r.measureCount;
                r.vehicleCount = (r.measureCount - 1) / divider + 1;
            }
            if (speed > 0 && (lastDirection == 0 || lastDirection == 1))
                run->total += float(speed);
            if (speed >= 0 && speed < kDense)
                ++run->dense[speed];
            else
                ++(*run->histogram)[speed];
            ++run->count;
        }
    }

    auto finish = [&](int direction, Run& run) {
        if (!run.sample)
            return;
        for (int s = 0; s < kDense; ++s) {
            if (run.dense[s])
                (*run.histogram)[s] += run.dense[s];
        }
        m_measureCount[direction] += run.count;
    };
    finish(0, fixedRuns[0]);
    finish(1, fixedRuns[1]);
    for (auto& other : otherRuns)
        finish(other.first, other.second);

    createDistribution();

    for (int d = 0; d < 2; ++d) {
        const qint32 count = m_measureCount.value(d);
        if (count >= 1)
            m_meanSpeed[d] = double(fixedRuns[d].total / float(count));
    }
}

int SpeedStatistics::load(const QDateTime& begin, const QDateTime& end, bool& hasGaps)
{
    hasGaps = false;
    if (m_measures->isEmpty())
        return 0;

    qDebug() << "Creating original sample" << begin.toString(QLatin1String(kDayMinute))
             << end.toString(QLatin1String(kDayMinute));
    createSample(begin, end);
    qDebug() << "Creating original sample [Done]";
    qDebug() << "<--------------- CHARGEMENT :: DEBUT------------------->";
    qDebug() << "Filtre=" << m_filter;

    for (auto it = m_filteredSample.begin(); it != m_filteredSample.end(); ++it)
        it->clear();
    const QLatin1String iso("yyyy-MM-dd hh:mm:ss");
    const qint64 beginT = isoToUnixTime(begin.toString(iso));
    const qint64 step = m_filter >= 1 ? m_filter : kOriginalStep;

    QMap<int, double> overallMax;
    for (int d = 0; d < 2; ++d) {
        const auto found = m_originalSample.constFind(d);
        const SampleMap empty;
        const SampleMap& original = found != m_originalSample.constEnd() ? *found : empty;
        qDebug() << "Sample size for direction" << d << original.size();

        qDebug() << "Statistics : quick synchronization ...";
        auto current = original.lowerBound(beginT);
        if (current != original.constEnd())
            qDebug() << "Statistics: synchronized on" << dayText(current.key(), kDayTime) << "Direction=" << d;
        qDebug() << "Statistics: loading values ...";
        if (current == original.constEnd())
            continue;

        SampleMap& filtered = m_filteredSample[d];
        double directionMax = 0;
        qint64 bucketStart = beginT;
        for (;;) {
            double minSpeed = 1000.0;
            double maxSpeed = 0;
            qint64 measureCount = 0;
            qint64 vehicleCount = 0;
            double weightedSum = 0;
            for (; current != original.constEnd() && current.key() < bucketStart + step; ++current) {
                const SampleRecord& r = current.value();
                if (!r.valid)
                    continue;
                minSpeed = std::min(minSpeed, r.minSpeed);
                maxSpeed = std::max(maxSpeed, r.maxSpeed);
                directionMax = std::max(directionMax, r.maxSpeed);
                measureCount += r.measureCount;
                vehicleCount += r.vehicleCount;
                weightedSum += r.measureCount * r.meanSpeed;
            }
            SampleRecord record;
            record.time = bucketStart;
            if (measureCount >= 1) {
                record.minSpeed = minSpeed;
                record.maxSpeed = maxSpeed;
                record.meanSpeed = weightedSum / double(measureCount);
                record.measureCount = qint32(measureCount);
                record.vehicleCount = qint32(vehicleCount);
                record.valid = record.flag2 = record.flag3 = true;
            } else {
                hasGaps = true;
                record.measureCount = 1;
                record.vehicleCount = 1;
                record.valid = false;
            }
            filtered.insert(filtered.end(), bucketStart, record);
            if (current == original.constEnd())
                break;
            bucketStart += step;
        }
        overallMax[d] = directionMax;
    }

    int total = 0;
    for (auto it = m_filteredSample.constBegin(); it != m_filteredSample.constEnd(); ++it) {
        m_maxSpeed[it.key()] = int(truncToInteger(overallMax.value(it.key(), 0.0)));
        total += it->size();
    }

    buildTimeSeries();
    computePercentiles();
    buildVehicleBars(begin, end, int(step));
    qDebug() << "Préparation des graphiques terminée";
    return total;
}

double SpeedStatistics::getMaxSpeed() const
{
    return double(std::max(m_maxSpeed.value(0, 0), m_maxSpeed.value(1, 0)));
}

// ---- distribution and percentiles ------------------------------------------------------------

void SpeedStatistics::setDistribution(const SpeedClassMap& classes, int direction)
{
    m_distribution[direction] = classes;
}

CurvePoints SpeedStatistics::getPercentageCurve(int direction) const
{
    const auto found = m_percentageCurve.constFind(direction);
    if (found != m_percentageCurve.constEnd())
        return *found;
    return m_percentageCurve.value(0);
}

void SpeedStatistics::createDistribution()
{
    qDebug() << "Speed distribution creation - start";
    qDebug() << "Ready to reset distribution values ...";
    for (auto dir = m_distribution.begin(); dir != m_distribution.end(); ++dir) {
        for (auto cls = dir->begin(); cls != dir->end(); ++cls) {
            cls->speedSum = 0;
            cls->meanSpeed = 0;
            cls->measureCount = 0;
        }
    }

    qint64 total[2] = {0, 0};
    for (int d = 0; d < 2; ++d) {
        qDebug() << "Creating distribution direction=" << d;
        const auto histogram = m_speedHistogram.constFind(d);
        if (histogram == m_speedHistogram.constEnd() || histogram->isEmpty()) {
            qDebug() << "Speed repartition array is empty";
            continue;
        }
        const auto classesIt = m_distribution.find(d);
        if (classesIt == m_distribution.end() || classesIt->isEmpty())
            continue;
        SpeedClassMap& classes = *classesIt;

        qDebug() << "Analyzing speed table for direction" << d;
        auto cls = classes.begin();
        qint64 bound = truncToInteger(cls->maxSpeed);
        qDebug() << "Current distribution entry" << cls->minSpeed << cls->maxSpeed;
        for (auto h = histogram->constBegin(); h != histogram->constEnd();) {
            const int s = h.key();
            if (s > bound) {
                auto next = cls;
                ++next;
                if (next == classes.end()) {
                    // Speeds above the last class still belong to the direction's measures.
                    qDebug() << "Completing distribution set with out-of-bound speeds...";
                    for (; h != histogram->constEnd(); ++h) {
                        cls->speedSum += h.key();
                        cls->measureCount += h.value();
                        total[d] += h.value();
                    }
                    break;
                }
                cls = next;
                bound = truncToInteger(cls->maxSpeed);
                qDebug() << "Current distribution entry" << cls->minSpeed << "-" << cls->maxSpeed;
                continue;
            }
            cls->speedSum += s;
            cls->measureCount += h.value();
            total[d] += h.value();
            ++h;
        }
    }

    qDebug() << "Total number of directions stored" << m_distribution.size();
    for (auto dir = m_distribution.end(); dir != m_distribution.begin();) {
        --dir;
        const int i = dir.key();
        const qint64 directionTotal = (i == 0 || i == 1) ? total[i] : 0;
        qDebug() << "TotalDistri[" << i << "]=" << directionTotal;
        if (directionTotal <= 0)
            continue;
        for (auto cls = dir->begin(); cls != dir->end(); ++cls) {
            cls->meanSpeed = double(cls->measureCount) / double(directionTotal);
            qDebug() << "Distri[" << cls->minSpeed << "," << cls->maxSpeed << "]=" << cls->measureCount;
        }
    }
    qDebug() << "Speed distribution creation - end";
}

void SpeedStatistics::computePercentiles()
{
    for (auto it = m_percentageCurve.begin(); it != m_percentageCurve.end(); ++it)
        it->clear();

    for (auto h = m_speedHistogram.constBegin(); h != m_speedHistogram.constEnd(); ++h) {
        const int d = h.key();
        const SpeedHistogram& histogram = *h;
        double& v30 = m_v30[d];
        double& v50 = m_v50[d];
        double& v85 = m_v85[d];
        v30 = v50 = v85 = 0;
        CurvePoints& curve = m_percentageCurve[d];
        int& highest = m_highestSpeed[d];

        int divider = vehicleDivider();
        if (divider == 0)
            divider = 1;
        qint64 total = 0;
        for (auto it = histogram.constBegin(); it != histogram.constEnd(); ++it)
            total += it.value() / divider;
        m_percentileVehicles[d] = total;

        curve.reserve(101);
        curve.append({0, 0});
        int k = 1;
        double previous = 0;
        qint64 cumulated = 0;
        if (histogram.isEmpty()) {
            for (; k <= 99; ++k)
                curve.append({double(k), 0});
            continue;
        }
        for (auto it = histogram.constBegin(); it != histogram.constEnd(); ++it) {
            const int s = it.key();
            const qint64 v = it.value() / divider;
            cumulated += v;
            // Without a single whole vehicle there is no percentage, and no percentile.
            if (total > 0) {
                const int p = truncatedPercentage(quint64(cumulated), quint64(total));
                for (; k < p; ++k)
                    curve.append({double(k), previous});
                if (v > 0) {
                    if (p < curve.size())
                        curve.removeLast();
                    curve.append({double(p), double(s)});
                    previous = s;
                }
                if (p <= 30)
                    v30 = s;
                if (p <= 50)
                    v50 = s;
                if (p <= 85)
                    v85 = s;
            }
            highest = std::max(highest, s);
        }
        for (; k < 100; ++k)
            curve.append({double(k), previous});
    }
}

// ---- time series and counts ---------------------------------------------------------------------

void SpeedStatistics::buildTimeSeries()
{
    for (auto it = m_meanCurve.begin(); it != m_meanCurve.end(); ++it)
        it->clear();
    for (auto it = m_maxCurve.begin(); it != m_maxCurve.end(); ++it)
        it->clear();
    m_earliestBucket = 932838457459459LL;
    m_latestBucket = 0;
    for (auto dir = m_filteredSample.constBegin(); dir != m_filteredSample.constEnd(); ++dir) {
        CurvePoints& mean = m_meanCurve[dir.key()];
        CurvePoints& max = m_maxCurve[dir.key()];
        mean.reserve(dir->size());
        max.reserve(dir->size());
        for (auto b = dir->constBegin(); b != dir->constEnd(); ++b) {
            m_earliestBucket = std::min(m_earliestBucket, b.key());
            m_latestBucket = std::max(m_latestBucket, b.key());
            // A bucket without measures has no speed: a point at 0 would read as stopped traffic.
            if (!b->valid)
                continue;
            mean.append({double(b.key()), b->meanSpeed});
            max.append({double(b.key()), b->maxSpeed});
        }
    }
}

void SpeedStatistics::buildVehicleBars(const QDateTime& begin, const QDateTime& end, int step)
{
    for (auto it = m_vehicleBars.begin(); it != m_vehicleBars.end(); ++it)
        it->clear();
    qDebug() << "Histogram data creation from " << begin.toString(QLatin1String(kDayMinute)) << " to "
             << end.toString(QLatin1String(kDayMinute));
    const bool all = bothEpoch(begin, end);
    const qint64 b = begin.toSecsSinceEpoch();
    const qint64 e = end.toSecsSinceEpoch();
    for (auto dir = m_filteredSample.constBegin(); dir != m_filteredSample.constEnd(); ++dir) {
        const int d = dir.key();
        const float offset = 0.5f * float(d);
        IntervalSamples& bars = m_vehicleBars[d];
        qint64 sum = 0;
        for (auto it = dir->constBegin(); it != dir->constEnd(); ++it) {
            const qint64 t = it.key();
            if (!all && (t < b || t > e))
                continue;
            IntervalSample bar;
            bar.value = it->valid ? it->vehicleCount : 0;
            bar.minValue = double(t) + double(offset) * step;
            bar.maxValue = double(t) + (double(offset) + 0.5) * step;
            bars.append(bar);
            sum += qint64(bar.value);
        }
        qDebug() << "Controle : total vehicules=" << sum << "calcul individuel=" << countVehicles(begin, end, d);
    }
}

int SpeedStatistics::countVehicles(const QDateTime& from, const QDateTime& to, int direction) const
{
    qDebug() << "Histogram data creation with vehicleDivider=" << vehicleDivider();
    qDebug() << "Vehicle number count for direction " << direction;
    const bool all = bothEpoch(from, to);
    const qint64 f = from.toSecsSinceEpoch();
    const qint64 t = to.toSecsSinceEpoch();
    qint64 sum = 0;
    const auto found = m_originalSample.constFind(direction);
    if (found != m_originalSample.constEnd()) {
        for (auto it = found->constBegin(); it != found->constEnd(); ++it) {
            if (!it->valid || (!all && (it.key() < f || it.key() > t)))
                continue;
            sum += it->vehicleCount;
        }
    }
    qDebug() << "Histogram data creation" << from.toString(QLatin1String(kDayMinute)) << "to"
             << to.toString(QLatin1String(kDayMinute)) << "resultat=" << sum << "total mesasure=" << 0;
    return int(sum);
}

int SpeedStatistics::maxSpeedInRange(const QDateTime& from, const QDateTime& to, int direction) const
{
    const bool all = bothEpoch(from, to);
    const MeasureMap& measures = *m_measures;
    auto first = all ? measures.begin() : measures.lowerBound(from.toSecsSinceEpoch());
    auto last = all ? measures.end() : measures.upperBound(to.toSecsSinceEpoch());
    const qint32 slowest = slowestLeftOut();
    qint32 result = 0;
    for (auto it = first; it < last; ++it) {
        if (it->measure.direction == direction && it->measure.speed > slowest)
            result = std::max(result, it->measure.speed);
    }
    qDebug() << "DateBegin=" << from.toString(QLatin1String(kDayMinute));
    qDebug() << "DateEnd  =" << to.toString(QLatin1String(kDayMinute));
    qDebug() << "xmSpeed (" << direction << ")" << from << "to" << to << "max=" << result;
    return result;
}

float SpeedStatistics::meanSpeedInRange(const QDateTime& from, const QDateTime& to, int direction) const
{
    const bool all = bothEpoch(from, to);
    const MeasureMap& measures = *m_measures;
    auto first = all ? measures.begin() : measures.lowerBound(from.toSecsSinceEpoch());
    auto last = all ? measures.end() : measures.upperBound(to.toSecsSinceEpoch());
    const qint32 slowest = slowestLeftOut();
    float sum = 0.0f;
    qint64 count = 0;
    for (auto it = first; it < last; ++it) {
        if (it->measure.direction != direction || it->measure.speed <= slowest)
            continue;
        ++count;
        if (it->measure.speed > 0)
            sum += float(it->measure.speed);
    }
    const float mean = count ? sum / float(count) : 0.0f;
    qDebug() << "mean (" << direction << ")" << from << "to" << to << "moyenne=" << mean;
    return mean;
}

// ---- description ---------------------------------------------------------------------------------

void SpeedStatistics::setDescription(const QString& text)
{
    qDebug() << "setDescription" << text;
    const QStringList parts = text.split(QLatin1Char('_'), Qt::KeepEmptyParts);
    if (parts.size() == 3) {
        m_description = parts.at(2);
        qDebug() << "m_description=" << m_description;
    }
}

QString SpeedStatistics::getStatsFileName(const QDateTime& begin, const QDateTime& end) const
{
    qDebug() << "getStatsFileName" << begin << end;
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    auto replaced = [](QString text, const QString& chars) {
        for (QChar& c : text) {
            if (chars.contains(c))
                c = QLatin1Char('_');
        }
        return text;
    };
    QString name = begin.toString(QLatin1String("yyyy-MM-dd")) + QLatin1Char('_')
        + end.toString(QLatin1String("yyyy-MM-dd")) + QLatin1Char('_') + replaced(m_description, forbidden);
    return replaced(name.trimmed(), forbidden + QLatin1Char(' '));
}

qint64 SpeedStatistics::isoToUnixTime(const QString& text)
{
    const QDateTime dt = QDateTime::fromString(text, Qt::ISODate);
    if (!dt.isValid()) {
        qDebug() << "Invalid ISO8601 datetime string.";
        return -1;
    }
    return dt.toSecsSinceEpoch();
}
