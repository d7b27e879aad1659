// SPDX-License-Identifier: GPL-3.0-or-later
#include "campaign/campaignselection.h"

#include "core/userdialogs.h"
#include "campaign/campaignstore.h"
#include "db/databaseconnection.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QLocale>

CampaignSelection::CampaignSelection() : m_selectAllText(tr("Tout sélectionner")) { }

CampaignSelection::~CampaignSelection()
{
    close();
}

QDateTime CampaignSelection::fileCreationTime(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        return QDateTime::currentDateTime();
    QDateTime created = info.birthTime();
    if (!created.isValid())
        created = info.metadataChangeTime();
    if (!created.isValid())
        created = info.lastModified();
    return created.toLocalTime();
}

CampaignSelection::LoadResult CampaignSelection::open(const QString& fileName, const ProgressFactory& progress,
                                                      bool readOnly)
{
    close();
    m_notices.clear();
    // Taken before opening: opening a missing file creates it.
    const QDateTime created = fileCreationTime(fileName);
    m_ownDb = std::make_unique<DatabaseConnection>();
    if (!m_ownDb->open(fileName, readOnly)) {
        m_notices << m_ownDb->notice()
                  << Notice{UserDialogs::Icon::Warning, tr("Statistiques"),
                            tr("Erreur à l'ouverture de la base de données.\n")};
        m_ownDb.reset();
        m_db = nullptr;
        return LoadResult::OpenFailed;
    }
    m_db = m_ownDb.get();
    return load(m_db, created, progress);
}

void CampaignSelection::close()
{
    if (m_ownDb) {
        if (m_db == m_ownDb.get())
            m_db = nullptr;
        m_ownDb->close();
        m_ownDb.reset();
    }
}

void CampaignSelection::setDatabase(DatabaseConnection* db)
{
    if (m_ownDb && db != m_ownDb.get())
        close();
    m_db = db;
}

CampaignSelection::LoadResult CampaignSelection::load(DatabaseConnection* db, const QDateTime& creationTime,
                                                      const ProgressFactory& progress)
{
    m_rows.clear();
    m_nextRow = 0;
    m_selectAllText = tr("Tout sélectionner");
    m_notices.clear();
    setDatabase(db);

    CampaignStore store;
    qDebug() << "Verifying campaign end date accuracy ...";
    store.checkCampaignEndDates(db, 1);
    qDebug() << "Checking campaign details ...";
    store.verifyCampaigns(db, creationTime, progress);
    qDebug() << "Campaigns loading";
    const QList<int> ids = store.campaignList(db, 1);
    if (db)
        m_notices << db->notice();
    if (db && db->hasScratchTables() && !ids.isEmpty())
        m_notices << Notice{UserDialogs::Icon::Information, tr("Statistiques"),
                            tr("La base de données %1 est en lecture seule : les campagnes sont calculées "
                               "pour cette fois, sans pouvoir y être enregistrées.")
                                .arg(db->filePath())};
    if (ids.isEmpty() && db && db->problem() != DatabaseConnection::FileProblem::None)
        return LoadResult::Refused;
    const Notice empty{UserDialogs::Icon::Warning, tr("Statistiques"),
                       tr("Statistiques indisponibles, la base de données est vide")};
    if (ids.isEmpty()) {
        m_notices << empty;
        return LoadResult::Empty;
    }
    for (int id : ids) {
        CampaignInfo info;
        info.id = id;
        if (!store.campaignPeriod(db, id, info.begin, info.end))
            continue;
        info.created = store.campaignCreationDate(db, id);
        info.title = store.campaignTitle(db, id);
        info.comment = store.campaignComment(db, id);
        info.storeMode = store.campaignStoreMode(db, id);
        addCampaign(info);
    }
    // Every campaign had an unreadable period: as empty as a database without campaigns.
    if (m_rows.isEmpty()) {
        m_notices << empty;
        return LoadResult::Empty;
    }
    return LoadResult::Loaded;
}

int CampaignSelection::addCampaign(const CampaignInfo& campaign)
{
    const int n = m_rows.size();
    const int row = m_nextRow++;
    Row r;
    r.info = campaign;
    if (n == 0) {
        qDebug() << "Select first item";
        r.ticked = true;
    }
    m_selectAllText = n >= 2 ? tr("Tout sélectionner") : tr("Tout désélectionner");
    m_rows.insert(row, r);
    return row;
}

CampaignInfo CampaignSelection::campaign(int row) const
{
    return m_rows.value(row).info;
}

bool CampaignSelection::isTicked(int row) const
{
    return m_rows.value(row).ticked;
}

void CampaignSelection::setTicked(int row, bool ticked)
{
    auto it = m_rows.find(row);
    if (it != m_rows.end())
        it->ticked = ticked;
}

QList<int> CampaignSelection::tickCampaigns(const QList<int>& ids)
{
    QList<int> unknown = ids;
    for (Row& r : m_rows) {
        r.ticked = ids.contains(r.info.id);
        if (r.ticked)
            unknown.removeAll(r.info.id);
    }
    return unknown;
}

int CampaignSelection::tickedCount() const
{
    int n = 0;
    for (const Row& r : m_rows)
        n += r.ticked ? 1 : 0;
    return n;
}

void CampaignSelection::selectAll()
{
    for (Row& r : m_rows)
        r.ticked = true;
}

void CampaignSelection::unSelectAll()
{
    for (Row& r : m_rows)
        r.ticked = false;
}

void CampaignSelection::reverseSelect()
{
    for (Row& r : m_rows)
        r.ticked = !r.ticked;
}

