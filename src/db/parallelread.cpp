// SPDX-License-Identifier: GPL-3.0-or-later
// The measure read's ways for large files: the whole file along the rowids, which a radar writes
// in time order, without idx_date; a period in two time slices on two connections at once.
#include "db/measurereader.h"
#include "db/ownconnection.h"
#include "db/readrun.h"

#include <QDebug>
#include <QVariant>

#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <thread>

namespace readdetail {
namespace {

using dbdetail::onOwnConnection;

// Reads the later time slice on a connection of its own, on its own thread. It counts its rows
// first, waits for the place to write them, then fills it; the GUI thread does all the talking
// to the user and tells it to stop through cancel.
class SliceReader
{
public:
    SliceReader(const QString& path, const QString& sql, const ReadBounds& bounds, const std::atomic<bool>& cancel)
        : m_path(path), m_sql(sql), m_bounds(bounds), m_cancel(cancel)
    {
    }

    void run()
    {
        onOwnConnection(m_path, [this](QSqlDatabase& db) {
            qint64 counted = -1;
            QSqlQuery query(db);
            if (db.isOpen()) {
                query.exec(QStringLiteral("BEGIN;"));
                counted = countPeriod(query, QLatin1String(countSql), m_bounds.from, m_bounds.to);
            }
            MeasureMap::Entry* out = nullptr;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_counted = counted;
                m_changed.notify_all();
                m_changed.wait(lock, [this] { return m_go || m_abandoned; });
                out = m_out;
            }
            if (out && startRead(query, m_sql, m_bounds.from, m_bounds.to))
                read(query, out, counted);
            else if (out)
                m_error = query.lastError();
            query.finish();
            if (db.isOpen())
                query.exec(QStringLiteral("END;"));
        });
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done = true;
        m_changed.notify_all();
    }

    // The rows of the slice in the reader's own snapshot; -1 when it cannot read; waits at most ms.
    bool waitCounted(int ms, qint64* counted)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_counted != pending; });
        *counted = m_counted;
        return m_counted != pending;
    }
    void go(MeasureMap::Entry* out)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_out = out;
        m_go = true;
        m_changed.notify_all();
    }
    void abandon()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_abandoned = true;
        m_changed.notify_all();
    }
    bool waitDone(int ms)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_done; });
    }
    qint64 rowsRead() const { return m_rowsRead.load(std::memory_order_relaxed); }
    // Valid once done.
    qint64 accepted() const { return m_accepted; }
    // Why the reading stopped before the end of the slice; invalid when it did not (or was cancelled).
    QSqlError error() const { return m_error; }
    // Valid once done.
    const RowCounts& counts() const { return m_counts; }

private:
    static constexpr qint64 pending = -2;

    void read(QSqlQuery& query, MeasureMap::Entry* out, qint64 capacity)
    {
        qint64 rows = 0, n = 0;
        while (query.next()) {
            if (m_cancel.load(std::memory_order_relaxed))
                break;
            if (++rows % 1000 == 0)
                m_rowsRead.store(rows, std::memory_order_relaxed);
            const qint64 time = query.value(1).toLongLong();
            const qint64 speed = query.value(2).toLongLong();
            const qint64 direction = query.value(3).toLongLong();
            const Row row = classify(time, speed, direction, m_bounds);
            if (row != Row::Take) {
                m_counts.add(row);
                continue;
            }
            if (n == capacity) {   // the snapshot does not change under a transaction; never trust it blindly
                qWarning() << "More measures than counted in" << m_path;
                m_error = moreRowsThanCounted();
                break;
            }
            out[n++] = MeasureMap::Entry{time, Measure{int(speed), int(direction)}};
        }
        if (!m_error.isValid() && query.lastError().isValid()) {
            m_error = query.lastError();
            qCritical() << "Error while reading database" << m_error.text();
        }
        m_rowsRead.store(rows, std::memory_order_relaxed);
        m_accepted = n;
    }

    const QString m_path, m_sql;
    const ReadBounds m_bounds;
    const std::atomic<bool>& m_cancel;
    std::atomic<qint64> m_rowsRead{0};
    qint64 m_accepted = 0;
    RowCounts m_counts;
    QSqlError m_error;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    qint64 m_counted = pending;
    MeasureMap::Entry* m_out = nullptr;
    bool m_go = false;
    bool m_abandoned = false;
    bool m_done = false;
};

