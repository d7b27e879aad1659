// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/windowload.h"

#include "core/userdialogs.h"
#include "campaign/campaignstore.h"
#include "db/databaseconnection.h"
#include "db/measurereader.h"
#include "analysis/speedstatistics.h"

#include <QFileInfo>

bool WindowLoad::readUnits(const QString& file, qint16* units)
{
    // Opening a missing file would create it.
    if (!QFileInfo(file).isFile())
        return false;
    DatabaseConnection db;
    if (!db.open(file))
        return false;
    *units = db.checkUnits();
    return true;
}

int WindowLoad::load(SpeedStatistics& statistics, const QString& file, const QDateTime& start, const QDateTime& end)
{
    statistics.setDescription(QFileInfo(file).baseName());
    ProgressOptions options;
    options.title = tr("Statistiques");
    options.label = tr("Chargement");
    options.cancelText = QStringLiteral("Cancel");
    std::unique_ptr<ProgressReporter> progress = userDialogs().createProgress(options);
    progress->setLabelText(tr("Connexion base de données..."));
    progress->processEvents();

    DatabaseConnection db;
    if (!db.open(file)) {
        showNotices({db.notice(),
                     Notice{UserDialogs::Icon::Warning, tr("Statistiques"), tr("Ouverture %1 impossible").arg(file)}});
        return statistics.measures().size();
    }
    const MeasureRead read = MeasureReader::read(db, start.toSecsSinceEpoch(), end.toSecsSinceEpoch(),
                                                 statistics.getMinSpeed(), progress.get());
    // A file problem under its own title; a broken read as the critical message it always was.
    if (db.problem() != DatabaseConnection::FileProblem::None)
        showNotices({db.notice()});
    else if (read.incomplete)
        showNotices({Notice{UserDialogs::Icon::Critical, QStringLiteral("Database manager"), read.error}});
    else if (!read.error.isEmpty())
        showNotices({Notice{UserDialogs::Icon::Warning, tr("Statistiques"), read.error}});
    // An empty file keeps the measures of the read before.
    if (!db.isNewDatabase())
        statistics.setRead(read);
    statistics.setDescription(CampaignStore().campaignTitle(&db, 1));
    return statistics.measures().size();
}
