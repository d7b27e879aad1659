// SPDX-License-Identifier: GPL-3.0-or-later
// tramola-cli stats: the figures the window shows after opening a file, as one JSON document.
#include "app/cli/commands.h"
#include "app/cli/statssummary.h"

#include "app/cli/statsoptions.h"
#include "core/wallclock.h"
#include "analysis/analysis.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

const char* const kUsage =
    "stats FICHIER [--from \"aaaa-MM-jj hh:mm:ss\"] [--to \"...\"] [--min-speed N] [--filter MINUTES] "
    "[--range METRES] [--divider on|off] [--area NOM] [--areas-file CHEMIN] [--campaign ID]... [--limit N] [--pretty | "
    "--summary]";

template <typename T> QJsonValue json(const std::optional<T>& v)
{
    return v ? QJsonValue(*v) : QJsonValue();
}

QJsonObject directionJson(const DirectionStatistics& s, WallClock& clock)
{
    QJsonArray classes;
    for (const SampleRecord& r : s.classes) {
        classes.append(QJsonObject{{QStringLiteral("minSpeed"), r.minSpeed},
                                   {QStringLiteral("maxSpeed"), r.maxSpeed},
                                   {QStringLiteral("measureCount"), r.measureCount},
                                   {QStringLiteral("share"), r.meanSpeed}});
    }
    QJsonArray curve;
    for (const CurvePoint& p : s.percentageCurve)
        curve.append(QJsonArray{p.x, p.y});
    QJsonArray buckets;
    for (auto it = s.buckets.constBegin(); it != s.buckets.constEnd(); ++it) {
        buckets.append(QJsonObject{{QStringLiteral("time"), clock.isoText(it.key())},
                                   {QStringLiteral("unixTime"), double(it.key())},
                                   {QStringLiteral("valid"), it->valid},
                                   {QStringLiteral("minSpeed"), it->minSpeed},
                                   {QStringLiteral("maxSpeed"), it->maxSpeed},
                                   {QStringLiteral("meanSpeed"), it->meanSpeed},
                                   {QStringLiteral("measureCount"), it->measureCount},
                                   {QStringLiteral("vehicleCount"), it->vehicleCount}});
    }
    return QJsonObject{{QStringLiteral("measureCount"), s.measureCount},
                       {QStringLiteral("meanSpeed"), json(s.meanSpeed)},
                       {QStringLiteral("maxSpeed"), json(s.maxSpeed)},
                       {QStringLiteral("v30"), json(s.v30)},
                       {QStringLiteral("v50"), json(s.v50)},
                       {QStringLiteral("v85"), json(s.v85)},
                       {QStringLiteral("highestSpeed"), s.highestSpeed},
                       {QStringLiteral("vehicleCount"), s.vehicleCount},
                       {QStringLiteral("distribution"), classes},
                       {QStringLiteral("percentageCurve"), curve},
                       {QStringLiteral("buckets"), buckets}};
}

// The figures of the window's panels, in a few French lines.
QString summaryText(const QJsonObject& root)
{
    const QString units = root.value(QStringLiteral("units")).toObject().value(QStringLiteral("label")).toString();
    const QJsonObject settings = root.value(QStringLiteral("settings")).toObject();
    const auto dayTime = [](const QJsonValue& iso) {
        return QDateTime::fromString(iso.toString(), Qt::ISODate).toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    };
    const auto figure = [](const QJsonValue& v, int decimals) {
        return v.isNull() ? QStringLiteral("—") : QString::number(v.toDouble(), 'f', decimals);
    };
    QString out;
    out += QStringLiteral("Fichier : %1\n").arg(root.value(QStringLiteral("file")).toString());
    out += QStringLiteral("Période : du %1 au %2\n")
               .arg(dayTime(root.value(QStringLiteral("begin"))), dayTime(root.value(QStringLiteral("end"))));
    out += QStringLiteral("Relevés chargés : %1 (vitesses en %2, au-dessus de %3)\n")
               .arg(root.value(QStringLiteral("measuresLoaded")).toInt())
               .arg(units)
               .arg(settings.value(QStringLiteral("minSpeed")).toInt());
    // One arg() call: an area name holding "%2" must not take the next value.
    out += QStringLiteral("Zone : %1 ; seuil de filtrage %2 min ; portée %3 m ; diviseur %4\n")
               .arg(settings.value(QStringLiteral("area")).toString(),
                    QString::number(settings.value(QStringLiteral("filterSeconds")).toInt() / 60),
                    QString::number(settings.value(QStringLiteral("range")).toInt()),
                    QString::number(settings.value(QStringLiteral("vehicleDivider")).toInt()));
    out += QStringLiteral("Mode de stockage : %1 (%2)\n")
               .arg(root.value(QStringLiteral("storeMode")).toInt() > 0 ? QStringLiteral("Avancé")
                                                                        : QStringLiteral("Standard"),
                    root.value(QStringLiteral("storeModeReason")).toString());
    const QJsonObject directions = root.value(QStringLiteral("directions")).toObject();
    for (const QString& key : directions.keys()) {
        const QJsonObject d = directions.value(key).toObject();
        out +=
            QStringLiteral("Sens %1 : %2 relevés, %3 véhicules ; moyenne %4 %5, maximum %6 ; V30 %7, V50 %8, V85 %9\n")
                .arg(key == QLatin1String("0") ? QStringLiteral("entrant") : QStringLiteral("sortant"))
                .arg(d.value(QStringLiteral("measureCount")).toInt())
                .arg(d.value(QStringLiteral("vehicleCount")).toInt())
                .arg(figure(d.value(QStringLiteral("meanSpeed")), 2))
                .arg(units)
                .arg(figure(d.value(QStringLiteral("maxSpeed")), 0))
                .arg(figure(d.value(QStringLiteral("v30")), 0))
                .arg(figure(d.value(QStringLiteral("v50")), 0))
                .arg(figure(d.value(QStringLiteral("v85")), 0));
        QStringList shares;
        for (const QJsonValue& c : d.value(QStringLiteral("distribution")).toArray()) {
            const QJsonObject o = c.toObject();
            shares << QStringLiteral("%1-%2 : %3 %")
                          .arg(o.value(QStringLiteral("minSpeed")).toInt())
                          .arg(o.value(QStringLiteral("maxSpeed")).toInt())
                          .arg(100 * o.value(QStringLiteral("share")).toDouble(), 0, 'f', 1);
        }
        out += QStringLiteral("  répartition : %1\n").arg(shares.join(QStringLiteral(" ; ")));
    }
    return out;
}

}   // namespace

