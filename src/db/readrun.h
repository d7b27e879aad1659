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
#include <QVariant>
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

// What a read takes of the rows: those of [from, to] faster than minimumSpeed, timed between
// earliest and latest.
struct ReadBounds
{
    qint64 from, to;
    int minimumSpeed;
    // Before 2000 or more than a day after the file was last written, a time is a clock's fault.
    qint64 earliest, latest;
    // The bounds of a read of path, the file's modification time giving latest.
    static ReadBounds of(const QString& path, qint64 from, qint64 to, int minimumSpeed);
};

// Whether SQLite's own comparison puts the row's time within [from, to], for a read that takes
// every row: a text, a blob or NULL is no number and outside any period, a real is compared
// before it is rounded.
inline bool inPeriod(const QVariant& time, const ReadBounds& b)
{
    switch (time.isNull() ? QMetaType::UnknownType : int(time.type())) {
    case QMetaType::LongLong:
    case QMetaType::Int: return time.toLongLong() >= b.from && time.toLongLong() <= b.to;
    case QMetaType::Double: return time.toDouble() >= double(b.from) && time.toDouble() <= double(b.to);
    default: return false;
    }
}

// What a read does with a row: outside [from, to] it is no reading, nor is the units marker (time
// 0, speed 0); a speed or direction no radar gives makes a damaged or foreign row; a time outside
// earliest..latest a misdated one; at or below the minimum speed it is left out.
enum class Row { Outside, Marker, Invalid, Misdated, Slow, Take };

inline Row classify(qint64 time, qint64 speed, qint64 direction, const ReadBounds& b)
{
    if (time < b.from || time > b.to)
        return Row::Outside;
    if (time == 0 && speed == 0)
        return Row::Marker;
    if (speed < 0 || speed > 1000 || (direction != 0 && direction != 1))
        return Row::Invalid;
    if (time < b.earliest || time > b.latest)
        return Row::Misdated;
    return speed <= b.minimumSpeed ? Row::Slow : Row::Take;
}

// The rows a read saw and did not take, by why.
struct RowCounts
{
    qint64 outside = 0, markers = 0, invalid = 0, misdated = 0, slow = 0;
    void add(Row row)
    {
        outside += row == Row::Outside;
        markers += row == Row::Marker;
        invalid += row == Row::Invalid;
        misdated += row == Row::Misdated;
        slow += row == Row::Slow;
    }
    RowCounts& operator+=(const RowCounts& o)
    {
        outside += o.outside;
        markers += o.markers;
        invalid += o.invalid;
        misdated += o.misdated;
        slow += o.slow;
        return *this;
    }
};

// A read that found more rows than its count of them: the count came from a damaged index.
inline QSqlError moreRowsThanCounted()
{
    return QSqlError(QString(), QStringLiteral("plus de relevés que comptés"), QSqlError::StatementError,
                     QStringLiteral("11"));
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

// How the whole-file read along the rowids went.
enum class RowidWay {
    Read,   // the measures are in the map
    NotWorth,   // not tried: the period does not hold the file, or its rowids are too sparse
    GaveUp,   // stopped, on rows out of time order or an error; nothing added
};

// One read on an open connection: its query, and what it finds on the way.
class ReadRun
{
public:
    explicit ReadRun(DatabaseConnection& db) : m_db(db), m_path(db.filePath()), m_query(db.connection()) { }

    // Adds the measures of [start, end] faster than minimumSpeed; first/last 0 when none.
    int readMeasures(MeasureMap& measures, ProgressReporter* progress, qint64& first, qint64& last, qint16& units,
                     qint64 start, qint64 end, int minimumSpeed);
    const RowCounts& counts() const { return m_counts; }
    // Why the read stopped before the end (memory); empty when it did not or the file's problem says.
    QString failure() const { return m_failure; }

private:
    // False when the slices cannot be counted; the caller then reads on the working query alone.
    bool readInSlices(MeasureMap& measures, ProgressReporter* progress, int& counter, const QString& sql,
                      const ReadBounds& bounds, qint64 split, QSqlError* readError, qint64* outOfMemory);
    // The whole file in rowid order, on two connections when it is large, for a period that holds
    // it all; a statement that failed leaves its error in *error. The caller reads along idx_date
    // when this way did not read.
    RowidWay readAlongRowids(MeasureMap& measures, ProgressReporter* progress, int& counter, bool twoWay,
                             const ReadBounds& bounds, qint64& first, qint64& last, QSqlError* error);
    // What ends every read; the size of the map.
    int finishRead(const MeasureMap& measures, qint64 first, qint64 last, const QSqlError& readError,
                   qint64 outOfMemory);

    DatabaseConnection& m_db;
    const QString m_path;
    QSqlQuery m_query;
    RowCounts m_counts;
    bool m_readingShown = false;   // "Lecture..." shown by a way that then gave up
    QString m_failure;
};

}   // namespace readdetail
