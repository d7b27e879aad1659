#include "campaign/qorcampaign.h"
#include "db/databasemanager.h"
#include "scripteddialogs.h"
#include "testdata.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

namespace {

const QString kPattern = QStringLiteral("yyyy-MM-dd hh:mm:ss");

qint64 utc(const QString& text)
{
    QDateTime t = QDateTime::fromString(text, kPattern);
    t.setTimeSpec(Qt::UTC);
    return t.toSecsSinceEpoch();
}

QVector<Row> rowsAt(const QVector<qint64>& times)
{
    QVector<Row> rows;
    int speed = 30;
    for (qint64 t : times)
        rows.append(Row{t, speed++ % 120 + 1, int(t % 2)});
    return rows;
}

// Every row of a table, columns joined by '|', in id order; read with SQLite itself.
QStringList dump(const QString& path, const QString& table)
{
    QStringList out;
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        const QByteArray sql = "SELECT * FROM " + table.toUtf8() + " ORDER BY 1";
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                QStringList cols;
                for (int c = 0; c < sqlite3_column_count(st); ++c) {
                    const unsigned char* text = sqlite3_column_text(st, c);
                    cols << (text ? QString::fromUtf8(reinterpret_cast<const char*>(text)) : QStringLiteral("NULL"));
                }
                out << cols.join(QLatin1Char('|'));
            }
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return out;
}

const char* const kCreateCampaign =
    "CREATE TABLE campaign (camp_id INTEGER PRIMARY KEY AUTOINCREMENT,product_prod_id INTEGER UNSIGNED NOT NULL,"
    "camp_date_begin DATETIME NULL,camp_date_end DATETIME NULL,date_created DATETIME NULL,camp_store_mode INTEGER "
    "DEFAULT 0,camp_title VARCHAR(255) NOT NULL DEFAULT '',camp_comment TEXT NOT NULL DEFAULT '');";
const char* const kCreateDetails =
    "CREATE TABLE campaign_details (cpd_id INTEGER PRIMARY KEY AUTOINCREMENT,product_prod_id INTEGER UNSIGNED NOT "
    "NULL,cpd_date DATETIME NULL,campaign_camp_id INTEGER UNSIGNED NOT NULL,cpd_status TINYINT UNSIGNED NULL DEFAULT "
    "0,cpd_attempt TINYINT UNSIGNED NULL DEFAULT 0,last_updated DATETIME NULL,cpd_max_time DATETIME DEFAULT "
    "'0000-00-00 00:00:00');";

// The derivation exactly as first written: one local-time conversion per measure inside SQLite,
// then one built INSERT per result row. Run with SQLite alone, as the oracle.
bool literalDerivation(const QString& path, const QString& created, const QString& title, const QString& comment)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    auto selectAll = [db](const char* sql) {
        QVector<QStringList> rows;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                QStringList cols;
                for (int c = 0; c < sqlite3_column_count(st); ++c)
                    cols << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
                rows << cols;
            }
        }
        sqlite3_finalize(st);
        return rows;
    };
    sqlite3_exec(db, kCreateCampaign, nullptr, nullptr, nullptr);
    sqlite3_exec(db, kCreateDetails, nullptr, nullptr, nullptr);
    const auto days = selectAll(
        "SELECT MIN(strftime('%Y-%m-%d %H:%M:%S',datetime(meas_date,'unixepoch','localtime'))) AS min_date,"
        "MAX(strftime('%Y-%m-%d %H:%M:%S',datetime(meas_date,'unixepoch','localtime'))) AS max_date,"
        "strftime('%Y-%m-%d',datetime(meas_date,'unixepoch','localtime')) AS day "
        "FROM measure WHERE (meas_date >0) GROUP BY day;");
    for (const QStringList& d : days) {
        const QString sql = QStringLiteral("INSERT INTO campaign_details (product_prod_id, cpd_date,campaign_camp_id, "
                                           "cpd_status, cpd_attempt, last_updated, cpd_max_time) VALUES "
                                           "('1','%1','0','4','1','%2','%3');")
                                .arg(d[0], created, d[1]);
        sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    }
    if (!days.isEmpty()) {
        const auto months = selectAll("SELECT MIN(strftime('%Y-%m-%d %H:%M:%S',cpd_date)) AS min_date,"
                                      "MAX(strftime('%Y-%m-%d %H:%M:%S',cpd_max_time)) AS max_date,"
                                      "strftime('%Y-%m',cpd_date) AS month FROM campaign_details GROUP BY month;");
        for (const QStringList& m : months) {
            const QString sql = QStringLiteral("INSERT INTO campaign (product_prod_id, camp_date_begin,camp_date_end, "
                                               "date_created, camp_store_mode, camp_title, camp_comment) VALUES "
                                               "('1','%1','%2','%3','0','%4','%5');")
                                    .arg(m[0], m[1], created, title, comment);
            sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
        }
    }
    sqlite3_close(db);
    return true;
}

