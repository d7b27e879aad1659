// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parts of the measure read that its two files share: measurereader.cpp reads along idx_date
// on one connection, parallelread.cpp along the rowids or in two time slices at once.

#include "core/measure.h"
#include "core/userdialogs.h"
#include "db/databaseconnection.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <atomic>

namespace readdetail {

inline QString timeOfDay()
{
    return QTime::currentTime().toString(QStringLiteral("hh:mm:ss:zz"));
}

inline QString localText(qint64 secs)
{
    return QDateTime::fromSecsSinceEpoch(secs).toString(QStringLiteral("dd/MM/yy hh:mm:ss"));
}

// What a read does with a row: outside [from, to] or the units marker (time 0, speed 0), it is no
// reading; a speed or direction no radar gives makes a damaged or foreign row; at or below the
// minimum speed it is left out.
enum class Row { Skip, Invalid, Take };

inline Row classify(qint64 time, qint64 speed, qint64 direction, qint64 from, qint64 to, int minimumSpeed)
{
    if (time < from || time > to || (time == 0 && speed == 0))
        return Row::Skip;
    if (speed < 0 || speed > 1000 || (direction != 0 && direction != 1))
        return Row::Invalid;
    return speed <= minimumSpeed ? Row::Skip : Row::Take;
}

// Below this many rows in the period one connection reads everything; above it the period is
// split in two time slices read at once on two connections (SQLite and the driver each keep one
// core busy), and the slices are laid end to end.
inline std::atomic<qint64> parallelThreshold{200000};

constexpr const char* countSql =
    "SELECT count(*) FROM measure WHERE ((meas_date >= :startDate) AND (meas_date <= :endDate))";

// -1 when the statement fails.
qint64 countPeriod(QSqlQuery& query, const QString& sql, qint64 from, qint64 to);
// The time of the first row of the period in the given order, or false.
bool periodEdge(QSqlQuery& query, qint64 from, qint64 to, bool latest, qint64* time);
// Runs the measure statement over [from, to] on query; false with the critical message on failure.
bool startRead(QSqlQuery& query, const QString& sql, qint64 from, qint64 to);

// One read on an open connection: its query, and what it finds on the way.
class ReadRun
{
public:
    explicit ReadRun(DatabaseConnection& db) : m_db(db), m_path(db.filePath()), m_query(db.connection()) { }

    // Adds the measures of [start, end] faster than minimumSpeed; first/last 0 when none.
    int readMeasures(MeasureMap& measures, ProgressReporter* progress, qint64& first, qint64& last, qint16& units,
                     qint64 start, qint64 end, int minimumSpeed);
    // Rows of the period, counted on the way; -1 when they were not.
    qint64 periodRows() const { return m_periodRows; }
    qint64 invalid() const { return m_invalid; }
    // Why the read stopped before the end (memory, an interrupted statement); empty when it did not.
    QString failure() const { return m_failure; }

private:
    // False when the slices cannot be counted; the caller then reads on the working query alone.
    bool readInSlices(MeasureMap& measures, ProgressReporter* progress, int& counter, const QString& sql, qint64 start,
                      qint64 end, qint64 split, int minimumSpeed, QSqlError* readError, qint64* outOfMemory);
    // The whole file in rowid order, on two connections when it is large, for a period that holds
    // it all. False (nothing added) when that does not pay or the times do not ascend with the
    // rowids; the caller then reads along idx_date.
    bool readAlongRowids(MeasureMap& measures, ProgressReporter* progress, int& counter, bool twoWay, qint64 start,
                         qint64 end, int minimumSpeed, qint64& first, qint64& last);
    // What ends every read; the size of the map.
    int finishRead(const MeasureMap& measures, qint64 first, qint64 last, const QSqlError& readError,
                   qint64 outOfMemory);

    DatabaseConnection& m_db;
    const QString m_path;
    QSqlQuery m_query;
    qint64 m_periodRows = -1;
    qint64 m_invalid = 0;
    bool m_readingShown = false;   // "Lecture..." shown by a way that then gave up
    QString m_failure;
};

}   // namespace readdetail
