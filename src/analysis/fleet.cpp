// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/fleet.h"

#include "campaign/campaignstore.h"
#include "db/databaseconnection.h"
#include "analysis/analysis.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QLocale>
#include <QThread>

#include <algorithm>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

QString unitsName(int units)
{
    switch (units) {
    case 1: return QStringLiteral("mph");
    case 2: return QStringLiteral("knots");
    default: return QStringLiteral("kmh");
    }
}

template <typename T> QJsonValue json(const std::optional<T>& v)
{
    return v ? QJsonValue(*v) : QJsonValue();
}

std::optional<double> share(const std::optional<Exceedance>& e)
{
    return e ? e->share : std::nullopt;
}

QString timeText(const QDateTime& t)
{
    return t.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
}

// A field a spreadsheet reads back as written: quoted when it holds a separator, a quote or a line end.
QString csvField(QString text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

template <typename T>
QString csvNumber(const QLocale& locale, const std::optional<T>& v, int decimals, double scale = 1)
{
    return v ? locale.toString(double(*v) * scale, 'f', decimals) : QString();
}

// The store mode of the file's newest campaign, as the window's campaign choice starts on it; -1
// without campaigns.
int newestStoreMode(DatabaseConnection& db)
{
    if (!db.tableExists(QStringLiteral("campaign")))
        return -1;
    CampaignStore store;
    const QList<int> ids = store.campaignList(&db, 1);
    return ids.isEmpty() ? -1 : store.campaignStoreMode(&db, ids.first());
}

}   // namespace

// ---- one file ----------------------------------------------------------------------------------

FleetFile FleetRunner::analyse(const QString& path, const FleetOptions& options, AnalysisProgress* progress)
{
    FleetFile f;
    f.file = QFileInfo(path).absoluteFilePath();
    // Its stored limit and store mode decide its criteria; a file that does not open here says
    // why through the analysis, as stats would.
    if (QFileInfo(f.file).isFile()) {
        DatabaseConnection db;
        if (db.open(f.file, true)) {
            f.site = db.readSiteInfo();
            f.storeMode = newestStoreMode(db);
        }
    }
    AnalysisRequest request;
    request.file = f.file;
    request.writeNothing = true;
    request.minSpeed = options.minSpeed;
    request.dividerOff = options.dividerOff;
    if (!request.dividerOff && f.storeMode > 0)
        request.dividerOff = true;
    // Empty takes the stored limit; 0 says there is none.
    if (!f.site.speedLimit)
        request.limit = options.limit.value_or(0);

    const AnalysisOutcome outcome = AnalysisRunner::run(request, {}, progress);
    f.warnings = outcome.warnings;
    if (!outcome.ok()) {
        f.error = outcome.error;
        return f;
    }
    const Analysis& a = *outcome.analysis;
    f.site = a.site();
    f.units = a.units();
    if (a.storeMode() >= 0)
        f.storeMode = a.storeMode();
    f.vehicleDivider = a.vehicleDivider();
    f.begin = a.begin();
    f.end = a.end();
    f.measuresLoaded = qint64(a.measures()->size());
    f.invalidReadings = a.read().invalidReadings;
    f.summary = a.summary();
    return f;
}

QJsonObject FleetFile::toJson() const
{
    if (!ok())
        return QJsonObject{
            {QStringLiteral("file"), file}, {QStringLiteral("ok"), false}, {QStringLiteral("error"), error}};
    QJsonObject directions;
    for (int d = 0; d < 2; ++d) {
        if (!summary.hasDirection(d))
            continue;
        const DirectionSummary& g = summary.groups[std::size_t(d)];
        directions.insert(QString::number(d),
                          QJsonObject{{QStringLiteral("vehicleCount"), double(g.vehicles)},
                                      {QStringLiteral("readings"), double(g.readings)},
                                      {QStringLiteral("dailyTraffic"), json(g.dailyTraffic)},
                                      {QStringLiteral("meanSpeed"), json(g.meanSpeed)},
                                      {QStringLiteral("v85"), json(g.v85)},
                                      {QStringLiteral("shareOverLimit"), json(share(g.overLimit))},
                                      {QStringLiteral("shareOver10"), json(share(g.overLimit10))}});
    }
    const QJsonObject summaryJson = summary.toJson();
    QJsonObject quality = summaryJson.value(QStringLiteral("quality")).toObject();
    const QJsonObject days = summaryJson.value(QStringLiteral("days")).toObject();
    quality.insert(QStringLiteral("daysInPeriod"), days.value(QStringLiteral("inPeriod")));
    quality.insert(QStringLiteral("daysRecorded"), days.value(QStringLiteral("recorded")));
    quality.insert(QStringLiteral("missingDays"), days.value(QStringLiteral("missing")));
    quality.insert(QStringLiteral("invalidReadings"), double(invalidReadings));
    return QJsonObject{{QStringLiteral("file"), file},
                       {QStringLiteral("ok"), true},
                       {QStringLiteral("site"),
                        QJsonObject{{QStringLiteral("location"), json(site.location)},
                                    {QStringLiteral("comment"), json(site.comment)},
                                    {QStringLiteral("limit"), json(site.speedLimit)}}},
                       {QStringLiteral("units"), unitsName(units)},
                       {QStringLiteral("storeMode"), storeMode < 0 ? QJsonValue() : QJsonValue(storeMode)},
                       {QStringLiteral("begin"), begin.toString(Qt::ISODate)},
                       {QStringLiteral("end"), end.toString(Qt::ISODate)},
                       {QStringLiteral("completeDays"), summary.wholeDays},
                       {QStringLiteral("measuresLoaded"), double(measuresLoaded)},
                       {QStringLiteral("limit"), json(summary.limit)},
                       {QStringLiteral("vehicleDivider"), vehicleDivider},
                       {QStringLiteral("directions"), directions},
                       {QStringLiteral("quality"), quality},
                       {QStringLiteral("warnings"), QJsonArray::fromStringList(warnings)}};
}