int runStats(const QStringList& args)
{
    StatsOptions options;
    bool pretty = false;
    bool summary = false;   // French text for a person instead of JSON
    const ExtraOption output = [&](const QStringList& list, int i, QString&) {
        if (list.at(i) == QLatin1String("--pretty"))
            pretty = true;
        else if (list.at(i) == QLatin1String("--summary"))
            summary = true;
        else
            return 0;
        return 1;
    };
    QString error;
    if (!parseStatsOptions(args, QLatin1String(kUsage), 1, options, error, output))
        return fail(error);
    const std::shared_ptr<const Analysis> analysis = analyse(options.request);
    if (!analysis)
        return 1;
    const Analysis& a = *analysis;
    const AnalysisCriteria& criteria = a.criteria();

    QJsonObject directions;
    WallClock clock;
    for (int d = 0; d < 2; ++d) {
        const DirectionStatistics& s = a.direction(d);
        if (s.measureCount > 0 || !s.buckets.isEmpty())
            directions.insert(QString::number(d), directionJson(s, clock));
    }
    QJsonObject root{{QStringLiteral("file"), QFileInfo(a.file()).absoluteFilePath()},
                     {QStringLiteral("units"),
                      QJsonObject{{QStringLiteral("label"), a.unitLabel()}, {QStringLiteral("code"), int(a.units())}}},
                     {QStringLiteral("begin"), a.begin().toString(Qt::ISODate)},
                     {QStringLiteral("end"), a.end().toString(Qt::ISODate)},
                     {QStringLiteral("measuresLoaded"), a.measures()->size()},
                     {QStringLiteral("invalidReadings"), double(a.read().invalidReadings)},
                     {QStringLiteral("settings"),
                      QJsonObject{{QStringLiteral("minSpeed"), criteria.minSpeed},
                                  {QStringLiteral("filterSeconds"), criteria.bucketSeconds},
                                  {QStringLiteral("range"), criteria.range},
                                  {QStringLiteral("dividerOff"), criteria.dividerOff},
                                  {QStringLiteral("vehicleDivider"), a.vehicleDivider()},
                                  {QStringLiteral("area"), criteria.area},
                                  {QStringLiteral("limitArea"),
                                   a.limitArea().isEmpty() ? QJsonValue() : QJsonValue(a.limitArea())}}},
                     {QStringLiteral("storeMode"), a.storeMode()},
                     {QStringLiteral("storeModeReason"), a.storeModeReason()},
                     {QStringLiteral("bucketCount"), a.bucketCount()},
                     {QStringLiteral("hasGaps"), a.hasGaps()},
                     {QStringLiteral("directions"), directions}};
    const QJsonObject summaryJson = a.summary().toJson();
    root.insert(QStringLiteral("summary"), summaryJson);
    if (!a.campaigns().isEmpty()) {
        QJsonArray campaigns;
        for (int id : a.campaigns())
            campaigns.append(id);
        root.insert(QStringLiteral("campaigns"), campaigns);
    }
    if (summary) {
        std::fputs((summaryText(root) + summaryLines(summaryJson, a.unitLabel())).toLocal8Bit().constData(), stdout);
        return 0;
    }
    const QByteArray json = QJsonDocument(root).toJson(pretty ? QJsonDocument::Indented : QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    if (!json.endsWith('\n'))
        std::fputc('\n', stdout);
    return 0;
}
