// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QDate>
#include <QTime>
#include <QDateTime>
#include <QJsonObject>
#include <QVector>
#include <QtGlobal>

#include <array>
#include <optional>

class SpeedStatistics;

// The busiest hour of a mean day: its start (minutes after midnight, a multiple of 30) and its
// mean number of vehicles.
struct PeakHour
{
    int startMinute = 0;
    double vehicles = 0;
};

// A day the period reaches that holds readings yet is not a whole recorded day: its first and last
// reading taken within the period.
struct PartialDay
{
    QDate date;
    QTime first;
    QTime last;
};

// Where the posted limit of a summary comes from.
enum class LimitSource {
    None,   // neither given nor stored: no compliance figure
    Site,   // the file's site information
    Request,   // given for this analysis (--limit)
};

// Readings faster than a threshold: their share of all readings, and that share of the vehicles.
struct Exceedance
{
    qint64 vehicles = 0;
    std::optional<double> share;   // empty without any reading
};

// The summary figures of one direction, or of both together. An empty figure has no data behind
// it: it is shown as "—" and written as null.
//
// Vehicles are counted as the vehicle count plot counts them: per 30-minute bucket that starts
// within the period, the bucket's readings divided by the vehicle divider, rounded up. The speed
// figures are shares of the readings; a number of vehicles among them (faster than the limit, in
// a speed bin) is that share of the period's vehicles, rounded. Only the percentiles follow the
// V30/V50/V85 rule, which counts vehicles per speed (readings at that speed divided by the
// divider, rounded down). With the divider off (1) all of these are the readings.
//
// A "whole recorded day" (a complete day) is a calendar day (local time, 23 or 25 hours on clock
// changes) that the analysed period reaches in each of its half hours (it begins before 00:30 and
// ends at 23:30 or later) and that the radar recorded throughout: no instant of it lies more than
// kRecordingReach from a reading held, in either direction. A radar set up or taken away during the
// day, or silent for more than twice that reach, leaves a partial day. A night without traffic on a
// quiet road stays within it; a radar started a little after midnight does too.
struct DirectionSummary
{
    // --- volumes
    qint64 vehicles = 0;   // vehicles of the period (per bucket)
    qint64 readings = 0;   // radar readings of the period, above the minimum speed
    // Average daily traffic: vehicles of the whole recorded days over their number; over all of
    // them, over Monday to Friday, over Saturdays and Sundays. Empty without such a day.
    std::optional<double> dailyTraffic;
    std::optional<double> weekdayTraffic;
    std::optional<double> weekendTraffic;
    // Busiest hour of the mean Monday-to-Friday whole recorded day, starting on a half hour: the
    // morning one starts from 00:00 to 11:30, the afternoon one from 12:00 to 23:00. The earliest
    // wins a tie. Empty without a whole weekday or without a vehicle in those hours.
    std::optional<PeakHour> morningPeak;
    std::optional<PeakHour> afternoonPeak;

    // --- speeds
    // Mean and standard deviation (of the population) of the readings' speeds; empty without a reading.
    std::optional<double> meanSpeed;
    std::optional<double> speedDeviation;
    // The V30/V50/V85 rule at 15, 50, 85 and 95 %: the highest speed at which the truncated
    // cumulated percentage of vehicles is still at most that share; 0 when the slowest speed
    // already holds more. Empty without a vehicle.
    std::optional<int> v15, v50, v85, v95;
    // Pace: the span of ten whole speeds [paceFrom, paceFrom + 9] that holds the most readings,
    // starting at a measured speed (the slowest such span wins a tie), and its share of them.
    // Empty without a reading.
    std::optional<int> paceFrom;
    std::optional<double> paceShare;

    // --- compliance against the posted limit L (file units); all empty without a limit
    std::optional<Exceedance> overLimit;   // faster than L
    std::optional<Exceedance> overLimit10;   // faster than L + 10
    std::optional<Exceedance> overLimit20;   // faster than L + 20
    // Mean speed of the readings faster than L; also empty when there is none.
    std::optional<double> meanSpeedOverLimit;

