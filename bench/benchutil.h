#pragma once

// Memory figures for the benchmarks, from Linux's /proc; 0 or false elsewhere.
#include <QByteArray>
#include <QFile>
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

} // namespace bench
