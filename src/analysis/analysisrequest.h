// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// What to analyse: a measure file, what to read of it, and the criteria. A plain value: copy it,
// change a field, hand it to the runner again. Every empty field has the default the window and
// the command line share; Analysis::criteria() tells what was decided.
struct AnalysisRequest
{
    QString file;
    // What is read: the period of these campaigns (and their store mode), widened to [from, to]
    // when that reaches beyond it. Without campaigns, [from, to]; an invalid end is open.
    QList<int> campaigns;
    // The period analysed, snapped to half hours as the window's editors snap it; an invalid end is
    // the first or last reading.
    QDateTime from;
    QDateTime to;
    // Readings at or below it are left out; empty: the units' default (15 km/h, 9 mph or knots).
    std::optional<int> minSpeed;
    // Width of the buckets of the time plots and the table, in seconds (the "seuil de filtrage").
    int bucketSeconds = 1800;
    // Radar range in metres: with the divider on, how many readings make one vehicle.
    int range = 150;
    // Empty: on, unless the campaigns are of the "Avancé" store mode (one reading a vehicle).
    std::optional<bool> dividerOff;
    // Speed area: empty, the one whose name carries the posted limit's number, else the one last
    // chosen for the units (else the first of the list).
    QString area;
    // Empty: the data folder's area file of the units.
    QString areasFile;
    // Posted limit, file units; 0 says there is none. Empty: the one stored in the file, else none.
    std::optional<int> limit;
    // Read the file as a read-only one: campaigns derived in memory, no index built, nothing
    // written, so that an archive analysed in bulk stays byte for byte as it was.
    bool writeNothing = false;
};
