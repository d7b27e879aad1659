// SPDX-License-Identifier: GPL-3.0-or-later
// bench_report FILE [--runs N]
// tramola-cli report FILE OUT.pdf (the default sections) end to end, beside tramola-cli stats FILE
// --summary of the same file in the same run, best of N runs each, wall clock and processor time.
#include "benchutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

struct Timing
{
    double wall = 1e30;
    double processor = 1e30;
};

// One run of tramola-cli with args into best; false when it failed.
bool timeRun(const QString& cli, const QStringList& args, Timing& best)
{
    double processor = 0;
    const double wall = bench::timedRun(cli, args, &processor);
    if (wall < 0)
        return false;
    best.wall = std::min(best.wall, wall);
    best.processor = std::min(best.processor, processor);
    return true;
}

}   // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const int runs = bench::takeRuns(args, 3);
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: bench_report FILE [--runs N]\n");
        return 2;
    }
    const QString file = args.first();
    const QString cli = QDir(app.applicationDirPath()).filePath(QStringLiteral("tramola-cli"));
    QTemporaryDir out;
    std::printf("bench_report: %s, best of %d runs, %d cores, load average %s\n", qPrintable(file), runs,
                QThread::idealThreadCount(), bench::loadAverage().constData());
    Timing stats, report;
    // Alternated, so that both meet the same load.
    for (int run = 0; run < runs; ++run) {
        if (!timeRun(cli, {QStringLiteral("stats"), file, QStringLiteral("--summary")}, stats)
            || !timeRun(cli, {QStringLiteral("report"), file, out.filePath(QStringLiteral("report.pdf"))}, report))
            return 1;
    }
    std::printf("stats --summary %.2f s (processor %.2f s); report %.2f s (processor %.2f s); "
                "ratio %.2f wall, %.2f processor (target 1.3)\n",
                stats.wall, stats.processor, report.wall, report.processor, report.wall / stats.wall,
                report.processor / stats.processor);
    return 0;
}
