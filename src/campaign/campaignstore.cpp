// SPDX-License-Identifier: GPL-3.0-or-later
#include "campaign/campaignstore.h"

#include "core/userdialogs.h"
#include "db/databaseconnection.h"

#include <QDebug>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <cmath>

namespace {

const QString kDateTimePattern = QStringLiteral("yyyy-MM-dd hh:mm:ss");

// The last second SQLite's date functions can write as a four-digit year.
constexpr qint64 kLastMeasureTime = 253402300799LL;

QString isoText(const QDateTime& t)
{
    return t.toString(QStringLiteral("yyyy-MM-dd'T'hh:mm:ss"));
}

QDateTime parseLocal(const QString& text)
{
    return QDateTime::fromString(text, kDateTimePattern);
}

// A value inside '…' of a built statement.
QString quoted(QString text)
{
    return text.replace(QLatin1Char('\''), QLatin1String("''"));
}

// Runs BEGIN on construction and COMMIT on destruction: what succeeded stays, and a crash before
// the COMMIT leaves the file as it was. Inside an open one (busy) it does nothing.
class Transaction
{
public:
    Transaction(DatabaseConnection* db, bool& busy) : m_db(db), m_busy(busy)
    {
        if (!m_busy)
            m_open = m_busy = m_db->execute(QStringLiteral("BEGIN;"));
    }
    ~Transaction()
    {
        if (!m_open)
            return;
        if (!m_db->execute(QStringLiteral("COMMIT;")))
            qCritical() << "Commit failed" << m_db->lastError().text();
        m_busy = false;
    }

private:
    DatabaseConnection* m_db;
    bool& m_busy;
    bool m_open = false;
};

}   // namespace

CampaignStore::CampaignStore() : m_storeLabel(QStringLiteral("localhost")) { }

CampaignStore::~CampaignStore() = default;

void CampaignStore::timerEvent()
{
    if (!m_progress)
        return;
    m_progress->setValue(m_progress->value() + 1);
    m_progress->processEvents();
}

int CampaignStore::countRecords(DatabaseConnection* db, const QString& table)
{
    if (!db)
        return -1;
    QSqlQuery q = db->getRecord(QStringLiteral("SELECT COUNT(*) as total from %1;").arg(table));
    if (!q.isValid())
        return -1;
    return q.value(QStringLiteral("total")).toInt();
}

int CampaignStore::countCampaignDetails(DatabaseConnection* db)
{
    return countRecords(db, QStringLiteral("campaign_details"));
}

int CampaignStore::countMeasures(DatabaseConnection* db)
{
    return countRecords(db, QStringLiteral("measure"));
}

QString CampaignStore::campaignTitle(DatabaseConnection* db, int campaignId)
{
    if (!db)
        return QString();
    QSqlQuery q = db->getRecord(QStringLiteral("SELECT camp_title FROM campaign WHERE camp_id=%1").arg(campaignId));
    if (!q.isValid()) {
        qCritical() << m_storeLabel << "Campaign get title failed" << q.lastError().text() << "title=" << QString();
        return QString();
    }
    return q.value(0).toString();
}

QString CampaignStore::campaignComment(DatabaseConnection* db, int campaignId)
{
    if (!db)
        return QString();
    QSqlQuery q = db->getRecord(QStringLiteral("SELECT camp_comment FROM campaign WHERE camp_id=%1").arg(campaignId));
    if (!q.isValid()) {
        qCritical() << m_storeLabel << "Campaign get comment failed" << q.lastError().text() << "comment=" << QString();
        return QString();
    }
    return q.value(0).toString();
}

int CampaignStore::campaignStoreMode(DatabaseConnection* db, int campaignId)
{
    if (!db)
        return 0;
    QSqlQuery q =
        db->getRecord(QStringLiteral("SELECT camp_store_mode FROM campaign WHERE camp_id=%1").arg(campaignId));
    if (!q.isValid()) {
        qCritical() << m_storeLabel << "Campaign get store mode failed" << q.lastError().text() << "mode=" << 0;
        return 0;
    }
    const int mode = q.value(0).toInt();
    qDebug() << m_storeLabel << "Campaign" << campaignId << "Store mode=" << mode;
    return mode;
}