QByteArray FleetFile::csvHeader()
{
    const QStringList columns{tr("Fichier"),
                              tr("Lieu"),
                              tr("Commentaire"),
                              tr("Unités"),
                              tr("Mode de stockage"),
                              tr("Début"),
                              tr("Fin"),
                              tr("Jours complets"),
                              tr("Relevés chargés"),
                              tr("Vitesse limite"),
                              tr("Sens"),
                              tr("Véhicules"),
                              tr("Trafic moyen journalier"),
                              tr("Vitesse moyenne"),
                              tr("V85"),
                              tr("Au-dessus de la limite (%)"),
                              tr("Au-dessus de la limite + 10 (%)"),
                              tr("Erreur")};
    return columns.join(QLatin1Char(';')).toUtf8() + '\n';
}

QByteArray FleetFile::csvRows(QLocale numbers) const
{
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    if (!ok())
        return (csvField(file) + QString(17, QLatin1Char(';')) + csvField(error)).toUtf8() + '\n';
    const QStringList head{csvField(file),
                           csvField(site.location.value_or(QString())),
                           csvField(site.comment.value_or(QString())),
                           unitsName(units),
                           storeMode < 0        ? QString()
                               : storeMode == 0 ? tr("Standard")
                                                : tr("Avancé"),
                           timeText(begin),
                           timeText(end),
                           QString::number(summary.wholeDays),
                           QString::number(measuresLoaded),
                           csvNumber(numbers, summary.limit, 0)};
    QByteArray rows;
    for (int d = 0; d < 2; ++d) {
        if (!summary.hasDirection(d))
            continue;
        const DirectionSummary& g = summary.groups[std::size_t(d)];
        const QStringList figures{d == 0 ? tr("Entrant") : tr("Sortant"),
                                  QString::number(g.vehicles),
                                  csvNumber(numbers, g.dailyTraffic, 1),
                                  csvNumber(numbers, g.meanSpeed, 1),
                                  csvNumber(numbers, g.v85, 0),
                                  csvNumber(numbers, share(g.overLimit), 1, 100),
                                  csvNumber(numbers, share(g.overLimit10), 1, 100),
                                  QString()};
        rows += (head + figures).join(QLatin1Char(';')).toUtf8() + '\n';
    }
    return rows;
}

// ---- the batch ---------------------------------------------------------------------------------

void FleetRunner::run(const QStringList& files, const FileListener& onFile)
{
    const int total = files.size();
    const int jobs = std::min(m_options.jobs > 0 ? m_options.jobs : QThread::idealThreadCount(), std::max(1, total));
    std::mutex mutex;
    int next = 0, done = 0, reported = 0;
    // Digests waiting for an earlier file to be reported; the analyses themselves are gone.
    std::vector<std::optional<FleetFile>> waiting(static_cast<std::size_t>(total));
    const auto work = [&] {
        for (;;) {
            int index = 0;
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (next >= total || isCanceled())
                    return;
                index = next++;
            }
            FleetFile file = analyse(files.at(index), m_options, &m_progress);
            std::lock_guard<std::mutex> lock(mutex);
            if (isCanceled())
                return;
            waiting[std::size_t(index)] = std::move(file);
            if (m_progressListener)
                m_progressListener(++done, total);
            for (; reported < total && waiting[std::size_t(reported)]; ++reported) {
                if (onFile)
                    onFile(reported, *waiting[std::size_t(reported)]);
                waiting[std::size_t(reported)].reset();
            }
        }
    };
    std::vector<std::thread> workers;
    for (int i = 1; i < jobs; ++i) {
        try {
            workers.emplace_back(work);
        } catch (const std::system_error&) {
            break;   // fewer threads, same result
        }
    }
    work();
    for (std::thread& t : workers)
        t.join();
}

bool FleetRunner::measureFiles(const QStringList& paths, bool recursive, QStringList* files, QString* error)
{
    QStringList found;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.exists()) {
            *error = tr("Chemin introuvable : %1").arg(path);
            return false;
        }
        if (!info.isDir()) {
            found << info.absoluteFilePath();
            continue;
        }
        if (!info.isReadable() || !info.isExecutable()) {
            *error = tr("Dossier illisible : %1").arg(path);
            return false;
        }
        QDirIterator it(info.absoluteFilePath(), {QStringLiteral("*.db")}, QDir::Files,
                        recursive ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
        while (it.hasNext())
            found << QFileInfo(it.next()).absoluteFilePath();
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    *files = found;
    return true;
}
