#include "speedarea/speedarea.h"
#include "testdata.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QString err;
};

// tramola-cli stats with a home of its own, so that no speed area file of the user is read.
Run runStats(const QTemporaryDir& home, const QStringList& args)
{
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    cli.setProcessEnvironment(env);
    cli.setWorkingDirectory(home.path());
    cli.start(QStringLiteral(TRAMOLA_BIN_DIR "/tramola-cli"), QStringList{"stats"} + args);
    Run run;
    if (!cli.waitForFinished(60000))
        return run;
    run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.out = cli.readAllStandardOutput();
    run.err = QString::fromLocal8Bit(cli.readAllStandardError());
    return run;
}

qint64 at(const char* time)
{
    return localTime(QString::fromLatin1(time));
}

// One morning on two directions, figures worked out by hand in handFigures().
QVector<Row> morning()
{
    return {{at("2024-01-15 08:05:00"), 40, 0}, {at("2024-01-15 08:10:00"), 30, 1},
            {at("2024-01-15 08:20:00"), 50, 0}, {at("2024-01-15 08:40:00"), 60, 0},
            {at("2024-01-15 09:50:00"), 90, 1}, {at("2024-01-15 10:10:00"), 70, 0},
            {at("2024-01-15 10:15:00"), 14, 0}, {at("2024-01-15 10:20:00"), 15, 0}};
}

QJsonObject bucket(const char* time, bool valid, double min, double max, double mean, int measures, int vehicles)
{
    return QJsonObject{{"time", QString::fromLatin1(time)}, {"unixTime", double(localTime(QString::fromLatin1(time).replace('T', ' ')))},
                       {"valid", valid}, {"minSpeed", min}, {"maxSpeed", max}, {"meanSpeed", mean},
                       {"measureCount", measures}, {"vehicleCount", vehicles}};
}

QJsonObject share(double min, double max, int count, double part)
{
    return QJsonObject{{"minSpeed", min}, {"maxSpeed", max}, {"measureCount", count}, {"share", part}};
}

} // namespace

class TestCliStats : public QObject
{
    Q_OBJECT

private slots:
    void handFigures();
    void defaultsAndSnappedOptions();
    void failures_data();
    void failures();
};

