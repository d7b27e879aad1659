// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Memory figures for the benchmarks, from Linux's /proc; 0 or false elsewhere.
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace bench {

// kB of a /proc/self/status line ("VmRSS", "VmHWM"), 0 where there is none.
inline qint64 statusKb(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// Starts a new peak: VmHWM falls back to the present VmRSS (Linux 4.0 and later).
inline bool resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

// The first three fields of /proc/loadavg, "?" where there is none: how busy the cores were.
inline QByteArray loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? f.readLine().split(' ').mid(0, 3).join(' ') : QByteArray("?");
}

// Takes "--runs N" out of args; def when it is not there.
inline int takeRuns(QStringList& args, int def)
{
    const int r = args.indexOf(QStringLiteral("--runs"));
    if (r < 0 || r + 1 >= args.size())
        return def;
    const int runs = qMax(1, args[r + 1].toInt());
    args.erase(args.begin() + r, args.begin() + r + 2);
    return runs;
}

// Takes "NAME N" out of args (N at least 1); def when it is not there.
inline qint64 takeNumber(QStringList& args, const char* name, qint64 def)
{
    const int at = args.indexOf(QLatin1String(name));
    if (at < 0 || at + 1 >= args.size())
        return def;
    const qint64 value = qMax<qint64>(1, args[at + 1].toLongLong());
    args.erase(args.begin() + at, args.begin() + at + 2);
    return value;
}

// Processor seconds (user and system) of this process's children that have ended; 0 where the
// system does not tell.
inline double childrenProcessorSeconds()
{
#ifdef Q_OS_UNIX
    rusage usage{};
    if (getrusage(RUSAGE_CHILDREN, &usage) == 0)
        return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
#endif
    return 0;
}

// Seconds of a program's run to its end, its output read, and in *processor its processor
// seconds; -1, with its standard error printed, when it failed.
inline double timedRun(const QString& program, const QStringList& args, double* processor = nullptr)
{
    QProcess p;
    const double before = childrenProcessorSeconds();
    QElapsedTimer timer;
    timer.start();
    p.start(program, args);
    p.waitForFinished(-1);
    p.readAllStandardOutput();
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (processor)
        *processor = childrenProcessorSeconds() - before;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "%s %s failed: %s\n", qPrintable(program), qPrintable(args.join(QLatin1Char(' '))),
                     p.readAllStandardError().constData());
        return -1;
    }
    return seconds;
}

}   // namespace bench