const QDateTime kCreated = QDateTime::fromString(QStringLiteral("2026-06-01 08:15:42"), kPattern);
const QString kCreatedIso = QStringLiteral("2026-06-01T08:15:42");

} // namespace

class TestQorCampaign : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void derivationMatchesLiteralStatements_data();
    void derivationMatchesLiteralStatements();
    void firstOpening();
    void failedInsertKeepsEarlierDays();
    void endDateCorrection_data();
    void endDateCorrection();
    void deletion();
    void attributesOfOddRows_data();
    void attributesOfOddRows();

private:
    QString newPath(const QString& name) { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestQorCampaign::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    QCOMPARE(qgetenv("TZ"), QByteArray("Europe/Paris"));
}

void TestQorCampaign::derivationMatchesLiteralStatements_data()
{
    QTest::addColumn<QVector<qint64>>("times");
    QTest::addColumn<bool>("withMarker");
    QTest::addColumn<QString>("prefill");   // SQL run on both copies before the derivation

    auto local = [](std::initializer_list<const char*> texts) {
        QVector<qint64> out;
        for (const char* t : texts)
            out << localTime(QString::fromLatin1(t));
        return out;
    };
    QTest::newRow("month boundary, midnight exactly")
        << local({"2026-04-30 10:00:00", "2026-04-30 23:59:59", "2026-05-01 00:00:00", "2026-05-02 12:00:00",
                  "2026-05-31 23:59:59", "2026-06-01 00:00:00"})
        << true << QString();
    QTest::newRow("spring change")
        << (local({"2026-03-28 23:59:59", "2026-03-29 00:00:00", "2026-03-29 01:59:59", "2026-03-29 03:30:00",
                   "2026-03-29 23:59:59", "2026-03-30 00:00:00"})
            << utc(QStringLiteral("2026-03-29 01:00:00")))
        << false << QString();
    QTest::newRow("autumn change, both passes of the repeated hour")
        << QVector<qint64>{utc(QStringLiteral("2026-10-24 21:59:59")), utc(QStringLiteral("2026-10-24 22:00:00")),
                           utc(QStringLiteral("2026-10-25 00:10:00")), utc(QStringLiteral("2026-10-25 00:50:00")),
                           utc(QStringLiteral("2026-10-25 00:59:59")), utc(QStringLiteral("2026-10-25 01:00:00")),
                           utc(QStringLiteral("2026-10-25 01:05:00")), utc(QStringLiteral("2026-10-25 01:55:00")),
                           utc(QStringLiteral("2026-10-25 22:59:59")), utc(QStringLiteral("2026-10-25 23:00:00"))}
        << true << QString();
    // The smallest text comes from the second pass, the largest from the first.
    QTest::newRow("day made only of the repeated hour")
        << QVector<qint64>{utc(QStringLiteral("2025-10-26 00:30:00")), utc(QStringLiteral("2025-10-26 01:10:00"))}
        << true << QString();
    QTest::newRow("single measure at midnight") << local({"2026-07-14 00:00:00"}) << false << QString();
    QTest::newRow("single measure") << local({"2026-02-10 13:37:00"}) << true << QString();
    QTest::newRow("equal times") << local({"2026-02-10 13:37:00", "2026-02-10 13:37:00", "2026-02-11 00:00:00",
                                           "2026-02-11 00:00:00"})
                                 << true << QString();
    QTest::newRow("first seconds after the epoch")
        << QVector<qint64>{1, 3599, 3600, 82799, 82800, 86400} << true << QString();
    QTest::newRow("years apart, past 2038")
        << local({"2019-06-01 12:00:00", "2026-06-01 12:00:00", "2040-07-01 12:00:00", "2040-07-01 23:30:00"})
        << true << QString();
    QTest::newRow("marker only") << QVector<qint64>{} << true << QString();
    QTest::newRow("days registered, no campaign yet")
        << local({"2026-05-02 08:00:00", "2026-05-03 09:00:00"}) << true
        << QStringLiteral("INSERT INTO campaign_details (product_prod_id, cpd_date, campaign_camp_id, cpd_status, "
                          "cpd_attempt, last_updated, cpd_max_time) VALUES (1, '2026-05-02 00:00:00', 0, 1, 0, NULL, "
                          "'1970-01-01 00:00:00');");

    // A year and a half of traffic, denser around both changes of hour.
    QRandomGenerator random(20260501);
    QVector<qint64> year;
    const qint64 from = localTime(QStringLiteral("2025-09-01 00:00:00"));
    const qint64 to = localTime(QStringLiteral("2026-12-01 00:00:00"));
    for (int i = 0; i < 6000; ++i)
        year << from + qint64(random.bounded(quint32(to - from)));
    for (const char* change : {"2025-10-26 00:00:00", "2026-03-29 00:00:00", "2026-10-25 00:00:00"}) {
        const qint64 night = utc(QString::fromLatin1(change));
        for (int i = 0; i < 400; ++i)
            year << night + random.bounded(3 * 3600);
    }
    QTest::newRow("random year") << year << true << QString();
}

