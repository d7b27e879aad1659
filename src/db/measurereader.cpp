// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/measurereader.h"

#include "core/userdialogs.h"
#include "db/databaseconnection.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <climits>

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

MeasureRead MeasureReader::read(DatabaseConnection& db, qint64 from, qint64 to, int minSpeed,
                                ProgressReporter* progress)
{
    SilentProgress silent;
    if (!progress)
        progress = &silent;
    MeasureRead r;
    r.from = from;
    r.to = to;
    r.minSpeed = minSpeed;
    const QString file = db.filePath();

    progress->setLabelText(tr("Vérification de la base de données"));
    progress->processEvents();
    db.checkDatabase();
    progress->setLabelText(tr("Examen des données"));
    progress->processEvents();
    if (db.isNewDatabase()) {
        r.error = tr("La base de données %1 est vide").arg(file);
        return r;
    }

    const bool twoWay = db.columnExists(QStringLiteral("measure"), QStringLiteral("meas_direction"));
    // The rowid span bounds the rows without reading them all, as counting would. Each alone:
    // SQLite finds a lone min() or max() of the rowid without a scan.
    const QSqlQuery lowest = db.getRecord(QStringLiteral("SELECT min(rowid) FROM measure"));
    const QSqlQuery highest = db.getRecord(QStringLiteral("SELECT max(rowid) FROM measure"));
    const qint64 span =
        lowest.isValid() && highest.isValid() ? highest.value(0).toLongLong() - lowest.value(0).toLongLong() + 1 : 0;
    const int count = int(qBound<qint64>(0, span, INT_MAX));
    progress->setRange(progress->minimum(), std::max(count, progress->minimum()));
    progress->setLabelText(tr("Chargement..."));
    progress->processEvents();

    auto measures = std::make_shared<MeasureMap>();
    const int read = db.readMeasures(*measures, progress, r.first, r.last, r.units, from, to, minSpeed);
    r.invalidReadings = db.invalidReadings();
    r.canceled = progress->wasCanceled();
    // The rows of the period that were not taken, invalid readings aside, are the slow ones, the
    // units marker (time 0) aside; a cancelled read leaves rows unread, so no count then.
    if (!r.canceled) {
        qint64 rows = db.periodRows();
        if (rows < 0)
            rows = db.countReadings(from, to);
        const qint64 undated = from <= 0 ? db.countReadings(from, 0) : 0;
        const qint64 undatedRead = measures->upperBound(0) - measures->begin();
        const qint64 notTaken = (rows - undated) - (read - undatedRead) - r.invalidReadings;
        if (rows >= 0 && undated >= 0 && notTaken >= 0)
            r.slowReadings = notTaken;
    }
    if (read == 0 && db.problem() == DatabaseConnection::FileProblem::None)
        r.error = tr("La base de donnée %1 ne contient pas de statistiques").arg(file);
    r.directions = twoWay ? directionsOf(*measures) : QList<int>{0};
    r.measures = std::move(measures);
    progress->setValue(std::max(count, progress->minimum()));
    return r;
}
