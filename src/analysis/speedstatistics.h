// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/measure.h"
#include "core/samplerecord.h"

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QVector>
#include <QtGlobal>
#include <algorithm>
#include <memory>

struct MeasureRead;

// A point of a curve: x is a bucket start (Unix seconds) or a percentage, y a speed.
struct CurvePoint
{
    double x = 0;
    double y = 0;
};
inline bool operator==(const CurvePoint& a, const CurvePoint& b)
{
    return a.x == b.x && a.y == b.y;
}

// A bar of the vehicle count plot: value over [minValue, maxValue], both borders included.
struct IntervalSample
{
    double value = 0;
    double minValue = 0;
    double maxValue = 0;
    int borderFlags = 0;
};

using SampleMap = QMap<qint64, SampleRecord>;   // bucket start -> record
using DirectionSamples = QMap<int, SampleMap>;   // direction -> buckets
using SpeedHistogram = QMap<int, int>;   // speed -> number of measures
using CurvePoints = QVector<CurvePoint>;
using IntervalSamples = QVector<IntervalSample>;

// Exact value of trunc((cumulated / total) * 100) as an x87 unit computes it (64-bit mantissa,
// round to nearest even), so that every compiler gives the same percentages. total must be > 0.
int truncatedPercentage(quint64 cumulated, quint64 total);

// The statistics engine: turns the measures of a period into samples, distributions,
// percentiles, curves and counts. It opens no file and asks no one: the readings come from a
// MeasureReader's read (setRead()).
class SpeedStatistics
{
public:
    SpeedStatistics();

    // Empties measures, samples and distribution and restores the default settings. Histograms,
    // counts, percentiles and curves stay until the next sample creation.
    void reset();

    // --- settings -------------------------------------------------------------------------
    void setFilter(int seconds) { m_filter = seconds; }
    int getFilter() const { return m_filter; }
    void setRange(quint16 metres) { m_range = metres; }
    quint16 getRange() const { return m_range; }
    void setDividerOff(bool off) { m_dividerOff = off; }
    bool getDividerOff() const { return m_dividerOff; }
    void setMinSpeed(int speed) { m_minSpeed = speed; }
    int getMinSpeed() const { return m_minSpeed; }
    // The minimum speed the measures held were read with (15 after a reset): a failed read
    // keeps the measures, and with them this value, of the read before.
    int getLoadedMinSpeed() const { return m_loadedMinSpeed; }
    // The readings taken: those faster than this. A minimum above the read's leaves out the
    // slower readings held without reading the file again.
    int effectiveMinSpeed() const { return std::max(m_minSpeed, m_loadedMinSpeed); }
    // Readings held at or below this are left out: a minimum above the read's, else none.
    qint32 slowestLeftOut() const;
    void setUnits(qint16 units) { m_units = units; }
    qint16 getUnits() const { return m_units; }
    // "Mph" for 1, "Knot" for 2, "Km/h" for anything else.
    QString unitLabel() const { return unitLabel(m_units); }
    static QString unitLabel(int units);
    // "km/h", "mph" or "kn": what a reader expects after a number, with a space before.
    static QString unitSymbol(int units);
    // 9 for mph and knots, 15 otherwise.
    static int defaultMinSpeed(int units);

    void setStartDate(const QDateTime& start) { m_startDate = start; }
    void setEndDate(const QDateTime& end) { m_endDate = end; }
    QDateTime getStartDate() const { return m_startDate; }
    QDateTime getEndDate() const { return m_endDate; }

    // The readings held; the computations only read them.
    const MeasureMap& measures() const { return *m_measures; }
    // For writing readings in place (tests): a copy of its own once the readings are shared.
    MeasureMap& editMeasures();
    std::shared_ptr<const MeasureMap> sharedMeasures() const { return m_measures; }
    // Takes a read's readings (shared, not copied) and what it tells: the period from its first to
    // its last reading, units, minimum speed, directions and the readings left out.
    void setRead(const MeasureRead& read);

    // --- computations -----------------------------------------------------------------------
    // Radar readings that count as one vehicle: 1 with the divider off, else from the range
    // (50 m: 3, 150 m: 9, 500 m: 30).
    int vehicleDivider() const;
    // The divider the range gives when it is on: ((range - 1) / 50) × 3 + 3.
    static int dividerForRange(int range);

    // The 30-minute original sample of [begin, end], the speed histograms, counts, means and the
    // class counts.
    void createSample(const QDateTime& begin, const QDateTime& end);

    // Everything for a period. Answers the number of filtered buckets of both directions; 0 and
    // nothing changed when no measure is held. A filter of less than one second counts as 1800.
    int load(const QDateTime& begin, const QDateTime& end, bool& hasGaps);

    // Readings left out for being at or below effectiveMinSpeed(): by the read, and, when the
    // minimum is above the read's, by the last sample of a period holding every reading; -1 when
    // the read could not count them (no read, cancelled or failed).
    qint64 getSlowReadings() const { return m_slowReadings < 0 ? -1 : m_slowReadings + m_slowHeld; }
    // Of those, the readings held that the last sample left out.
    qint64 getSlowHeld() const { return m_slowHeld; }
    // Directions 0 and 1 among the measures of the read (both before any): the window shows
    // only these.
    QList<int> getDirections() const { return m_directions; }
    // Readings the read left out as no measure (direction other than 0 or 1, speed outside 0..1000).
    qint64 getInvalidReadings() const { return m_invalidReadings; }
    // Readings the read left out as misdated (before 2000, or after the file was last written).
    qint64 getMisdatedReadings() const { return m_misdatedReadings; }

