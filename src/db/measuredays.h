// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVector>
#include <functional>

class DatabaseConnection;

// One local calendar day with measures, as the campaign tables store it.
struct MeasureDay
{
    QString firstMeasure;   // "yyyy-MM-dd hh:mm:ss", local time as SQLite's 'localtime' gives it
    QString lastMeasure;   // same form
};

// The days a measure file holds readings on, for the first opening's campaigns.
class MeasureDays
{
public:
    // The days in day order: along idx_date when the file has it, otherwise along the rowid order,
    // checked; the per-measure query when rowids and times do not go together. Empty when there is
    // no measure or the measure table cannot be read. step runs now and then (a day, a run of
    // rows), for a progress to move.
    static QVector<MeasureDay> derive(DatabaseConnection& db, const std::function<void()>& step = {});
};
