// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/userdialogs.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

class DatabaseConnection;

// One campaign as the selection list shows it.
struct CampaignInfo
{
    int id = 0;
    int storeMode = 0;   // 0 "Standard", anything else "Avancé"
    QDateTime begin;   // 00:00:00 of the first day, local time
    QDateTime end;   // last measure, local time
    QDateTime created;   // invalid when unknown
    QString title;
    QString comment;
};

// The campaign choice of one database, without widgets: the selection dialog only displays the
// rows and forwards the ticks; the command line drives it directly.
// Rows are numbered 0, 1, 2 … in order of addition (newest campaign first after load()) and keep
// their numbers when others are removed.
class CampaignSelection
{
    Q_DECLARE_TR_FUNCTIONS(CampaignSelection)

public:
    // notices() says what the user is to be told about each.
    enum class LoadResult {
        Loaded,   // at least one row
        OpenFailed,   // why, then "Erreur à l'ouverture de la base de données.\n"
        Empty,   // "Statistiques indisponibles, la base de données est vide"
        Refused,   // damaged, locked or no measure database: the connection's notice says so
    };

    // What accepting the ticks gives.
    struct Outcome
    {
        bool ok = false;   // a period could be read from the ticked rows
        int storeMode = -1;   // store mode of the topmost ticked row; -1 when none is ticked
        QDateTime start;   // valid only when ok
        QDateTime end;
        bool storeModeMismatch = false;   // rows of another store mode were unticked
        bool filledIn = false;   // rows inside the ticked range were ticked
        Notices notices;   // what the window tells about both
    };

    CampaignSelection();
    ~CampaignSelection();
    CampaignSelection(const CampaignSelection&) = delete;
    CampaignSelection& operator=(const CampaignSelection&) = delete;

    // Opens the file with a connection of its own, kept open until close() or destruction, then
    // runs load() with the file's creation time. progress shows the first opening's derivation of
    // the campaigns, the one long step; null shows nothing. readOnly: the file is read as a
    // read-only one, its campaigns derived for this opening only when it has none.
    LoadResult open(const QString& fileName, const ProgressFactory& progress = {}, bool readOnly = false);
    // Closes the manager opened by open(); the rows stay.
    void close();
    // The connection in use (opened by open() or given to setDatabase()); null when none.
    DatabaseConnection* database() const { return m_db; }
    // Borrows an already open connection (for removeCampaigns() and selectedPeriod()).
    void setDatabase(DatabaseConnection* db);

    // On an open connection: end-date correction, derivation when needed, then one row per
    // campaign whose period can be read, newest first. Clears the rows before. Shows nothing:
    // notices() holds a file problem, "Statistiques indisponibles…" for a database without
    // campaign, and a word when the campaigns of a read-only file could not be stored.
    LoadResult load(DatabaseConnection* db, const QDateTime& creationTime, const ProgressFactory& progress = {});
    // What the last open() or load() has to tell, in order.
    Notices notices() const { return m_notices; }

    // The file's creation time, or its last status change where the system keeps no creation
    // time; the current time for a missing file.
    static QDateTime fileCreationTime(const QString& fileName);

    // A new row at the bottom; the first row of an empty selection is ticked. Answers its number.
    int addCampaign(const CampaignInfo& campaign);
    int rowCount() const { return m_rows.size(); }
    // Row numbers in order (they need not be 0..n-1 after removals).
    QList<int> rows() const { return m_rows.keys(); }
    bool hasRow(int row) const { return m_rows.contains(row); }
    // Default-constructed info for an unknown row.
    CampaignInfo campaign(int row) const;
    bool isTicked(int row) const;
    void setTicked(int row, bool ticked);
    // Ticks the rows whose campaign id is in ids and unticks the others; answers the ids that no
    // row holds.
    QList<int> tickCampaigns(const QList<int>& ids);
    int tickedCount() const;

    void selectAll();
    void unSelectAll();
    void reverseSelect();
    // Unticks all when all are ticked, ticks all otherwise; the button text follows.
    void selectUnselectAll();
    // Text of the select-all button: "Tout sélectionner" or "Tout désélectionner".
    QString selectAllText() const { return m_selectAllText; }

    // Unticks the ticked rows whose store mode differs from the topmost ticked row's; answers
    // that row's store mode, -1 when none is ticked. *mismatch tells whether a row was unticked.
    int checkStoreMode(bool* mismatch);
    // Ticks every row between the topmost and the lowest ticked rows; true when one was ticked.
    bool checkContiguity();
    // Earliest start and latest end of the ticked rows; false (outs untouched) when none.
    bool selectedPeriod(QDateTime& start, QDateTime& end) const;
    // Row number → campaign id of every row, ticked or not.
    QMap<int, int> campaignIds() const;

    // What the window does when the dialog is accepted: checkStoreMode, checkContiguity, then
    // selectedPeriod; the outcome's notices tell about other store modes and filled-in rows.
    Outcome accept();

    // The deletion walk of the list dialog: for each ticked row from the top, asks through
    // userDialogs() ("Maintenance des données", Oui/Non), deletes the campaign with its measures
    // and starts again from the top after each deletion. onRemoved(row) runs after each removed
    // row (the dialog drops its widget). Does nothing without a connection. Answers the number of
    // campaigns deleted. The question names the campaign by its title and its period (dates
    // written by dateText, the locale's short format without it), "Non" the default button. A
    // file problem stopping a deletion is told once. For the window's thread only.
    int removeCampaigns(const std::function<void(int row)>& onRemoved = {},
                        const std::function<QString(const QDateTime&)>& dateText = {});

private:
    struct Row
    {
        CampaignInfo info;
        bool ticked = false;
    };

    QMap<int, Row> m_rows;
    int m_nextRow = 0;
    QString m_selectAllText;
    Notices m_notices;
    std::unique_ptr<DatabaseConnection> m_ownDb;
    DatabaseConnection* m_db = nullptr;
};
