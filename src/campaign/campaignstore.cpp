// SPDX-License-Identifier: GPL-3.0-or-later
#include "campaign/campaignstore.h"

#include "core/userdialogs.h"
#include "db/databaseconnection.h"
#include "db/storemode.h"

#include <QDate>
#include <QDebug>
#include <QLocale>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <cmath>

namespace {

const QString kDateTimePattern = QStringLiteral("yyyy-MM-dd hh:mm:ss");

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

}   // namespace

// All or nothing: the statements run through exec() stay only when commit() follows and every
// one of them, and the COMMIT, went through; otherwise the whole is rolled back and the first
// failure noted on the connection. A write transaction is BEGIN IMMEDIATE: what was decided inside
// it still holds at its COMMIT. Inside an open one it is part of it, and the outer one commits.
class CampaignStore::Transaction
{
public:
    enum Kind { Read, Write };

    Transaction(DatabaseConnection* db, OpenTransaction& state, Kind kind = Write)
        : m_db(db), m_state(state), m_owner(!state.open)
    {
        if (!m_owner)
            return;
        // TEMP tables of a read-only file cannot take the file's write lock.
        const bool immediate = kind == Write && !db->isReadOnly();
        m_state.open = m_db->execute(immediate ? QStringLiteral("BEGIN IMMEDIATE;") : QStringLiteral("BEGIN;"));
        m_state.failed = false;
        if (!m_state.open && kind == Write)
            m_db->noteWriteError(m_db->lastError());
    }
    ~Transaction()
    {
        if (m_owner && m_state.open) {
            m_db->execute(QStringLiteral("ROLLBACK;"));
            m_state.open = false;
        }
    }
    bool isOpen() const { return m_state.open; }
    bool exec(const QString& sql)
    {
        if (m_state.open && !m_state.failed && m_db->execute(sql))
            return true;
        if (m_state.open && !m_state.failed)
            m_db->noteWriteError(m_db->lastError());
        m_state.failed = true;
        return false;
    }
    // False when nothing was stored.
    bool commit()
    {
        if (!m_owner || !m_state.open || m_state.failed)
            return m_state.open && !m_state.failed;
        if (!m_db->execute(QStringLiteral("COMMIT;"))) {
            qCritical() << "Commit failed" << m_db->lastError().text();
            m_db->noteWriteError(m_db->lastError());
            return false;   // the destructor rolls back
        }
        m_state.open = false;
        return true;
    }

private:
    DatabaseConnection* m_db;
    OpenTransaction& m_state;
    const bool m_owner;
};

CampaignStore::CampaignStore() : m_storeLabel(QStringLiteral("localhost")) { }

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

void CampaignStore::verifyCampaigns(DatabaseConnection* db, const QDateTime& creationTime,
                                    const ProgressFactory& makeProgress)
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
    const std::unique_ptr<ProgressReporter> progress =
        makeProgress ? makeProgress(options) : std::make_unique<SilentProgress>(options.minimum, options.maximum);
    progress->setLabelText(tr("Vérification de la structure ..."));
    progress->setLabelText(tr("Vérification des campagnes ...<br/>Ce traitement peut prendre du temps mais<br/>"
                              "est effectué une seule fois<br/>"));
    progress->processEvents();

    qDebug() << m_storeLabel << "Filling campaign. start";
    QVector<MeasureDay> days;
    int storeMode = 0;
    {
        // One read transaction: the look-ups do not take the file's lock one by one.
        Transaction reading(db, m_transaction, Transaction::Read);
        days = MeasureDays::derive(*db, [&progress] {
            progress->setValue(progress->value() + 1);
            progress->processEvents();
        });
        // Without the radar's campaigns its store mode shows in the readings only.
        storeMode = sampleStoreMode(*db).storeMode();
        reading.commit();
    }
    qDebug() << m_storeLabel << "Verifying database structure";
    db->checkDatabase();
    // A read-only file derives into TEMP tables; a damaged, locked or foreign one not at all.
    if (!db->isReadOnly() && !db->mayWrite()) {
        qCritical() << m_storeLabel << "Database cannot be written - abort";
    } else {
        // Days and months together: a crash between them would leave days without campaigns,
        // and the next opening would then add every day a second time.
        Transaction transaction(db, m_transaction);
        // No lock was held while the days were found: another opening may have stored its own.
        if (transaction.isOpen() && countCampaignDetails(db) >= 1
            && countRecords(db, QStringLiteral("campaign")) >= 1) {
            qDebug() << m_storeLabel << "Campaigns stored meanwhile by another opening";
        } else if (!transaction.isOpen() || !insertDays(db, days, creationTime)) {
            qCritical() << m_storeLabel << "Filling campaign detail error - abort";
        } else {
            progress->setLabelText(tr("Mise à jour des campagnes"));
            if (!fillCampaigns(db, creationTime, storeMode) || !transaction.commit())
                qCritical() << m_storeLabel << "Filling campaign error - abort";
            else
                qDebug() << m_storeLabel << "Fill campaigns completed successfully";
        }
    }

    progress->setValue(progress->maximum());
}

bool CampaignStore::fillCampaignDetails(DatabaseConnection* db, const QDateTime& creationTime)
{
    if (!db)
        return false;
    return insertDays(db, MeasureDays::derive(*db), creationTime);
}