void TestQorCampaign::derivationMatchesLiteralStatements()
{
    QFETCH(QVector<qint64>, times);
    QFETCH(bool, withMarker);
    QFETCH(QString, prefill);
    static int n = 0;
    const QString fast = newPath(QStringLiteral("fast%1.db").arg(n));
    const QString literal = newPath(QStringLiteral("literal%1.db").arg(n++));
    QVERIFY(writeMeasureDb(fast, rowsAt(times), true, withMarker ? 2 : -1));
    if (!prefill.isEmpty()) {
        QVERIFY(execSql(fast, QString::fromLatin1(kCreateCampaign)));
        QVERIFY(execSql(fast, QString::fromLatin1(kCreateDetails)));
        QVERIFY(execSql(fast, prefill));
    }
    QVERIFY(QFile::copy(fast, literal));

    ScriptedDialogs dialogs;
    {
        DatabaseManager db;
        QVERIFY(db.openDatabase(fast));
        QorCampaign store;
        store.verifyCampaigns(&db, kCreated);
        db.closeDatabase();
    }
    QVERIFY(literalDerivation(literal, kCreatedIso, QStringLiteral("Téléchargement du ") + kCreatedIso,
                              QStringLiteral("Campagne créée automatiquement")));

    const QStringList details = dump(fast, QStringLiteral("campaign_details"));
    QCOMPARE(details, dump(literal, QStringLiteral("campaign_details")));
    QCOMPARE(dump(fast, QStringLiteral("campaign")), dump(literal, QStringLiteral("campaign")));
    QCOMPARE(dump(fast, QStringLiteral("measure")), dump(literal, QStringLiteral("measure")));
    if (!times.isEmpty())
        QVERIFY(!details.isEmpty());
}

