// SPDX-License-Identifier: GPL-3.0-or-later
#include "speedarea/speedarea.h"
#include "testdata.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <numeric>

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

QJsonObject bucket(const char* hour, bool valid, double min, double max, double mean, int measures)
{
    const QString time = QStringLiteral("2024-01-15T%1:00:00").arg(QLatin1String(hour));
    return {{"time", time},
            {"unixTime", double(localTime(QString(time).replace('T', ' ')))},
            {"valid", valid},
            {"minSpeed", min},
            {"maxSpeed", max},
            {"meanSpeed", mean},
            {"measureCount", measures},
            {"vehicleCount", measures}};
}

// Counts in the classes 0-50, 51-70, 71-90, 91-110 of "Zone 50 km/h".
QJsonArray shares(const QVector<int>& counts)
{
    const double lower[] = {0, 51, 71, 91}, upper[] = {50, 70, 90, 110};
    const int total = std::accumulate(counts.begin(), counts.end(), 0);
    QJsonArray classes;
    for (int i = 0; i < 4; ++i)
        classes.append(QJsonObject{{"minSpeed", lower[i]},
                                   {"maxSpeed", upper[i]},
                                   {"measureCount", counts[i]},
                                   {"share", double(counts[i]) / total}});
    return classes;
}

}   // namespace

class TestCliStats : public QObject
{
    Q_OBJECT

private slots:
    void handFigures();
    void limits_data();
    void limits();
    void failures_data();
    void failures();
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
    // In: 40, 50, 60, 70: cumulated 25, 50, 75, 100 %.
    const QJsonArray curve = in.take("percentageCurve").toArray();
    QCOMPARE(curve.size(), 101);
    QCOMPARE((QJsonArray{curve.at(24), curve.at(25), curve.at(26), curve.at(50), curve.at(75), curve.at(100)}),
             (QJsonArray{QJsonArray{24, 0}, QJsonArray{25, 40}, QJsonArray{25, 40}, QJsonArray{50, 50},
                         QJsonArray{75, 60}, QJsonArray{100, 70}}));
    QCOMPARE(in,
             (QJsonObject{{"measureCount", 4},
                          {"meanSpeed", 55},
                          {"maxSpeed", 70},
                          {"v30", 40},
                          {"v50", 50},
                          {"v85", 60},
                          {"highestSpeed", 70},
                          {"vehicleCount", 4},
                          {"distribution", shares({2, 2, 0, 0})},
                          {"buckets",
                           QJsonArray{bucket("08", true, 40, 60, 50, 3), bucket("09", false, 0, 0, 0, 1),
                                      bucket("10", true, 70, 70, 70, 1)}}}));
    // Out: 30 and 90, one vehicle each.
    out.remove("percentageCurve");
    QCOMPARE(
        out,
        (QJsonObject{{"measureCount", 2},
                     {"meanSpeed", 60},
                     {"maxSpeed", 90},
                     {"v30", 0},
                     {"v50", 30},
                     {"v85", 30},
                     {"highestSpeed", 90},
                     {"vehicleCount", 2},
                     {"distribution", shares({1, 0, 1, 0})},
                     {"buckets", QJsonArray{bucket("08", true, 30, 30, 30, 1), bucket("09", true, 90, 90, 90, 1)}}}));

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

void TestCliStats::failures_data()
{
    QTest::addColumn<QStringList>("args");   // "DB" stands for a good file
    QTest::addColumn<QString>("error");

    QTest::newRow("missing file") << QStringList{"absent.db"} << "Fichier introuvable";
    QTest::newRow("not a database") << QStringList{"notes.txt"} << "n'est pas une base de mesures";
    QTest::newRow("nearly full disk") << QStringList{"DB"} << "le disque est plein";
    QTest::newRow("no measure in period")
        << QStringList{"DB", "--from", "2023-01-01 00:00:00", "--to", "2023-01-02 00:00:00"}
        << "ne contient pas de statistiques";
    QTest::newRow("unknown area") << QStringList{"DB", "--area", "Zone 999 km/h"} << "Zone de vitesse inconnue";
    // The reason first, then what was said on the way.
    QTest::newRow("unknown area of an unreadable area file")
        << QStringList{"DB", "--areas-file", "notes.txt", "--area", "Zone 999 km/h"} << "Zone de vitesse inconnue";
    QTest::newRow("bad date") << QStringList{"DB", "--from", "15/01/2024"} << "Date invalide";
    QTest::newRow("reversed period") << QStringList{"DB", "--from", "2024-01-16 00:00:00", "--to",
                                                    "2024-01-15 00:00:00"}
                                     << "Période vide";
    QTest::newRow("decades of empty buckets")
        << QStringList{"DB", "--from", "1970-01-02 00:00:00"} << "Période trop longue";
    QTest::newRow("an end in the year 9999")
        << QStringList{"DB", "--to", "9999-12-31 23:59:59"} << "à 9999-12-31T23:59:59";
    QTest::newRow("an hour the clocks skip")
        << QStringList{"DB", "--from", "2024-03-31 02:30:00"} << "Heure inexistante pour --from : 2024-03-31 02:30:00";
    QTest::newRow("filter 0") << QStringList{"DB", "--filter", "0"} << "Seuil de filtrage invalide";
    QTest::newRow("range text") << QStringList{"DB", "--range", "loin"} << "Portée du radar invalide";
    QTest::newRow("divider yes") << QStringList{"DB", "--divider", "yes"} << "--divider";
    QTest::newRow("value missing") << QStringList{"DB", "--min-speed"} << "attend une valeur";
    QTest::newRow("unknown option") << QStringList{"DB", "--speed"} << "Option inconnue";
    QTest::newRow("no file") << QStringList{} << "Fichier de mesures manquant";
    QTest::newRow("two files") << QStringList{"DB", "DB"} << "Argument inattendu";
    QTest::newRow("limit 0") << QStringList{"DB", "--limit", "0"} << "Vitesse limite invalide";
}

void TestCliStats::failures()
{
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    QTemporaryDir home;
    const QString db = writeMorning(home);
    QVERIFY(!db.isEmpty());
    QFile notes(home.filePath("notes.txt"));   // not a database
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write(QByteArray(4096, 'x')) == 4096);
    notes.close();
    args.replaceInStrings(QRegularExpression("^DB$"), db);

    std::unique_ptr<FileSizeLimit> limit;   // the command inherits it
    if (QTest::currentDataTag() == QLatin1String("nearly full disk")
        && !(limit = std::make_unique<FileSizeLimit>(QFileInfo(db).size()))->active())
        QSKIP("No file size limit on this system");
    const CliRun run = runStats(home, args);
    limit.reset();
    QVERIFY(run.exitCode > 0);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.section(QLatin1Char('\n'), 0, 0).contains(error), qPrintable(run.err));
    QCOMPARE(run.err.trimmed().count(QLatin1Char('\n')), args.contains("notes.txt") && args.size() > 1 ? 1 : 0);
    QVERIFY(!QFile::exists(home.filePath("absent.db")));
}

QTEST_GUILESS_MAIN(TestCliStats)
#include "tst_cli_stats.moc"
