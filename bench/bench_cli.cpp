// SPDX-License-Identifier: GPL-3.0-or-later
// bench_cli FILE [--runs N] [-- stats options]
// tramola-cli stats FILE --filter 60 end to end (process start to exit, JSON written to a pipe),
// against the plain SQLite C loop over the same file, best of N runs each.
#include "benchutil.h"
#include "cloop.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const int runs = bench::takeRuns(args, 3);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: bench_cli FILE [--runs N] [stats options, default --filter 60]\n");
        return 2;
    }
    const QString file = args.takeFirst();
    if (args.isEmpty())
        args << QStringLiteral("--filter") << QStringLiteral("60");
    const QString cli = QDir(app.applicationDirPath()).filePath(QStringLiteral("tramola-cli"));
    QFile loadavg(QStringLiteral("/proc/loadavg"));
    const QByteArray load = loadavg.open(QIODevice::ReadOnly) ? loadavg.readLine().trimmed() : QByteArray("?");
    std::printf("bench_cli: %s, best of %d runs, %d cores, load average %s\n", qPrintable(file), runs,
                QThread::idealThreadCount(), load.constData());

    const qint64 rows = bench::countMeasureRows(file);
    if (!bench::hasDateIndex(file))
        std::printf("  note: %s has no idx_date, so the C loop sorts the whole table\n", qPrintable(file));
    double ref = 1e30, ours = 1e30;
    qint64 read = 0, bytes = 0;
    for (int run = 0; run < runs; ++run) {
        ref = std::min(ref, bench::referenceRead(file, rows, &read));
        QProcess p;
        QElapsedTimer timer;
        timer.start();
        p.start(cli, QStringList{QStringLiteral("stats"), file} + args);
        p.waitForFinished(-1);
        const double seconds = timer.nsecsElapsed() / 1e9;
        bytes = p.readAllStandardOutput().size();
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            std::fprintf(stderr, "tramola-cli failed: %s\n", p.readAllStandardError().constData());
            return 1;
        }
        ours = std::min(ours, seconds);
    }
    std::printf("%lld measures: tramola-cli stats %s end to end %.3f s (%.2f M measures/s, %lld bytes of JSON); "
                "SQLite C loop %.3f s; ratio %.2f (target 1.2)\n",
                static_cast<long long>(rows), qPrintable(args.join(QLatin1Char(' '))), ours, rows / ours / 1e6,
                static_cast<long long>(bytes), ref, ours / ref);
    return read == rows ? 0 : 1;
}
