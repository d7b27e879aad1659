// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/measuredays.h"

#include "db/databaseconnection.h"

#include <QDateTime>
#include <QDebug>
#include <QSqlQuery>
#include <QVariant>
#include <cmath>

namespace {

const QString kDateTimePattern = QStringLiteral("yyyy-MM-dd hh:mm:ss");

// The last second SQLite's date functions can write as a four-digit year.
constexpr qint64 kLastMeasureTime = 253402300799LL;

// The local wall-clock offset SQLite itself applies to t (its 'localtime' modifier), so that the
// derived days match what SQLite's own conversion would group.
bool sqliteLocalOffset(DatabaseConnection* db, qint64 t, qint64& offset)
{
    QSqlQuery q = db->getRecord(
        QStringLiteral("SELECT CAST(strftime('%s', %1, 'unixepoch', 'localtime') AS INTEGER) - %1;").arg(t));
    if (!q.isValid() || q.value(0).isNull())
        return false;
    offset = q.value(0).toLongLong();
    return true;
}

// From a time on, the seconds that share its local day and its offset: within such a stretch the
// local text grows with time, so its first and last measure give its smallest and largest text.
struct Stretch
{
    qint64 offset = 0;
    qint64 end = 0;   // exclusive
};

bool stretchFrom(DatabaseConnection* db, qint64 t, Stretch* s)
{
    if (!sqliteLocalOffset(db, t, s->offset))
        return false;
    const qint64 wall = t + s->offset;
    const qint64 intoDay = ((wall % 86400) + 86400) % 86400;
    s->end = qMin(t + (86400 - intoDay), kLastMeasureTime + 1);   // next local midnight
    qint64 endOffset = 0;
    if (sqliteLocalOffset(db, s->end - 1, endOffset) && endOffset != s->offset) {
        // The offset changes before midnight: the stretch ends at the change.
        qint64 lo = t, hi = s->end - 1;   // offset(lo) == offset, offset(hi) differs
        while (hi - lo > 1) {
            const qint64 mid = lo + (hi - lo) / 2;
            qint64 o = 0;
            if (sqliteLocalOffset(db, mid, o) && o == s->offset)
                lo = mid;
            else
                hi = mid;
        }
        s->end = hi;
    }
    return true;
}

// Days keyed by their date; a day can hold two stretches (the autumn change), whose texts are
// compared as SQLite's MIN and MAX compare them.
void addStretch(QMap<QString, MeasureDay>& byDay, qint64 first, qint64 last, qint64 offset)
{
    const auto wallText = [offset](qint64 t) {
        return QDateTime::fromSecsSinceEpoch(t + offset, Qt::UTC).toString(kDateTimePattern);
    };
    const QString firstText = wallText(first);
    const QString lastText = wallText(last);
    auto it = byDay.find(firstText.left(10));
    if (it == byDay.end()) {
        byDay.insert(firstText.left(10), MeasureDay{firstText, lastText});
        return;
    }
    if (firstText < it->firstMeasure)
        it->firstMeasure = firstText;
    if (lastText > it->lastMeasure)
        it->lastMeasure = lastText;
}

qint64 wholeSeconds(const QVariant& v)
{
    return static_cast<qint64>(std::floor(v.toDouble()));
}

// The measures a day can be made of: numbers after the units marker that SQLite's date functions
// can write (a text in meas_date sorts after every number).
const char* const kDatedMeasure = "+meas_date > 0 AND +meas_date < 253402300800";

bool daysByRowid(DatabaseConnection* db, QMap<QString, MeasureDay>& byDay, const std::function<void()>& tick)
{
    QSqlQuery edge = db->newQuery();
    qint64 minRowid = 0, maxRowid = 0;
    for (qint64* bound : {&minRowid, &maxRowid}) {
        if (!edge.exec(bound == &minRowid ? QStringLiteral("SELECT min(rowid) FROM measure")
                                          : QStringLiteral("SELECT max(rowid) FROM measure"))
            || !edge.next())
            return false;
        if (edge.value(0).isNull())
            return true;   // no row at all
        *bound = edge.value(0).toLongLong();
    }
    edge.finish();

    // Guess: where times ascend with rowids, each stretch is a run of rowids whose end a binary
    // search finds with a few one-row look-ups. A run starts at the earliest of its first rows,
    // so that one reading stored far too early does not stretch it over the rest of the file.
    QSqlQuery firstDated = db->newQuery();
    QSqlQuery reached = db->newQuery();
    if (!firstDated.prepare(QStringLiteral("SELECT min(rowid), min(meas_date) FROM (SELECT rowid, meas_date FROM "
                                           "measure WHERE rowid >= ? AND %1 ORDER BY rowid LIMIT 8)")
                                .arg(QLatin1String(kDatedMeasure)))
        || !reached.prepare(
            QStringLiteral("SELECT meas_date >= ? FROM measure WHERE rowid >= ? ORDER BY rowid LIMIT 1")))
        return false;
    // True when the first row from rowid on is timed at or after t, or there is none.
    const auto reachedAt = [&reached](qint64 rowid, qint64 t) {
        reached.bindValue(0, t);
        reached.bindValue(1, rowid);
        const bool yes = !reached.exec() || !reached.next() || reached.value(0).toBool();
        reached.finish();
        return yes;
    };
    struct Run
    {
        qint64 from, to;   // rowids, both included
        qint64 start;   // the stretch expected: [start, stretch.end)
        Stretch stretch;
    };
    // Rowids fill the whole 64-bit range: positions are counted as unsigned distances from a run's
    // first dated row, and the row after the largest rowid is never named.
    const auto at = [](qint64 from, quint64 distance) { return qint64(quint64(from) + distance); };
    QVector<Run> runs;
    qint64 rowid = minRowid;
    quint64 length = 1;
    for (bool more = true; more;) {
        firstDated.bindValue(0, rowid);
        if (!firstDated.exec() || !firstDated.next())
            return false;
        if (firstDated.value(0).isNull())
            break;   // nothing dated left
        const qint64 from = firstDated.value(0).toLongLong();
        if (from < rowid)
            return false;   // a damaged table, its rowids out of order: the walk would not end
        Run run{rowid, maxRowid, wholeSeconds(firstDated.value(1)), Stretch()};
        firstDated.finish();
        if (!stretchFrom(db, run.start, &run.stretch))
            return false;
        // The first distance whose row is past the stretch, in (lo, hi]: galloping from the last
        // run's length, then halving. Past the largest rowid counts as reached.
        const quint64 last = quint64(maxRowid) - quint64(from);
        quint64 lo = 0, hi = 0, step = length;
        bool found = false;
        while (!found && step <= last - lo) {
            if (reachedAt(at(from, lo + step), run.stretch.end)) {
                hi = lo + step;
                found = true;
            } else {
                lo += step;
                step = step > last / 2 ? last - lo + 1 : step * 2;
            }
        }
        if (!found) {
            // The run reaches the end of the table unless its last rows are past the stretch.
            hi = last;
            more = lo < last && reachedAt(maxRowid, run.stretch.end);
        }
        while (more && hi - lo > 1) {
            const quint64 mid = lo + (hi - lo) / 2;
            (reachedAt(at(from, mid), run.stretch.end) ? hi : lo) = mid;
        }
        run.to = more ? at(from, hi - 1) : maxRowid;
        runs.append(run);
        length = more ? hi : 1;
        rowid = more ? at(from, hi) : maxRowid;
        tick();
    }

    // Check, in one pass over the rows inside SQLite with two numbers per run crossing over, that
    // each run lies in its stretch. Where one does not, the readings of the run inside the stretch
    // give its first and last, and the others (stored out of time order) are taken one by one;
    // when they are too many to pay, the caller falls back.
    QSqlQuery range = db->newQuery(), inside = db->newQuery(), outside = db->newQuery();
    for (QSqlQuery* q : {&range, &inside, &outside})
        q->setForwardOnly(true);
    const QString where = QStringLiteral("rowid >= :from AND rowid <= :to AND %1").arg(QLatin1String(kDatedMeasure));
    const QString within = QStringLiteral("(+meas_date >= :start AND +meas_date < :end)");
    // Without the filter on dated readings: it would cost as much as the aggregates, and a run holding
    // the marker or a text shows by its ends anyway.
    if (!range.prepare(QStringLiteral("SELECT min(meas_date), max(meas_date) FROM measure WHERE rowid >= :from AND "
                                      "rowid <= :to"))
        || !inside.prepare(
            QStringLiteral("SELECT min(meas_date), max(meas_date) FROM measure WHERE %1 AND %2").arg(where, within))
        || !outside.prepare(QStringLiteral("SELECT meas_date FROM measure WHERE %1 AND NOT %2").arg(where, within)))
        return false;
    const qint64 budget = qint64(qMax<quint64>(1000, (quint64(maxRowid) - quint64(minRowid)) / 100));
    qint64 strays = 0;
    for (const Run& run : runs) {
        range.bindValue(QStringLiteral(":from"), run.from);
        range.bindValue(QStringLiteral(":to"), run.to);
        if (!range.exec() || !range.next())
            return false;
        const auto number = [](const QVariant& v) {
            return !v.isNull() && v.type() != QVariant::String && v.type() != QVariant::ByteArray;
        };
        const bool plain = number(range.value(0)) && number(range.value(1));
        const qint64 first = wholeSeconds(range.value(0)), last = wholeSeconds(range.value(1));
        range.finish();
        if (plain && first >= run.start && last < run.stretch.end) {
            addStretch(byDay, first, last, run.stretch.offset);
            tick();
            continue;
        }
        for (QSqlQuery* q : {&inside, &outside}) {
            q->bindValue(QStringLiteral(":from"), run.from);
            q->bindValue(QStringLiteral(":to"), run.to);
            q->bindValue(QStringLiteral(":start"), run.start);
            q->bindValue(QStringLiteral(":end"), run.stretch.end);
        }
        if (!inside.exec() || !inside.next())
            return false;
        if (!inside.value(0).isNull())
            addStretch(byDay, wholeSeconds(inside.value(0)), wholeSeconds(inside.value(1)), run.stretch.offset);
        inside.finish();
        if (!outside.exec())
            return false;
        while (outside.next()) {
            if (++strays > budget)
                return false;
            const qint64 t = wholeSeconds(outside.value(0));
            Stretch stretch;
            if (!stretchFrom(db, t, &stretch))
                return false;
            addStretch(byDay, t, t, stretch.offset);
        }
        outside.finish();
        tick();
    }
    return true;
}

}   // namespace

