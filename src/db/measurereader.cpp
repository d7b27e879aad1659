// SPDX-License-Identifier: GPL-3.0-or-later
// The measure read of a period on one connection, along idx_date, and what it tells about the
// period; the ways that pay for large files are in parallelread.cpp.
#include "db/measurereader.h"

#include "db/readrun.h"

#include <QDebug>
#include <QFileInfo>
#include <QVariant>

#include <algorithm>
#include <climits>
#include <limits>
#include <stdexcept>

using namespace readdetail;

namespace {

// Stops as soon as both are found, which in a two-way file is within the first readings.
QList<int> directionsOf(const MeasureMap& measures)
{
    bool in = false, out = false;
    for (auto it = measures.begin(); it != measures.end() && !(in && out); ++it) {
        in = in || it->measure.direction == 0;
        out = out || it->measure.direction == 1;
    }
    QList<int> directions;
    if (in)
        directions << 0;
    if (out)
        directions << 1;
    return directions;
}

}   // namespace

namespace readdetail {

ReadBounds ReadBounds::of(const QString& path, qint64 from, qint64 to, int minimumSpeed)
{
    const QFileInfo file(path);
    const QDateTime written = file.isFile() ? file.lastModified() : QDateTime();
    return ReadBounds{from, to, minimumSpeed, QDateTime(QDate(2000, 1, 1), QTime(0, 0)).toSecsSinceEpoch(),
                      written.isValid() ? written.toSecsSinceEpoch() + 86400 : std::numeric_limits<qint64>::max()};
}

// -1 when the statement fails.
qint64 countPeriod(QSqlQuery& query, const QString& sql, qint64 from, qint64 to)
{
    qint64 n = -1;
    if (query.prepare(sql)) {
        query.bindValue(QStringLiteral(":startDate"), from);
        query.bindValue(QStringLiteral(":endDate"), to);
        if (query.exec() && query.next())
            n = query.value(0).toLongLong();
    }
    query.finish();
    return n;
}

// The time of the first row of the period in the given order, or false.
bool periodEdge(QSqlQuery& query, qint64 from, qint64 to, bool latest, qint64* time)
{
    bool ok = query.prepare(latest ? QStringLiteral("SELECT meas_date FROM measure WHERE ((meas_date >= :startDate) "
                                                    "AND (meas_date <= :endDate)) ORDER BY meas_date DESC LIMIT 1")
                                   : QStringLiteral("SELECT meas_date FROM measure WHERE ((meas_date >= :startDate) "
                                                    "AND (meas_date <= :endDate)) ORDER BY meas_date ASC LIMIT 1"));
    if (ok) {
        query.bindValue(QStringLiteral(":startDate"), from);
        query.bindValue(QStringLiteral(":endDate"), to);
        ok = query.exec() && query.next();
        if (ok)
            *time = query.value(0).toLongLong();
    }
    query.finish();
    return ok;
}

// Runs the measure statement over [from, to] on query; false with the critical message on failure.
bool startRead(QSqlQuery& query, const QString& sql, qint64 from, qint64 to)
{
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    if (ok) {
        query.bindValue(QStringLiteral(":startDate"), from);
        query.bindValue(QStringLiteral(":endDate"), to);
        ok = query.exec();
    }
    if (!ok)
        qCritical() << "Error while requesting database with" << sql;
    return ok;
}

int ReadRun::readMeasures(MeasureMap& measures, ProgressReporter* progress, qint64& first, qint64& last, qint16& units,
                          qint64 start, qint64 end, int minimumSpeed)
{
    first = last = 0;
    units = 0;
    m_readingShown = false;
    m_counts = RowCounts();
    if (!m_db.connection().isOpen()) {
        qCritical() << "Error while requesting database with"
                    << "(database closed)";
        return measures.size();
    }

    const QString tail = QStringLiteral("FROM measure "
                                        "WHERE ((meas_date >= :startDate) AND (meas_date <= :endDate)) "
                                        "ORDER BY meas_date ASC");
    QString sql;
    const bool twoWay = m_db.columnExists(QStringLiteral("measure"), QStringLiteral("meas_direction"));
    if (twoWay) {
        qDebug() << "Bi-directionnal database detected";
        sql = QStringLiteral("SELECT meas_id,meas_date,meas_speed, meas_direction ") + tail;
    } else {
        qDebug() << "Mono-directionnal database detected - assuming 'ingoing' direction";
        sql = QStringLiteral("SELECT meas_id,meas_date,meas_speed, 0 AS meas_direction ") + tail;
    }
    units = m_db.checkUnits();

    int counter = progress ? progress->value() : 0;
    if (progress) {
        progress->setLabelText(MeasureReader::tr("Configuration..."));
        progress->processEvents();
    }
    QSqlError readError;
    qint64 outOfMemory = 0;   // the rows that could not be given room
    const ReadBounds bounds = ReadBounds::of(m_path, start, end, minimumSpeed);
    const RowidWay way = readAlongRowids(measures, progress, counter, twoWay, bounds, first, last, &readError);
    if (way == RowidWay::Read)
        return finishRead(measures, first, last, readError, outOfMemory);
    // Along a damaged idx_date a read can end short without a word: once the rowids gave up (on
    // rows out of order, which damage makes too, or an error), only a file found whole is read
    // another way.
    if (readError.isValid() ? !m_db.mayReadAnotherWay(readError) : way == RowidWay::GaveUp && !m_db.checkWhole())
        return finishRead(measures, first, last, QSqlError(), outOfMemory);
    readError = QSqlError();
    // A period inside the file is found along idx_date: made once, on the first such read.
    if (!m_db.indexExists(QStringLiteral("measure"), QStringLiteral("idx_date")) && m_db.mayWrite()) {
        qDebug() << "Adding index to measure ...";
        m_db.execute(QStringLiteral("CREATE INDEX idx_date ON measure(meas_date);"));
    }
    qDebug() << "Starting transaction";
    m_db.execute(QStringLiteral("BEGIN;"));
    qDebug() << "Transaction done";

    // How much is coming, to reserve the map once: counted through idx_date, without the rows.
    const qint64 threshold = parallelThreshold.load();
    const qint64 atLeast =
        countPeriod(m_query,
                    QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM measure WHERE ((meas_date >= :startDate) AND "
                                   "(meas_date <= :endDate)) LIMIT %1)")
                        .arg(threshold),
                    start, end);
    const bool appending = measures.isEmpty() || measures.last().time <= start;
    qint64 low = 0, high = 0;
    const bool split = atLeast >= threshold && appending && !m_path.isEmpty() && m_path != QLatin1String(":memory:")
        && periodEdge(m_query, start, end, false, &low) && periodEdge(m_query, start, end, true, &high) && low < high;
    const std::size_t held = measures.count();
    const qint64 middle = low + qint64((quint64(high) - quint64(low)) / 2) + 1;
    if (split && readInSlices(measures, progress, counter, sql, bounds, middle, &readError, &outOfMemory)) {
        if (measures.count() > held) {
            first = (measures.begin() + std::ptrdiff_t(held))->time;
            last = measures.last().time;
        }
    } else {
        const qint64 expected =
            atLeast < threshold ? atLeast : countPeriod(m_query, QLatin1String(countSql), start, end);
        try {
            if (expected > 0)
                measures.reserve(measures.count() + std::size_t(expected));
        } catch (const std::exception&) {   // bad_alloc, or length_error on an absurd count
            outOfMemory = expected;
        }
        const bool ok = outOfMemory == 0 && startRead(m_query, sql, start, end);
        if (!ok && outOfMemory == 0)
            readError = m_query.lastError();
        if (progress && !m_readingShown) {
            progress->setLabelText(MeasureReader::tr("Lecture..."));
            progress->processEvents();
        }
        qDebug() << "Extraction : debut = " << timeOfDay();

        bool canceled = false;
        while (ok && !canceled && m_query.next()) {
            if (counter % 1000 == 0 && progress) {
                progress->setValue(counter);
                progress->processEvents();
                canceled = progress->wasCanceled();
            }
            ++counter;
            const qint64 time = m_query.value(1).toLongLong();
            const qint64 speed = m_query.value(2).toLongLong();
            const qint64 direction = m_query.value(3).toLongLong();
            const Row row = classify(time, speed, direction, bounds);
            if (row != Row::Take) {
                m_counts.add(row);
                continue;
            }
            first = first == 0 ? time : qMin(first, time);
            last = qMax(last, time);
            measures.insert(time, Measure{int(speed), int(direction)});
        }
        if (ok && m_query.lastError().isValid()) {
            readError = m_query.lastError();
            qCritical() << "Error while reading database" << readError.text();
        }
        m_query.finish();
    }

    qDebug() << "Extraction : fin = " << timeOfDay();
    m_db.execute(QStringLiteral("END;"));
    return finishRead(measures, first, last, readError, outOfMemory);
}

int ReadRun::finishRead(const MeasureMap& measures, qint64 first, qint64 last, const QSqlError& readError,
                        qint64 outOfMemory)
{
    qDebug() << "Min=" << localText(first) << "Max=" << localText(last);
    // A damaged file stops the read half-way: the measures so far stay, but they are not all there.
    if (outOfMemory > 0)
        m_failure =
            MeasureReader::tr("Mémoire insuffisante pour lire les %1 mesures de %2").arg(outOfMemory).arg(m_path);
    if (m_counts.invalid > 0 || m_counts.misdated > 0)
        qWarning() << "Readings left out, invalid:" << m_counts.invalid << "misdated:" << m_counts.misdated;
    if (readError.isValid()) {
        m_db.noteReadError(readError);
        if (m_failure.isEmpty() && m_db.problem() == DatabaseConnection::FileProblem::None)
            m_failure =
                MeasureReader::tr("Mémoire insuffisante pour lire %1 (%2).").arg(m_path, readError.databaseText());
    }
    return measures.size();
}

}   // namespace readdetail

