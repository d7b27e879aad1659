#include "qorcampaign.h"

#include "core/userdialogs.h"
#include "db/databasemanager.h"

#include <QDebug>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
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
    Transaction(DatabaseManager* db, bool& busy) : m_db(db), m_busy(busy)
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
    DatabaseManager* m_db;
    bool& m_busy;
    bool m_open = false;
};

} // namespace

QorCampaign::QorCampaign()
    : m_szStoreLabel(QStringLiteral("localhost"))
{
}

QorCampaign::~QorCampaign() = default;

void QorCampaign::timerEvent()
{
    if (!m_pProgress)
        return;
    m_pProgress->setValue(m_pProgress->value() + 1);
    m_pProgress->processEvents();
}

int QorCampaign::countRecords(DatabaseManager* db, const QString& table)
{
    if (!db)
        return -1;
    QSqlQuery q = db->getRecord(QStringLiteral("SELECT COUNT(*) as total from %1;").arg(table));
    if (!q.isValid())
        return -1;
    return q.value(QStringLiteral("total")).toInt();
}

int QorCampaign::countCampaignDetails(DatabaseManager* db)
{
    return countRecords(db, QStringLiteral("campaign_details"));
}

int QorCampaign::countMeasures(DatabaseManager* db)
{
    return countRecords(db, QStringLiteral("measure"));
}

QString QorCampaign::campaignTitle(DatabaseManager* db, int campaignId)
{
    if (!db)
        return QString();
    QSqlQuery q = db->getRecord(QStringLiteral("SELECT camp_title FROM campaign WHERE camp_id=%1").arg(campaignId));
    if (!q.isValid()) {
        qCritical() << m_szStoreLabel << "Campaign get title failed" << q.lastError().text() << "title=" << QString();
        return QString();
    }
    return q.value(0).toString();
}

QString QorCampaign::campaignComment(DatabaseManager* db, int campaignId)
{
    if (!db)
        return QString();
    QSqlQuery q = db->getRecord(QStringLiteral("SELECT camp_comment FROM campaign WHERE camp_id=%1").arg(campaignId));
    if (!q.isValid()) {
        qCritical() << m_szStoreLabel << "Campaign get comment failed" << q.lastError().text() << "comment=" << QString();
        return QString();
    }
    return q.value(0).toString();
}

int QorCampaign::campaignStoreMode(DatabaseManager* db, int campaignId)
{
    if (!db)
        return 0;
    QSqlQuery q = db->getRecord(QStringLiteral("SELECT camp_store_mode FROM campaign WHERE camp_id=%1").arg(campaignId));
    if (!q.isValid()) {
        qCritical() << m_szStoreLabel << "Campaign get store mode failed" << q.lastError().text() << "mode=" << 0;
        return 0;
    }
    const int mode = q.value(0).toInt();
    qDebug() << m_szStoreLabel << "Campaign" << campaignId << "Store mode=" << mode;
    return mode;
}

bool QorCampaign::campaignPeriod(DatabaseManager* db, int campaignId, QDateTime& start, QDateTime& end)
{
    if (!db)
        return false;
    const QString sql = QStringLiteral("SELECT (strftime('%Y-%m-%d %H:%M:%S', camp_date_begin)) as startDate,"
                                       "(strftime('%Y-%m-%d %H:%M:%S', camp_date_end)) as endDate ")
        + QStringLiteral(" FROM campaign ") + QStringLiteral(" WHERE ")
        + QStringLiteral("camp_id='%1';").arg(campaignId);
    QSqlQuery q = db->getRecord(sql);
    if (!q.isValid()) {
        qWarning() << m_szStoreLabel << "campaign " << campaignId << "] not found" << sql;
        return false;
    }
    QDateTime first = parseLocal(q.value(QStringLiteral("startDate")).toString());
    if (first.isValid())
        first = QDateTime(first.date(), QTime(0, 0));
    const QDateTime last = parseLocal(q.value(QStringLiteral("endDate")).toString());
    if (!first.isValid() || !last.isValid()) {
        qCritical() << m_szStoreLabel << "Start / End date invalid - abort";
        return false;
    }
    start = first;
    end = last;
    qDebug() << m_szStoreLabel << "Start=" << start.toString(kDateTimePattern) << "End=" << end.toString(kDateTimePattern);
    return true;
}

