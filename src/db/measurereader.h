// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/measure.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <memory>

class DatabaseConnection;
class ProgressReporter;

// What one read of a measure file gave.
struct MeasureRead
{
    // Never null; shared, so that later analyses of the same read take it without a copy.
    std::shared_ptr<const MeasureMap> measures = std::make_shared<const MeasureMap>();
    qint64 from = 0;   // the period asked, Unix seconds
    qint64 to = 0;
    int minSpeed = 0;   // readings at or below it were left out
    qint64 first = 0;   // times of the first and last reading taken; 0 without any
    qint64 last = 0;
    qint16 units = 0;   // of the marker row: 0 km/h, 1 mph
    // Directions 0 and 1 among the readings; 0 alone for a file without a direction column.
    QList<int> directions;
    // Rows of the period left out for being at or below minSpeed; -1 when they could not be
    // counted (cancelled or failed read).
    qint64 slowReadings = -1;
    // Rows of the period that are no measure (direction other than 0 or 1, speed outside 0..1000).
    qint64 invalidReadings = 0;
    // Readings of the period left out for a time no radar records: before 2000, or more than a day
    // after the file was last written.
    qint64 misdatedReadings = 0;
    bool canceled = false;
    // What went wrong, in French, one line: why there is nothing (an empty file, no reading in
    // the period), or, with incomplete, why the read stopped short (a damaged or locked file, no
    // memory). Empty when the read went through.
    QString error;
    // The readings held are not all those of the period: figures made of them would be wrong.
    bool incomplete = false;
};

// Reads the measures of a period from an open measure database.
class MeasureReader
{
    Q_DECLARE_TR_FUNCTIONS(MeasureReader)

public:
    // The readings of [from, to] faster than minSpeed, with what the read left out. progress may
    // be null; its Cancel stops the read with the readings so far. Shows nothing.
    static MeasureRead read(DatabaseConnection& db, qint64 from, qint64 to, int minSpeed, ProgressReporter* progress);

    // Periods of at least this many rows are read as two time slices on two connections at once
    // (the result is the same); tests lower it to reach that path with small files.
    static void setParallelReadThreshold(qint64 rows);
};
