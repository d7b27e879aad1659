// SPDX-License-Identifier: GPL-3.0-or-later
#include "speedarea/speedarea.h"
#include "testdata.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// tramola-cli stats with a home of its own, so that no speed area file of the user is read.
CliRun runStats(const QTemporaryDir& home, const QStringList& args)
{
    return runCli(home.path(), QStringList{"stats"} + args);
}

// One morning on two directions; 14 and 15 km/h are not above the minimum speed. Three rows are
// no measure: a third direction, and speeds of 2^31 - 1 and 2^40. Three are misdated: in 1970, in
// 3000 and a week after the file was written.
QString writeMorning(const QTemporaryDir& home)
{
    auto at = [](const char* time) { return localTime(QString::fromLatin1(time)); };
    const QString file = home.filePath("morning.db");
    const bool written = writeMeasureDb(file,
                                        {{at("2024-01-15 08:05:00"), 40, 0},
                                         {at("2024-01-15 08:10:00"), 30, 1},
                                         {at("2024-01-15 08:20:00"), 50, 0},
                                         {at("2024-01-15 08:40:00"), 60, 0},
                                         {at("2024-01-15 09:50:00"), 90, 1},
                                         {at("2024-01-15 10:10:00"), 70, 0},
                                         {at("2024-01-15 10:15:00"), 14, 0},
                                         {at("2024-01-15 10:20:00"), 15, 0},
                                         {at("2024-01-15 08:30:00"), 50, 2},
                                         {at("2024-01-15 08:30:00"), 2147483647, 0},
                                         {1, 50, 0},
                                         {at("3000-01-01 00:00:00"), 50, 1},
                                         {QDateTime::currentSecsSinceEpoch() + 7 * 86400, 50, 0}},
                                        true, 0)
        && execSql(file,
                   QStringLiteral("INSERT INTO measure (meas_date, meas_speed, meas_direction) VALUES (%1, %2, 1)")
                       .arg(at("2024-01-15 08:35:00"))
                       .arg(1LL << 40));
    return written ? file : QString();
}

}   // namespace

class TestCliStats : public QObject
{
    Q_OBJECT

private slots:
    void handFigures();
    void limits_data();
    void limits();
    void statuses_data();
    void statuses();
};

