// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/schema.h"
#include "campaign/campaignstore.h"
#include "db/databaseconnection.h"
#include "db/storemode.h"
#include "scripteddialogs.h"
#include "testdata.h"

#include <QFile>
#include <QSqlDriver>
#include <functional>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

namespace {

const QString kPattern = QStringLiteral("yyyy-MM-dd hh:mm:ss");
const QDateTime kCreated = QDateTime::fromString(QStringLiteral("2026-06-01 08:15:42"), kPattern);
const QString kCreatedIso = QStringLiteral("2026-06-01T08:15:42");
const QString kRowid = QStringLiteral("Days derived along the rowid order");
const QString kLiteral = QStringLiteral("Days derived by one local-time conversion per measure");
const QString kIndex = QStringLiteral("Days derived along idx_date");
QStringList logged;

qint64 utc(const char* text)
{
    QDateTime t = QDateTime::fromString(QString::fromLatin1(text), kPattern);
    t.setTimeSpec(Qt::UTC);
    return t.toSecsSinceEpoch();
}

QVector<qint64> local(std::initializer_list<const char*> texts)
{
    QVector<qint64> out;
    for (const char* t : texts)
        out << localTime(QString::fromLatin1(t));
    return out;
}

QVector<Row> rowsAt(const QVector<qint64>& times)
{
    QVector<Row> rows;
    for (qint64 t : times)
        rows.append(Row{t, int(t % 90) + 20, int(t % 2)});
    return rows;
}

// Result rows of one SELECT, columns joined by '|'; read with SQLite itself.
QStringList query(const QString& path, const QString& sql)
{
    QStringList out;
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK
        && sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW) {
            QStringList cols;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                cols << (text ? QString::fromUtf8(text) : QStringLiteral("NULL"));
            }
            out << cols.join(QLatin1Char('|'));
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}

QStringList dump(const QString& path, const char* table)
{
    return query(path, QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(QLatin1String(table)));
}

const QString kCreateTables = QLatin1String(Schema::campaign) + QLatin1String(Schema::campaignDetails);

bool withTables(const QString& path, const QString& more = QString())
{
    return execSql(path, kCreateTables) && (more.isEmpty() || execSql(path, more));
}

// The derivation exactly as first written: one local-time conversion per measure inside SQLite,
// then one built INSERT per result row. Run with SQLite alone, as the oracle.
void literalDerivation(const QString& path, int storeMode)
{
    execSql(path, kCreateTables);   // fails harmlessly when they exist
    QString script;
    for (const QString& day :
         query(path,
               QStringLiteral(
                   "SELECT MIN(strftime('%Y-%m-%d %H:%M:%S',datetime(meas_date,'unixepoch','localtime'))) AS min_date,"
                   "MAX(strftime('%Y-%m-%d %H:%M:%S',datetime(meas_date,'unixepoch','localtime'))) AS max_date,"
                   "strftime('%Y-%m-%d',datetime(meas_date,'unixepoch','localtime')) AS day "
                   "FROM measure WHERE (meas_date >0) GROUP BY day;")))
        script += QStringLiteral("INSERT INTO campaign_details (product_prod_id, cpd_date,campaign_camp_id, "
                                 "cpd_status, cpd_attempt, last_updated, cpd_max_time) VALUES "
                                 "('1','%1','0','4','1','%2','%3');")
                      .arg(day.section(QLatin1Char('|'), 0, 0), kCreatedIso, day.section(QLatin1Char('|'), 1, 1));
    if (script.isEmpty())
        return;
    execSql(path, script);
    script.clear();
    for (const QString& m :
         query(path,
               QStringLiteral("SELECT MIN(strftime('%Y-%m-%d %H:%M:%S',cpd_date)) AS min_date,"
                              "MAX(strftime('%Y-%m-%d %H:%M:%S',cpd_max_time)) AS max_date,"
                              "strftime('%Y-%m',cpd_date) AS month FROM campaign_details GROUP BY month;")))
        script += QStringLiteral("INSERT INTO campaign (product_prod_id, camp_date_begin,camp_date_end, "
                                 "date_created, camp_store_mode, camp_title, camp_comment) VALUES "
                                 "('1','%1','%2','%3','%4','%5','Campagne créée automatiquement');")
                      .arg(m.section(QLatin1Char('|'), 0, 0), m.section(QLatin1Char('|'), 1, 1), kCreatedIso,
                           QString::number(storeMode),
                           CampaignStore::monthTitle(
                               QDate::fromString(m.section(QLatin1Char('|'), 2, 2) + "-01", Qt::ISODate)));
    execSql(path, script);
}