    // --- profiles
    // Mean vehicles in each hour of the day (index 0: 00:00-01:00, local time) over the whole
    // recorded Monday-to-Friday days, and over the whole recorded weekend days; empty without such
    // a day. The autumn daylight-saving day lends its second 02:00 hour to index 2.
    std::array<std::optional<double>, 24> weekdayHourly;
    std::array<std::optional<double>, 24> weekendHourly;
    // V85 (rule above) of the readings of each hour of the day, over every day of the period;
    // empty when the hour has no vehicle.
    std::array<std::optional<int>, 24> hourlyV85;
    // Average daily traffic of each day of the week (0 Monday ... 6 Sunday) over its whole recorded
    // days; empty without one.
    std::array<std::optional<double>, 7> dayOfWeekTraffic;
    // Vehicles in 5-unit speed bins: index i holds speeds 5i to 5i + 4; the last bin also holds
    // every faster speed. Runs up to the bin of the highest speed, at most kSpeedBins bins.
    QVector<qint64> speedBins;
};

// What a traffic engineer asks of a speed survey, for the analysed period, per direction and for
// both together. Computed from what the engine holds after its load() of the same period: nothing
// reads the file again.
struct TrafficSummary
{
    static constexpr int kSpeedBins = 60;
    // A reading vouches for the radar's recording this long before and after it.
    static constexpr qint64 kRecordingReach = 3 * 3600;
    enum Group { Ingoing = 0, Outgoing = 1, Both = 2 };

    QDateTime begin, end;   // the analysed period
    qint16 units = 0;   // the engine's units code
    int vehicleDivider = 1;
    std::optional<int> limit;   // posted speed limit, file units; empty when there is none
    LimitSource limitSource = LimitSource::None;
    // 0 "Standard" (bursts of readings), 1 "Avancé" (one reading per vehicle), and why, in French.
    int storeMode = 0;
    QString storeModeReason;

    // --- data quality (both directions)
    // Calendar days from the period's first to its last (an end at exactly 00:00 does not bring
    // its day), those with at least one reading, and the others in date order.
    int daysInPeriod = 0;
    int daysRecorded = 0;
    QVector<QDate> missingDays;
    // Whole recorded days (see DirectionSummary): all, Monday to Friday, Saturday and Sunday, and
    // per day of the week (0 Monday); the means over them say how many they are over.
    int wholeDays = 0;
    int wholeWeekdays = 0;
    int wholeWeekendDays = 0;
    std::array<int, 7> wholeByDayOfWeek{};
    // The recorded days that are not whole, in date order: left out of every daily figure.
    QVector<PartialDay> partialDays;
    // Readings at or below minSpeed that the read left out of every figure; empty when the
    // analysed period is narrower than the measures read, or the read did not count them.
    std::optional<qint64> slowReadings;
    int minSpeed = 0;   // the minimum speed of the read
    // Readings faster than implausibleAbove (250 km/h, 155 mph, 135 knots): flagged only, they
    // stay in every figure.
    qint64 implausibleReadings = 0;
    int implausibleAbove = 250;
    // Readings repeated: one reading per vehicle ("Avancé"), those repeating an earlier one of the
    // same second, speed and direction (a pair counts 1); in bursts ("Standard"), where readings of
    // one vehicle often repeat, only those beyond the readings of one vehicle (readingsPerVehicle,
    // rounded up: at 8.6, eleven identical readings count 2).
    qint64 repeatedReadings = 0;
    // "Standard": the mean number of readings of a vehicle, bursts as storemode.h groups them;
    // empty in "Avancé" or without a reading.
    std::optional<double> readingsPerVehicle;
    // Readings the read left out for their time: before 2000, or after the file was last written.
    qint64 misdatedReadings = 0;

    std::array<DirectionSummary, 3> groups;   // indexed by Group
    // Directions that have readings in the period.
    bool hasDirection(int direction) const { return groups[std::size_t(direction)].readings > 0; }

    // The figures of [begin, end] for an engine whose last load() was of that period. A limit of
    // 0 or less counts as none; storeMode as above.
    static TrafficSummary compute(const SpeedStatistics& statistics, const QDateTime& begin, const QDateTime& end,
                                  std::optional<int> limit, int storeMode = 0);
    // Where the limit comes from, or why there is none, in French.
    QString limitNote() const;
    // The schema is in the README ("summary").
    QJsonObject toJson() const;
    // "hh:mm" of a peak's start.
    static QString clockText(int minutes);
};

// The posted limit an area's name suggests: its first whole number ("Zone 50 km/h" -> 50); empty
// when the name has none, or only 0 or a number above 1000.
std::optional<int> limitFromAreaName(const QString& name);
