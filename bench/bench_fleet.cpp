// SPDX-License-Identifier: GPL-3.0-or-later
// bench_fleet [FOLDER] [--files N] [--readings N] [--runs N]
// tramola-cli fleet over a folder of generated files (written once into FOLDER, default
// /tmp/tramola-bench), with --jobs 1 and 2, beside one tramola-cli stats run per file in the
// same session, best of N runs each; then the memory the fleet adds beside that of one analysis.
#include "benchutil.h"

#include "core/messagelog.h"
#include "core/workspace.h"
#include "sampledb/sampledb.h"
#include "analysis/fleet.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

// Prints the memory (kB) that the fleet of the folder's files on jobs threads adds to this
// process at its peak; jobs 0: one analysis of the first file alone.
int peakOf(int jobs, const QString& folder)
{
    QTemporaryDir tmp;   // default speed areas, no settings of the user
    Workspace::setRoots(tmp.filePath(QStringLiteral("docs")), tmp.filePath(QStringLiteral("data")));
    QStringList files;
    QString error;
    if (!FleetRunner::measureFiles({folder}, false, &files, &error) || files.isEmpty())
        return 1;
    FleetOptions options;
    options.jobs = jobs;
    bench::resetPeak();
    const qint64 base = bench::statusKb("VmRSS");
    bool ok = true;
    if (jobs == 0)
        ok = FleetRunner::analyse(files.first(), options).ok();
    else
        FleetRunner(options).run(files, [&](int, const FleetFile& f) { ok = ok && f.ok(); });
    std::printf("%lld\n", static_cast<long long>(bench::statusKb("VmHWM") - base));
    return ok ? 0 : 1;
}

}   // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(logMessageHandler);   // silent unless debug mode
    QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("--peak-of"))
        return peakOf(args.value(1).toInt(), args.value(2));
    const int runs = bench::takeRuns(args, 3);
    const int count = int(bench::takeNumber(args, "--files", 40));
    const qint64 readings = bench::takeNumber(args, "--readings", 250000);
    const QDir folder(QDir(args.value(0, QStringLiteral("/tmp/tramola-bench")))
                          .filePath(QStringLiteral("fleet-%1x%2").arg(count).arg(readings)));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(folder.path()));
        return 2;
    }
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString file = folder.filePath(QStringLiteral("radar-%1.db").arg(i + 1, 3, 10, QLatin1Char('0')));
        files << file;
        if (QFileInfo::exists(file))
            continue;
        SampleOptions o;
        o.seed = quint64(i + 1);
        o.totalMeasures = readings;
        o.readingsPerVehicle = 9;
        o.meanIn = 40 + i % 15;
        QString error;
        if (!generateSampleDatabase(file, o, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    const QString cli = QDir(app.applicationDirPath()).filePath(QStringLiteral("tramola-cli"));
    std::printf("bench_fleet: %d files of %lld readings in %s, best of %d runs, %d cores, load average %s\n", count,
                static_cast<long long>(readings), qPrintable(folder.path()), runs, QThread::idealThreadCount(),
                bench::loadAverage().constData());

    // stats adds empty campaign tables on its first opening of each: done once, untimed, so that
    // every timed run meets the files as they stay.
    for (const QString& file : files) {
        if (bench::timedRun(cli, {QStringLiteral("stats"), file}) < 0)
            return 1;
    }
    // Best of the runs: wall clock, and the processor time of the same run, which the other
    // programs of a busy machine do not change.
    struct Best
    {
        double wall = 1e30, processor = 0;
        void take(double w, double p)
        {
            if (w < wall) {
                wall = w;
                processor = p;
            }
        }
    } single, one, two;
    for (int run = 0; run < runs; ++run) {
        double wall = 0, processor = 0;
        for (const QString& file : files) {
            double p = 0;
            const double s = bench::timedRun(cli, {QStringLiteral("stats"), file}, &p);
            if (s < 0)
                return 1;
            wall += s;
            processor += p;
        }
        single.take(wall, processor);
        for (Best* best : {&one, &two}) {
            const QString jobs = best == &one ? QStringLiteral("1") : QStringLiteral("2");
            double p = 0;
            const double s =
                bench::timedRun(cli, {QStringLiteral("fleet"), folder.path(), QStringLiteral("--jobs"), jobs}, &p);
            if (s < 0)
                return 1;
            best->take(s, p);
        }
    }
    const double millions = double(readings) * count / 1e6;
    std::printf("%d x tramola-cli stats: %.2f s (processor %.2f s)\n", count, single.wall, single.processor);
    std::printf("tramola-cli fleet --jobs 1: %.2f s (processor %.2f s), %.2fx the stats runs; %.3f s per million "
                "readings\n",
                one.wall, one.processor, one.wall / single.wall, one.wall / millions);
    std::printf("tramola-cli fleet --jobs 2: %.2f s (processor %.2f s), %.2fx the stats runs (target 0.65); %.3f s "
                "per million readings, %.2fx faster than --jobs 1\n",
                two.wall, two.processor, two.wall / single.wall, two.wall / millions, one.wall / two.wall);

    // Memory, each in a process of its own: what malloc keeps from one would hide the other.
    const auto peak = [&](int jobs) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--peak-of"), QString::number(jobs), folder.path()});
        p.waitForFinished(-1);
        return p.readAllStandardOutput().trimmed().toLongLong();
    };
    const qint64 fleetKb = peak(2), aloneKb = peak(0);
    std::printf("memory added: fleet --jobs 2 %.1f MB; one analysis alone %.1f MB (within 2 analyses: %s)\n",
                fleetKb / 1024.0, aloneKb / 1024.0, fleetKb > 0 && fleetKb <= 2 * aloneKb ? "yes" : "no");
    return 0;
}
