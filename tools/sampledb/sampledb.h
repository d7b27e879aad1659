// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writes measure databases the way a radar's recording side does, for demos, tests and benchmarks.

#include <QDate>
#include <QString>
#include <QtGlobal>

struct SampleOptions
{
    enum class Units { None, Kmh, Mph };

    // First recorded day (local time) and number of days, gap days included.
    QDate from = QDate(2026, 11, 2);
    int days = 28;
    // 2: column meas_direction, 0 ingoing / 1 outgoing. 1: a single-direction radar, no such column.
    int directions = 2;
    // The marker row (time 0, speed 0) holding the units in meas_direction: Kmh writes 0, Mph 2,
    // None writes no row (the program then assumes km/h). A single-direction file cannot carry a
    // marker: Kmh writes nothing there, Mph is refused.
    Units units = Units::Kmh;
    // Mean speed of each direction and the standard deviation of the speeds, in the file's units;
    // 0 takes 48 / 53 km/h or 30 / 33 mph, and a spread of a sixth of the ingoing mean.
    double meanIn = 0;
    double meanOut = 0;
    double spread = 0;
    // From this day on (local time) the vehicles drive displayEffect slower (file units), as in
    // front of a speed display switched on that day; the draws stay those of a file without it.
    // An invalid date: no display.
    QDate displayFrom;
    double displayEffect = 4;
    // Vehicles on an ordinary weekday, both directions together; Saturdays carry about 70 % of it,
    // Sundays 55 %, each day varies by a few percent. Ignored when totalMeasures is set.
    int vehiclesPerDay = 2000;
    // The same traffic every hour of every day, without daily or weekly profile nor noise: a
    // steady stream of random arrivals.
    bool flat = false;
    // When > 0, exactly this many measures, spread over the days with the same profile.
    qint64 totalMeasures = 0;
    // Days without any recording, chosen from the seed among the days strictly inside the period.
    int gapDays = 0;
    // Same options and seed, same file content.
    quint64 seed = 1;
    // Readings the radar stores for each vehicle. Above 1, as a radar of store mode "Standard"
    // records: each vehicle a burst of about this many readings (two fewer to two more) within
    // one or two seconds, at speeds close to each other; vehiclesPerDay stays a count of vehicles
    // and totalMeasures of readings. 1: one reading per vehicle.
    int readingsPerVehicle = 1;
    // Also creates the (empty) campaign and campaign_details tables.
    bool campaignTables = false;
    // Fills them as the recording side does for a radar of store mode 1 ("Avancé"): one day row
    // per recorded day and one campaign per month, of store mode 1. Implies campaignTables.
    bool advancedCampaigns = false;
    // Replace an existing file; otherwise an existing file is an error.
    bool overwrite = false;
};

struct SampleSummary
{
    qint64 measures = 0;   // marker row not counted
    qint64 vehicles = 0;   // the bursts of readings, one per vehicle
    qint64 firstTime = 0;   // Unix seconds; 0 without measures
    qint64 lastTime = 0;
    int recordedDays = 0;
};

// Writes a temporary file beside path and renames it at the end: a failed run leaves nothing.
// False with a French sentence in *error on invalid options or a file error.
bool generateSampleDatabase(const QString& path, const SampleOptions& options, QString* error,
                            SampleSummary* summary = nullptr);

// The defaults that 0 stands for in meanIn, meanOut and spread.
SampleOptions resolvedSpeeds(const SampleOptions& options);
