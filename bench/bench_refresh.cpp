// SPDX-License-Identifier: GPL-3.0-or-later
// bench_refresh FILE [--runs N]
// A new analysis of a file already read: the whole file read and analysed once, then the same
// readings analysed again with a higher minimum speed, another speed area and a narrower period,
// without reading the file; beside the plain SQLite C loop over the same file. Best of N runs.
#include "benchutil.h"
#include "cloop.h"

#include "core/messagelog.h"
#include "core/workspace.h"
#include "analysis/analysisrunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

// Seconds of one run, or -1 (with the reason on standard error) when it gave no analysis.
double timed(const AnalysisRequest& request, std::shared_ptr<const Analysis>& analysis, bool reuse)
{
    QElapsedTimer clock;
    clock.start();
    const AnalysisOutcome outcome = AnalysisRunner::run(request, reuse ? analysis : nullptr);
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (!outcome.ok() || outcome.reused != reuse) {
        std::fprintf(stderr, "%s\n", qPrintable(outcome.ok() ? QStringLiteral("read again") : outcome.error));
        return -1;
    }
    analysis = outcome.analysis;
    return seconds;
}

}   // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(logMessageHandler);   // silent unless debug mode
    QStringList args = app.arguments().mid(1);
    const int runs = bench::takeRuns(args, 3);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: bench_refresh FILE [--runs N]\n");
        return 2;
    }
    QTemporaryDir tmp;   // default speed areas, no settings of the user
    Workspace::setRoots(tmp.filePath(QStringLiteral("docs")), tmp.filePath(QStringLiteral("data")));
    QFile loadavg(QStringLiteral("/proc/loadavg"));
    const QByteArray load = loadavg.open(QIODevice::ReadOnly) ? loadavg.readLine().trimmed() : QByteArray("?");
    std::printf("bench_refresh: %s, best of %d runs, %d cores, load average %s\n", qPrintable(args.first()), runs,
                QThread::idealThreadCount(), load.constData());

    AnalysisRequest whole;
    whole.file = args.first();
    AnalysisRequest faster = whole;
    faster.minSpeed = 30;
    AnalysisRequest area = whole;
    area.area = QStringLiteral("Zone 50 km/h");
    double read = 1e30, minSpeed = 1e30, otherArea = 1e30, month = 1e30, ref = 1e30;
    qint64 measures = 0;
    for (int run = 0; run < runs; ++run) {
        std::shared_ptr<const Analysis> analysis;
        const double r = timed(whole, analysis, false);
        if (r < 0)
            return 1;
        read = std::min(read, r);
        measures = analysis->measures()->count();
        AnalysisRequest narrower = whole;
        narrower.from = analysis->begin().addDays(30);
        narrower.to = analysis->begin().addDays(60);
        const std::shared_ptr<const Analysis> first = analysis;
        const double s = timed(faster, analysis, true);
        analysis = first;
        const double a = timed(area, analysis, true);
        analysis = first;
        const double m = timed(narrower, analysis, true);
        if (s < 0 || a < 0 || m < 0)
            return 1;
        minSpeed = std::min(minSpeed, s);
        otherArea = std::min(otherArea, a);
        month = std::min(month, m);
        qint64 rows = 0;
        ref = std::min(ref, bench::referenceRead(args.first(), bench::countMeasureRows(args.first()), &rows));
    }
    std::printf("%lld measures: read and analysed %.3f s; again from memory with minimum speed 30 %.3f s, "
                "another area %.3f s, one month %.3f s (target 0.5 s); SQLite C loop %.3f s\n",
                static_cast<long long>(measures), read, minSpeed, otherArea, month, ref);
    return 0;
}