void TestCliStats::handFigures()
{
    QTemporaryDir home;
    const QString file = writeMorning(home);
    QVERIFY(!file.isEmpty());
    const CliRun run = runStats(home, {file, "--filter", "60", "--divider", "off", "--area", "Zone 50 km/h"});
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QCOMPARE(run.exitCode, 0);
    QJsonObject root = QJsonDocument::fromJson(run.out).object();
    // The summary (its figures are tested on the engine): slow readings counted, no whole day.
    const QJsonObject figures = root.take("summary").toObject();
    const QJsonObject summaryIn = figures.value("directions").toObject().value("0").toObject();
    QCOMPARE(figures.value("quality").toObject().value("slowReadings"), QJsonValue(2));
    QCOMPARE(figures.value("quality").toObject().value("misdatedReadings"), QJsonValue(3));
    QCOMPARE(summaryIn.value("dailyTraffic"), QJsonValue(QJsonValue::Null));
    QJsonObject directions = root.take("directions").toObject();
    QJsonObject in = directions.take("0").toObject(), out = directions.take("1").toObject();
    QVERIFY(directions.isEmpty());

    // First measure 08:05 down to 08:00, last 10:10 up to 10:30; 3 buckets in, 2 out.
    QCOMPARE(root,
             (QJsonObject{{"file", QFileInfo(file).absoluteFilePath()},
                          {"units", QJsonObject{{"label", "Km/h"}, {"code", 0}}},
                          {"begin", "2024-01-15T08:00:00"},
                          {"end", "2024-01-15T10:30:00"},
                          {"measuresLoaded", 6},
                          {"invalidReadings", 3},
                          {"settings",
                           QJsonObject{{"minSpeed", 15},
                                       {"filterSeconds", 3600},
                                       {"range", 150},
                                       {"dividerOff", true},
                                       {"vehicleDivider", 1},
                                       {"area", "Zone 50 km/h"},
                                       {"limitArea", QJsonValue()}}},
                          {"storeMode", 0},
                          {"storeModeReason", "trop peu de relevés pour reconnaître le mode"},
                          {"bucketCount", 5},
                          {"hasGaps", true}}));
    // Per direction: the readings above the minimum, the percentiles of 4 and of 2 vehicles.
    QCOMPARE((QJsonArray{in.value("measureCount"), in.value("v50"), out.value("measureCount"), out.value("v30")}),
             (QJsonArray{4, 50, 2, 0}));

    // Defaults (divider on, 30 minutes); --from 08:10 reads and analyses from 08:00, as the editor snaps it.
    root = QJsonDocument::fromJson(runStats(home, {file, "--from", "2024-01-15 08:10:00"}).out).object();
    QCOMPARE(root.value("begin").toString(), QStringLiteral("2024-01-15T08:00:00"));
    QCOMPARE(root.value("measuresLoaded").toInt(), 6);
    const QJsonObject settings = root.value("settings").toObject();
    QCOMPARE(settings.value("filterSeconds").toInt(), 1800);
    QCOMPARE(settings.value("vehicleDivider").toInt(), 9);
    // Nine readings make a vehicle: no speed holds one, the percentiles are undefined, the mean is not.
    const QJsonObject defaultIn = root.value("directions").toObject().value("0").toObject();
    QCOMPARE((QJsonArray{defaultIn.value("v30"), defaultIn.value("v85"), defaultIn.value("meanSpeed")}),
             (QJsonArray{QJsonValue(), QJsonValue(), 55}));

    // The summary keeps an area name that looks like a placeholder.
    SpeedArea areas;
    areas.setArea(QStringLiteral("Zone %2"), areas.intervals(QStringLiteral("Zone 50 km/h")));
    QVERIFY(areas.saveFile(home.filePath("areas.cfg")));
    const QString summary = QString::fromUtf8(
        runStats(home, {file, "--areas-file", home.filePath("areas.cfg"), "--area", "Zone %2", "--summary"}).out);
    QVERIFY2(
        summary.contains(QStringLiteral("Zone : Zone %2 ; seuil de filtrage 30 min ; portée 150 m ; diviseur 9\n")),
        qPrintable(summary));
}

void TestCliStats::limits_data()
{
    QTest::addColumn<QStringList>("site");   // tramola-cli site's options, run first; none: not run
    QTest::addColumn<bool>("readOnly");   // the file is marked read-only before
    QTest::addColumn<QStringList>("options");   // of stats
    QTest::addColumn<QJsonValue>("limit");
    QTest::addColumn<QString>("area");   // the one analysed
    QTest::addColumn<QJsonValue>("overLimit");   // ingoing 40, 50, 60, 70

    using S = QStringList;
    const QJsonValue none;
    const QJsonObject over50{{"vehicles", 2}, {"share", 0.5}}, over60{{"vehicles", 1}, {"share", 0.25}};
    QTest::newRow("absent: no compliance, never the area's number")
        << S{} << false << S{} << none << "Zone 30 km/h" << none;
    QTest::newRow("stored: the area carrying it")
        << S{"--limit", "50"} << false << S{} << QJsonValue(50) << "Zone 50 km/h" << QJsonValue(over50);
    QTest::newRow("given over stored") << S{"--limit", "50"} << false << S{"--limit", "60"} << QJsonValue(60)
                                       << "Zone 30 km/h" << QJsonValue(over60);
    QTest::newRow("stored as none") << S{"--limit", "0"} << false << S{} << none << "Zone 30 km/h" << none;
    QTest::newRow("area chosen stays") << S{"--limit", "50", "--location", "Rue"} << false
                                       << S{"--area", "Zone 30 km/h"} << QJsonValue(50) << "Zone 30 km/h"
                                       << QJsonValue(over50);
    QTest::newRow("read-only file: not stored") << S{"--limit", "50"} << true << S{} << none << "Zone 30 km/h" << none;
}