void TestQorCampaign::firstOpening()
{
    const QString path = newPath(QStringLiteral("first.db"));
    QVERIFY(writeMeasureDb(path,
                           rowsAt({localTime(QStringLiteral("2026-04-30 10:00:00")),
                                   localTime(QStringLiteral("2026-05-02 08:00:00")),
                                   localTime(QStringLiteral("2026-05-28 17:45:10"))}),
                           true, 1));
    ScriptedDialogs dialogs;
    DatabaseManager db;
    QVERIFY(db.openDatabase(path));
    QorCampaign store;
    store.verifyCampaigns(&db, kCreated);
    QCOMPARE(dialogs.progressLabels,
             QStringList({QStringLiteral("Vérification de la structure ..."),
                          QStringLiteral("Vérification des campagnes ...<br/>Ce traitement peut prendre du temps "
                                         "mais<br/>est effectué une seule fois<br/>"),
                          QStringLiteral("Mise à jour des campagnes")}));
    QCOMPARE(dialogs.shown().size(), 1);
    QCOMPARE(dialogs.shown().first().kind, QStringLiteral("progress"));

    QCOMPARE(store.countCampaignDetails(&db), 3);
    const QList<int> ids = store.campaignList(&db, 1);
    QCOMPARE(ids, QList<int>({2, 1}));   // May, then April
    QCOMPARE(store.campaignTitle(&db, 2), QStringLiteral("Téléchargement du 2026-06-01T08:15:42"));
    QCOMPARE(store.campaignComment(&db, 2), QStringLiteral("Campagne créée automatiquement"));
    QCOMPARE(store.campaignStoreMode(&db, 2), 0);
    QCOMPARE(store.campaignCreationDate(&db, 2), kCreated);
    QDateTime start, end;
    QVERIFY(store.campaignPeriod(&db, 2, start, end));
    QCOMPARE(start, QDateTime::fromString(QStringLiteral("2026-05-02 00:00:00"), kPattern));
    QCOMPARE(end, QDateTime::fromString(QStringLiteral("2026-05-28 17:45:10"), kPattern));
    QVERIFY(store.campaignList(&db, 2).isEmpty());

    // Derived once: the next opening changes nothing.
    store.verifyCampaigns(&db, kCreated.addDays(1));
    QCOMPARE(store.countCampaignDetails(&db), 3);
    QCOMPARE(store.campaignList(&db, 1).size(), 2);
    QCOMPARE(dialogs.shown().size(), 1);
    db.closeDatabase();

    // Nothing to derive from: no day, no campaign.
    const QString empty = newPath(QStringLiteral("markeronly.db"));
    QVERIFY(writeMeasureDb(empty, {}, true, 2));
    QVERIFY(db.openDatabase(empty));
    store.verifyCampaigns(&db, kCreated);
    QCOMPARE(store.countCampaignDetails(&db), 0);
    QVERIFY(store.campaignList(&db, 1).isEmpty());
    QCOMPARE(store.countMeasures(&db), 1);
    db.closeDatabase();
}

void TestQorCampaign::failedInsertKeepsEarlierDays()
{
    const QString path = newPath(QStringLiteral("trigger.db"));
    QVERIFY(writeMeasureDb(path,
                           rowsAt({localTime(QStringLiteral("2026-05-01 10:00:00")),
                                   localTime(QStringLiteral("2026-05-02 10:00:00")),
                                   localTime(QStringLiteral("2026-05-03 10:00:00"))})));
    QVERIFY(execSql(path, QString::fromLatin1(kCreateCampaign)));
    QVERIFY(execSql(path, QString::fromLatin1(kCreateDetails)));
    QVERIFY(execSql(path, QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON campaign_details "
                                         "WHEN NEW.cpd_date LIKE '2026-05-02%' BEGIN SELECT RAISE(ABORT, 'no'); END;")));
    ScriptedDialogs dialogs;
    DatabaseManager db;
    QVERIFY(db.openDatabase(path));
    QorCampaign store;
    QVERIFY(!store.fillCampaignDetails(&db, kCreated));
    db.closeDatabase();
    // The day before the failure is written and committed; nothing after it.
    const QStringList details = dump(path, QStringLiteral("campaign_details"));
    QCOMPARE(details.size(), 1);
    QVERIFY(details.first().contains(QStringLiteral("2026-05-01 10:00:00")));
}

