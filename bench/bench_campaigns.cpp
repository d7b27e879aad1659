// SPDX-License-Identifier: GPL-3.0-or-later
// First opening of a big measure database: end-date correction and the derivation of days and
// monthly campaigns, as the campaign list runs them; and the day query written the direct way
// (a local-time conversion per measure inside SQLite), for comparison.
//
//   bench_campaigns [--measures N] [--days D] [--folder DIR] [--source FILE] [--no-literal]
// --source copies FILE (a year as the radar wrote it, without idx_date) instead of generating one;
// --no-literal compares the two openings with each other only.
#include "core/messagelog.h"
#include "campaign/campaignstore.h"
#include "db/databaseconnection.h"
#include "sampledb/sampledb.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <sqlite3.h>

namespace {

QStringList rowsOf(const QString& path, const char* sql)
{
    QStringList out;
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                QStringList cols;
                for (int c = 0; c < sqlite3_column_count(st); ++c)
                    cols << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
                out << cols.join(QLatin1Char('|'));
            }
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return out;
}

bool exec(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK
        && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// Seconds of the campaign loading's first steps on path, and the number of days and campaigns.
// Processor seconds of the process so far (all threads): on a busy machine the wall clock alone
// says little.
double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

double lastCpu = 0;

double firstOpening(const QString& path, int* days, int* campaigns)
{
    QElapsedTimer timer;
    timer.start();
    const double cpu = cpuSeconds();
    DatabaseConnection db;
    if (!db.open(path))
        return -1;
    CampaignStore store;
    store.checkCampaignEndDates(&db, 1);
    store.verifyCampaigns(&db, QDateTime::currentDateTime());
    *campaigns = store.campaignList(&db, 1).size();
    *days = store.countCampaignDetails(&db);
    db.close();
    lastCpu = cpuSeconds() - cpu;
    return timer.nsecsElapsed() / 1e9;
}

}   // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(logMessageHandler);   // silent unless debug mode
    qint64 measures = 10000000;
    int days = 365;
    QString folder, source;
    bool literalQuery = true;
    QStringList args = app.arguments();
    literalQuery = args.removeAll(QStringLiteral("--no-literal")) == 0;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--measures"))
            measures = args[i + 1].toLongLong();
        else if (args[i] == QLatin1String("--days"))
            days = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--folder"))
            folder = args[i + 1];
        else if (args[i] == QLatin1String("--source"))
            source = args[i + 1];
    }
    QTemporaryDir tmp(folder.isEmpty() ? QDir::tempPath() + QStringLiteral("/bench_campaigns-XXXXXX")
                                       : folder + QStringLiteral("/bench_campaigns-XXXXXX"));
    if (!tmp.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const QString plain = tmp.filePath(QStringLiteral("plain.db"));
    const QString indexed = tmp.filePath(QStringLiteral("indexed.db"));

    SampleOptions options;
    options.from = QDate(2025, 11, 1);   // both changes of hour and twelve month boundaries
    options.days = days;
    options.totalMeasures = measures;
    QString error;
    SampleSummary summary;
    QElapsedTimer timer;
    timer.start();
    if (!source.isEmpty()) {
        if (!QFile::copy(source, plain)) {
            std::fprintf(stderr, "cannot copy %s\n", source.toLocal8Bit().constData());
            return 1;
        }
        std::printf("database: copy of %s\n", source.toLocal8Bit().constData());
    } else if (!generateSampleDatabase(plain, options, &error, &summary)) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        return 1;
    } else {
        std::printf("database: %lld measures over %d days (%d recorded), written in %.1f s\n",
                    static_cast<long long>(summary.measures), days, summary.recordedDays, timer.nsecsElapsed() / 1e9);
    }
    std::fflush(stdout);

    QFile::copy(plain, indexed);
    timer.restart();
    exec(indexed, "CREATE INDEX idx_date ON measure(meas_date);");
    std::printf("idx_date created (as the first measure read does) in %.2f s\n", timer.nsecsElapsed() / 1e9);
    const QString literal = tmp.filePath(QStringLiteral("literal.db"));
    QFile::copy(indexed, literal);

    int dayRows = 0, campaigns = 0;
    const double withIndex = firstOpening(indexed, &dayRows, &campaigns);
    std::printf("first opening, idx_date present: %.3f s, cpu %.3f s (%d days, %d campaigns)\n", withIndex, lastCpu,
                dayRows, campaigns);
    std::fflush(stdout);
    const double withoutIndex = firstOpening(plain, &dayRows, &campaigns);
    std::printf("first opening, idx_date missing (as the radar delivers it): %.3f s, cpu %.3f s (%d days, "
                "%d campaigns), target <= 1 s; idx_date afterwards: %s\n",
                withoutIndex, lastCpu, dayRows, campaigns,
                rowsOf(plain, "SELECT name FROM sqlite_master WHERE name = 'idx_date'").isEmpty() ? "no" : "yes");
    std::fflush(stdout);

    const char* const daysSql = "SELECT cpd_date, cpd_max_time FROM campaign_details ORDER BY cpd_id";
    if (!literalQuery) {   // the literal query takes tens of seconds
        const bool same = rowsOf(indexed, daysSql) == rowsOf(plain, daysSql);
        std::printf("derived days identical with and without idx_date: %s\n", same ? "yes" : "NO");
        return same ? 0 : 1;
    }
    timer.restart();
    const QStringList literalDays =
        rowsOf(literal,
               "SELECT MIN(strftime('%Y-%m-%d %H:%M:%S',datetime(meas_date,'unixepoch','localtime'))) AS min_date,"
               "MAX(strftime('%Y-%m-%d %H:%M:%S',datetime(meas_date,'unixepoch','localtime'))) AS max_date,"
               "strftime('%Y-%m-%d',datetime(meas_date,'unixepoch','localtime')) AS day "
               "FROM measure WHERE (meas_date >0) GROUP BY day;");
    std::printf("direct day query (local time per measure): %.3f s (%d days)\n", timer.nsecsElapsed() / 1e9,
                int(literalDays.size()));

    QStringList expected;
    for (const QString& row : literalDays)
        expected << row.section(QLatin1Char('|'), 0, 1);
    const bool same = rowsOf(indexed, daysSql) == expected && rowsOf(plain, daysSql) == expected;
    std::printf("derived days identical to the direct query (with and without idx_date): %s\n", same ? "yes" : "NO");
    return same ? 0 : 1;
}