void TestCliStats::limits()
{
    QFETCH(QStringList, site);
    QFETCH(bool, readOnly);
    QFETCH(QStringList, options);
    QFETCH(QJsonValue, limit);
    QFETCH(QString, area);
    QFETCH(QJsonValue, overLimit);
    QTemporaryDir home;
    const QString file = writeMorning(home);
    QVERIFY(!file.isEmpty());
    if (readOnly)
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    if (!site.isEmpty()) {
        const QByteArray before = fileBytes(file);
        const CliRun stored = runCli(home.path(), QStringList{"site", file} + site);
        QCOMPARE(stored.exitCode, readOnly ? 1 : 0);
        QVERIFY(!readOnly || fileBytes(file) == before);
        const QJsonObject shown = QJsonDocument::fromJson(stored.out).object();
        if (!readOnly)
            QCOMPARE(shown.value("limit"), QJsonValue(site.at(1).toInt()));
    }
    const CliRun run = runStats(home, QStringList{file, "--divider", "off"} + options);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QJsonObject root = QJsonDocument::fromJson(run.out).object();
    const QJsonObject summary = root.value("summary").toObject();
    QCOMPARE(summary.value("limit"), limit);
    QCOMPARE(summary.value("limitSource"),
             limit.isNull() ? QJsonValue() : QJsonValue(options.contains("--limit") ? "request" : "site"));
    QCOMPARE(root.value("settings").toObject().value("area").toString(), area);
    const QJsonObject in = summary.value("directions").toObject().value("0").toObject();
    QCOMPARE(in.value("overLimit"), overLimit);
    QCOMPARE(in.value("meanSpeedOverLimit").isNull(), limit.isNull());
}

// Status 1 with one French line for a bad file or argument, 2 with the usage when no command runs.
void TestCliStats::statuses_data()
{
    QTest::addColumn<QStringList>("args");   // DB: a good km/h file, MPH: an mph one
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");   // in the first line of standard error

    using S = QStringList;
    QTest::newRow("no command") << S{} << 2 << "Tramola";
    QTest::newRow("unknown command") << S{"statistics", "DB"} << 2 << "Commande inconnue : statistics";
    QTest::newRow("help") << S{"--help"} << 0 << "";
    QTest::newRow("missing file") << S{"stats", "absent.db"} << 1 << "Fichier introuvable";
    QTest::newRow("not a database") << S{"stats", "notes.txt"} << 1 << "n'est pas une base de mesures";
    QTest::newRow("nearly full disk") << S{"stats", "DB"} << 1 << "le disque est plein";
    QTest::newRow("no measure in period")
        << S{"stats", "DB", "--from", "2023-01-01 00:00:00", "--to", "2023-01-02 00:00:00"} << 1
        << "ne contient pas de statistiques";
    QTest::newRow("unknown area") << S{"stats", "DB", "--area", "Zone 999 km/h"} << 1 << "Zone de vitesse inconnue";
    // The reason first, then what was said on the way.
    QTest::newRow("unknown area of an unreadable area file")
        << S{"stats", "DB", "--areas-file", "notes.txt", "--area", "Zone 999 km/h"} << 1 << "Zone de vitesse inconnue";
    QTest::newRow("bad date") << S{"stats", "DB", "--from", "15/01/2024"} << 1 << "Date invalide";
    QTest::newRow("reversed period") << S{"stats", "DB", "--from", "2024-01-16 00:00:00", "--to", "2024-01-15 00:00:00"}
                                     << 1 << "Période vide";
    QTest::newRow("decades of empty buckets")
        << S{"stats", "DB", "--from", "1970-01-02 00:00:00"} << 1 << "Période trop longue";
    QTest::newRow("an end in the year 9999")
        << S{"stats", "DB", "--to", "9999-12-31 23:59:59"} << 1 << "à 9999-12-31T23:59:59";
    QTest::newRow("an hour the clocks skip") << S{"stats", "DB", "--from", "2024-03-31 02:30:00"} << 1
                                             << "Heure inexistante pour --from : 2024-03-31 02:30:00";
    QTest::newRow("filter 0") << S{"stats", "DB", "--filter", "0"} << 1 << "Seuil de filtrage invalide";
    QTest::newRow("range text") << S{"stats", "DB", "--range", "loin"} << 1 << "Portée du radar invalide";
    QTest::newRow("divider yes") << S{"stats", "DB", "--divider", "yes"} << 1 << "--divider";
    QTest::newRow("value missing") << S{"stats", "DB", "--min-speed"} << 1 << "attend une valeur";
    QTest::newRow("unknown option") << S{"stats", "DB", "--speed"} << 1 << "Option inconnue";
    QTest::newRow("no file") << S{"stats"} << 1 << "Fichier de mesures manquant";
    QTest::newRow("two files") << S{"stats", "DB", "DB"} << 1 << "Argument inattendu";
    QTest::newRow("limit 0") << S{"stats", "DB", "--limit", "0"} << 1 << "Vitesse limite invalide";
    QTest::newRow("gendb over a file") << S{"gendb", "DB", "--days", "1"} << 1 << "existe déjà";
    QTest::newRow("report, unknown suffix") << S{"report", "DB", "out.PDF"} << 1 << "Suffixe du rapport inconnu";
    QTest::newRow("report, missing folder") << S{"report", "DB", "none/out.pdf"} << 1 << "Dossier introuvable";
    QTest::newRow("campaigns of no database") << S{"campaigns", "notes.txt"} << 1 << "n'est pas une base de mesures";
    const QString a = QStringLiteral("2024-01-15 09:00:00");
    QTest::newRow("compare, units differ")
        << S{"compare", "DB", "MPH"} << 1 << "Unités différentes : A en Km/h, B en Mph";
    QTest::newRow("compare, one file, A's period only")
        << S{"compare", "DB", "--a-to", a} << 1 << "Un seul fichier : donnez la période";
    QTest::newRow("compare, A's period reversed")
        << S{"compare", "DB", "--a-from", a, "--a-to", "2024-01-15 08:00:00", "--b-from", a} << 1
        << "Période vide : --a-from est après --a-to.";
    QTest::newRow("compare, B's file missing")
        << S{"compare", "DB", "absent.db"} << 1 << "Après (B) : Fichier introuvable";
    QTest::newRow("compare, nothing in A's period")
        << S{"compare", "DB", "--a-to", "2024-01-01 00:00:00", "--b-from", a} << 1 << "Avant (A) : ";
    QTest::newRow("compare, a period without side")
        << S{"compare", "DB", "--from", a} << 1 << "Option inconnue : --from";
}

