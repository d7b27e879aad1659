// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's measure read: the one place where the statistics touch a database file.
#include "analysis/speedstatistics.h"

#include "core/userdialogs.h"
#include "campaign/campaignstore.h"
#include "db/databasemanager.h"

#include <QDebug>
#include <QFileInfo>
#include <QSqlQuery>

#include <climits>

#include <algorithm>

namespace {

// Stops as soon as both are found, which in a two-way file is within the first readings.
QList<int> directionsOf(const MeasureMap& measures)
{
    bool in = false, out = false;
    for (auto it = measures.begin(); it != measures.end() && !(in && out); ++it) {
        in = in || it->measure.direction == 0;
        out = out || it->measure.direction == 1;
    }
    QList<int> directions;
    if (in)
        directions << 0;
    if (out)
        directions << 1;
    return directions;
}

}   // namespace

bool SpeedStatistics::readUnitsMarker(const QString& file, qint16* units)
{
    // Opening a missing file would create it.
    if (!QFileInfo(file).isFile())
        return false;
    DatabaseManager db;
    if (!db.openDatabase(file))
        return false;
    const qint16 found = db.checkUnits();
    db.closeDatabase();
    if (units)
        *units = found;
    return true;
}

int SpeedStatistics::loadStatistics(const QString& file, const QDateTime& start, const QDateTime& end)
{
    qDebug() << "+Loading statistics from " << file << start << end;
    const qint64 startT = start.toSecsSinceEpoch();
    const qint64 endT = end.toSecsSinceEpoch();
    m_slowReadings = -1;

    if (!file.isEmpty()) {
        setDescription(QFileInfo(file).baseName());

        ProgressOptions options;
        options.title = tr("Statistiques");
        options.label = tr("Chargement");
        options.cancelText = QStringLiteral("Cancel");
        options.minimum = 0;
        options.maximum = 100;
        options.minimumDuration = 0;
        options.windowModal = true;
        std::unique_ptr<ProgressReporter> progress = userDialogs().createProgress(options);
        progress->setLabelText(tr("Connexion base de données..."));
        progress->processEvents();

        DatabaseManager db;
        qDebug() << "Opening database" << file;
        if (!db.openDatabase(file)) {
            userDialogs().message(UserDialogs::Icon::Warning, tr("Statistiques"),
                                  tr("Ouverture %1 impossible").arg(file));
        } else {
            progress->setLabelText(tr("Vérification de la base de données"));
            progress->processEvents();
            db.checkDatabase();
            progress->setLabelText(tr("Examen des données"));
            progress->processEvents();

            if (db.isNewDatabase()) {
                userDialogs().message(UserDialogs::Icon::Warning, tr("Statistiques"),
                                      tr("La base de données %1 est vide").arg(file));
            } else {
                qDebug() << "Checking database structure";
                const bool twoWay = db.columnExists(QStringLiteral("measure"), QStringLiteral("meas_direction"));
                m_measures.clear();
                // The rowid span bounds the rows without reading them all, as counting would.
                // Each alone: SQLite finds a lone min() or max() of the rowid without a scan.
                const QSqlQuery lowest = db.getRecord(QStringLiteral("SELECT min(rowid) FROM measure"));
                const QSqlQuery highest = db.getRecord(QStringLiteral("SELECT max(rowid) FROM measure"));
                const qint64 span = lowest.isValid() && highest.isValid()
                    ? highest.value(0).toLongLong() - lowest.value(0).toLongLong() + 1
                    : 0;
                const int count = int(qBound<qint64>(0, span, INT_MAX));
                progress->setRange(progress->minimum(), std::max(count, progress->minimum()));
                progress->setLabelText(tr("Chargement..."));
                progress->processEvents();
                qDebug() << "Loading" << count << "records";

                qint64 first = 0;
                qint64 last = 0;
                qint16 units = 0;
                const int read =
                    db.readMeasures(m_measures, progress.get(), first, last, units, startT, endT, m_minSpeed);
                m_invalidReadings = db.invalidReadings();
                // The rows of the period that were not taken, invalid readings aside, are the
                // slow ones, the units marker (time 0) aside; a cancelled read leaves rows
                // unread, so no count then.
                if (!progress->wasCanceled()) {
                    qint64 rows = db.periodRows();
                    if (rows < 0)
                        rows = db.countReadings(startT, endT);
                    const qint64 undated = startT <= 0 ? db.countReadings(startT, 0) : 0;
                    const qint64 undatedRead = m_measures.upperBound(0) - m_measures.begin();
                    const qint64 notTaken = (rows - undated) - (read - undatedRead) - m_invalidReadings;
                    if (rows >= 0 && undated >= 0 && notTaken >= 0)
                        m_slowReadings = notTaken;
                }
                // A damaged or foreign file was named to the user already.
                if (read == 0 && db.problem() == DatabaseManager::FileProblem::None) {
                    userDialogs().message(UserDialogs::Icon::Warning, tr("Statistiques"),
                                          tr("La base de donnée %1 ne contient pas de statistiques").arg(file));
                }
                m_startDate = QDateTime::fromSecsSinceEpoch(first);
                m_endDate = QDateTime::fromSecsSinceEpoch(last);
                m_units = units;
                m_loadedMinSpeed = m_minSpeed;
                m_directions = twoWay ? directionsOf(m_measures) : QList<int>{0};
                progress->setValue(std::max(count, progress->minimum()));
            }

            CampaignStore campaigns;
            setDescription(campaigns.campaignTitle(&db, 1));
            db.closeDatabase();
        }
    }

    qDebug() << "Raw data availables=" << m_measures.size();
    return m_measures.size();
}