QDateTime QorCampaign::campaignCreationDate(DatabaseManager* db, int campaignId)
{
    const QString sql = QStringLiteral("SELECT strftime('%Y-%m-%d %H:%M:%S', date_created) as date_created")
        + QStringLiteral(" FROM campaign ") + QStringLiteral(" WHERE ")
        + QStringLiteral("camp_id='%1'").arg(campaignId) + QStringLiteral(";");
    if (!db) {
        qWarning() << m_szStoreLabel << "campaign date created unknown - " << sql;
        return QDateTime();
    }
    QSqlQuery q = db->getRecord(sql);
    if (!q.isValid()) {
        qWarning() << m_szStoreLabel << "campaign date created unknown - " << sql;
        return QDateTime();
    }
    return parseLocal(q.value(0).toString());
}

QList<int> QorCampaign::campaignList(DatabaseManager* db, int unit)
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

void QorCampaign::verifyCampaigns(DatabaseManager* db, const QDateTime& creationTime)
{
    if (!db) {
        qCritical() << m_szStoreLabel << "Invalid database handler - aborted";
        return;
    }
    const int details = countCampaignDetails(db);
    if (details >= 1 && countRecords(db, QStringLiteral("campaign")) >= 1)
        return;

    qDebug() << m_szStoreLabel << "Campaign table information empty.";
    qDebug() << m_szStoreLabel << "Verifying database structure";
    db->checkDatabase();
    // A read-only file derives into TEMP tables; a damaged, locked or foreign one not at all.
    if (!db->isReadOnly() && !db->mayWrite()) {
        qCritical() << m_szStoreLabel << "Database cannot be written - abort";
        return;
    }

    const int measures = countMeasures(db);
    ProgressOptions options;
    options.title = tr("Statistiques");
    options.label = tr("Base de données");
    options.minimum = 0;
    options.maximum = qMax(0, measures / 15000);
    options.minimumDuration = 0;
    options.windowModal = true;
    m_pProgress = userDialogs().createProgress(options);
    m_pProgress->setLabelText(tr("Vérification de la structure ..."));
    m_pProgress->setLabelText(tr("Vérification des campagnes ...<br/>Ce traitement peut prendre du temps mais<br/>"
                                 "est effectué une seule fois<br/>"));
    m_pProgress->processEvents();

    qDebug() << m_szStoreLabel << "Filling campaign. start";
    {
        // Days and months together: a crash between them would leave days without campaigns,
        // and the next opening would then add every day a second time.
        Transaction transaction(db, m_bInTransaction);
        if (!fillCampaignDetails(db, creationTime)) {
            qCritical() << m_szStoreLabel << "Filling campaign detail error - abort";
        } else {
            m_pProgress->setLabelText(tr("Mise à jour des campagnes"));
            if (!fillCampaigns(db, creationTime))
                qCritical() << m_szStoreLabel << "Filling campaign error - abort";
            else
                qDebug() << m_szStoreLabel << "Fill campaigns completed successfully";
        }
    }

    m_pProgress->setValue(m_pProgress->maximum());
    m_pProgress.reset();
}

// The local wall-clock offset SQLite itself applies to t (its 'localtime' modifier), so that the
// derived days match what SQLite's own conversion would group.
static bool sqliteLocalOffset(DatabaseManager* db, qint64 t, qint64& offset)
{
    QSqlQuery q = db->getRecord(
        QStringLiteral("SELECT CAST(strftime('%s', %1, 'unixepoch', 'localtime') AS INTEGER) - %1;").arg(t));
    if (!q.isValid() || q.value(0).isNull())
        return false;
    offset = q.value(0).toLongLong();
    return true;
}