void TestCliStats::statuses()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, error);
    QTemporaryDir home;
    const QString db = writeMorning(home);
    QVERIFY(!db.isEmpty());
    QVERIFY(writeBytes(home.filePath("notes.txt"), QByteArray(4096, 'x')));   // not a database
    QVERIFY(writeMeasureDb(home.filePath("mph.db"), {{localTime("2024-01-15 08:00:00"), 30, 0}}, true, 2));
    args.replaceInStrings(QRegularExpression("^DB$"), db)
        .replaceInStrings(QRegularExpression("^MPH$"), home.filePath("mph.db"));
    const QByteArray before = fileBytes(db);

    std::unique_ptr<FileSizeLimit> limit;   // the command inherits it
    if (QTest::currentDataTag() == QLatin1String("nearly full disk")
        && !(limit = std::make_unique<FileSizeLimit>(QFileInfo(db).size()))->active())
        QSKIP("No file size limit on this system");
    const CliRun run = runCli(home.path(), args);
    limit.reset();
    QCOMPARE(run.exitCode, status);
    QVERIFY2(run.err.section(QLatin1Char('\n'), 0, 0).contains(error), qPrintable(run.err));
    if (status == 0)
        return;
    QVERIFY(run.out.isEmpty());
    if (status == 1)
        QCOMPARE(run.err.trimmed().count(QLatin1Char('\n')), args.contains("notes.txt") && args.size() > 2 ? 1 : 0);
    QVERIFY(!QFile::exists(home.filePath("absent.db")));
    QVERIFY(args.value(0) != QLatin1String("gendb") || fileBytes(db) == before);
}

QTEST_GUILESS_MAIN(TestCliStats)
#include "tst_cli_stats.moc"