void CampaignSelection::selectUnselectAll()
{
    if (tickedCount() == m_rows.size()) {
        unSelectAll();
        m_selectAllText = tr("Tout sélectionner");
    } else {
        selectAll();
        m_selectAllText = tr("Tout désélectionner");
    }
}

int CampaignSelection::checkStoreMode(bool* mismatch)
{
    qDebug() << "Check campaign statistics store mode ..." << m_rows.size();
    int mode = -1;
    bool differs = false;
    for (auto it = m_rows.begin(); it != m_rows.end(); ++it) {
        qDebug() << "checking item" << it.key();
        if (!it->ticked)
            continue;
        if (mode == -1)
            mode = it->info.storeMode;
        if (it->info.storeMode != mode) {
            it->ticked = false;
            differs = true;
            qDebug() << "Campaign homogeneity" << it->info.id << "inconsistant - ignored";
        }
    }
    if (mismatch)
        *mismatch = differs;
    return mode;
}

bool CampaignSelection::checkContiguity()
{
    qDebug() << "Check campaign contiguity...";
    auto first = m_rows.begin();
    while (first != m_rows.end() && !first->ticked)
        ++first;
    if (first == m_rows.end())
        return false;
    auto last = m_rows.end();
    do {
        --last;
    } while (!last->ticked);
    if (last == first)
        return false;
    bool filled = false;
    for (auto it = last; it != first; --it) {
        if (!it->ticked) {
            it->ticked = true;
            filled = true;
            qDebug() << "\tAdditional checking for" << it->info.id;
        }
    }
    return filled;
}

bool CampaignSelection::selectedPeriod(QDateTime& start, QDateTime& end) const
{
    QDateTime first, last;
    for (const Row& r : m_rows) {
        if (!r.ticked || !r.info.begin.isValid() || !r.info.end.isValid())
            continue;
        if (!first.isValid() || r.info.begin < first)
            first = r.info.begin;
        if (!last.isValid() || r.info.end > last)
            last = r.info.end;
    }
    if (!first.isValid() || !last.isValid())
        return false;
    start = first;
    end = last;
    return true;
}

QMap<int, int> CampaignSelection::campaignIds() const
{
    QMap<int, int> ids;
    for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it)
        ids.insert(it.key(), it->info.id);
    return ids;
}

CampaignSelection::Outcome CampaignSelection::accept()
{
    Outcome outcome;
    outcome.storeMode = checkStoreMode(&outcome.storeModeMismatch);
    if (outcome.storeModeMismatch) {
        outcome.notices << Notice{
            UserDialogs::Icon::Warning, tr("Statistiques"),
            tr("Le mode de stockage des statistiques pour certaines campagnes est\ndifférent du mode de la première "
               "campagne sélectionnée.\n\nCes statistiques créées avec une version de matériel différent ne\npeuvent "
               "être mélangées et ont été ignorées\n\n")};
    }
    outcome.filledIn = checkContiguity();
    if (outcome.filledIn) {
        outcome.notices << Notice{
            UserDialogs::Icon::Information, tr("Statistiques"),
            tr("Des campagnes intermédiaires ont été sélectionnées\nautomatiquement pour garantir "
               "la continuité des données.")};
    }
    outcome.ok = selectedPeriod(outcome.start, outcome.end);
    return outcome;
}

int CampaignSelection::removeCampaigns(const std::function<void(int row)>& onRemoved,
                                       const std::function<QString(const QDateTime&)>& dateText)
{
    const auto date = [&dateText](const QDateTime& dt) {
        return dateText ? dateText(dt) : QLocale().toString(dt, QLocale::ShortFormat);
    };
    if (!m_db)
        return 0;
    CampaignStore store;
    int removed = 0;
    bool told = false;   // a file problem is told once
    bool restart = true;
    while (restart) {
        restart = false;
        for (auto it = m_rows.begin(); it != m_rows.end(); ++it) {
            qDebug() << "rgCampaign #" << m_rows.size() << "pCurr" << it.key();
            qDebug() << it->info.id << "is checked" << (it->ticked ? "true" : "false");
            if (!it->ticked)
                continue;
            const int id = it->info.id;
            const QString title = store.campaignTitle(m_db, id);
            // Titles repeat from month to month: the period tells which campaign goes.
            const QString period = tr("du %1 au %2").arg(date(it->info.begin), date(it->info.end));
            bool again = true;
            while (again) {
                again = false;
                // "Non" by default: Enter must not delete measures.
                const int answer = userDialogs().question(
                    tr("Maintenance des données"),
                    tr("Vous allez effacer la campagne :<br/><br/><b>%1</b><br/>%2<br/><br/>Ces données ne seront "
                       "pas <u>récupérables</u>.<br/><br/>Désirez-vous continuer ?<br/><br/>")
                        .arg(title.toHtmlEscaped(), period.toHtmlEscaped()),
                    {tr("Oui"), tr("Non")}, 1);
                if (answer != 0)
                    break;
                qDebug() << "Removing campaign" << id;
                if (!store.deleteCampaign(m_db, id)) {
                    qCritical() << "Error while removing campaign" << id;
                    if (!told && !m_db->notice().text.isEmpty()) {
                        told = true;
                        showNotices({m_db->notice()});
                    }
                    again = true;   // asked again; "Non" moves on
                    continue;
                }
                const int row = it.key();
                qDebug() << "Clearing map";
                m_rows.erase(it);
                ++removed;
                if (onRemoved)
                    onRemoved(row);
                restart = true;
            }
            if (restart)
                break;
        }
    }
    return removed;
}