QVector<QorCampaign::DayRow> QorCampaign::deriveDays(DatabaseManager* db)
{
    QVector<DayRow> days;
    if (!db)
        return days;
    // Each day costs two indexed look-ups instead of a local-time conversion per measure.
    if (!db->indexExists(QStringLiteral("measure"), QStringLiteral("idx_date")) && db->mayWrite()) {
        qDebug() << m_szStoreLabel << "Adding index to measure ...";
        db->execute(QStringLiteral("CREATE INDEX idx_date ON measure(meas_date);"));
    }

    // Within a stretch of constant offset the local text grows with time, so the first and last
    // measure of each stretch inside a day give that stretch's smallest and largest text. A day
    // can hold two stretches (the autumn change); the texts are then compared as SQLite's MIN and
    // MAX compare them.
    QMap<QString, DayRow> byDay;
    auto wallText = [](qint64 t, qint64 offset) {
        return QDateTime::fromSecsSinceEpoch(t + offset, Qt::UTC).toString(kDateTimePattern);
    };
    qint64 cursor = 1;   // the units marker (time 0) is no measure
    while (cursor <= kLastMeasureTime) {
        // Numeric bounds keep to numbers (a text in meas_date sorts after every number); the upper
        // ones are exclusive so that a fractional time in the last second of a stretch is kept.
        QSqlQuery first = db->getRecord(QStringLiteral("SELECT meas_date FROM measure WHERE meas_date >= %1 AND "
                                                       "meas_date < %2 ORDER BY meas_date ASC LIMIT 1;")
                                            .arg(cursor)
                                            .arg(kLastMeasureTime + 1));
        if (!first.isValid())
            break;
        const qint64 t1 = static_cast<qint64>(std::floor(first.value(0).toDouble()));
        qint64 offset = 0;
        if (!sqliteLocalOffset(db, t1, offset))
            break;
        const qint64 wall = t1 + offset;
        const qint64 intoDay = ((wall % 86400) + 86400) % 86400;
        qint64 stretchEnd = qMin(t1 + (86400 - intoDay), kLastMeasureTime + 1);   // next local midnight
        qint64 endOffset = 0;
        if (sqliteLocalOffset(db, stretchEnd - 1, endOffset) && endOffset != offset) {
            // The offset changes before midnight: the stretch ends at the change.
            qint64 lo = t1, hi = stretchEnd - 1;   // offset(lo) == offset, offset(hi) differs
            while (hi - lo > 1) {
                const qint64 mid = lo + (hi - lo) / 2;
                qint64 o = 0;
                if (sqliteLocalOffset(db, mid, o) && o == offset)
                    lo = mid;
                else
                    hi = mid;
            }
            stretchEnd = hi;
        }
        QSqlQuery last = db->getRecord(QStringLiteral("SELECT meas_date FROM measure WHERE meas_date >= %1 AND "
                                                      "meas_date < %2 ORDER BY meas_date DESC LIMIT 1;")
                                           .arg(t1)
                                           .arg(stretchEnd));
        const qint64 t2 = last.isValid() ? static_cast<qint64>(std::floor(last.value(0).toDouble())) : t1;

        const QString firstText = wallText(t1, offset);
        const QString lastText = wallText(t2, offset);
        const QString day = firstText.left(10);
        auto it = byDay.find(day);
        if (it == byDay.end()) {
            byDay.insert(day, DayRow{firstText, lastText});
        } else {
            if (firstText < it->firstMeasure)
                it->firstMeasure = firstText;
            if (lastText > it->lastMeasure)
                it->lastMeasure = lastText;
        }
        cursor = stretchEnd;
        // A day at a time the bar moves and the window repaints.
        timerEvent();
    }
    days.reserve(byDay.size());
    for (const DayRow& row : byDay)
        days.append(row);
    return days;
}