// One run of rowids read in rowid order, on the connection of the thread that reads it.
struct RowidSlice
{
    qint64 from = 0, to = 0;   // rowids, both included
    MeasureMap::Entry* out = nullptr;
    qint64 capacity = 0;
    qint64 kept = 0, rows = 0;
    RowCounts counts;
    bool ordered = true;   // false as soon as a kept reading comes before the one kept last
    bool complete = false;   // read to its end without error or stop
    QSqlError error;   // why it stopped, when a statement failed
    std::atomic<qint64> progress{0};
    std::atomic<bool> done{false};
};

QString rowidSql(bool twoWay)
{
    // Every row, those outside the period too: counted, they tell a read that a damaged table
    // ended early.
    return QStringLiteral("SELECT meas_date, meas_speed, %1 FROM measure WHERE rowid >= :from AND rowid <= :to "
                          "ORDER BY rowid")
        .arg(twoWay ? QStringLiteral("meas_direction") : QStringLiteral("0"));
}

// Reads the slice; tick() is asked every 1000 rows whether to go on.
template <class Tick>
void readRowidSlice(QSqlQuery& query, const QString& sql, RowidSlice& s, const ReadBounds& b, Tick tick)
{
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    if (ok) {
        query.bindValue(QStringLiteral(":from"), s.from);
        query.bindValue(QStringLiteral(":to"), s.to);
        ok = query.exec();
    }
    qint64 previous = LLONG_MIN;
    bool stopped = !ok;
    // As on the other ways, the row in hand when the stop is seen is still taken.
    while (!stopped && query.next()) {
        if (s.rows % 1000 == 0) {
            s.progress.store(s.rows, std::memory_order_relaxed);
            stopped = !tick();
        }
        ++s.rows;
        if (!inPeriod(query.value(0), b)) {
            s.counts.add(Row::Outside);
            continue;
        }
        const qint64 time = query.value(0).toLongLong();
        const qint64 speed = query.value(1).toLongLong();
        const qint64 direction = query.value(2).toLongLong();
        const Row row = classify(time, speed, direction, b);
        if (row != Row::Take) {
            s.counts.add(row);
            continue;
        }
        if (time < previous || s.kept == s.capacity) {
            s.ordered = false;
            stopped = true;
            continue;
        }
        previous = time;
        s.out[s.kept++] = MeasureMap::Entry{time, Measure{int(speed), int(direction)}};
    }
    if (query.lastError().isValid())
        s.error = query.lastError();
    s.complete = !stopped && s.ordered && !s.error.isValid();
    query.finish();
    s.progress.store(s.rows, std::memory_order_relaxed);
}

}   // namespace

