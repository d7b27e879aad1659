// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One input of the measure file's fuzz target; the corpus replay test runs the same function.

#include "campaign/campaignstore.h"
#include "db/databaseconnection.h"
#include "db/measurereader.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <vector>

namespace fuzzmeasure {

inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

// SQLite's full check, indexes against their table included, finds nothing wrong.
inline bool intact(const QString& path)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fuzz_intact"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery q(db);
        ok = db.open() && q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next()
            && q.value(0).toString() == QLatin1String("ok") && !q.next();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fuzz_intact"));
    return ok;
}

// The readings of a read in a form two reads compare by; readings of one second in any order.
struct Readings
{
    std::vector<std::tuple<qint64, int, int>> taken;
    qint64 invalid = 0, misdated = 0;
    bool whole = true;   // every read added went through

    void add(const MeasureRead& read)
    {
        for (const MeasureMap::Entry& e : *read.measures)
            taken.emplace_back(e.time, e.measure.speed, e.measure.direction);
        std::sort(taken.begin(), taken.end());
        invalid += read.invalidReadings;
        misdated += read.misdatedReadings;
        whole = whole && !read.incomplete && !read.canceled;
    }
    bool operator==(const Readings& o) const
    {
        return taken == o.taken && invalid == o.invalid && misdated == o.misdated;
    }
};

constexpr qint64 kLastTime = 253402300799LL;

inline Readings readWith(DatabaseConnection& db, qint64 threshold, qint64 from = 0, qint64 to = kLastTime)
{
    MeasureReader::setParallelReadThreshold(threshold);
    Readings r;
    r.add(MeasureReader::read(db, from, to, 0, nullptr));
    MeasureReader::setParallelReadThreshold(200000);
    return r;
}

}   // namespace fuzzmeasure

// Writes the bytes to path and takes the file through the first opening (campaigns derived and
// stored) and the whole-file read, as `tramola-cli stats` does. Nothing may crash or hang; a file
// SQLite finds intact is read the same along the rowids, in two runs of them, and along idx_date
// in two halves of its period.
inline void fuzzMeasureFile(const QByteArray& bytes, const QString& path)
{
    using namespace fuzzmeasure;
    for (const QString& leftover : {path, path + QStringLiteral("-journal")})
        QFile::remove(leftover);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return;
    }
    const bool wasIntact = intact(path);
    DatabaseConnection db;
    if (!db.open(path))
        return;
    CampaignStore store;
    store.checkCampaignEndDates(&db, 1);
    store.verifyCampaigns(&db, QDateTime::currentDateTime());
    store.campaignList(&db, 1);

    const Readings whole = readWith(db, 200000);
    if (!wasIntact || !whole.whole || db.problem() != DatabaseConnection::FileProblem::None)
        return;
    const Readings runs = readWith(db, 1);
    check(runs.whole && runs == whole);
    if (whole.taken.empty())
        return;
    const qint64 middle = std::get<0>(whole.taken[whole.taken.size() / 2]);
    Readings halves = readWith(db, 200000, 0, middle - 1);
    halves.add(MeasureReader::read(db, middle, kLastTime, 0, nullptr));
    check(halves.whole || db.problem() != DatabaseConnection::FileProblem::None);
    if (halves.whole)
        check(halves == whole);
}