bool QorCampaign::fillCampaignDetails(DatabaseManager* db, const QDateTime& creationTime)
{
    if (!db)
        return false;
    const QVector<DayRow> days = deriveDays(db);
    if (days.isEmpty())
        return false;

    const QString head = QStringLiteral("INSERT INTO campaign_details ") + QStringLiteral("(product_prod_id, ")
        + QStringLiteral("cpd_date,") + QStringLiteral("campaign_camp_id, ") + QStringLiteral("cpd_status, ")
        + QStringLiteral("cpd_attempt, ") + QStringLiteral("last_updated, ") + QStringLiteral("cpd_max_time) VALUES ");
    const QString created = isoText(creationTime);

    Transaction transaction(db, m_bInTransaction);
    for (const DayRow& day : days) {
        const QString sql = head + QStringLiteral("('%1',").arg(1) + QStringLiteral("'%1',").arg(day.firstMeasure)
            + QStringLiteral("'0',") + QStringLiteral("'%1',").arg(4) + QStringLiteral("'1',")
            + QStringLiteral("'%1',").arg(created) + QStringLiteral("'%1')").arg(day.lastMeasure) + QStringLiteral(";");
        if (!db->execute(sql)) {
            qCritical() << m_szStoreLabel << "Campaign details updated failed (" << sql << ")";
            return false;
        }
        qDebug() << m_szStoreLabel << "Campaign details updated successfully";
    }
    return true;
}

bool QorCampaign::fillCampaigns(DatabaseManager* db, const QDateTime& creationTime)
{
    if (!db)
        return false;
    qDebug() << m_szStoreLabel << "Filling campaign details ...";
    QSqlQuery q = db->getRecord(QStringLiteral("SELECT MIN(strftime('%Y-%m-%d %H:%M:%S',cpd_date)) AS min_date,")
                                + QStringLiteral("MAX(strftime('%Y-%m-%d %H:%M:%S',cpd_max_time)) AS max_date,")
                                + QStringLiteral("strftime('%Y-%m',cpd_date) AS month ")
                                + QStringLiteral("FROM campaign_details GROUP BY month;"));
    if (!q.isValid())
        return false;

    const QString head = QStringLiteral("INSERT INTO campaign ") + QStringLiteral("(product_prod_id, ")
        + QStringLiteral("camp_date_begin,") + QStringLiteral("camp_date_end, ") + QStringLiteral("date_created, ")
        + QStringLiteral("camp_store_mode, ") + QStringLiteral("camp_title, ") + QStringLiteral("camp_comment) VALUES ");
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
        qDebug() << m_szStoreLabel << "campaign [" << sql << "added";
        statements.append(sql);
    } while (q.next());
    q.finish();

    Transaction transaction(db, m_bInTransaction);
    for (const QString& sql : statements) {
        if (db->execute(sql))
            qDebug() << m_szStoreLabel << "Campaign updated successfully";
        else
            qCritical() << m_szStoreLabel << "Campaign updated failed (" << sql << ")";
    }
    return true;
}

quint32 QorCampaign::detailMaxTime(DatabaseManager* db, int unit, const QDate& day)
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
        qWarning() << m_szStoreLabel << "campaign detail status [" << dayText << "] not found";
        return 0;
    }
    const QString value = q.value(0).toString();
    const QDateTime maxTime = parseLocal(value);
    if (!maxTime.isValid()) {
        qWarning() << m_szStoreLabel << "campaign detail status [" << dayText << "] never downloaded";
        return 0;
    }
    const qint64 seconds = maxTime.toSecsSinceEpoch();
    // Before the epoch (the epoch itself in a zone east of Greenwich) or past 2106: not known.
    if (seconds < 0 || seconds > qint64(0xFFFFFFFFu)) {
        qWarning() << m_szStoreLabel << "campaign detail status [" << dayText << "] out of range" << value;
        return 0;
    }
    qDebug() << m_szStoreLabel << "campaign detail status [" << dayText << "] found. Value=" << value
             << "Timestamp=" << seconds;
    return static_cast<quint32>(seconds);
}

