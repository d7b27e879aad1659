// The engine's measure read: the one place where the statistics touch a database file.
#include "stats/speedstatistics.h"

#include "core/userdialogs.h"
#include "campaign/qorcampaign.h"
#include "db/databasemanager.h"

#include <QDebug>
#include <QFileInfo>

#include <algorithm>

int SpeedStatistics::loadStatistics(const QString& file, const QDateTime& start, const QDateTime& end)
{
    qDebug() << "+Loading statistics from " << file << start << end;
    const qint64 startT = start.toSecsSinceEpoch();
    const qint64 endT = end.toSecsSinceEpoch();

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
                db.columnExists(QStringLiteral("measure"), QStringLiteral("meas_direction"));
                m_measures.clear();
                const int count = db.countRows(QStringLiteral("measure"));
                progress->setRange(progress->minimum(), std::max(count, progress->minimum()));
                progress->setLabelText(tr("Chargement..."));
                progress->processEvents();
                qDebug() << "Loading" << count << "records";

                qint64 first = 0;
                qint64 last = 0;
                qint16 units = 0;
                const int read = db.readMeasures(m_measures, progress.get(), first, last, units, startT, endT,
                                                 m_nMinSpeed);
                m_nInvalidReadings = db.invalidReadings();
                // A damaged or foreign file was named to the user already.
                if (read == 0 && db.problem() == DatabaseManager::FileProblem::None) {
                    userDialogs().message(UserDialogs::Icon::Warning, tr("Statistiques"),
                                          tr("La base de donnée %1 ne contient pas de statistiques").arg(file));
                }
                m_startDate = QDateTime::fromSecsSinceEpoch(first);
                m_endDate = QDateTime::fromSecsSinceEpoch(last);
                m_nUnits = units;
                progress->setValue(std::max(count, progress->minimum()));
            }

            QorCampaign campaigns;
            setDescription(campaigns.campaignTitle(&db, 1));
            db.closeDatabase();
        }
    }

    qDebug() << "Raw data availables=" << m_measures.size();
    return m_measures.size();
}