void TestQorCampaign::endDateCorrection_data()
{
    QTest::addColumn<QString>("campaignEnd");
    QTest::addColumn<QString>("detailDate");
    QTest::addColumn<QString>("maxTime");
    QTest::addColumn<QString>("expectedEnd");

    const QString end = QStringLiteral("2026-05-10 12:00:00");
    QTest::newRow("midnight row") << end << "2026-05-10 00:00:00" << "2026-05-10 18:30:05" << "2026-05-10 18:30:05";
    QTest::newRow("end stored with T") << "2026-05-10T12:00:00" << "2026-05-10 00:00:00" << "2026-05-10T18:30:05"
                                       << "2026-05-10 18:30:05";
    QTest::newRow("detail not at midnight") << end << "2026-05-10 08:00:00" << "2026-05-10 18:30:05" << end;
    QTest::newRow("detail midnight with T") << end << "2026-05-10T00:00:00" << "2026-05-10 18:30:05" << end;
    QTest::newRow("other day") << end << "2026-05-11 00:00:00" << "2026-05-11 18:30:05" << end;
    QTest::newRow("never downloaded") << end << "2026-05-10 00:00:00" << "0000-00-00 00:00:00" << end;
    QTest::newRow("not a date") << end << "2026-05-10 00:00:00" << "soon" << end;
    QTest::newRow("epoch") << end << "2026-05-10 00:00:00" << "1970-01-01 00:00:00" << end;
    QTest::newRow("under 86000 s") << end << "2026-05-10 00:00:00" << "1970-01-01 23:00:00" << end;
    QTest::newRow("just 86000 s") << end << "2026-05-10 00:00:00" << "1970-01-02 00:53:20" << "1970-01-02 00:53:20";
    QTest::newRow("end not a date") << "unknown" << "2026-05-10 00:00:00" << "2026-05-10 18:30:05" << "unknown";
}

void TestQorCampaign::endDateCorrection()
{
    QFETCH(QString, campaignEnd);
    QFETCH(QString, detailDate);
    QFETCH(QString, maxTime);
    QFETCH(QString, expectedEnd);
    static int n = 0;
    const QString path = newPath(QStringLiteral("enddate%1.db").arg(n++));
    QVERIFY(writeMeasureDb(path, rowsAt({localTime(QStringLiteral("2026-05-10 11:00:00"))})));
    QVERIFY(execSql(path, QString::fromLatin1(kCreateCampaign)));
    QVERIFY(execSql(path, QString::fromLatin1(kCreateDetails)));
    QVERIFY(execSql(path, QStringLiteral("INSERT INTO campaign (product_prod_id, camp_date_begin, camp_date_end) "
                                         "VALUES (1, '2026-05-01 00:00:00', '%1');")
                              .arg(campaignEnd)));
    // A campaign of another unit is never touched.
    QVERIFY(execSql(path, QStringLiteral("INSERT INTO campaign (product_prod_id, camp_date_begin, camp_date_end) "
                                         "VALUES (2, '2026-05-01 00:00:00', '%1');")
                              .arg(campaignEnd)));
    QVERIFY(execSql(path, QStringLiteral("INSERT INTO campaign_details (product_prod_id, cpd_date, campaign_camp_id, "
                                         "cpd_status, cpd_max_time) VALUES (1, '%1', 1, 1, '%2');")
                              .arg(detailDate, maxTime)));
    const QStringList detailsBefore = dump(path, QStringLiteral("campaign_details"));

    ScriptedDialogs dialogs;
    DatabaseManager db;
    QVERIFY(db.openDatabase(path));
    QorCampaign store;
    QCOMPARE(store.checkCampaignEndDates(&db, 1), expectedEnd != campaignEnd);
    db.closeDatabase();
    const QStringList campaigns = dump(path, QStringLiteral("campaign"));
    QCOMPARE(campaigns.at(0).section(QLatin1Char('|'), 3, 3), expectedEnd);
    QCOMPARE(campaigns.at(1).section(QLatin1Char('|'), 3, 3), campaignEnd);
    QCOMPARE(dump(path, QStringLiteral("campaign_details")), detailsBefore);
    QVERIFY(dialogs.shown().isEmpty());
}