    // --- distribution and percentiles -------------------------------------------------------
    void setDistribution(const SpeedClassMap& classes, int direction);
    // Empty when the direction has no class.
    SpeedClassMap getDistribution(int direction) const { return m_distribution.value(direction); }
    void createDistribution();
    void computePercentiles();
    double getV30(int direction) const { return m_v30.value(direction, 0.0); }
    double getV50(int direction) const { return m_v50.value(direction, 0.0); }
    double getV85(int direction) const { return m_v85.value(direction, 0.0); }
    // The V30/V50/V85 rule needs a whole vehicle at some speed; without one they are undefined.
    bool hasPercentiles(int direction) const { return m_percentileVehicles.value(direction, 0) > 0; }
    // 0 when the direction never had measures.
    int getHighestSpeed(int direction) const { return m_highestSpeed.value(direction, 0); }
    // 0 when the direction has no curve.
    int getPercentageCurveSize(int direction) const { return m_percentageCurve.value(direction).size(); }
    // The curve of direction 0 when the direction has none.
    CurvePoints getPercentageCurve(int direction) const;

    // --- samples and per-direction figures --------------------------------------------------
    const DirectionSamples& getOriginalSample() const { return m_originalSample; }
    const DirectionSamples& getFilteredSample() const { return m_filteredSample; }
    // Empty when the direction has no bucket.
    SampleMap getFilteredSample(int direction) const { return m_filteredSample.value(direction); }
    int getFilteredSampleSize(int direction) const { return m_filteredSample.value(direction).size(); }
    const QMap<int, SpeedHistogram>& getSpeedHistogram() const { return m_speedHistogram; }
    // Measures taken into the last sample; 0 for a direction without any.
    int getMeasureCount(int direction) const { return m_measureCount.value(direction, 0); }
    // Highest bucket maximum of the filtered sample; 0 for a direction without any.
    int getMaxSpeed(int direction) const { return m_maxSpeed.value(direction, 0); }
    // The larger of the maxima of directions 0 and 1.
    double getMaxSpeed() const;
    // Mean of all measures of the direction; left from an earlier load (0 after a reset) when the
    // last period had none in it.
    double getMeanSpeed(int direction) const { return m_meanSpeed.value(direction, 0.0); }

    // --- time series and counts -------------------------------------------------------------
    // One point per bucket holding measures: the curves break where a bucket has none.
    void buildTimeSeries();
    // Bars of the buckets starting within [begin, end] (both at Unix time 0: all of them).
    void buildVehicleBars(const QDateTime& begin, const QDateTime& end, int step);
    const QMap<int, CurvePoints>& getMeanCurve() const { return m_meanCurve; }
    const QMap<int, CurvePoints>& getMaxCurve() const { return m_maxCurve; }
    const QMap<int, IntervalSamples>& getVehicleBars() const { return m_vehicleBars; }
    qint64 getEarliestBucket() const { return m_earliestBucket; }
    qint64 getLatestBucket() const { return m_latestBucket; }

    // The range queries: both ends at Unix time 0 mean no limit; 0 when nothing matches.
    // Vehicles of the 30-minute buckets that start within [from, to] (a bucket that starts before
    // from is left out whole).
    int countVehicles(const QDateTime& from, const QDateTime& to, int direction) const;
    int maxSpeedInRange(const QDateTime& from, const QDateTime& to, int direction) const;
    float meanSpeedInRange(const QDateTime& from, const QDateTime& to, int direction) const;

    // --- description ------------------------------------------------------------------------
    // Takes the third part of a text made of exactly three "_"-separated parts; anything else
    // leaves the description as it was.
    void setDescription(const QString& text);
    QString getDescription() const { return m_description; }
    void copyDescription(const SpeedStatistics& other) { m_description = other.m_description; }
    // "yyyy-MM-dd_yyyy-MM-dd_description" with the characters a file name cannot hold, and
    // spaces, turned into "_"; no extension.
    QString getStatsFileName(const QDateTime& begin, const QDateTime& end) const;

    // Unix seconds of an ISO 8601 local date-time; -1 when the text is not one.
    static qint64 isoToUnixTime(const QString& text);

private:
    QDateTime m_startDate;
    QDateTime m_endDate;
    std::shared_ptr<const MeasureMap> m_measures;
    bool m_ownsMeasures = true;   // created here and never handed out before: writable in place
    QString m_description;
    int m_minSpeed = 15;
    int m_loadedMinSpeed = 15;
    QList<int> m_directions{0, 1};
    int m_filter = 1800;
    quint16 m_range = 150;
    bool m_dividerOff = true;
    qint16 m_units = 0;
    qint64 m_slowReadings = -1;
    qint64 m_slowHeld = 0;   // readings held that the last sample left out as slow
    qint64 m_invalidReadings = 0;
    qint64 m_misdatedReadings = 0;

    DirectionSamples m_originalSample;
    DirectionSamples m_filteredSample;
    QMap<int, int> m_maxSpeed;
    QMap<int, int> m_highestSpeed;
    QMap<int, double> m_meanSpeed;
    QMap<int, int> m_measureCount;
    QMap<int, SpeedHistogram> m_speedHistogram;

    QMap<int, SpeedClassMap> m_distribution;
    QMap<int, double> m_v30;
    QMap<int, double> m_v50;
    QMap<int, double> m_v85;
    QMap<int, qint64> m_percentileVehicles;
    QMap<int, CurvePoints> m_percentageCurve;

    QMap<int, CurvePoints> m_meanCurve;
    QMap<int, CurvePoints> m_maxCurve;
    QMap<int, IntervalSamples> m_vehicleBars;
    qint64 m_earliestBucket = 0;
    qint64 m_latestBucket = 0;
};
