// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Memory figures for the benchmarks, from Linux's /proc; 0 or false elsewhere.
#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QtGlobal>

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

}   // namespace bench
