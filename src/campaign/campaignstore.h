// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/userdialogs.h"
#include "db/measuredays.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVector>

class DatabaseConnection;

// The only code that reads and writes the tables campaign and campaign_details.
// Every operation works on a database its caller has opened and passes in; nothing is cached.
// No operation throws or shows a box: failures answer the neutral value given below and log.
// Each write is all or nothing, and one that failed is noted on the connection (its notice).
class CampaignStore
{
    Q_DECLARE_TR_FUNCTIONS(CampaignStore)

public:
    CampaignStore();

    QString storeLabel() const { return m_storeLabel; }

    // -1 when the count fails (missing table, null connection).
    int countRecords(DatabaseConnection* db, const QString& table);
    int countCampaignDetails(DatabaseConnection* db);
    int countMeasures(DatabaseConnection* db);

    // Empty when the campaign does not exist.
    QString campaignTitle(DatabaseConnection* db, int campaignId);
    QString campaignComment(DatabaseConnection* db, int campaignId);
    // 0 when the campaign does not exist.
    int campaignStoreMode(DatabaseConnection* db, int campaignId);
    // Start at 00:00:00 of the first day, end as stored. False (outs untouched) when the campaign
    // does not exist or a date cannot be read.
    bool campaignPeriod(DatabaseConnection* db, int campaignId, QDateTime& start, QDateTime& end);
    // Invalid when the campaign does not exist or the date cannot be read.
    QDateTime campaignCreationDate(DatabaseConnection* db, int campaignId);
    // Newest (largest id) first; empty with a null connection or without campaign table.
    QList<int> campaignList(DatabaseConnection* db, int unit);

    // Derives days and monthly campaigns when either table is empty, their store mode detected
    // from the readings (storemode.h); creationTime is the database file's creation time. Reports nothing: the campaign
    // list tells the outcome. progress, when given, makes the progress of the derivation.
    void verifyCampaigns(DatabaseConnection* db, const QDateTime& creationTime, const ProgressFactory& progress = {});
    // One campaign_details row per local day with measures, inserted in one transaction.
    // False when there is no measure or an insert fails: then none is stored.
    bool fillCampaignDetails(DatabaseConnection* db, const QDateTime& creationTime);
    // One campaign per calendar month of campaign_details, of that store mode (0 "Standard", 1
    // "Avancé"), in one transaction. False when there is no day or an insert fails: then none
    // is stored.
    bool fillCampaigns(DatabaseConnection* db, const QDateTime& creationTime, int storeMode = 0);
    // The title of a derived campaign: its month in the interface language, "Novembre 2026".
    static QString monthTitle(const QDate& month);
    // Rewrites camp_date_end from the midnight-keyed detail row of the end day, all rewrites in
    // one transaction; an end that is already right is not written again.
    // True when the end dates were rewritten (all of them).
    bool checkCampaignEndDates(DatabaseConnection* db, int unit);
    // cpd_max_time of the detail row keyed "day 00:00:00" as Unix seconds; 0 when there is no
    // such row or its value is not a date.
    quint32 detailMaxTime(DatabaseConnection* db, int unit, const QDate& day);
    // Removes the campaign's measures (its whole period, first day from 00:00:00) that no other
    // campaign's period holds, its linked detail rows and its row, all or nothing. False when the
    // campaign or its period is unknown, or a statement fails (the connection's notice says why).
    bool deleteCampaign(DatabaseConnection* db, int campaignId);
    bool setTitleAndComment(DatabaseConnection* db, const QString& title, const QString& comment, int campaignId);

private:
    // fillCampaignDetails() once the days are known.
    bool insertDays(DatabaseConnection* db, const QVector<MeasureDay>& days, const QDateTime& creationTime);

    QString m_storeLabel;
    // The transaction the operations run in, when one is open.
    struct OpenTransaction
    {
        bool open = false;
        bool failed = false;
    } m_transaction;
    class Transaction;
};
