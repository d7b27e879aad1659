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

    void handFigures()
    {
        QTemporaryDir home;
        const QString file = writeMorning(home);
        QVERIFY(!file.isEmpty());
        const CliRun run = runStats(home, {file, "--filter", "60", "--divider", "off", "--area", "Zone 50 km/h"});
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QCOMPARE(run.exitCode, 0);
        QJsonObject root = QJsonDocument::fromJson(run.out).object();
        // The summary (its figures are tested on the engine): slow readings counted, no whole day.
        const QJsonObject summary = root.value("summary").toObject(), quality = summary.value("quality").toObject();
        const QJsonObject in = root.value("directions").toObject().value("0").toObject();
        const QJsonObject out = root.value("directions").toObject().value("1").toObject();
        // First measure 08:05 down to 08:00, last 10:10 up to 10:30; 3 buckets in, 2 out. Per
        // direction: the readings above the minimum, the percentiles of 4 and of 2 vehicles. The
        // settings echoed are in the golden outputs.
        QCOMPARE(
            (QJsonArray{root.value("begin"), root.value("end"), root.value("measuresLoaded"),
                        root.value("invalidReadings"), quality.value("slowReadings"), quality.value("misdatedReadings"),
                        summary.value("directions").toObject().value("0").toObject().value("dailyTraffic"),
                        root.value("bucketCount"), root.value("hasGaps"), root.value("storeModeReason"),
                        root.value("directions").toObject().size(), in.value("measureCount"), in.value("v50"),
                        out.value("measureCount"), out.value("v30")}),
            (QJsonArray{"2024-01-15T08:00:00", "2024-01-15T10:30:00", 6, 3, 2, 3, QJsonValue(), 5, true,
                        "trop peu de relevés pour reconnaître le mode", 2, 4, 50, 2, 0}));

        // Defaults (divider on, 30 minutes); --from 08:10 reads and analyses from 08:00, as the editor snaps it.
        root = QJsonDocument::fromJson(runStats(home, {file, "--from", "2024-01-15 08:10:00"}).out).object();
        QCOMPARE(root.value("begin").toString(), QStringLiteral("2024-01-15T08:00:00"));
        QCOMPARE(root.value("measuresLoaded").toInt(), 6);
        // Nine readings make a vehicle: no speed holds one, the percentiles are undefined, the mean is not.
        const QJsonObject defaultIn = root.value("directions").toObject().value("0").toObject();
        QCOMPARE((QJsonArray{defaultIn.value("v30"), defaultIn.value("v85"), defaultIn.value("meanSpeed")}),
                 (QJsonArray{QJsonValue(), QJsonValue(), 55}));

        // The summary keeps an area name that looks like a placeholder.
        SpeedArea areas;
        areas.setArea(QStringLiteral("Zone %2"), areas.intervals(QStringLiteral("Zone 50 km/h")));
        QVERIFY(areas.saveFile(home.filePath("areas.cfg")));
        const QString text = QString::fromUtf8(
            runStats(home, {file, "--areas-file", home.filePath("areas.cfg"), "--area", "Zone %2", "--summary"}).out);
        QVERIFY2(
            text.contains(QStringLiteral("Zone : Zone %2 ; seuil de filtrage 30 min ; portée 150 m ; diviseur 9\n")),
            qPrintable(text));
    }

    void limits_data()
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
        QTest::newRow("area chosen stays")
            << S{"--limit", "50", "--location", "Rue"} << false << S{"--area", "Zone 30 km/h"} << QJsonValue(50)
            << "Zone 30 km/h" << QJsonValue(over50);
        QTest::newRow("read-only file: not stored")
            << S{"--limit", "50"} << true << S{} << none << "Zone 30 km/h" << none;
    }

    void limits()
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
    void statuses_data()
    {
        QTest::addColumn<QStringList>("args");   // DB: a good km/h file, MPH: an mph one
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("error");   // in the first line of standard error

        const auto row = [](const char* name, int status, const QString& error, const QStringList& args) {
            QTest::newRow(name) << args << status << error;
        };
        row("no command", 2, "Tramola", {});
        row("unknown command", 2, "Commande inconnue : statistics", {"statistics", "DB"});
        row("help", 0, "", {"--help"});
        row("missing file", 1, "Fichier introuvable", {"stats", "absent.db"});
        row("not a database", 1, "n'est pas une base de mesures", {"stats", "notes.txt"});
        row("nearly full disk", 1, "le disque est plein", {"stats", "DB"});
        row("no measure in period", 1, "ne contient pas de statistiques",
            {"stats", "DB", "--from", "2023-01-01 00:00:00", "--to", "2023-01-02 00:00:00"});
        row("unknown area", 1, "Zone de vitesse inconnue", {"stats", "DB", "--area", "Zone 999 km/h"});
        // The reason first, then what was said on the way.
        row("unknown area of an unreadable area file", 1, "Zone de vitesse inconnue",
            {"stats", "DB", "--areas-file", "notes.txt", "--area", "Zone 999 km/h"});
        row("bad date", 1, "Date invalide", {"stats", "DB", "--from", "15/01/2024"});
        row("reversed period", 1, "Période vide",
            {"stats", "DB", "--from", "2024-01-16 00:00:00", "--to", "2024-01-15 00:00:00"});
        row("decades of empty buckets", 1, "Période trop longue", {"stats", "DB", "--from", "1970-01-02 00:00:00"});
        row("an end in the year 9999", 1, "à 9999-12-31T23:59:59", {"stats", "DB", "--to", "9999-12-31 23:59:59"});
        row("an hour the clocks skip", 1, "Heure inexistante pour --from : 2024-03-31 02:30:00",
            {"stats", "DB", "--from", "2024-03-31 02:30:00"});
        row("filter 0", 1, "Seuil de filtrage invalide", {"stats", "DB", "--filter", "0"});
        row("range text", 1, "Portée du radar invalide", {"stats", "DB", "--range", "loin"});
        row("divider yes", 1, "--divider", {"stats", "DB", "--divider", "yes"});
        row("value missing", 1, "attend une valeur", {"stats", "DB", "--min-speed"});
        row("unknown option", 1, "Option inconnue", {"stats", "DB", "--speed"});
        row("no file", 1, "Fichier de mesures manquant", {"stats"});
        row("two files", 1, "Argument inattendu", {"stats", "DB", "DB"});
        row("limit 0", 1, "Vitesse limite invalide", {"stats", "DB", "--limit", "0"});
        row("gendb over a file", 1, "existe déjà", {"gendb", "DB", "--days", "1"});
        row("report, unknown suffix", 1, "Suffixe du rapport inconnu", {"report", "DB", "out.PDF"});
        row("report, missing folder", 1, "Dossier introuvable", {"report", "DB", "none/out.pdf"});
        row("campaigns of no database", 1, "n'est pas une base de mesures", {"campaigns", "notes.txt"});
        const QString a = QStringLiteral("2024-01-15 09:00:00");
        row("compare, units differ", 1, "Unités différentes : A en Km/h, B en Mph", {"compare", "DB", "MPH"});
        row("compare, one file, A's period only", 1, "Un seul fichier : donnez la période",
            {"compare", "DB", "--a-to", a});
        row("compare, A's period reversed", 1, "Période vide : --a-from est après --a-to.",
            {"compare", "DB", "--a-from", a, "--a-to", "2024-01-15 08:00:00", "--b-from", a});
        row("compare, B's file missing", 1, "Après (B) : Fichier introuvable", {"compare", "DB", "absent.db"});
        row("compare, nothing in A's period", 1,
            "Avant (A) : ", {"compare", "DB", "--a-to", "2024-01-01 00:00:00", "--b-from", a});
        row("compare, a period without side", 1, "Option inconnue : --from", {"compare", "DB", "--from", a});
    }

    void statuses()
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
};

QTEST_GUILESS_MAIN(TestCliStats)
#include "tst_cli_stats.moc"
