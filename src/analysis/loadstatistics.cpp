// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own read of a measure file, with its boxes and progress. The analysis runner
// reads through the same MeasureReader without asking anyone.
#include "analysis/speedstatistics.h"

#include "core/userdialogs.h"
#include "campaign/campaignstore.h"
#include "db/databaseconnection.h"
#include "db/measurereader.h"

#include <QDebug>
#include <QFileInfo>

bool SpeedStatistics::readUnitsMarker(const QString& file, qint16* units)
{
    // Opening a missing file would create it.
    if (!QFileInfo(file).isFile())
        return false;
    DatabaseConnection db;
    if (!db.open(file))
        return false;
    const qint16 found = db.checkUnits();
    db.close();
    if (units)
        *units = found;
    return true;
}

int SpeedStatistics::loadStatistics(const QString& file, const QDateTime& start, const QDateTime& end)
{
    qDebug() << "+Loading statistics from " << file << start << end;
    m_slowReadings = -1;
    if (file.isEmpty())
        return m_measures->size();
    setDescription(QFileInfo(file).baseName());

    ProgressOptions options;
    options.title = tr("Statistiques");
    options.label = tr("Chargement");
    options.cancelText = QStringLiteral("Cancel");
    std::unique_ptr<ProgressReporter> progress = userDialogs().createProgress(options);
    progress->setLabelText(tr("Connexion base de données..."));
    progress->processEvents();

    DatabaseConnection db;
    if (!db.open(file)) {
        userDialogs().message(UserDialogs::Icon::Warning, tr("Statistiques"), tr("Ouverture %1 impossible").arg(file));
        return m_measures->size();
    }
    const MeasureRead read =
        MeasureReader::read(db, start.toSecsSinceEpoch(), end.toSecsSinceEpoch(), m_minSpeed, progress.get());
    if (!read.error.isEmpty())
        userDialogs().message(UserDialogs::Icon::Warning, tr("Statistiques"), read.error);
    // An empty file keeps the measures of the read before.
    if (!db.isNewDatabase()) {
        setRead(read);
        m_minSpeed = read.minSpeed;
    }
    CampaignStore campaigns;
    setDescription(campaigns.campaignTitle(&db, 1));
    db.close();
    return m_measures->size();
}