void TestQorCampaign::deletion()
{
    const QString path = newPath(QStringLiteral("delete.db"));
    const QVector<qint64> times = {
        localTime(QStringLiteral("2026-05-03 00:00:00")), // first second of the campaign's first day
        localTime(QStringLiteral("2026-05-03 08:00:00")), // before the recorded begin, same day
        localTime(QStringLiteral("2026-05-04 12:00:00")),
        localTime(QStringLiteral("2026-05-05 09:00:00")), // the recorded end
        localTime(QStringLiteral("2026-05-05 09:00:01")), // one second after
        localTime(QStringLiteral("2026-05-02 23:59:59")), // one second before
    };
    QVERIFY(writeMeasureDb(path, rowsAt(times), true, 0));
    QVERIFY(execSql(path, QString::fromLatin1(kCreateCampaign)));
    QVERIFY(execSql(path, QString::fromLatin1(kCreateDetails)));
    QVERIFY(execSql(path, QStringLiteral("INSERT INTO campaign (product_prod_id, camp_date_begin, camp_date_end, "
                                         "camp_title) VALUES (1, '2026-05-03 14:30:00', '2026-05-05T09:00:00', 'x');")));
    QVERIFY(execSql(path, QStringLiteral("INSERT INTO campaign (product_prod_id, camp_date_begin, camp_date_end, "
                                         "camp_title) VALUES (1, 'never', '2026-05-05 09:00:00', 'bad');")));
    QVERIFY(execSql(path, QStringLiteral("INSERT INTO campaign_details (product_prod_id, cpd_date, campaign_camp_id) "
                                         "VALUES (1, '2026-05-03 00:00:00', 1), (1, '2026-05-04 00:00:00', 0), "
                                         "(1, '2026-05-05 00:00:00', 2);")));

    ScriptedDialogs dialogs;
    DatabaseManager db;
    QVERIFY(db.openDatabase(path));
    QorCampaign store;
    // Unknown campaign, or one whose period cannot be read: nothing removed.
    QVERIFY(!store.deleteCampaign(&db, 7));
    QVERIFY(!store.deleteCampaign(&db, 2));
    QCOMPARE(store.countMeasures(&db), times.size() + 1);
    QVERIFY(!store.deleteCampaign(nullptr, 1));

    QVERIFY(store.deleteCampaign(&db, 1));
    QCOMPARE(store.campaignList(&db, 1), QList<int>({2}));
    db.closeDatabase();

    QStringList kept;
    for (const QString& row : dump(path, QStringLiteral("measure")))
        kept << row.section(QLatin1Char('|'), 1, 1);
    QCOMPARE(kept, QStringList({QStringLiteral("0"), QString::number(times[4]), QString::number(times[5])}));
    const QStringList details = dump(path, QStringLiteral("campaign_details"));
    QCOMPARE(details.size(), 2);   // the row linked to campaign 1 is gone, campaign 0 and 2 stay
    QVERIFY(details[0].contains(QStringLiteral("2026-05-04")));
    QVERIFY(details[1].contains(QStringLiteral("2026-05-05")));
}