void MeasureReader::setParallelReadThreshold(qint64 rows)
{
    parallelThreshold = rows;
}

MeasureRead MeasureReader::read(DatabaseConnection& db, qint64 from, qint64 to, int minSpeed,
                                ProgressReporter* progress)
{
    SilentProgress silent;
    if (!progress)
        progress = &silent;
    MeasureRead r;
    r.from = from;
    r.to = to;
    r.minSpeed = minSpeed;
    const QString file = db.filePath();

    progress->setLabelText(tr("Vérification de la base de données"));
    progress->processEvents();
    db.checkDatabase();
    progress->setLabelText(tr("Examen des données"));
    progress->processEvents();
    if (db.isNewDatabase()) {
        r.error = tr("La base de données %1 est vide").arg(file);
        return r;
    }

    const bool twoWay = db.columnExists(QStringLiteral("measure"), QStringLiteral("meas_direction"));
    // The rowid span bounds the rows without reading them all, as counting would. Each alone:
    // SQLite finds a lone min() or max() of the rowid without a scan. Rowids take the whole
    // 64-bit range: their difference is unsigned.
    const QSqlQuery lowest = db.getRecord(QStringLiteral("SELECT min(rowid) FROM measure"));
    const QSqlQuery highest = db.getRecord(QStringLiteral("SELECT max(rowid) FROM measure"));
    const quint64 span = lowest.isValid() && highest.isValid()
        ? quint64(highest.value(0).toLongLong()) - quint64(lowest.value(0).toLongLong())
        : 0;
    const int count = span >= quint64(INT_MAX) ? INT_MAX : int(span) + 1;
    progress->setRange(progress->minimum(), std::max(count, progress->minimum()));
    progress->setLabelText(tr("Chargement..."));
    progress->processEvents();

    auto measures = std::make_shared<MeasureMap>();
    ReadRun run(db);
    const int read = run.readMeasures(*measures, progress, r.first, r.last, r.units, from, to, minSpeed);
    const RowCounts& counts = run.counts();
    r.invalidReadings = counts.invalid;
    r.misdatedReadings = counts.misdated;
    r.canceled = progress->wasCanceled();
    // A cancelled read leaves rows unread, so no count then.
    if (!r.canceled)
        r.slowReadings = counts.slow;
    // A file problem found on the way (damaged, locked, no measure table) comes first.
    r.error = db.problem() != DatabaseConnection::FileProblem::None ? db.problemText() : run.failure();
    r.incomplete = !r.error.isEmpty();
    if (read == 0 && r.error.isEmpty())
        r.error = tr("La base de donnée %1 ne contient pas de statistiques").arg(file);
    r.directions = twoWay ? directionsOf(*measures) : QList<int>{0};
    r.measures = std::move(measures);
    progress->setValue(std::max(count, progress->minimum()));
    return r;
}