RowidWay ReadRun::readAlongRowids(MeasureMap& measures, ProgressReporter* progress, int& counter, bool twoWay,
                                  const ReadBounds& bounds, qint64& first, qint64& last, QSqlError* error)
{
    if (!(measures.isEmpty() || measures.last().time <= bounds.from) || m_path.isEmpty()
        || m_path == QLatin1String(":memory:"))
        return RowidWay::NotWorth;
    // Worth it when the period holds the whole file: the first and last rows tell, in a file
    // written in time order; the read itself checks that order and gives up without it.
    QSqlQuery q(m_db.connection());
    const auto one = [&q, error](const QString& sql, qint64* value) {
        const bool ok = q.exec(sql) && q.next() && !q.value(0).isNull();
        if (ok)
            *value = q.value(0).toLongLong();
        else if (q.lastError().isValid())
            *error = q.lastError();
        q.finish();
        return ok;
    };
    qint64 minRowid = 0, maxRowid = 0, firstTime = 0, lastTime = 0, rows = 0;
    if (!one(QStringLiteral("SELECT meas_date FROM measure WHERE +meas_date > 0 ORDER BY rowid LIMIT 1"), &firstTime)
        || !one(QStringLiteral("SELECT meas_date FROM measure WHERE +meas_date > 0 ORDER BY rowid DESC LIMIT 1"),
                &lastTime)
        || firstTime < bounds.from || lastTime > bounds.to
        || !one(QStringLiteral("SELECT min(rowid) FROM measure"), &minRowid)
        || !one(QStringLiteral("SELECT max(rowid) FROM measure"), &maxRowid))
        return RowidWay::NotWorth;
    {
        // Counting reads the whole table: on a thread of its own while the window keeps answering.
        std::atomic<bool> counted{false};
        const QString path = m_path;
        std::thread counter;
        try {
            counter = std::thread([&rows, &counted, path, error] {
                rows = DatabaseConnection::valueOnOwnConnection(path, QStringLiteral("SELECT count(*) FROM measure"),
                                                                error);
                counted = true;
            });
        } catch (const std::system_error&) {
            return RowidWay::NotWorth;
        }
        while (!counted.load()) {
            if (progress)
                progress->processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        counter.join();
        if (rows < 0)
            return RowidWay::NotWorth;
    }
    // One place per rowid: rowids left by many deleted rows would ask for too much room. Tested
    // before the span is counted, which could pass the largest rowid.
    if (minRowid < 0 || maxRowid - minRowid >= rows + rows / 2 + 1000)
        return RowidWay::NotWorth;
    const qint64 span = maxRowid - minRowid + 1;
    const std::size_t held = measures.count();
    MeasureMap::Entry* room = nullptr;
    try {
        room = measures.appendSlots(std::size_t(span));
    } catch (const std::exception&) {
        return RowidWay::NotWorth;   // the other way reports it
    }

    RowidSlice earlier, later;
    const bool split = span >= parallelThreshold.load() && span > 1;
    earlier.from = minRowid;
    earlier.to = split ? minRowid + span / 2 - 1 : maxRowid;
    earlier.out = room;
    earlier.capacity = earlier.to - earlier.from + 1;
    later.from = earlier.to + 1;
    later.to = maxRowid;
    later.out = room + earlier.capacity;
    later.capacity = split ? later.to - later.from + 1 : 0;
    later.done = !split;
    later.complete = !split;
    const QString sql = rowidSql(twoWay);
    std::atomic<bool> cancel{false};
    std::thread thread;
    if (split) {
        const QString path = m_path;
        try {
            thread = std::thread([&later, &cancel, path, sql, bounds] {
                onOwnConnection(path, [&](QSqlDatabase& db) {
                    if (!db.isOpen()) {
                        later.error = db.lastError();
                        return;
                    }
                    QSqlQuery query(db);
                    readRowidSlice(query, sql, later, bounds, [&cancel] { return !cancel.load(); });
                });
                later.done = true;
            });
            qDebug() << "Reading two runs of rowids from" << later.from;
        } catch (const std::system_error&) {
            measures.truncate(held);
            return RowidWay::NotWorth;
        }
    }
    if (progress) {
        progress->setLabelText(MeasureReader::tr("Lecture..."));
        progress->processEvents();
        m_readingShown = true;
    }
    qDebug() << "Extraction : debut = " << timeOfDay();
    const auto report = [&]() {
        if (progress) {
            progress->setValue(int(qMin<qint64>(INT_MAX, qint64(counter) + earlier.rows + later.progress.load())));
            progress->processEvents();
            if (progress->wasCanceled())
                cancel = true;
        }
        return !cancel.load();
    };
    m_db.execute(QStringLiteral("BEGIN;"));
    readRowidSlice(m_query, sql, earlier, bounds, report);
    const bool canceled = cancel.load();
    if (!earlier.complete)
        cancel = true;
    while (!later.done.load()) {
        report();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (thread.joinable())
        thread.join();
    m_db.execute(QStringLiteral("END;"));
    qDebug() << "Extraction : fin = " << timeOfDay();

    if (canceled && earlier.ordered) {   // what was read stays, as a run of time from the start
        measures.truncate(held + std::size_t(earlier.kept));
        m_counts = earlier.counts;
        counter += int(qMin<qint64>(INT_MAX - counter, earlier.rows));
    } else {
        const bool joined =
            earlier.kept == 0 || later.kept == 0 || earlier.out[earlier.kept - 1].time <= later.out[0].time;
        // A damaged table can end a walk along the rowids early without an error; its count
        // walks every page.
        const bool whole = earlier.rows + later.rows == rows;
        if (!earlier.complete || !later.complete || !joined || !whole) {
            *error = earlier.error.isValid() ? earlier.error : later.error;
            qDebug() << "Reading along the rowids gave up:" << error->text() << "in order" << joined << "rows read"
                     << earlier.rows + later.rows << "of" << rows;
            measures.truncate(held);
            return RowidWay::GaveUp;
        }
        if (later.kept > 0 && earlier.kept < earlier.capacity)
            std::memmove(static_cast<void*>(room + earlier.kept), later.out,
                         std::size_t(later.kept) * sizeof(MeasureMap::Entry));
        measures.truncate(held + std::size_t(earlier.kept + later.kept));
        m_counts = earlier.counts;
        m_counts += later.counts;
        counter += int(qMin<qint64>(INT_MAX - counter, earlier.rows + later.rows));
    }
    if (measures.count() > held) {
        first = (measures.begin() + std::ptrdiff_t(held))->time;
        last = measures.last().time;
    }
    return RowidWay::Read;
}

bool ReadRun::readInSlices(MeasureMap& measures, ProgressReporter* progress, int& counter, const QString& sql,
                           const ReadBounds& bounds, qint64 split, QSqlError* readError, qint64* outOfMemory)
{
    const qint64 start = bounds.from;
    ReadBounds earlierBounds = bounds, laterBounds = bounds;
    earlierBounds.to = split - 1;
    laterBounds.from = split;
    std::atomic<bool> cancel{false};
    SliceReader later(m_path, sql, laterBounds, cancel);
    std::thread thread;
    try {
        thread = std::thread([&later] { later.run(); });
    } catch (const std::system_error&) {
        return false;
    }
    struct Joiner
    {
        std::thread& t;
        SliceReader& r;
        ~Joiner()
        {
            r.abandon();
            t.join();
        }
    } joiner{thread, later};

    // Both connections count their slice at the same time.
    const qint64 earlierCount = countPeriod(m_query, QLatin1String(countSql), start, split - 1);
    qint64 laterCount = -1;
    while (!later.waitCounted(20, &laterCount)) {
        if (progress)
            progress->processEvents();
    }
    if (earlierCount < 0 || laterCount < 0)
        return false;   // the caller reads on this connection alone

    qDebug() << "Reading in two slices from" << localText(split);
    const std::size_t held = measures.count();
    MeasureMap::Entry* room = nullptr;
    try {
        room = measures.appendSlots(std::size_t(earlierCount + laterCount));
    } catch (const std::exception&) {   // bad_alloc, or length_error on an absurd count
        *outOfMemory = earlierCount + laterCount;
        return true;
    }
    later.go(room + earlierCount);

    const bool ok = startRead(m_query, sql, start, split - 1);
    if (!ok)
        *readError = m_query.lastError();
    if (progress && !m_readingShown) {
        progress->setLabelText(MeasureReader::tr("Lecture..."));
        progress->processEvents();
    }
    qDebug() << "Extraction : debut = " << timeOfDay();

    const auto report = [&]() {
        progress->setValue(int(qMin<qint64>(INT_MAX, qint64(counter) + later.rowsRead())));
        progress->processEvents();
        if (progress->wasCanceled())
            cancel = true;
    };
    qint64 n = 0;
    bool complete = ok;
    while (ok && !cancel && m_query.next()) {
        if (counter % 1000 == 0 && progress)
            report();
        ++counter;
        const qint64 time = m_query.value(1).toLongLong();
        const qint64 speed = m_query.value(2).toLongLong();
        const qint64 direction = m_query.value(3).toLongLong();
        const Row row = classify(time, speed, direction, earlierBounds);
        if (row != Row::Take) {
            m_counts.add(row);
            continue;
        }
        if (n == earlierCount) {
            qWarning() << "More measures than counted in" << m_path;
            *readError = moreRowsThanCounted();
            complete = false;
            break;
        }
        room[n++] = MeasureMap::Entry{time, Measure{int(speed), int(direction)}};
    }
    if (ok && m_query.lastError().isValid()) {
        *readError = m_query.lastError();
        qCritical() << "Error while reading database" << readError->text();
        complete = false;
    }
    complete = complete && !cancel;
    if (!complete)
        cancel = true;   // the later slice would be dropped anyway
    m_query.finish();

    while (!later.waitDone(20)) {
        if (progress)
            report();
    }
    counter = int(qMin<qint64>(INT_MAX, qint64(counter) + later.rowsRead()));

    // What was read stays a run of time from the start: the later slice counts only after a
    // complete earlier one.
    qint64 kept = n;
    if (complete) {
        if (n < earlierCount && later.accepted() > 0)
            std::memmove(static_cast<void*>(room + n), room + earlierCount,
                         std::size_t(later.accepted()) * sizeof(MeasureMap::Entry));
        kept += later.accepted();
        m_counts += later.counts();
    }
    measures.truncate(held + std::size_t(kept));
    if (complete && !readError->isValid())
        *readError = later.error();
    return true;
}

}   // namespace readdetail