void TestQorCampaign::attributesOfOddRows_data()
{
    QTest::addColumn<QString>("insert");   // one campaign row, id 1
    QTest::addColumn<bool>("periodRead");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("storeMode");
    QTest::addColumn<bool>("createdValid");

    QTest::newRow("ordinary") << "(1, '2026-05-03 14:30:00', '2026-05-05 09:00:00', '2026-05-06 10:00:00', 3, "
                                 "'Rue d''Alsace', 'c')"
                              << true << "Rue d'Alsace" << 3 << true;
    QTest::newRow("begin not a date") << "(1, '3 mai', '2026-05-05 09:00:00', '2026-05-06', 0, 't', 'c')" << false
                                      << "t" << 0 << true;
    QTest::newRow("end missing") << "(1, '2026-05-03 14:30:00', NULL, NULL, 1, 't', 'c')" << false << "t" << 1
                                 << false;
    QTest::newRow("dates with T") << "(1, '2026-05-03T14:30:00', '2026-05-05T09:00:00', '2026-05-06T10:00:00', 0, "
                                     "'', '')"
                                  << true << "" << 0 << true;
}

void TestQorCampaign::attributesOfOddRows()
{
    QFETCH(QString, insert);
    QFETCH(bool, periodRead);
    QFETCH(QString, title);
    QFETCH(int, storeMode);
    QFETCH(bool, createdValid);
    static int n = 0;
    const QString path = newPath(QStringLiteral("odd%1.db").arg(n++));
    QVERIFY(writeMeasureDb(path, {}));
    QVERIFY(execSql(path, QString::fromLatin1(kCreateCampaign)));
    QVERIFY(execSql(path, QStringLiteral("INSERT INTO campaign (product_prod_id, camp_date_begin, camp_date_end, "
                                         "date_created, camp_store_mode, camp_title, camp_comment) VALUES ")
                              + insert + QLatin1Char(';')));
    ScriptedDialogs dialogs;
    DatabaseManager db;
    QVERIFY(db.openDatabase(path));
    QorCampaign store;
    QDateTime start = QDateTime::fromSecsSinceEpoch(5), end = start;
    QCOMPARE(store.campaignPeriod(&db, 1, start, end), periodRead);
    if (periodRead) {
        QCOMPARE(start, QDateTime::fromString(QStringLiteral("2026-05-03 00:00:00"), kPattern));
        QCOMPARE(end, QDateTime::fromString(QStringLiteral("2026-05-05 09:00:00"), kPattern));
    } else {
        QCOMPARE(start, QDateTime::fromSecsSinceEpoch(5));   // untouched
    }
    QCOMPARE(store.campaignTitle(&db, 1), title);
    QCOMPARE(store.campaignStoreMode(&db, 1), storeMode);
    QCOMPARE(store.campaignCreationDate(&db, 1).isValid(), createdValid);

    // Missing rows and tables answer the neutral values.
    QCOMPARE(store.campaignTitle(&db, 2), QString());
    QCOMPARE(store.campaignComment(&db, 2), QString());
    QCOMPARE(store.campaignStoreMode(&db, 2), 0);
    QVERIFY(!store.campaignCreationDate(&db, 2).isValid());
    QVERIFY(!store.campaignPeriod(&db, 2, start, end));
    QCOMPARE(store.countCampaignDetails(&db), -1);
    QVERIFY(!store.checkCampaignEndDates(&db, 1));

    // Titles and comments go in bound, quotes and all.
    const QString newTitle = QStringLiteral("L'été \"chaud\"; DROP TABLE campaign;");
    QVERIFY(store.setTitleAndComment(&db, newTitle, QStringLiteral("<p>ok</p>"), 1));
    QCOMPARE(store.campaignTitle(&db, 1), newTitle);
    QCOMPARE(store.campaignComment(&db, 1), QStringLiteral("<p>ok</p>"));
    db.closeDatabase();
    QVERIFY(dialogs.shown().isEmpty());
}

QTEST_GUILESS_MAIN(TestQorCampaign)
#include "tst_qorcampaign.moc"