bool CampaignStore::campaignPeriod(DatabaseConnection* db, int campaignId, QDateTime& start, QDateTime& end)
{
    if (!db)
        return false;
    const QString sql = QStringLiteral("SELECT (strftime('%Y-%m-%d %H:%M:%S', camp_date_begin)) as startDate,"
                                       "(strftime('%Y-%m-%d %H:%M:%S', camp_date_end)) as endDate ")
        + QStringLiteral(" FROM campaign ") + QStringLiteral(" WHERE ")
        + QStringLiteral("camp_id='%1';").arg(campaignId);
    QSqlQuery q = db->getRecord(sql);
    if (!q.isValid()) {
        qWarning() << m_storeLabel << "campaign " << campaignId << "] not found" << sql;
        return false;
    }
    QDateTime first = parseLocal(q.value(QStringLiteral("startDate")).toString());
    if (first.isValid())
        first = QDateTime(first.date(), QTime(0, 0));
    const QDateTime last = parseLocal(q.value(QStringLiteral("endDate")).toString());
    if (!first.isValid() || !last.isValid()) {
        qCritical() << m_storeLabel << "Start / End date invalid - abort";
        return false;
    }
    start = first;
    end = last;
    qDebug() << m_storeLabel << "Start=" << start.toString(kDateTimePattern)
             << "End=" << end.toString(kDateTimePattern);
    return true;
}

QDateTime CampaignStore::campaignCreationDate(DatabaseConnection* db, int campaignId)
{
    const QString sql = QStringLiteral("SELECT strftime('%Y-%m-%d %H:%M:%S', date_created) as date_created")
        + QStringLiteral(" FROM campaign ") + QStringLiteral(" WHERE ") + QStringLiteral("camp_id='%1'").arg(campaignId)
        + QStringLiteral(";");
    if (!db) {
        qWarning() << m_storeLabel << "campaign date created unknown - " << sql;
        return QDateTime();
    }
    QSqlQuery q = db->getRecord(sql);
    if (!q.isValid()) {
        qWarning() << m_storeLabel << "campaign date created unknown - " << sql;
        return QDateTime();
    }
    return parseLocal(q.value(0).toString());
}

QList<int> CampaignStore::campaignList(DatabaseConnection* db, int unit)
{
    QList<int> ids;
    if (!db)
        return ids;
    QSqlQuery q = db->getRecord(
        QStringLiteral("SELECT camp_id FROM campaign WHERE product_prod_id=%1 ORDER BY camp_id DESC;").arg(unit));
    if (!q.isValid())
        return ids;
    do {
        ids.append(q.value(0).toInt());
    } while (q.next());
    return ids;
}

