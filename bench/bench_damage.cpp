// SPDX-License-Identifier: GPL-3.0-or-later
// bench_damage [FOLDER] [--copies N] [--days D] [--bytes B]
// Damaged copies of a generated measure file through `tramola-cli stats`: each copy has B random
// bytes (positions and values from a fixed seed per copy) written over it; half the copies have
// idx_date. Both files have been opened once (campaign tables present), so no write, and no check
// before a write, stands between the damage and the read. Each run is either refused (exit status
// 1), read whole (every row that SQLite's own table scan of the copy finds is accounted for:
// analysed, too slow, invalid or misdated), or read in part: exit status 0 with fewer rows, or
// with a table that SQLite itself cannot scan to its end. The target is none in part.
#include "sampledb/sampledb.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

bool exec(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    const bool ok = sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK
        && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// The rows of the whole-file period as SQLite's table scan sees them (the units marker aside);
// -1 when the scan stops on an error.
qint64 scannedRows(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    qint64 n = -1;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK
        && sqlite3_prepare_v2(db,
                              "SELECT count(*) FROM measure NOT INDEXED WHERE +meas_date >= 0 AND +meas_date <= "
                              "253402300799 AND NOT (meas_date = 0 AND meas_speed = 0)",
                              -1, &st, nullptr)
            == SQLITE_OK
        && sqlite3_step(st) == SQLITE_ROW)
        n = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return n;
}

bool damage(const QString& path, quint32 seed, int bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    QRandomGenerator random(seed);
    const qint64 size = f.size();
    for (int i = 0; i < bytes; ++i) {
        const char byte = char(random.bounded(256));
        if (!f.seek(qint64(random.bounded(double(size)))) || f.write(&byte, 1) != 1)
            return false;
    }
    return true;
}

struct Run
{
    int status = -1;   // -1: crashed or hung
    QJsonObject json;
    QString firstLine;
};

Run runCli(const QString& cli, const QString& home, const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    p.setProcessEnvironment(env);
    p.start(cli, args);
    Run r;
    if (p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit)
        r.status = p.exitCode();
    r.json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    r.firstLine = QString::fromLocal8Bit(p.readAllStandardError()).section(QLatin1Char('\n'), 0, 0);
    return r;
}

// What the analysis accounted for: every row of the period is taken or counted as left out.
qint64 accountedRows(const QJsonObject& stats)
{
    const QJsonObject quality =
        stats.value(QStringLiteral("summary")).toObject().value(QStringLiteral("quality")).toObject();
    return qint64(stats.value(QStringLiteral("measuresLoaded")).toDouble()
                  + stats.value(QStringLiteral("invalidReadings")).toDouble()
                  + quality.value(QStringLiteral("slowReadings")).toDouble()
                  + quality.value(QStringLiteral("misdatedReadings")).toDouble());
}

}   // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const auto take = [&args](const char* name, int def) {
        const int i = args.indexOf(QLatin1String(name));
        if (i < 0 || i + 1 >= args.size())
            return def;
        const int value = args[i + 1].toInt();
        args.erase(args.begin() + i, args.begin() + i + 2);
        return value > 0 ? value : def;
    };
    const int copies = take("--copies", 40);
    const int days = take("--days", 10);
    const int bytes = take("--bytes", 200);
    const QString folder = args.value(0, QDir::temp().filePath(QStringLiteral("tramola-damage")));
    const QString cli = QDir(app.applicationDirPath()).filePath(QStringLiteral("tramola-cli"));
    QDir().mkpath(folder);
    QTemporaryDir home;

    const QString base = QDir(folder).filePath(QStringLiteral("base.db"));
    const QString indexed = QDir(folder).filePath(QStringLiteral("base-indexed.db"));
    SampleOptions options;
    options.days = days;
    options.readingsPerVehicle = 9;
    options.overwrite = true;
    QString error;
    if (!generateSampleDatabase(base, options, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    // Opened once, as a file is after its first opening.
    QFile::remove(indexed);
    if (runCli(cli, home.path(), {QStringLiteral("campaigns"), base}).status != 0 || !QFile::copy(base, indexed))
        return 1;
    if (!exec(indexed, "DROP INDEX IF EXISTS idx_date; CREATE INDEX idx_date ON measure(meas_date)")
        || !exec(base, "DROP INDEX IF EXISTS idx_date"))
        return 1;
    const Run whole = runCli(cli, home.path(), {QStringLiteral("stats"), base});
    std::printf("bench_damage: %d copies each of a %d-day file of %lld rows (%lld analysed), %d random bytes "
                "written into each\n",
                copies, days, static_cast<long long>(scannedRows(base)),
                static_cast<long long>(whole.json.value(QStringLiteral("measuresLoaded")).toDouble()), bytes);
    if (whole.status != 0 || accountedRows(whole.json) != scannedRows(base)) {
        std::fprintf(stderr, "the undamaged file is not read whole: %s\n", qPrintable(whole.firstLine));
        return 1;
    }

    int totalInPart = 0;
    for (const QString& source : {base, indexed}) {
        const bool withIndex = source == indexed;
        int refused = 0, readWhole = 0, inPart = 0, crashed = 0, scannable = 0;
        QMap<QString, int> reasons;
        for (int i = 1; i <= copies; ++i) {
            const QString copy = QDir(folder).filePath(QStringLiteral("copy.db"));
            QFile::remove(copy);
            QFile::remove(copy + QStringLiteral("-journal"));
            if (!QFile::copy(source, copy) || !damage(copy, quint32(i + (withIndex ? 1000 : 0)), bytes))
                return 1;
            const qint64 scanned = scannedRows(copy);
            scannable += scanned >= 0;
            const Run r = runCli(cli, home.path(), {QStringLiteral("stats"), copy});
            if (r.status < 0) {
                ++crashed;
                std::printf("  copy %d: crashed or hung\n", i);
            } else if (r.status != 0) {
                ++refused;
                if (scanned >= 0)
                    std::printf("  copy %d: refused, SQLite's scan reads %lld rows: %s\n", i,
                                static_cast<long long>(scanned), qPrintable(r.firstLine));
                // The kind of refusal: the line without the file's name and SQLite's words.
                QString kind = r.firstLine;
                kind.replace(copy, QStringLiteral("FICHIER"))
                    .replace(QRegularExpression(QStringLiteral("\\(.*\\)")), QStringLiteral("(…)"));
                ++reasons[kind.left(90)];
            } else if (scanned >= 0 && accountedRows(r.json) == scanned) {
                ++readWhole;
            } else {
                ++inPart;
                std::printf("  copy %d: exit 0 with %lld rows accounted, SQLite's scan %lld\n", i,
                            static_cast<long long>(accountedRows(r.json)), static_cast<long long>(scanned));
            }
        }
        totalInPart += inPart + crashed;
        std::printf("%s idx_date: %d refused, %d read whole, %d read in part, %d crashed (SQLite's own scan of "
                    "the table gets through on %d)\n",
                    withIndex ? "with" : "without", refused, readWhole, inPart, crashed, scannable);
        for (auto it = reasons.cbegin(); it != reasons.cend(); ++it)
            std::printf("  %3d × %s\n", it.value(), qPrintable(it.key()));
    }
    return totalInPart == 0 ? 0 : 1;
}