void TestCliStats::handFigures()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString file = home.filePath("morning.db");
    QVERIFY(writeMeasureDb(file, morning(), true, 0));

    const Run run = runStats(home, {file, "--filter", "60", "--divider", "off", "--area", "Zone 50 km/h"});
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QCOMPARE(run.exitCode, 0);
    QJsonParseError parse;
    const QJsonObject root = QJsonDocument::fromJson(run.out, &parse).object();
    QCOMPARE(parse.error, QJsonParseError::NoError);
    QVERIFY(!run.out.contains("\n    "));   // compact without --pretty

    QCOMPARE(root.value("file").toString(), QFileInfo(file).absoluteFilePath());
    QCOMPARE(root.value("units").toObject(), (QJsonObject{{"label", "Km/h"}, {"code", 0}}));
    // 14 and 15 km/h are not above the minimum speed of km/h.
    QCOMPARE(root.value("measuresLoaded").toInt(), 6);
    // First measure 08:05 down to 08:00, last 10:10 up to 10:30.
    QCOMPARE(root.value("begin").toString(), QStringLiteral("2024-01-15T08:00:00"));
    QCOMPARE(root.value("end").toString(), QStringLiteral("2024-01-15T10:30:00"));
    QCOMPARE(root.value("settings").toObject(),
             (QJsonObject{{"minSpeed", 15}, {"filterSeconds", 3600}, {"range", 150}, {"dividerOff", true},
                          {"vehicleDivider", 1}, {"area", "Zone 50 km/h"}}));
    QCOMPARE(root.value("bucketCount").toInt(), 3 + 2);
    QCOMPARE(root.value("hasGaps").toBool(), true);

    const QJsonObject directions = root.value("directions").toObject();
    QCOMPARE(directions.keys(), QStringList({"0", "1"}));
    const QJsonObject in = directions.value("0").toObject();
    QCOMPARE(in.value("measureCount").toInt(), 4);
    QCOMPARE(in.value("meanSpeed").toDouble(), 55.0);
    QCOMPARE(in.value("maxSpeed").toInt(), 70);
    QCOMPARE(in.value("v30").toDouble(), 40.0);    // 25 %
    QCOMPARE(in.value("v50").toDouble(), 50.0);    // 50 %
    QCOMPARE(in.value("v85").toDouble(), 60.0);    // 75 %
    QCOMPARE(in.value("highestSpeed").toInt(), 70);
    QCOMPARE(in.value("vehicleCount").toInt(), 4);
    QCOMPARE(in.value("distribution").toArray(),
             (QJsonArray{share(0, 50, 2, 0.5), share(51, 70, 2, 0.5), share(71, 90, 0, 0), share(91, 110, 0, 0)}));
    const QJsonArray curve = in.value("percentageCurve").toArray();
    QCOMPARE(curve.size(), 101);
    QCOMPARE(curve.at(24).toArray(), (QJsonArray{24, 0}));
    QCOMPARE(curve.at(25).toArray(), (QJsonArray{25, 40}));
    QCOMPARE(curve.at(26).toArray(), (QJsonArray{25, 40}));
    QCOMPARE(curve.at(50).toArray(), (QJsonArray{50, 50}));
    QCOMPARE(curve.at(75).toArray(), (QJsonArray{75, 60}));
    QCOMPARE(curve.at(100).toArray(), (QJsonArray{100, 70}));
    QCOMPARE(in.value("buckets").toArray(),
             (QJsonArray{bucket("2024-01-15T08:00:00", true, 40, 60, 50, 3, 3),
                         bucket("2024-01-15T09:00:00", false, 0, 0, 0, 1, 1),
                         bucket("2024-01-15T10:00:00", true, 70, 70, 70, 1, 1)}));

    const QJsonObject out = directions.value("1").toObject();
    QCOMPARE(out.value("measureCount").toInt(), 2);
    QCOMPARE(out.value("meanSpeed").toDouble(), 60.0);
    QCOMPARE(out.value("maxSpeed").toInt(), 90);
    QCOMPARE(out.value("v30").toDouble(), 0.0);
    QCOMPARE(out.value("v50").toDouble(), 30.0);
    QCOMPARE(out.value("v85").toDouble(), 30.0);
    QCOMPARE(out.value("vehicleCount").toInt(), 2);
    QCOMPARE(out.value("distribution").toArray(),
             (QJsonArray{share(0, 50, 1, 0.5), share(51, 70, 0, 0), share(71, 90, 1, 0.5), share(91, 110, 0, 0)}));
    QCOMPARE(out.value("buckets").toArray(),
             (QJsonArray{bucket("2024-01-15T08:00:00", true, 30, 30, 30, 1, 1),
                         bucket("2024-01-15T09:00:00", true, 90, 90, 90, 1, 1)}));
}

