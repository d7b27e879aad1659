// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/analysisrequest.h"
#include "analysis/speedstatistics.h"
#include "analysis/trafficsummary.h"
#include "db/measurereader.h"
#include "db/siteinfo.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// The criteria an analysis ran with: the request's, every empty one decided.
struct AnalysisCriteria
{
    int minSpeed = 15;
    int bucketSeconds = 1800;
    int range = 150;
    bool dividerOff = false;
    QString area;
    SpeedClassMap classes;   // the area's speed classes
    std::optional<int> limit;   // empty: no posted limit
    LimitSource limitSource = LimitSource::None;
};

// The figures of one direction over the analysed period. An empty figure is undefined (no reading,
// no whole vehicle for the V30/V50/V85 rule): shown as "—", written as null.
struct DirectionStatistics
{
    int measureCount = 0;   // readings taken
    int vehicleCount = 0;   // vehicles of the 30-minute buckets that start within the period
    std::optional<double> meanSpeed;
    std::optional<int> maxSpeed;   // highest bucket maximum
    int highestSpeed = 0;   // highest speed of the percentile curve; 0 without readings
    std::optional<double> v30, v50, v85;
    SampleMap buckets;   // bucketSeconds wide, from the period's start; invalid ones hold no reading
    SampleMap halfHours;   // the 30-minute buckets with readings
    SpeedHistogram speeds;   // speed -> readings
    SpeedClassMap classes;   // the area's classes: readings (measureCount) and share (meanSpeed)
    CurvePoints percentageCurve;   // empty without readings
    CurvePoints meanCurve;   // one point per bucket holding readings
    CurvePoints maxCurve;
    IntervalSamples vehicleBars;
};

// One analysis of a measure file: what was read, the criteria, and every figure of the period.
// Made by AnalysisRunner, never changed afterwards: hold it as std::shared_ptr<const Analysis>,
// read it from any thread. The views render it and keep nothing of their own.
class Analysis
{
    Q_DECLARE_TR_FUNCTIONS(Analysis)

public:
    const AnalysisRequest& request() const { return m_request; }
    QString file() const { return m_request.file; }

    // --- the file
    qint16 units() const { return m_read.units; }
    // "Km/h", "Mph" or "Knot".
    QString unitLabel() const { return SpeedStatistics::unitLabel(m_read.units); }
    // "km/h", "mph" or "kn": the unit as the window and the report write it.
    QString unitSymbol() const { return SpeedStatistics::unitSymbol(m_read.units); }
    // 0 "Standard" (bursts of readings), 1 "Avancé" (one reading per vehicle): the topmost
    // campaign's, else what the readings show (storemode.h).
    int storeMode() const { return m_storeMode; }
    // Why, in a few French words: "1 relevé par véhicule détecté", "rafales de relevés détectées…".
    QString storeModeReason() const { return m_summary.storeModeReason; }
    // What the file keeps about its site, as read by the run.
    const SiteInfo& site() const { return m_site; }
    // The title the file gives the measures: campaign 1's, else the file name's third part.
    QString description() const { return m_description; }

    // --- the read (shared by the analyses that reuse it)
    const MeasureRead& read() const { return m_read; }
    std::shared_ptr<const MeasureMap> measures() const { return m_read.measures; }
    // The campaigns read, top first after the store-mode and contiguity checks; empty without.
    QList<int> campaigns() const { return m_campaigns; }
    // The period of those campaigns (invalid without): the editors' range.
    QDateTime campaignStart() const { return m_campaignStart; }
    QDateTime campaignEnd() const { return m_campaignEnd; }

    // --- the criteria
    const AnalysisCriteria& criteria() const { return m_criteria; }
    // Readings that count as one vehicle: 1 with the divider off.
    int vehicleDivider() const { return m_statistics.vehicleDivider(); }
    // The counts are readings, not vehicles: a "Standard" file with the divider off.
    bool countsReadings() const { return m_storeMode <= 0 && m_criteria.dividerOff; }
    // The speed area whose name carries the posted limit's number ("Zone 50 km/h" for 50), the
    // first of the list; empty without a limit or such an area. Where the window starts.
    QString limitArea() const { return m_limitArea; }

    // --- the figures of the period
    QDateTime begin() const { return m_begin; }
    QDateTime end() const { return m_end; }
    int bucketCount() const { return m_bucketCount; }
    // Some bucket of the period holds no reading.
    bool hasGaps() const { return m_hasGaps; }
    // The directions the file has (0 ingoing, 1 outgoing): the views show these only.
    QList<int> directions() const { return m_read.directions; }
    // An empty one for a direction without figures.
    const DirectionStatistics& direction(int d) const;
    const TrafficSummary& summary() const { return m_summary; }
    // What was left out or changed on the way, in French, one line each.
    QStringList warnings() const { return m_warnings; }

    // --- zoomed intervals [from, to]; empty when no reading is there
    std::optional<double> meanSpeed(const QDateTime& from, const QDateTime& to, int direction) const;
    std::optional<int> maxSpeed(const QDateTime& from, const QDateTime& to, int direction) const;
    // Vehicles of the 30-minute buckets starting within [from, to].
    int vehicles(const QDateTime& from, const QDateTime& to, int direction) const;

    // The engine's results, for the chart builders that read them directly.
    const SpeedStatistics& statistics() const { return m_statistics; }

private:
    // Only the runner makes and fills one.
    friend class AnalysisRunner;
    friend struct AnalysisWork;
    Analysis() = default;

    AnalysisRequest m_request;
    MeasureRead m_read;
    int m_storeMode = 0;
    SiteInfo m_site;
    QString m_description;
    QList<int> m_campaigns;
    QDateTime m_campaignStart;
    QDateTime m_campaignEnd;
    AnalysisCriteria m_criteria;
    QString m_limitArea;
    QDateTime m_begin;
    QDateTime m_end;
    int m_bucketCount = 0;
    bool m_hasGaps = false;
    DirectionStatistics m_directions[2];
    TrafficSummary m_summary;
    QStringList m_warnings;
    SpeedStatistics m_statistics;
};
