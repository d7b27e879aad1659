// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

#include <array>
#include <limits>

class DatabaseConnection;
class MeasureMap;

// What the readings tell of the way the radar stored them. In store mode "Standard" it stores each
// vehicle as a burst: several readings of one direction within a second or two, at close speeds.
// In "Avancé" it stores one reading per vehicle.
struct StoreModeEvidence
{
    Q_DECLARE_TR_FUNCTIONS(StoreModeEvidence)

public:
    // Fewer readings decide nothing: a few hand-typed rows are no survey.
    static constexpr qint64 kEnough = 200;
    // At least this many readings per burst on average mean bursts. One reading per vehicle gives
    // 1.0 on a quiet road, 1.5 at 3,600 vehicles an hour in one direction (neighbours of close
    // speed joined by chance; 1.85 in mph, whose units are coarser); the shortest bursts
    // ("Standard" at 50 m, 1 to 5 readings) give 3.0. Wrongly seen as bursts, a file would be
    // divided by 9: the threshold leans away from that.
    static constexpr double kBurstThreshold = 2.5;

    qint64 readings = 0;
    qint64 bursts = 0;   // groups of readings taken for one vehicle each

    bool decided() const { return readings >= kEnough; }
    // Readings per burst; 0 without a reading.
    double readingsPerBurst() const { return bursts > 0 ? double(readings) / double(bursts) : 0.0; }
    // 0 "Standard" when bursts show, 1 "Avancé" when they do not; fallback when undecided.
    int storeMode(int fallback = 0) const;
    // Why, in a few French words, for the data panel, the summary and the report.
    QString reason() const;
};

// Groups readings given in time order into bursts: a reading joins a burst of its direction whose
// last reading came at most 2 s before and whose mean speed is within 2.5 units of its own: the
// burst the direction's previous reading joined, else the closest; otherwise it starts one.
// Several bursts stay open at once, as two vehicles can cross the beam together.
class BurstCounter
{
public:
    void add(qint64 time, int speed, int direction);
    const StoreModeEvidence& evidence() const { return m_evidence; }

private:
    struct Burst
    {
        qint64 last = std::numeric_limits<qint64>::min();
        qint64 speedSum = 0;
        qint64 readings = 0;
    };
    static constexpr int kOpen = 4;
    std::array<std::array<Burst, kOpen>, 2> m_open{};
    std::array<int, 2> m_latest{};   // the burst each direction's last reading joined
    StoreModeEvidence m_evidence;
};

// The evidence of a few stretches of the file's rows in rowid order, which a radar writes in time
// order: cheap enough for the first opening of a year of readings.
StoreModeEvidence sampleStoreMode(DatabaseConnection& db);
// The same stretches of readings already read.
StoreModeEvidence sampleStoreMode(const MeasureMap& readings);