void TestCliStats::defaultsAndSnappedOptions()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString file = home.filePath("mph.db");
    QVector<Row> rows;
    for (int i = 0; i < 20; ++i)
        rows.append({at("2024-01-15 08:00:00") + i * 300, 9 + i % 3, 0});   // 9, 10, 11 mph
    QVERIFY(writeMeasureDb(file, rows, true, 2));

    const Run run = runStats(home, {file, "--from", "2024-01-15 08:10:00", "--to", "2024-01-15 09:00:01", "--pretty"});
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains("\n    "));
    const QJsonObject root = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(root.value("units").toObject(), (QJsonObject{{"label", "Mph"}, {"code", 1}}));
    QCOMPARE(root.value("begin").toString(), QStringLiteral("2024-01-15T08:00:00"));
    QCOMPARE(root.value("end").toString(), QStringLiteral("2024-01-15T09:30:00"));
    // 08:10 to 09:00:01 holds 11 readings (08:10 ... 09:00), 4 of them at 9 mph.
    QCOMPARE(root.value("measuresLoaded").toInt(), 7);
    const QJsonObject settings = root.value("settings").toObject();
    QCOMPARE(settings.value("minSpeed").toInt(), 9);
    QCOMPARE(settings.value("filterSeconds").toInt(), 1800);
    QCOMPARE(settings.value("dividerOff").toBool(), false);
    QCOMPARE(settings.value("vehicleDivider").toInt(), 9);
    SpeedArea defaults;
    defaults.setUnits(1);
    QCOMPARE(settings.value("area").toString(), sortAreaNames(defaults.areaNames()).value(0));
    // --from 08:10 is analysed from 08:00, so the 08:00 bucket (3 readings) counts beside 08:30 (4).
    const QJsonObject in = root.value("directions").toObject().value("0").toObject();
    QCOMPARE(in.value("vehicleCount").toInt(), 1 + 1);
    QCOMPARE(in.value("buckets").toArray().size(), 2);
    QCOMPARE(root.value("directions").toObject().keys(), QStringList{"0"});
}

void TestCliStats::failures_data()
{
    QTest::addColumn<QStringList>("args");   // "DB" stands for a good file
    QTest::addColumn<QString>("error");

    QTest::newRow("missing file") << QStringList{"absent.db"} << "Fichier introuvable";
    QTest::newRow("not a database") << QStringList{"notes.txt"} << "Ouverture";
    QTest::newRow("no measure in period") << QStringList{"DB", "--from", "2023-01-01 00:00:00", "--to", "2023-01-02 00:00:00"}
                                          << "ne contient pas de statistiques";
    QTest::newRow("unknown area") << QStringList{"DB", "--area", "Zone 999 km/h"} << "Zone de vitesse inconnue";
    QTest::newRow("bad date") << QStringList{"DB", "--from", "15/01/2024"} << "Date invalide";
    QTest::newRow("reversed period") << QStringList{"DB", "--from", "2024-01-16 00:00:00", "--to", "2024-01-15 00:00:00"}
                                     << "Période vide";
    QTest::newRow("decades of empty buckets") << QStringList{"DB", "--from", "1970-01-02 00:00:00"} << "Période trop longue";
    QTest::newRow("filter 0") << QStringList{"DB", "--filter", "0"} << "Seuil de filtrage invalide";
    QTest::newRow("range text") << QStringList{"DB", "--range", "loin"} << "Portée du radar invalide";
    QTest::newRow("divider yes") << QStringList{"DB", "--divider", "yes"} << "--divider";
    QTest::newRow("value missing") << QStringList{"DB", "--min-speed"} << "attend une valeur";
    QTest::newRow("unknown option") << QStringList{"DB", "--speed"} << "Option inconnue";
    QTest::newRow("no file") << QStringList{} << "Fichier de mesures manquant";
    QTest::newRow("two files") << QStringList{"DB", "DB"} << "Argument inattendu";
}

void TestCliStats::failures()
{
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString db = home.filePath("morning.db");
    QVERIFY(writeMeasureDb(db, morning(), true, 0));
    QFile notes(home.filePath("notes.txt"));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write(QByteArray(4096, 'x'));
    notes.close();
    for (QString& a : args) {
        if (a == QLatin1String("DB"))
            a = db;
    }

    const Run run = runStats(home, args);
    QVERIFY(run.exitCode > 0);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(error), qPrintable(run.err));
    QCOMPARE(run.err.trimmed().count(QLatin1Char('\n')), 0);
    QVERIFY(!QFile::exists(home.filePath("absent.db")));
}

QTEST_GUILESS_MAIN(TestCliStats)
#include "tst_cli_stats.moc"