void CampaignStore::verifyCampaigns(DatabaseConnection* db, const QDateTime& creationTime)
{
    if (!db) {
        qCritical() << m_storeLabel << "Invalid database handler - aborted";
        return;
    }
    const int details = countCampaignDetails(db);
    if (details >= 1 && countRecords(db, QStringLiteral("campaign")) >= 1)
        return;

    qDebug() << m_storeLabel << "Campaign table information empty.";
    // The whole-file check before the first write runs on the other core while the days are found.
    db->prepareWriteCheck();
    const int measures = countMeasures(db);
    ProgressOptions options;
    options.title = tr("Statistiques");
    options.label = tr("Base de données");
    options.minimum = 0;
    options.maximum = qMax(0, measures / 15000);
    options.minimumDuration = 0;
    options.windowModal = true;
    m_progress = userDialogs().createProgress(options);
    m_progress->setLabelText(tr("Vérification de la structure ..."));
    m_progress->setLabelText(tr("Vérification des campagnes ...<br/>Ce traitement peut prendre du temps mais<br/>"
                                "est effectué une seule fois<br/>"));
    m_progress->processEvents();

    qDebug() << m_storeLabel << "Filling campaign. start";
    QVector<DayRow> days;
    {
        // One read transaction: the look-ups do not take the file's lock one by one.
        Transaction reading(db, m_inTransaction);
        days = deriveDays(db);
    }
    qDebug() << m_storeLabel << "Verifying database structure";
    db->checkDatabase();
    // A read-only file derives into TEMP tables; a damaged, locked or foreign one not at all.
    if (!db->isReadOnly() && !db->mayWrite()) {
        qCritical() << m_storeLabel << "Database cannot be written - abort";
    } else {
        // Days and months together: a crash between them would leave days without campaigns,
        // and the next opening would then add every day a second time.
        Transaction transaction(db, m_inTransaction);
        if (!insertDays(db, days, creationTime)) {
            qCritical() << m_storeLabel << "Filling campaign detail error - abort";
        } else {
            m_progress->setLabelText(tr("Mise à jour des campagnes"));
            if (!fillCampaigns(db, creationTime))
                qCritical() << m_storeLabel << "Filling campaign error - abort";
            else
                qDebug() << m_storeLabel << "Fill campaigns completed successfully";
        }
    }

    m_progress->setValue(m_progress->maximum());
    m_progress.reset();
}

// The local wall-clock offset SQLite itself applies to t (its 'localtime' modifier), so that the
// derived days match what SQLite's own conversion would group.
static bool sqliteLocalOffset(DatabaseConnection* db, qint64 t, qint64& offset)
{
    QSqlQuery q = db->getRecord(
        QStringLiteral("SELECT CAST(strftime('%s', %1, 'unixepoch', 'localtime') AS INTEGER) - %1;").arg(t));
    if (!q.isValid() || q.value(0).isNull())
        return false;
    offset = q.value(0).toLongLong();
    return true;
}

