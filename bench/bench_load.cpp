// SPDX-License-Identifier: GPL-3.0-or-later
// bench_load [FOLDER] [--sizes N,N,...] [--runs N]
// Time and memory of a full measure read, against a plain SQLite loop on the same file.
// The databases (1 and 10 million measures by default) are written once into FOLDER
// (default /tmp/tramola-bench) and reused. Linux figures for memory; elsewhere they read 0.
#include "benchutil.h"
#include "cloop.h"
#include "core/userdialogs.h"
#include "db/databaseconnection.h"
#include "db/measurereader.h"
#include "sampledb/sampledb.h"
#include "core/measure.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <cstdio>
#include <vector>

namespace {

using bench::countMeasureRows;
using bench::referenceRead;
using bench::resetPeak;
using bench::sqliteExec;
using bench::statusKb;

struct OurRun
{
    double seconds = 0;
    qint64 read = 0;
    double bytesPerMeasure = 0;
    bool ordered = false;
};

OurRun ourRead(const QString& path)
{
    OurRun r;
    const bool peak = resetPeak();
    const qint64 before = statusKb("VmRSS");
    {
        DatabaseConnection db;
        if (!db.open(path))
            return r;
        QElapsedTimer timer;
        timer.start();
        const MeasureRead read = MeasureReader::read(db, 1, std::numeric_limits<qint64>::max(), 0, nullptr);
        r.seconds = timer.nsecsElapsed() / 1e9;
        const MeasureMap& map = *read.measures;
        r.read = map.size();
        const qint64 after = peak ? statusKb("VmHWM") : statusKb("VmRSS");
        r.bytesPerMeasure = r.read ? double(after - before) * 1024.0 / double(r.read) : 0;
        r.ordered = std::is_sorted(map.begin(), map.end(), [](const MeasureMap::Entry& a, const MeasureMap::Entry& b) {
            return a.time < b.time;
        });
    }
    return r;
}

}   // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QString folder = QStringLiteral("/tmp/tramola-bench");
    QList<qint64> sizes{1000000, 10000000};
    int runs = 3;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--sizes") && i + 1 < args.size()) {
            sizes.clear();
            for (const QString& s : args[++i].split(QLatin1Char(',')))
                sizes << s.toLongLong();
        } else if (args[i] == QLatin1String("--runs") && i + 1 < args.size()) {
            runs = qMax(1, args[++i].toInt());
        } else {
            folder = args[i];
        }
    }
    QDir().mkpath(folder);
    // Two reading threads against one: other work on the machine weighs on the figures.
    QFile loadavg(QStringLiteral("/proc/loadavg"));
    const QByteArray load = loadavg.open(QIODevice::ReadOnly) ? loadavg.readLine().trimmed() : QByteArray("?");
    std::printf("bench_load: %s, best of %d runs, %d cores, load average %s\n", qPrintable(QDir(folder).absolutePath()),
                runs, QThread::idealThreadCount(), load.constData());

    for (qint64 size : sizes) {
        const QString path = QDir(folder).filePath(QStringLiteral("bench_%1.db").arg(size));
        if (!QFileInfo::exists(path)) {
            SampleOptions o;
            o.days = 365;
            o.totalMeasures = size;
            o.seed = 11;
            QString error;
            QElapsedTimer t;
            t.start();
            if (!generateSampleDatabase(path, o, &error)) {
                std::fprintf(stderr, "%s\n", qPrintable(error));
                return 1;
            }
            std::printf("  wrote %s in %.1f s\n", qPrintable(path), t.elapsed() / 1000.0);
        }
        // The program adds this index on its first read; it is not part of what is timed.
        sqliteExec(path, "CREATE INDEX IF NOT EXISTS idx_date ON measure(meas_date);");
        const qint64 rows = countMeasureRows(path);

        double ref = 1e30, ours = 1e30, bytes = 0;
        qint64 refRead = 0;
        OurRun last;
        for (int run = 0; run < runs; ++run) {
            ref = std::min(ref, referenceRead(path, rows, &refRead));
            last = ourRead(path);
            ours = std::min(ours, last.seconds);
            bytes = std::max(bytes, last.bytesPerMeasure);   // the worst run
        }
        std::printf("%lld measures: MeasureReader::read %.3f s (%.2f M measures/s), %.1f bytes/measure peak; "
                    "SQLite C loop %.3f s; ratio %.2f%s\n",
                    static_cast<long long>(rows), ours, rows / ours / 1e6, bytes, ref, ours / ref,
                    last.read == rows && refRead == rows && last.ordered ? "" : "  [ROW COUNT OR ORDER MISMATCH]");
        std::fflush(stdout);
    }
    return 0;
}