// An open connection and a store on one file, closed at the end of the scope.
// SQLite commits on the open connection while f runs: each one syncs the file to disk.
int commitsDuring(const DatabaseConnection& db, const std::function<void()>& f)
{
    const QVariant v = db.connection().driver()->handle();
    if (qstrcmp(v.typeName(), "sqlite3*") != 0)
        return -1;
    sqlite3* handle = *static_cast<sqlite3* const*>(v.constData());
    int commits = 0;
    sqlite3_commit_hook(
        handle, [](void* n) { return ++*static_cast<int*>(n), 0; }, &commits);
    f();
    sqlite3_commit_hook(handle, nullptr, nullptr);
    return commits;
}

struct Opened
{
    explicit Opened(const QString& path) : ok(db.open(path)) { }
    ~Opened() { db.close(); }
    DatabaseConnection db;
    CampaignStore store;
    bool ok;
};

}   // namespace

class TestCampaignStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        QCOMPARE(qgetenv("TZ"), QByteArray("Europe/Paris"));
    }

    void derivationMatchesLiteralStatements_data()
    {
        QTest::addColumn<QVector<qint64>>("times");
        QTest::addColumn<bool>("withMarker");
        QTest::addColumn<QString>("prefill");   // SQL run on both copies before the derivation
        QTest::addColumn<QString>("way");   // what the derivation logs it walked

        QTest::newRow("month boundary, midnight exactly, past 2038")
            << local({"2026-04-30 10:00:00", "2026-04-30 23:59:59", "2026-05-01 00:00:00", "2026-05-31 23:59:59",
                      "2026-06-01 00:00:00", "2040-07-01 12:00:00"})
            << true << QString() << kRowid;
        QTest::newRow("spring change") << (local({"2026-03-28 23:59:59", "2026-03-29 00:00:00", "2026-03-29 01:59:59",
                                                  "2026-03-29 03:30:00", "2026-03-29 23:59:59", "2026-03-30 00:00:00"})
                                           << utc("2026-03-29 01:00:00"))
                                       << false << QString() << kRowid;
        // 2025-10-26 holds only the repeated hour: its smallest text comes from the second pass.
        QTest::newRow("autumn change, both passes of the repeated hour")
            << QVector<qint64>{utc("2026-10-24 21:59:59"), utc("2026-10-24 22:00:00"), utc("2026-10-25 00:10:00"),
                               utc("2026-10-25 00:59:59"), utc("2026-10-25 01:00:00"), utc("2026-10-25 01:55:00"),
                               utc("2026-10-25 22:59:59"), utc("2026-10-25 23:00:00"), utc("2025-10-26 00:30:00"),
                               utc("2025-10-26 01:10:00")}
            << true << QString() << kRowid;
        // Times with a fraction of a second, one in the last second of its day.
        QTest::newRow("fractional seconds")
            << local({"2026-05-10 12:00:00"}) << true
            << QStringLiteral("INSERT INTO measure (meas_date, meas_speed, meas_direction) VALUES (%1.5, 50, 0), "
                              "(%2.25, 51, 1);")
                   .arg(localTime(QStringLiteral("2026-05-10 23:59:59")))
                   .arg(localTime(QStringLiteral("2026-05-11 08:00:00")))
            << kRowid;
        QTest::newRow("single measure") << local({"2026-02-10 13:37:00"}) << false << QString() << kRowid;
        QTest::newRow("units marker only") << QVector<qint64>{} << true << QString() << kRowid;
        QTest::newRow("days registered, no campaign yet")
            << local({"2026-05-02 08:00:00", "2026-05-03 09:00:00"}) << true
            << QStringLiteral("INSERT INTO campaign_details (product_prod_id, cpd_date, campaign_camp_id, cpd_status, "
                              "cpd_attempt, cpd_max_time) VALUES (1, '2026-05-02 00:00:00', 0, 1, 0, '1970-01-01');")
            << kRowid;

        // Over a year of traffic, denser around the changes of hour.
        QRandomGenerator random(20260501);
        QVector<qint64> year;
        const qint64 from = localTime(QStringLiteral("2025-09-01 00:00:00"));
        const qint64 to = localTime(QStringLiteral("2026-12-01 00:00:00"));
        for (int i = 0; i < 4000; ++i)
            year << from + qint64(random.bounded(quint32(to - from)));
        for (const char* change : {"2025-10-26 00:00:00", "2026-03-29 00:00:00", "2026-10-25 00:00:00"})
            for (int i = 0; i < 300; ++i)
                year << utc(change) + random.bounded(3 * 3600);
        QTest::newRow("random year") << year << true << QString() << kLiteral;
        QTest::newRow("random year, indexed")
            << year << true << QStringLiteral("CREATE INDEX idx_date ON measure(meas_date);") << kIndex;
        // As a radar writes it, with a few readings stored late and a lone one on 2026-01-07.
        std::sort(year.begin(), year.end());
        year << localTime(QStringLiteral("2026-01-07 12:00:00"));
        for (int i = 0; i < 40; ++i)
            std::swap(year[random.bounded(year.size())], year[random.bounded(year.size())]);
        QTest::newRow("year in time order, some late") << year << true << QString() << kRowid;
        // Rowids take the whole 64-bit range: the search along them neither overflows nor hangs.
        const QString extremes =
            QStringLiteral("INSERT INTO measure (meas_id, meas_date, meas_speed, meas_direction) VALUES "
                           "(%1, %2, 50, 0), (9223372036854775807, %3, 51, 1);");
        QTest::newRow("largest rowid")
            << local({"2026-05-01 10:00:00", "2026-05-02 10:00:00"}) << true
            << extremes.arg(1000).arg(localTime("2026-05-02 11:00:00")).arg(localTime("2026-05-03 08:00:00")) << kRowid;
        QTest::newRow("smallest and largest rowids") << local({"2026-05-01 12:00:00"}) << false
                                                     << extremes.arg(QStringLiteral("-9223372036854775808"))
                                                            .arg(localTime("2026-05-01 10:00:00"))
                                                            .arg(localTime("2026-06-03 08:00:00"))
                                                     << kRowid;
    }

    void derivationMatchesLiteralStatements()
    {
        QFETCH(QVector<qint64>, times);
        QFETCH(bool, withMarker);
        QFETCH(QString, prefill);
        QFETCH(QString, way);
        const QString fast = newPath("fast"), literal = newPath("literal");
        QVERIFY(writeMeasureDb(fast, rowsAt(times), true, withMarker ? 2 : -1));
        if (!prefill.isEmpty())
            QVERIFY(withTables(fast, prefill));
        QVERIFY(QFile::copy(fast, literal));

        ScriptedDialogs dialogs;
        {
            Opened o(fast);
            QVERIFY(o.ok);
            logged.clear();
            const QtMessageHandler previous = qInstallMessageHandler(
                [](QtMsgType, const QMessageLogContext&, const QString& text) { logged << text; });
            o.store.verifyCampaigns(&o.db, kCreated);
            qInstallMessageHandler(previous);
            if (!times.isEmpty())
                QVERIFY2(logged.filter(way).size() == 1, qPrintable(way));
            o.store.verifyCampaigns(&o.db, kCreated.addDays(1));   // derived once: changes nothing
        }
        // Readings minutes apart: one per vehicle, once there are enough to tell.
        literalDerivation(literal, times.size() >= StoreModeEvidence::kEnough ? 1 : 0);
        for (const char* table : {"campaign_details", "campaign", "measure"})
            QCOMPARE(dump(fast, table), dump(literal, table));
        QCOMPARE(dump(fast, "campaign_details").isEmpty(), times.isEmpty());
    }

    void endDateCorrection_data()
    {
        QTest::addColumn<QString>("campaignEnd");
        QTest::addColumn<QString>("detailDate");
        QTest::addColumn<QString>("maxTime");
        QTest::addColumn<QString>("expectedEnd");

        const auto row = [](const char* name, const char* detailDate, const char* maxTime, const char* expectedEnd,
                            const char* campaignEnd = "2026-05-10 12:00:00") {
            QTest::newRow(name) << campaignEnd << detailDate << maxTime << (expectedEnd ? expectedEnd : campaignEnd);
        };
        const char* const midnight = "2026-05-10 00:00:00";
        row("midnight row", midnight, "2026-05-10 18:30:05", "2026-05-10 18:30:05");
        row("stored with T", midnight, "2026-05-10T18:30:05", "2026-05-10 18:30:05", "2026-05-10T12:00:00");
        row("detail not at midnight", "2026-05-10 08:00:00", "2026-05-10 18:30:05", nullptr);
        row("detail midnight with T", "2026-05-10T00:00:00", "2026-05-10 18:30:05", nullptr);
        row("other day", "2026-05-11 00:00:00", "2026-05-11 18:30:05", nullptr);
        row("max time not a date", midnight, "0000-00-00 00:00:00", nullptr);
        // A day registered but not yet downloaded holds the epoch, before it in local time here.
        row("registered day, epoch", midnight, "1970-01-01 00:00:00", nullptr);
        row("under 86000 s", midnight, "1970-01-01 23:00:00", nullptr);
        row("just 86000 s", midnight, "1970-01-02 00:53:20", "1970-01-02 00:53:20");
    }

    void endDateCorrection()
    {
        QFETCH(QString, campaignEnd);
        QFETCH(QString, detailDate);
        QFETCH(QString, maxTime);
        QFETCH(QString, expectedEnd);
        const QString path = newPath("enddate");
        QVERIFY(writeMeasureDb(path, rowsAt(local({"2026-05-10 11:00:00"}))));
        // Campaign 2 belongs to another unit and is never touched.
        QVERIFY(withTables(path,
                           QStringLiteral("INSERT INTO campaign (product_prod_id, camp_date_begin, camp_date_end) "
                                          "VALUES (1, '2026-05-01', '%1'), (2, '2026-05-01', '%1');"
                                          "INSERT INTO campaign_details (product_prod_id, cpd_date, "
                                          "campaign_camp_id, cpd_max_time) VALUES (1, '%2', 1, '%3');")
                               .arg(campaignEnd, detailDate, maxTime)));
        const QStringList detailsBefore = dump(path, "campaign_details");
        ScriptedDialogs dialogs;
        {
            Opened o(path);
            QVERIFY(o.ok);
            QCOMPARE(o.store.checkCampaignEndDates(&o.db, 1), expectedEnd != campaignEnd);
        }
        QCOMPARE(query(path, QStringLiteral("SELECT camp_date_end FROM campaign ORDER BY camp_id")),
                 QStringList({expectedEnd, campaignEnd}));
        QCOMPARE(dump(path, "campaign_details"), detailsBefore);
    }

    // The first opening derives the campaigns behind one progress dialog, the next shows none. Two
    // first openings of one file at once: the one that comes second finds the campaigns the other
    // stored while it was finding the days, and stores none.
    void firstOpenings()
    {
        const QString path = newPath("first");
        QVERIFY(writeMeasureDb(
            path, rowsAt(local({"2026-04-30 10:00:00", "2026-05-02 08:00:00", "2026-05-28 17:45:10"})), true, 1));
        ScriptedDialogs dialogs;
        Opened first(path), second(path);
        QVERIFY(first.ok && second.ok);
        // The first has decided that there is no campaign yet when its progress starts.
        first.store.verifyCampaigns(&first.db, kCreated, [&](const ProgressOptions& options) {
            second.store.verifyCampaigns(&second.db, kCreated);
            return dialogProgress()(options);
        });
        first.store.verifyCampaigns(&first.db, kCreated, dialogProgress());
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dump(path, "campaign").size(), 2);
        QCOMPARE(dump(path, "campaign_details").size(), 3);
        QCOMPARE(first.store.campaignList(&first.db, 1), QList<int>({2, 1}));   // May, then April
        QVERIFY(first.db.notice().text.isEmpty());
    }

    void deletion_data()
    {
        QTest::addColumn<QString>("more");   // SQL run before the deletion
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<QList<int>>("kept");   // the measures left, by their place in times below; -1 the marker

        const QString other = QStringLiteral("INSERT INTO campaign (product_prod_id, camp_date_begin, camp_date_end) "
                                             "VALUES (1, '%1', '%2');");
        QTest::newRow("its whole period") << QString() << true << QList<int>{-1, 3, 4};
        // A month stored twice by two first openings at once keeps its measures when one goes.
        QTest::newRow("another campaign of the same period")
            << other.arg("2026-05-03 10:00:00", "2026-05-05 09:00:00") << true << QList<int>{-1, 0, 1, 2, 3, 4};
        QTest::newRow("another campaign over its last day")
            << other.arg("2026-05-05 08:00:00", "2026-05-06 09:00:00") << true << QList<int>{-1, 2, 3, 4};
        QTest::newRow("a step fails: nothing removed")
            << QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON campaign BEGIN SELECT RAISE(ABORT, 'gardée'); END;")
            << false << QList<int>{-1, 0, 1, 2, 3, 4};
    }

    void deletion()
    {
        QFETCH(QString, more);
        QFETCH(bool, deleted);
        QFETCH(QList<int>, kept);
        const QString path = newPath("delete");
        const QVector<qint64> times = local({
            "2026-05-03 00:00:00",   // first second of the campaign's first day
            "2026-05-03 08:00:00",   // before the recorded begin, same day
            "2026-05-05 09:00:00",   // the recorded end
            "2026-05-05 09:00:01",   // one second after
            "2026-05-02 23:59:59",   // one second before
        });
        QVERIFY(writeMeasureDb(path, rowsAt(times), true, 0));
        QVERIFY(withTables(
            path,
            QStringLiteral(
                "INSERT INTO campaign (product_prod_id, camp_date_begin, camp_date_end) VALUES "
                "(1, '2026-05-03 14:30:00', '2026-05-05T09:00:00'), (1, 'never', '2026-05-05 09:00:00');"
                "INSERT INTO campaign_details (product_prod_id, cpd_date, campaign_camp_id) VALUES "
                "(1, '2026-05-03 00:00:00', 1), (1, '2026-05-04 00:00:00', 0), (1, '2026-05-05 00:00:00', 2);")));
        if (!more.isEmpty())
            QVERIFY(execSql(path, more));
        const QStringList detailsBefore =
            query(path, QStringLiteral("SELECT campaign_camp_id FROM campaign_details ORDER BY 1"));
        ScriptedDialogs dialogs;
        {
            Opened o(path);
            QVERIFY(o.ok);
            // Unknown campaign, or one whose period cannot be read: nothing removed.
            QVERIFY(!o.store.deleteCampaign(&o.db, 7));
            QVERIFY(!o.store.deleteCampaign(&o.db, 2));
            QCOMPARE(o.store.countMeasures(&o.db), times.size() + 1);
            // All or nothing, in one sync.
            bool done = false;
            QCOMPARE(commitsDuring(o.db, [&]() { done = o.store.deleteCampaign(&o.db, 1); }), deleted ? 1 : 0);
            QCOMPARE(done, deleted);
            QCOMPARE(o.store.campaignList(&o.db, 1).contains(1), !deleted);
            QCOMPARE(o.db.notice().text.isEmpty(), deleted);
        }
        QStringList keptTimes;
        for (int i : kept)
            keptTimes << QString::number(i < 0 ? 0 : times[i]);
        QCOMPARE(query(path, QStringLiteral("SELECT meas_date FROM measure ORDER BY rowid")), keptTimes);
        // The rows of campaign 0 and 2 stay.
        QCOMPARE(query(path, QStringLiteral("SELECT campaign_camp_id FROM campaign_details ORDER BY 1")),
                 deleted ? QStringList({QStringLiteral("0"), QStringLiteral("2")}) : detailsBefore);
    }

    // Many statements, one sync: the first opening's days and months (a process killed during it
    // leaves the file as it was), and what runs on every opening.
    void oneCommitEach()
    {
        const QString path = newPath("commits");
        QVERIFY(
            writeMeasureDb(path, rowsAt(local({"2026-03-10 11:00:00", "2026-04-11 11:00:00", "2026-05-12 11:00:00"}))));
        QVERIFY(withTables(path));
        ScriptedDialogs dialogs;
        Opened o(path);
        QVERIFY(o.ok);
        QCOMPARE(commitsDuring(o.db, [&]() { o.store.verifyCampaigns(&o.db, kCreated); }), 1);
        QCOMPARE(o.store.campaignList(&o.db, 1).size(), 3);
        // As a radar's own rows: days at midnight, campaigns ending before their last reading.
        QVERIFY(o.db.execute("UPDATE campaign_details SET cpd_date = substr(cpd_date, 1, 10) || ' 00:00:00'"));
        QVERIFY(o.db.execute("UPDATE campaign SET camp_date_end = replace(camp_date_end, '11:00', '10:00')"));
        QCOMPARE(commitsDuring(o.db, [&]() { QVERIFY(o.store.checkCampaignEndDates(&o.db, 1)); }), 1);
        QCOMPARE(query(path, "SELECT camp_date_end FROM campaign WHERE camp_date_end LIKE '%10:00:00'"), QStringList());
    }

    void oddCampaignRows()
    {
        const QString path = newPath("odd");
        QVERIFY(writeMeasureDb(path, {}));
        QVERIFY(execSql(path, kCreateTables.section(QLatin1Char(';'), 0, 0)));   // no details
        QVERIFY(execSql(path,
                        QStringLiteral("INSERT INTO campaign (product_prod_id, camp_date_begin, camp_date_end, "
                                       "date_created, camp_store_mode) VALUES (1, '2026-05-03T14:30:00', "
                                       "'2026-05-05T09:00:00', '2026-05-06T10:00:00', 3), (1, '3 mai', "
                                       "'2026-05-05 09:00:00', NULL, 1), (1, '2026-05-03 14:30:00', NULL, '', 2);")));
        ScriptedDialogs dialogs;
        Opened o(path);
        QVERIFY(o.ok);
        // Read through the blank or T forms alike; the start is midnight of the first day.
        QDateTime start, end;
        QVERIFY(o.store.campaignPeriod(&o.db, 1, start, end));
        QCOMPARE(start, QDateTime::fromString(QStringLiteral("2026-05-03 00:00:00"), kPattern));
        QCOMPARE(end, QDateTime::fromString(QStringLiteral("2026-05-05 09:00:00"), kPattern));
        QCOMPARE(o.store.campaignCreationDate(&o.db, 1),
                 QDateTime::fromString(QStringLiteral("2026-05-06 10:00:00"), kPattern));
        QCOMPARE(o.store.campaignStoreMode(&o.db, 1), 3);
        // A begin or end that is not a date, a missing row or table: neutral values, outs untouched.
        for (int id : {2, 3, 9})
            QVERIFY(!o.store.campaignPeriod(&o.db, id, start, end));
        QCOMPARE(start, QDateTime::fromString(QStringLiteral("2026-05-03 00:00:00"), kPattern));
        QVERIFY(!o.store.campaignCreationDate(&o.db, 2).isValid());
        QCOMPARE(o.store.campaignStoreMode(&o.db, 9), 0);
        QCOMPARE(o.store.campaignTitle(&o.db, 9), QString());
        QCOMPARE(o.store.countCampaignDetails(&o.db), -1);
        QVERIFY(!o.store.checkCampaignEndDates(&o.db, 1));

        // Titles and comments go in bound, quotes and all.
        const QString title = QStringLiteral("L'été \"chaud\"; DROP TABLE campaign;");
        QVERIFY(o.store.setTitleAndComment(&o.db, title, QStringLiteral("<p>ok</p>"), 1));
        QCOMPARE(o.store.campaignTitle(&o.db, 1), title);
        QCOMPARE(o.store.campaignComment(&o.db, 1), QStringLiteral("<p>ok</p>"));
        QVERIFY(dialogs.shown().isEmpty());
    }

private:
    QString newPath(const char* name)
    {
        static int n = 0;
        return m_dir.filePath(QStringLiteral("%1%2.db").arg(QLatin1String(name)).arg(n++));
    }
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestCampaignStore)
#include "tst_campaignstore.moc"