bool QorCampaign::checkCampaignEndDates(DatabaseManager* db, int unit)
{
    if (!db)
        return false;
    qDebug() << m_szStoreLabel << "Check database campaign max time";
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
        qDebug() << m_szStoreLabel << "\trecord Campaign_id" << campaign.first;
        qDebug() << m_szStoreLabel << "\trecord end date" << campaign.second;
        // The date part, whether a blank or a T follows it.
        const QDate day = QDate::fromString(campaign.second.left(10), QStringLiteral("yyyy-MM-dd"));
        const quint32 maxTime = detailMaxTime(db, unit, day);
        const QString maxText = QDateTime::fromSecsSinceEpoch(maxTime).toString(kDateTimePattern);
        qDebug() << m_szStoreLabel << "\tmaxTime returned=" << maxTime << maxText;
        // Already right: rewriting it would only touch the file.
        if (maxTime >= 86000 && maxText != campaign.second)
            rewrites.append(qMakePair(campaign.first, maxText));
    }

    bool updated = false;
    if (!rewrites.isEmpty() && db->mayWrite()) {
        Transaction transaction(db, m_bInTransaction);
        for (const auto& rewrite : rewrites) {
            const QString sql = QStringLiteral("UPDATE campaign ") + QStringLiteral("set camp_date_end='%1' ").arg(rewrite.second)
                + QStringLiteral("WHERE camp_id='%1'").arg(rewrite.first) + QStringLiteral(";");
            if (db->execute(sql)) {
                qDebug() << m_szStoreLabel << "Campaign" << rewrite.first << "updated" << rewrite.second << "successfully";
                updated = true;
            } else {
                qCritical() << m_szStoreLabel << "Campaign" << rewrite.first << "updated" << rewrite.second << "failed";
            }
        }
    }
    qDebug() << m_szStoreLabel << "Check database campaign : final status" << (updated ? "true" : "false");
    return updated;
}

bool QorCampaign::deleteCampaign(DatabaseManager* db, int campaignId)
{
    if (!db)
        return false;
    qDebug() << m_szStoreLabel << "Clearing database for campaign [" << campaignId << "]";
    QDateTime start, end;
    if (!campaignPeriod(db, campaignId, start, end) || !db->mayWrite())
        return false;

    Transaction transaction(db, m_bInTransaction);
    qDebug() << m_szStoreLabel << "\tRemoving measure campaign record...";
    if (!db->execute(QStringLiteral("DELETE FROM measure WHERE ")
                     + QStringLiteral(" ((meas_date>= '%1') AND (meas_date <= '%2'));")
                           .arg(start.toSecsSinceEpoch())
                           .arg(end.toSecsSinceEpoch()))) {
        qDebug() << m_szStoreLabel << "\tRemoving measure campaign record - [Failed]";
        return false;
    }
    qDebug() << m_szStoreLabel << "\tRemoving detailled campaign record...";
    if (!db->execute(QStringLiteral("DELETE FROM campaign_details WHERE campaign_camp_id='%1';").arg(campaignId))) {
        qDebug() << m_szStoreLabel << "\tRemoving detailled campaign record - [Failed]";
        return false;
    }
    qDebug() << m_szStoreLabel << "\tRemoving campaign record...";
    if (!db->execute(QStringLiteral("DELETE FROM campaign WHERE camp_id='%1';").arg(campaignId))) {
        qCritical() << m_szStoreLabel << "\tRemoving campaign record - [Failed]";
        return false;
    }
    qDebug() << m_szStoreLabel << "Campaign" << campaignId << "cleared";
    return true;
}

bool QorCampaign::setTitleAndComment(DatabaseManager* db, const QString& title, const QString& comment,
                                     int campaignId)
{
    if (!db || !db->mayWrite())
        return false;
    // The manager hands out queries only through getRecord(); a prepared statement needs its own.
    QSqlQuery q(QSqlDatabase::database());
    q.prepare(QStringLiteral("UPDATE campaign SET  camp_title=:title, camp_comment=:comment WHERE camp_id=:id"));
    q.bindValue(QStringLiteral(":title"), title);
    q.bindValue(QStringLiteral(":comment"), comment);
    q.bindValue(QStringLiteral(":id"), campaignId);
    const bool ok = q.exec();
    if (!ok)
        qCritical() << m_szStoreLabel << "Campaign update failed" << q.lastError().text() << "title=" << title;
    return ok;
}