bool CampaignStore::insertDays(DatabaseConnection* db, const QVector<MeasureDay>& days, const QDateTime& creationTime)
{
    if (days.isEmpty())
        return false;

    const QString head = QStringLiteral("INSERT INTO campaign_details ") + QStringLiteral("(product_prod_id, ")
        + QStringLiteral("cpd_date,") + QStringLiteral("campaign_camp_id, ") + QStringLiteral("cpd_status, ")
        + QStringLiteral("cpd_attempt, ") + QStringLiteral("last_updated, ") + QStringLiteral("cpd_max_time) VALUES ");
    const QString created = isoText(creationTime);

    Transaction transaction(db, m_transaction);
    for (const MeasureDay& day : days) {
        const QString sql = head + QStringLiteral("('%1',").arg(1) + QStringLiteral("'%1',").arg(day.firstMeasure)
            + QStringLiteral("'0',") + QStringLiteral("'%1',").arg(4) + QStringLiteral("'1',")
            + QStringLiteral("'%1',").arg(created) + QStringLiteral("'%1')").arg(day.lastMeasure) + QStringLiteral(";");
        if (!transaction.exec(sql)) {
            qCritical() << m_storeLabel << "Campaign details updated failed (" << sql << ")";
            return false;
        }
        qDebug() << m_storeLabel << "Campaign details updated successfully";
    }
    return transaction.commit();
}

QString CampaignStore::monthTitle(const QDate& month)
{
    // A campaign a month: the month tells them apart in the choice dialog.
    const QString name = QLocale().standaloneMonthName(month.month(), QLocale::LongFormat);
    return QStringLiteral("%1%2 %3").arg(name.left(1).toUpper(), name.mid(1)).arg(month.year());
}

bool CampaignStore::fillCampaigns(DatabaseConnection* db, const QDateTime& creationTime, int storeMode)
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
    const QString comment = tr("Campagne créée automatiquement");

    QStringList statements;
    do {
        const QString sql = head + QStringLiteral("('%1',").arg(1)
            + QStringLiteral("'%1',").arg(quoted(q.value(0).toString()))
            + QStringLiteral("'%1',").arg(quoted(q.value(1).toString())) + QStringLiteral("'%1',").arg(created)
            + QStringLiteral("'%1',").arg(storeMode)
            + QStringLiteral("'%1',").arg(
                quoted(monthTitle(QDate::fromString(q.value(2).toString() + QStringLiteral("-01"), Qt::ISODate))))
            + QStringLiteral("'%1')").arg(quoted(comment)) + QStringLiteral(";");
        qDebug() << m_storeLabel << "campaign [" << sql << "added";
        statements.append(sql);
    } while (q.next());
    q.finish();

    Transaction transaction(db, m_transaction);
    for (const QString& sql : statements) {
        if (!transaction.exec(sql)) {
            qCritical() << m_storeLabel << "Campaign updated failed (" << sql << ")";
            return false;
        }
        qDebug() << m_storeLabel << "Campaign updated successfully";
    }
    return transaction.commit();
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
        Transaction transaction(db, m_transaction);
        bool ok = transaction.isOpen();
        for (int i = 0; ok && i < rewrites.size(); ++i) {
            const auto& rewrite = rewrites[i];
            const QString sql = QStringLiteral("UPDATE campaign ")
                + QStringLiteral("set camp_date_end='%1' ").arg(rewrite.second)
                + QStringLiteral("WHERE camp_id='%1'").arg(rewrite.first) + QStringLiteral(";");
            ok = transaction.exec(sql);
            qDebug() << m_storeLabel << "Campaign" << rewrite.first << "updated" << rewrite.second
                     << (ok ? "successfully" : "failed");
        }
        updated = ok && transaction.commit();
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

    Transaction transaction(db, m_transaction);
    if (!transaction.isOpen())
        return false;
    // Measures that another campaign also describes stay: a month stored twice keeps its
    // measures when one of the two goes.
    QString covered;
    QList<int> others;
    QSqlQuery q = db->getRecord(QStringLiteral("SELECT camp_id FROM campaign WHERE camp_id<>%1;").arg(campaignId));
    for (bool row = q.isValid(); row; row = q.next())
        others.append(q.value(0).toInt());
    q.finish();
    for (int other : others) {
        QDateTime otherStart, otherEnd;
        if (campaignPeriod(db, other, otherStart, otherEnd) && otherStart <= end && otherEnd >= start)
            covered += QStringLiteral(" AND NOT (meas_date >= %1 AND meas_date <= %2)")
                           .arg(otherStart.toSecsSinceEpoch())
                           .arg(otherEnd.toSecsSinceEpoch());
    }
    qDebug() << m_storeLabel << "\tRemoving measure campaign record...";
    if (!transaction.exec(QStringLiteral("DELETE FROM measure WHERE ")
                          + QStringLiteral(" ((meas_date>= '%1') AND (meas_date <= '%2'))")
                                .arg(start.toSecsSinceEpoch())
                                .arg(end.toSecsSinceEpoch())
                          + covered + QStringLiteral(";"))) {
        qDebug() << m_storeLabel << "\tRemoving measure campaign record - [Failed]";
        return false;
    }
    qDebug() << m_storeLabel << "\tRemoving detailled campaign record...";
    if (!transaction.exec(
            QStringLiteral("DELETE FROM campaign_details WHERE campaign_camp_id='%1';").arg(campaignId))) {
        qDebug() << m_storeLabel << "\tRemoving detailled campaign record - [Failed]";
        return false;
    }
    qDebug() << m_storeLabel << "\tRemoving campaign record...";
    if (!transaction.exec(QStringLiteral("DELETE FROM campaign WHERE camp_id='%1';").arg(campaignId))
        || !transaction.commit()) {
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