namespace {

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
void addStretch(QMap<QString, CampaignStore::DayRow>& byDay, qint64 first, qint64 last, qint64 offset)
{
    const auto wallText = [offset](qint64 t) {
        return QDateTime::fromSecsSinceEpoch(t + offset, Qt::UTC).toString(kDateTimePattern);
    };
    const QString firstText = wallText(first);
    const QString lastText = wallText(last);
    auto it = byDay.find(firstText.left(10));
    if (it == byDay.end()) {
        byDay.insert(firstText.left(10), CampaignStore::DayRow{firstText, lastText});
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

}   // namespace

bool CampaignStore::deriveDaysByRowid(DatabaseConnection* db, QMap<QString, DayRow>& byDay)
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
    QVector<Run> runs;
    qint64 rowid = minRowid, length = 1;
    while (rowid <= maxRowid) {
        firstDated.bindValue(0, rowid);
        if (!firstDated.exec() || !firstDated.next())
            return false;
        if (firstDated.value(0).isNull())
            break;   // nothing dated left
        const qint64 from = firstDated.value(0).toLongLong();
        Run run{rowid, maxRowid, wholeSeconds(firstDated.value(1)), Stretch()};
        firstDated.finish();
        if (!stretchFrom(db, run.start, &run.stretch))
            return false;
        // Galloping from the last run's length, then halving.
        qint64 lo = from, hi = maxRowid + 1, step = qMax<qint64>(1, length);
        while (lo + step < hi) {
            if (reachedAt(lo + step, run.stretch.end)) {
                hi = lo + step;
                break;
            }
            lo += step;
            step *= 2;
        }
        while (hi - lo > 1) {
            const qint64 mid = lo + (hi - lo) / 2;
            (reachedAt(mid, run.stretch.end) ? hi : lo) = mid;
        }
        run.to = hi - 1;
        runs.append(run);
        length = hi - from;
        rowid = hi;
        timerEvent();
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
    const qint64 budget = qMax<qint64>(1000, (maxRowid - minRowid + 1) / 100);
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
            timerEvent();
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
        timerEvent();
    }
    return true;
}

QVector<CampaignStore::DayRow> CampaignStore::deriveDays(DatabaseConnection* db)
{
    QVector<DayRow> days;
    if (!db)
        return days;
    QMap<QString, DayRow> byDay;
    if (!db->indexExists(QStringLiteral("measure"), QStringLiteral("idx_date"))) {
        // Building idx_date would cost more than the whole derivation: the rows are walked in
        // rowid order, which a radar writes in time order.
        if (deriveDaysByRowid(db, byDay)) {
            qDebug() << m_storeLabel << "Days derived along the rowid order";
        } else {
            qDebug() << m_storeLabel << "Days derived by one local-time conversion per measure";
            byDay.clear();
            QSqlQuery q = db->newQuery();
            q.setForwardOnly(true);
            if (q.exec(QStringLiteral(
                    "SELECT MIN(strftime('%Y-%m-%d %H:%M:%S',datetime(meas_date,'unixepoch','localtime'))),"
                    "MAX(strftime('%Y-%m-%d %H:%M:%S',datetime(meas_date,'unixepoch','localtime'))),"
                    "strftime('%Y-%m-%d',datetime(meas_date,'unixepoch','localtime')) AS day "
                    "FROM measure WHERE (meas_date >0) GROUP BY day;"))) {
                while (q.next())
                    days.append(DayRow{q.value(0).toString(), q.value(1).toString()});
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
            timerEvent();
        }
        qDebug() << m_storeLabel << "Days derived along idx_date";
    }
    days.reserve(byDay.size());
    for (const DayRow& row : byDay)
        days.append(row);
    return days;
}

bool CampaignStore::fillCampaignDetails(DatabaseConnection* db, const QDateTime& creationTime)
{
    if (!db)
        return false;
    return insertDays(db, deriveDays(db), creationTime);
}

bool CampaignStore::insertDays(DatabaseConnection* db, const QVector<DayRow>& days, const QDateTime& creationTime)
{
    if (days.isEmpty())
        return false;

    const QString head = QStringLiteral("INSERT INTO campaign_details ") + QStringLiteral("(product_prod_id, ")
        + QStringLiteral("cpd_date,") + QStringLiteral("campaign_camp_id, ") + QStringLiteral("cpd_status, ")
        + QStringLiteral("cpd_attempt, ") + QStringLiteral("last_updated, ") + QStringLiteral("cpd_max_time) VALUES ");
    const QString created = isoText(creationTime);

    Transaction transaction(db, m_inTransaction);
    for (const DayRow& day : days) {
        const QString sql = head + QStringLiteral("('%1',").arg(1) + QStringLiteral("'%1',").arg(day.firstMeasure)
            + QStringLiteral("'0',") + QStringLiteral("'%1',").arg(4) + QStringLiteral("'1',")
            + QStringLiteral("'%1',").arg(created) + QStringLiteral("'%1')").arg(day.lastMeasure) + QStringLiteral(";");
        if (!db->execute(sql)) {
            qCritical() << m_storeLabel << "Campaign details updated failed (" << sql << ")";
            return false;
        }
        qDebug() << m_storeLabel << "Campaign details updated successfully";
    }
    return true;
}

bool CampaignStore::fillCampaigns(DatabaseConnection* db, const QDateTime& creationTime)
{
    if (!db)
        return false;
    qDebug() << m_storeLabel << "Filling campaign details ...";
    QSqlQuery q = db->getRecord(QStringLiteral("SELECT MIN(strftime('%Y-%m-%d %H:%M:%S',cpd_date)) AS min_date,")
                                + QStringLiteral("MAX(strftime('%Y-%m-%d %H:%M:%S',cpd_max_time)) AS max_date,")
                                + QStringLiteral("strftime('%Y-%m',cpd_date) AS month ")
                                + QStringLiteral("FROM campaign_details GROUP BY month;"));
    if (!q.isValid())
        return false;

    const QString head = QStringLiteral("INSERT INTO campaign ") + QStringLiteral("(product_prod_id, ")
        + QStringLiteral("camp_date_begin,") + QStringLiteral("camp_date_end, ") + QStringLiteral("date_created, ")
        + QStringLiteral("camp_store_mode, ") + QStringLiteral("camp_title, ")
        + QStringLiteral("camp_comment) VALUES ");
    const QString created = isoText(creationTime);
    const QString title = tr("Téléchargement du %1").arg(created);
    const QString comment = tr("Campagne créée automatiquement");

    QStringList statements;
    do {
        const QString sql = head + QStringLiteral("('%1',").arg(1)
            + QStringLiteral("'%1',").arg(quoted(q.value(0).toString()))
            + QStringLiteral("'%1',").arg(quoted(q.value(1).toString())) + QStringLiteral("'%1',").arg(created)
            + QStringLiteral("'%1',").arg(0) + QStringLiteral("'%1',").arg(quoted(title))
            + QStringLiteral("'%1')").arg(quoted(comment)) + QStringLiteral(";");
        qDebug() << m_storeLabel << "campaign [" << sql << "added";
        statements.append(sql);
    } while (q.next());
    q.finish();

    Transaction transaction(db, m_inTransaction);
    for (const QString& sql : statements) {
        if (db->execute(sql))
            qDebug() << m_storeLabel << "Campaign updated successfully";
        else
            qCritical() << m_storeLabel << "Campaign updated failed (" << sql << ")";
    }
    return true;
}

quint32 CampaignStore::detailMaxTime(DatabaseConnection* db, int unit, const QDate& day)
{
    if (!db)
        return 0;
    const QString dayText = day.toString(Qt::ISODate);
    const QString sql = QStringLiteral("SELECT strftime('%Y-%m-%d %H:%M:%S', cpd_max_time) as sz_cpd_max_time ")
        + QStringLiteral("FROM campaign_details ") + QStringLiteral("WHERE ")
        + QStringLiteral("product_prod_id='%1' AND ").arg(unit) + QStringLiteral("cpd_date='%1 00:00:00' ").arg(dayText)
        + QStringLiteral(";");
    QSqlQuery q = db->getRecord(sql);
    if (!q.isValid()) {
        qWarning() << m_storeLabel << "campaign detail status [" << dayText << "] not found";
        return 0;
    }
    const QString value = q.value(0).toString();
    const QDateTime maxTime = parseLocal(value);
    if (!maxTime.isValid()) {
        qWarning() << m_storeLabel << "campaign detail status [" << dayText << "] never downloaded";
        return 0;
    }
    const qint64 seconds = maxTime.toSecsSinceEpoch();
    // Before the epoch (the epoch itself in a zone east of Greenwich) or past 2106: not known.
    if (seconds < 0 || seconds > qint64(0xFFFFFFFFu)) {
        qWarning() << m_storeLabel << "campaign detail status [" << dayText << "] out of range" << value;
        return 0;
    }
    qDebug() << m_storeLabel << "campaign detail status [" << dayText << "] found. Value=" << value
             << "Timestamp=" << seconds;
    return static_cast<quint32>(seconds);
}

bool CampaignStore::checkCampaignEndDates(DatabaseConnection* db, int unit)
{
    if (!db)
        return false;
    qDebug() << m_storeLabel << "Check database campaign max time";
    QSqlQuery q = db->getRecord(QStringLiteral("SELECT camp_id, camp_date_end ") + QStringLiteral("FROM campaign ")
                                + QStringLiteral("WHERE ") + QStringLiteral("product_prod_id='%1' ").arg(unit)
                                + QStringLiteral(";"));
    // Read every row before updating any.
    QVector<QPair<int, QString>> campaigns;
    if (q.isValid()) {
        do {
            campaigns.append(qMakePair(q.value(0).toInt(), q.value(1).toString()));
        } while (q.next());
    }
    q.finish();

    // The rewrites first, then all of them in one transaction: one sync instead of one per campaign.
    QVector<QPair<int, QString>> rewrites;
    for (const auto& campaign : campaigns) {
        qDebug() << m_storeLabel << "\trecord Campaign_id" << campaign.first;
        qDebug() << m_storeLabel << "\trecord end date" << campaign.second;
        // The date part, whether a blank or a T follows it.
        const QDate day = QDate::fromString(campaign.second.left(10), QStringLiteral("yyyy-MM-dd"));
        const quint32 maxTime = detailMaxTime(db, unit, day);
        const QString maxText = QDateTime::fromSecsSinceEpoch(maxTime).toString(kDateTimePattern);
        qDebug() << m_storeLabel << "\tmaxTime returned=" << maxTime << maxText;
        // Already right: rewriting it would only touch the file.
        if (maxTime >= 86000 && maxText != campaign.second)
            rewrites.append(qMakePair(campaign.first, maxText));
    }

    bool updated = false;
    if (!rewrites.isEmpty() && db->mayWrite()) {
        Transaction transaction(db, m_inTransaction);
        for (const auto& rewrite : rewrites) {
            const QString sql = QStringLiteral("UPDATE campaign ")
                + QStringLiteral("set camp_date_end='%1' ").arg(rewrite.second)
                + QStringLiteral("WHERE camp_id='%1'").arg(rewrite.first) + QStringLiteral(";");
            if (db->execute(sql)) {
                qDebug() << m_storeLabel << "Campaign" << rewrite.first << "updated" << rewrite.second
                         << "successfully";
                updated = true;
            } else {
                qCritical() << m_storeLabel << "Campaign" << rewrite.first << "updated" << rewrite.second << "failed";
            }
        }
    }
    qDebug() << m_storeLabel << "Check database campaign : final status" << (updated ? "true" : "false");
    return updated;
}

bool CampaignStore::deleteCampaign(DatabaseConnection* db, int campaignId)
{
    if (!db)
        return false;
    qDebug() << m_storeLabel << "Clearing database for campaign [" << campaignId << "]";
    QDateTime start, end;
    if (!campaignPeriod(db, campaignId, start, end) || !db->mayWrite())
        return false;

    Transaction transaction(db, m_inTransaction);
    qDebug() << m_storeLabel << "\tRemoving measure campaign record...";
    if (!db->execute(QStringLiteral("DELETE FROM measure WHERE ")
                     + QStringLiteral(" ((meas_date>= '%1') AND (meas_date <= '%2'));")
                           .arg(start.toSecsSinceEpoch())
                           .arg(end.toSecsSinceEpoch()))) {
        qDebug() << m_storeLabel << "\tRemoving measure campaign record - [Failed]";
        return false;
    }
    qDebug() << m_storeLabel << "\tRemoving detailled campaign record...";
    if (!db->execute(QStringLiteral("DELETE FROM campaign_details WHERE campaign_camp_id='%1';").arg(campaignId))) {
        qDebug() << m_storeLabel << "\tRemoving detailled campaign record - [Failed]";
        return false;
    }
    qDebug() << m_storeLabel << "\tRemoving campaign record...";
    if (!db->execute(QStringLiteral("DELETE FROM campaign WHERE camp_id='%1';").arg(campaignId))) {
        qCritical() << m_storeLabel << "\tRemoving campaign record - [Failed]";
        return false;
    }
    qDebug() << m_storeLabel << "Campaign" << campaignId << "cleared";
    return true;
}

bool CampaignStore::setTitleAndComment(DatabaseConnection* db, const QString& title, const QString& comment,
                                       int campaignId)
{
    if (!db || !db->mayWrite())
        return false;
    QSqlQuery q = db->newQuery();
    q.prepare(QStringLiteral("UPDATE campaign SET  camp_title=:title, camp_comment=:comment WHERE camp_id=:id"));
    q.bindValue(QStringLiteral(":title"), title);
    q.bindValue(QStringLiteral(":comment"), comment);
    q.bindValue(QStringLiteral(":id"), campaignId);
    const bool ok = q.exec();
    if (!ok)
        qCritical() << m_storeLabel << "Campaign update failed" << q.lastError().text() << "title=" << title;
    return ok;
}
