// SPDX-License-Identifier: GPL-3.0-or-later
// bench_stats [FOLDER] [--size N] [--runs N]
// The statistics of a whole measure file with a 60-minute filter, the summary computed after them
// and the before/after statistics of two surveys its size, beside the time of the measure read of
// the same run. The database (10 million measures over a year by default) is written once into
// FOLDER (default /tmp/tramola-bench) and reused. Memory figures are Linux only.
#include "benchutil.h"
#include "db/databaseconnection.h"
#include "db/measurereader.h"
#include "sampledb/sampledb.h"
#include "speedarea/speedarea.h"
#include "analysis/periodsnap.h"
#include "analysis/speedcomparison.h"
#include "analysis/speedstatistics.h"
#include "analysis/trafficsummary.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <map>
#include <cstdio>

namespace {

using bench::resetPeak;
using bench::statusKb;

void quiet(QtMsgType, const QMessageLogContext&, const QString&) { }

}   // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quiet);   // the engine's diagnostics would swamp the figures
    QString folder = QStringLiteral("/tmp/tramola-bench");
    qint64 size = 10000000;
    int runs = 3;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--size") && i + 1 < args.size())
            size = args.at(++i).toLongLong();
        else if (args.at(i) == QLatin1String("--runs") && i + 1 < args.size())
            runs = std::max(1, args.at(++i).toInt());
        else
            folder = args.at(i);
    }
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("bench_%1.db").arg(size));
    if (!QFileInfo::exists(path)) {
        std::printf("writing %s ...\n", qPrintable(path));
        std::fflush(stdout);
        SampleOptions o;
        o.days = 365;
        o.totalMeasures = size;
        QString error;
        if (!generateSampleDatabase(path, o, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }

    SpeedStatistics stats;
    stats.setMinSpeed(SpeedStatistics::defaultMinSpeed(0));
    stats.setDividerOff(false);
    stats.setFilter(3600);
    const SpeedClassMap classes = SpeedArea::defaultAreas(0).value(QStringLiteral("Zone 50 km/h")).value(0);
    stats.setDistribution(classes, 0);
    stats.setDistribution(classes, 1);

    QElapsedTimer timer;
    timer.start();
    {
        DatabaseConnection db;
        if (db.open(path))
            stats.setRead(MeasureReader::read(db, 1, 253402300799LL, stats.getMinSpeed(), nullptr));
    }
    const int loaded = stats.measures().size();
    const double readSeconds = timer.nsecsElapsed() / 1e9;
    if (loaded < 1) {
        std::fprintf(stderr, "no measure read from %s\n", qPrintable(path));
        return 1;
    }
    const QDateTime begin = snapPeriodStart(stats.getStartDate());
    const QDateTime end = snapPeriodEnd(stats.getEndDate());

    double best = 1e9;
    int buckets = 0;
    bool gaps = false;
    const bool peak = resetPeak();
    const qint64 before = statusKb("VmRSS");
    for (int r = 0; r < runs; ++r) {
        timer.restart();
        buckets = stats.load(begin, end, gaps);
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    const qint64 grown = (peak ? statusKb("VmHWM") : statusKb("VmRSS")) - before;

    timer.restart();
    const int vehicles = stats.countVehicles(begin, end, 0) + stats.countVehicles(begin, end, 1);
    const float mean = stats.meanSpeedInRange(begin, end, 0);
    const int max = stats.maxSpeedInRange(begin, end, 1);
    const double querySeconds = timer.nsecsElapsed() / 1e9;

    std::printf("bench_stats: %s\n", qPrintable(QFileInfo(path).absoluteFilePath()));
    std::printf("  measures read        %d (%s .. %s)\n", loaded, qPrintable(begin.toString(Qt::ISODate)),
                qPrintable(end.toString(Qt::ISODate)));
    std::printf("  read (MeasureReader)  %8.3f s\n", readSeconds);
    std::printf("  load, 60-min filter   %8.3f s  (best of %d; %d buckets, gaps %s)\n", best, runs, buckets,
                gaps ? "yes" : "no");
    std::printf("  load / read           %8.3f   (must be <= 0.25)\n", best / readSeconds);
    std::printf("  memory during load    %+8.1f MB  (measures hold %.1f MB)\n", grown / 1024.0,
                double(stats.measures().capacity()) * sizeof(MeasureMap::Entry) / 1048576.0);
    std::printf("  range queries         %8.3f s  (vehicles %d, mean in %.2f, max out %d)\n", querySeconds, vehicles,
                double(mean), max);
    std::printf("  V30/V50/V85 in        %.0f/%.0f/%.0f, out %.0f/%.0f/%.0f\n", stats.getV30(0), stats.getV50(0),
                stats.getV85(0), stats.getV30(1), stats.getV50(1), stats.getV85(1));

    // The summary after the load; its count of slow readings comes with the read.
    double summaryBest = 1e9;
    TrafficSummary summary;
    for (int r = 0; r < runs; ++r) {
        timer.restart();
        summary = TrafficSummary::compute(stats, begin, end, 50);
        summaryBest = std::min(summaryBest, timer.nsecsElapsed() / 1e9);
    }
    std::printf("  summary               %8.3f s  (best of %d; %d days, %lld slow readings)\n", summaryBest, runs,
                summary.daysInPeriod, summary.slowReadings ? static_cast<long long>(*summary.slowReadings) : -1LL);
    std::printf("  summary / read        %8.3f   (must be <= 0.10)\n", summaryBest / readSeconds);

    // Before/after statistics of two surveys the size of the file: its readings, and the same
    // 2 km/h slower. Linear in the speeds present, whatever the readings.
    std::map<int, qint64> all;
    for (int d = 0; d < 2; ++d) {
        const SpeedHistogram h = stats.getSpeedHistogram().value(d);
        for (auto it = h.constBegin(); it != h.constEnd(); ++it)
            all[it.key()] += it.value();
    }
    double compareWorst = 0;
    for (const int divider : {stats.vehicleDivider(), 1}) {
        ComparedSpeeds a;
        a.readings.assign(all.begin(), all.end());
        a.divider = divider;
        for (const auto& c : a.readings)
            a.vehicles += double(c.second) / divider;
        ComparedSpeeds b = a;
        for (auto& c : b.readings)
            c.first -= 2;
        double best = 1e9;
        SpeedComparison comparison;
        for (int r = 0; r < runs; ++r) {
            timer.restart();
            comparison = SpeedComparison::compute(a, b, 50, 0);
            best = std::min(best, timer.nsecsElapsed() / 1e9);
        }
        compareWorst = std::max(compareWorst, best);
        std::printf("  comparison, divider %d %8.6f s  (best of %d; %.0f vehicles a side, V85 change %d..%d)\n",
                    divider, best, runs, a.vehicles, comparison.v85Change ? comparison.v85Change->low : 0,
                    comparison.v85Change ? comparison.v85Change->high : 0);
    }
    std::printf("  comparison / summary  %8.4f\n", compareWorst / summaryBest);
    return best <= readSeconds / 4 && summaryBest <= readSeconds / 10 ? 0 : 2;
}
