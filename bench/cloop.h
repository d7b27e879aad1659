// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The reference every benchmark prints beside its own figure: the measure SELECT stepped with
// SQLite's C API into an array sized beforehand, on one connection.
#include <QElapsedTimer>
#include <QString>

#include <sqlite3.h>

#include <limits>
#include <memory>

namespace bench {

struct PlainMeasure
{
    qint64 time;
    qint32 speed;
    qint32 direction;
};

inline qint64 countMeasureRows(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    qint64 n = -1;
    if (sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK
        && sqlite3_prepare_v2(db, "SELECT count(*) FROM measure WHERE meas_date > 0", -1, &st, nullptr) == SQLITE_OK
        && sqlite3_step(st) == SQLITE_ROW)
        n = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return n;
}

// Seconds of the read; *read the rows stepped.
inline double referenceRead(const QString& path, qint64 rows, qint64* read)
{
    static const char* const selectSql =
        "SELECT meas_id,meas_date,meas_speed, meas_direction FROM measure "
        "WHERE ((meas_date >= :startDate) AND (meas_date <= :endDate)) ORDER BY meas_date ASC";
    // Allocated before the clock starts; its pages are first written in the loop, as the map's are.
    const std::size_t size = std::size_t(rows + 16);
    std::unique_ptr<PlainMeasure[]> out(new PlainMeasure[size]);
    QElapsedTimer timer;
    timer.start();
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    std::size_t n = 0;
    if (sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK
        && sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK
        && sqlite3_prepare_v2(db, selectSql, -1, &st, nullptr) == SQLITE_OK) {
        sqlite3_bind_int64(st, 1, 1);
        sqlite3_bind_int64(st, 2, std::numeric_limits<qint64>::max());
        while (sqlite3_step(st) == SQLITE_ROW && n < size) {
            out[n].time = sqlite3_column_int64(st, 1);
            out[n].speed = sqlite3_column_int(st, 2);
            out[n].direction = sqlite3_column_int(st, 3);
            ++n;
        }
        sqlite3_exec(db, "END", nullptr, nullptr, nullptr);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    const double seconds = timer.nsecsElapsed() / 1e9;
    *read = qint64(n);
    return seconds;
}

inline bool hasDateIndex(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    bool found = false;
    if (sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK
        && sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = 'idx_date'", -1, &st,
                              nullptr)
            == SQLITE_OK)
        found = sqlite3_step(st) == SQLITE_ROW;
    sqlite3_finalize(st);
    sqlite3_close(db);
    return found;
}

inline bool sqliteExec(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK
        && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

}   // namespace bench