QVector<MeasureDay> MeasureDays::derive(DatabaseConnection& connection, const std::function<void()>& step)
{
    DatabaseConnection* db = &connection;
    const std::function<void()> tick = step ? step : [] {};
    QVector<MeasureDay> days;
    QMap<QString, MeasureDay> byDay;
    if (!db->indexExists(QStringLiteral("measure"), QStringLiteral("idx_date"))) {
        // Building idx_date would cost more than the whole derivation: the rows are walked in
        // rowid order, which a radar writes in time order.
        if (daysByRowid(db, byDay, tick)) {
            qDebug() << "Days derived along the rowid order";
        } else {
            qDebug() << "Days derived by one local-time conversion per measure";
            byDay.clear();
            QSqlQuery q = db->newQuery();
            q.setForwardOnly(true);
            if (q.exec(QStringLiteral(
                    "SELECT MIN(strftime('%Y-%m-%d %H:%M:%S',datetime(meas_date,'unixepoch','localtime'))),"
                    "MAX(strftime('%Y-%m-%d %H:%M:%S',datetime(meas_date,'unixepoch','localtime'))),"
                    "strftime('%Y-%m-%d',datetime(meas_date,'unixepoch','localtime')) AS day "
                    "FROM measure WHERE (meas_date >0) GROUP BY day;"))) {
                while (q.next())
                    days.append(MeasureDay{q.value(0).toString(), q.value(1).toString()});
            }
            return days;
        }
    } else {
        // Each stretch costs two indexed look-ups instead of a local-time conversion per measure.
        qint64 cursor = 1;   // the units marker (time 0) is no measure
        while (cursor <= kLastMeasureTime) {
            // Numeric bounds keep to numbers (a text in meas_date sorts after every number); the
            // upper ones are exclusive so that a fractional time in the last second of a stretch is kept.
            QSqlQuery first = db->getRecord(QStringLiteral("SELECT meas_date FROM measure WHERE meas_date >= %1 AND "
                                                           "meas_date < %2 ORDER BY meas_date ASC LIMIT 1;")
                                                .arg(cursor)
                                                .arg(kLastMeasureTime + 1));
            if (!first.isValid())
                break;
            const qint64 t1 = wholeSeconds(first.value(0));
            Stretch stretch;
            if (!stretchFrom(db, t1, &stretch))
                break;
            QSqlQuery last = db->getRecord(QStringLiteral("SELECT meas_date FROM measure WHERE meas_date >= %1 AND "
                                                          "meas_date < %2 ORDER BY meas_date DESC LIMIT 1;")
                                               .arg(t1)
                                               .arg(stretch.end));
            const qint64 t2 = last.isValid() ? wholeSeconds(last.value(0)) : t1;
            addStretch(byDay, t1, t2, stretch.offset);
            cursor = stretch.end;
            // A day at a time the bar moves and the window repaints.
            tick();
        }
        qDebug() << "Days derived along idx_date";
    }
    days.reserve(byDay.size());
    for (const MeasureDay& row : byDay)
        days.append(row);
    return days;
}
