// SPDX-License-Identifier: GPL-3.0-or-later
// bench_compare [FOLDER] [--size N] [--runs N]
// tramola-cli compare of two years of N measures (default 10 million, written once into FOLDER,
// default /tmp/tramola-bench; the second with a speed display from mid-year), beside the two
// tramola-cli stats runs of the same files in the same session, best of N runs each.
#include "benchutil.h"

#include "sampledb/sampledb.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const int runs = bench::takeRuns(args, 3);
    const qint64 size = bench::takeNumber(args, "--size", 10000000);
    const QDir folder(args.value(0, QStringLiteral("/tmp/tramola-bench")));
    QStringList files;
    for (int side = 0; side < 2; ++side) {
        const QString file = folder.filePath(QStringLiteral("compare-%1-%2.db").arg(size).arg(side ? "b" : "a"));
        files << file;
        if (QFileInfo::exists(file))
            continue;
        SampleOptions o;
        o.from = QDate(2025, 11, 1);
        o.days = 365;
        o.totalMeasures = size;
        o.readingsPerVehicle = 9;
        o.seed = quint64(11 + side);
        if (side)
            o.displayFrom = QDate(2026, 5, 1);
        QString error;
        if (!QDir().mkpath(folder.path()) || !generateSampleDatabase(file, o, &error)) {
            std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(file), qPrintable(error));
            return 1;
        }
    }
    const QString cli = QDir(app.applicationDirPath()).filePath(QStringLiteral("tramola-cli"));
    std::printf("bench_compare: two files of %lld measures in %s, best of %d runs, %d cores, load average %s\n",
                static_cast<long long>(size), qPrintable(folder.path()), runs, QThread::idealThreadCount(),
                bench::loadAverage().constData());

    // stats adds empty campaign tables on its first opening: done once, untimed.
    for (const QString& file : files) {
        if (bench::timedRun(cli, {QStringLiteral("stats"), file}) < 0)
            return 1;
    }
    double stats = 1e30, compare = 1e30, statsProcessor = 0, compareProcessor = 0;
    for (int run = 0; run < runs; ++run) {
        double pa = 0, pb = 0, pc = 0;
        const double a = bench::timedRun(cli, {QStringLiteral("stats"), files[0]}, &pa);
        const double b = bench::timedRun(cli, {QStringLiteral("stats"), files[1]}, &pb);
        const double c = bench::timedRun(
            cli, {QStringLiteral("compare"), files[0], files[1], QStringLiteral("--limit"), QStringLiteral("50")}, &pc);
        if (a < 0 || b < 0 || c < 0)
            return 1;
        if (a + b < stats) {
            stats = a + b;
            statsProcessor = pa + pb;
        }
        if (c < compare) {
            compare = c;
            compareProcessor = pc;
        }
    }
    std::printf("tramola-cli stats A + stats B: %.2f s (processor %.2f s); tramola-cli compare A B: %.2f s (processor "
                "%.2f s); ratio %.2f (target 1.2)\n",
                stats, statsProcessor, compare, compareProcessor, compare / stats);
    return 0;
}
