// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/databaseconnection.h"
#include "db/measurereader.h"
#include "sampledb/sampledb.h"
#include "scripteddialogs.h"
#include "core/measure.h"
#include "analysis/speedstatistics.h"
#include "testdata.h"

#include <QDir>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace {

// Every measure of a file read back through the program's own query.
MeasureMap readBack(const QString& path)
{
    return *readMeasureFile(path).measures;
}

QDateTime local(qint64 t)
{
    return QDateTime::fromSecsSinceEpoch(t);
}

}   // namespace

Q_DECLARE_METATYPE(SampleOptions)

class TestGendb : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Small runs: a few days of 500 vehicles, changed by f.
    static SampleOptions options(const std::function<void(SampleOptions&)>& f)
    {
        SampleOptions o;
        o.days = 3;
        o.vehiclesPerDay = 500;
        o.overwrite = true;
        f(o);
        return o;
    }

    // Empty when the file was written.
    static QString generate(const QString& path, const SampleOptions& o, SampleSummary* summary = nullptr)
    {
        QString error;
        return generateSampleDatabase(path, o, &error, summary) ? QString() : error;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void layout_data()
    {
        QTest::addColumn<SampleOptions>("o");

        using U = SampleOptions::Units;
        QTest::newRow("two directions, km/h") << options([](SampleOptions& o) { o.days = 7; });
        QTest::newRow("mph, campaign tables")
            << options([](SampleOptions& o) { o.units = U::Mph, o.campaignTables = true; });
        QTest::newRow("no marker") << options([](SampleOptions& o) { o.units = U::None; });
        QTest::newRow("one direction") << options([](SampleOptions& o) { o.directions = 1; });
        QTest::newRow("gap days") << options([](SampleOptions& o) { o.days = 10, o.gapDays = 4; });
        QTest::newRow("exact total over autumn change")
            << options([](SampleOptions& o) { o.from = QDate(2026, 10, 24), o.totalMeasures = 12345; });
        QTest::newRow("bursts of nine readings") << options([](SampleOptions& o) { o.readingsPerVehicle = 9; });
        QTest::newRow("spring change") << options(
            [](SampleOptions& o) { o.from = QDate(2026, 3, 29), o.days = 1, o.totalMeasures = 2400; });
    }

    void layout()
    {
        QFETCH(SampleOptions, o);
        const QString path = m_dir.filePath(QStringLiteral("layout.db"));
        const QString again = m_dir.filePath(QStringLiteral("again.db"));
        SampleSummary summary;
        QCOMPARE(generate(path, o, &summary), QString());
        // Same options and seed, same file; another seed, another file.
        QCOMPARE(generate(again, o), QString());
        QCOMPARE(fileBytes(again), fileBytes(path));
        o.seed += 1;
        QCOMPARE(generate(again, o), QString());
        QVERIFY(fileBytes(again) != fileBytes(path));

        {
            using U = SampleOptions::Units;
            DatabaseConnection db;
            QVERIFY(db.open(path));
            QCOMPARE(db.columnExists("measure", "meas_direction"), o.directions == 2);
            QCOMPARE(db.tableExists("campaign") && db.tableExists("campaign_details"), o.campaignTables);
            QCOMPARE(db.getRecord("SELECT count(*) FROM measure WHERE meas_date = 0").value(0).toInt(),
                     o.directions == 2 && o.units != U::None ? 1 : 0);
            QCOMPARE(int(db.checkUnits()), o.units == U::Mph ? 1 : 0);
        }
        const MeasureMap map = readBack(path);
        QCOMPARE(qint64(map.size()), summary.measures);
        QVERIFY(summary.measures > 0 && (o.totalMeasures == 0 || summary.measures == o.totalMeasures));
        QCOMPARE(summary.firstTime, map.first().time);
        QCOMPARE(summary.lastTime, map.last().time);

        QSet<QDate> recorded;
        QSet<int> directions;
        for (const MeasureMap::Entry& e : map) {
            recorded.insert(local(e.time).date());
            directions.insert(e.measure.direction);
        }
        QCOMPARE(recorded.size(), o.days - o.gapDays);
        QCOMPARE(summary.recordedDays, o.days - o.gapDays);
        // Gaps lie strictly inside the period.
        QCOMPARE(local(map.first().time).date(), o.from);
        QCOMPARE(local(map.last().time).date(), o.from.addDays(o.days - 1));
        QCOMPARE(directions.size(), o.directions);
    }

    void trafficProfile()
    {
        const QString path = m_dir.filePath(QStringLiteral("profile.db"));
        QCOMPARE(generate(path, options([](SampleOptions& o) {
                              o.from = QDate(2026, 11, 2);   // a Monday
                              o.days = 14, o.vehiclesPerDay = 4000, o.meanIn = 50, o.meanOut = 70, o.spread = 5;
                          })),
                 QString());
        QMap<QDate, int> perDay;
        int night = 0, morningPeak = 0;
        double sum[2] = {0, 0}, count[2] = {0, 0};
        for (const MeasureMap::Entry& e : readBack(path)) {
            const QDateTime t = local(e.time);
            ++perDay[t.date()];
            const bool weekday = t.date().dayOfWeek() <= 5;
            night += weekday && t.time().hour() >= 2 && t.time().hour() < 4;
            morningPeak += weekday && t.time().hour() >= 7 && t.time().hour() < 9;
            sum[e.measure.direction] += e.measure.speed;
            ++count[e.measure.direction];
        }
        const int wednesday = perDay.value(QDate(2026, 11, 4));
        QVERIFY2(wednesday > 3500 && wednesday < 4500, qPrintable(QString::number(wednesday)));
        QVERIFY(perDay.value(QDate(2026, 11, 8)) < 0.7 * wednesday);   // a Sunday
        QVERIFY(morningPeak > 10 * night);
        QVERIFY(qAbs(sum[0] / count[0] - 50) < 3 && qAbs(sum[1] / count[1] - 70) < 3);
    }

    void invalidRunsLeaveNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<SampleOptions>("o");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("diskFullAt");   // bytes a file may grow to; 0: no limit

        QTest::newRow("existing file") << "existing.db" << options([](SampleOptions& o) { o.overwrite = false; })
                                       << "existe déjà" << 0;
        QTest::newRow("three directions")
            << "new.db" << options([](SampleOptions& o) { o.directions = 3; }) << "sens" << 0;
        QTest::newRow("mph in one direction")
            << "new.db" << options([](SampleOptions& o) { o.directions = 1, o.units = SampleOptions::Units::Mph; })
            << "mph" << 0;
        QTest::newRow("too many gaps") << "new.db" << options([](SampleOptions& o) { o.gapDays = 2; })
                                       << "sans enregistrement" << 0;
        QTest::newRow("display outside the period")
            << "new.db" << options([](SampleOptions& o) { o.displayFrom = o.from.addDays(o.days); }) << "afficheur"
            << 0;
        QTest::newRow("missing folder") << "nowhere/new.db" << options([](SampleOptions&) {}) << "n'existe pas" << 0;
        QTest::newRow("disk full") << "existing.db" << options([](SampleOptions&) {}) << "impossible" << 16384;
    }

    void invalidRunsLeaveNothing()
    {
        QFETCH(QString, file);
        QFETCH(SampleOptions, o);
        QFETCH(QString, error);
        QFETCH(int, diskFullAt);
        QTemporaryDir dir;
        QFile existing(dir.filePath(QStringLiteral("existing.db")));
        QVERIFY(existing.open(QIODevice::WriteOnly) && existing.write("keep me") == 7);
        existing.close();
        QString message;
        std::unique_ptr<FileSizeLimit> limit;
        if (diskFullAt && !(limit = std::make_unique<FileSizeLimit>(diskFullAt))->active())
            QSKIP("No file size limit on this system");
        const bool written = generateSampleDatabase(dir.filePath(file), o, &message);
        limit.reset();
        QVERIFY(!written);
        QVERIFY2(message.contains(error), qPrintable(message));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"existing.db"}));
        QCOMPARE(fileBytes(existing.fileName()), QByteArray("keep me"));
    }

    // Bursts the divider at its default range turns back into vehicles; --advanced writes
    // campaigns of store mode 1.
    void readingsAndVehicles()
    {
        const QString path = m_dir.filePath(QStringLiteral("bursts.db"));
        SampleSummary summary;
        QCOMPARE(generate(path, options([](SampleOptions& o) { o.readingsPerVehicle = 9; }), &summary), QString());
        QVERIFY(summary.measures > 8.5 * summary.vehicles && summary.measures < 9.5 * summary.vehicles);
        SpeedStatistics s;
        s.editMeasures() = readBack(path);
        s.setDividerOff(false);
        s.createSample(local(summary.firstTime), local(summary.lastTime));
        const int counted = s.countVehicles(local(0), local(0), 0) + s.countVehicles(local(0), local(0), 1);
        QVERIFY2(qAbs(counted - summary.vehicles) < summary.vehicles / 20, qPrintable(QString::number(counted)));

        QCOMPARE(QProcess::execute(QStringLiteral(TRAMOLA_BIN_DIR "/tramola-cli"),
                                   {"gendb", path, "--days", "3", "--advanced", "--force"}),
                 0);
        DatabaseConnection db;
        QVERIFY(db.open(path));
        QSqlQuery modes =
            db.getRecord(QStringLiteral("SELECT MIN(camp_store_mode), MAX(camp_store_mode) FROM campaign"));
        QCOMPARE(qMakePair(modes.value(0).toInt(), modes.value(1).toInt()), qMakePair(1, 1));
    }

    // Stopped from a terminal, a run leaves no scratch file; killed outright it leaves one, which
    // the next run of the same target removes.
    void interruptedRunLeavesNothing()
    {
#ifdef Q_OS_UNIX
        for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
            QTemporaryDir dir;
            QFile stale(dir.filePath(QStringLiteral(".big.db.Ab12Cd")));
            QVERIFY(stale.open(QIODevice::WriteOnly));
            stale.close();
            QProcess gendb;
            gendb.start(QStringLiteral(TRAMOLA_BIN_DIR "/tramola-cli"),
                        {"gendb", dir.filePath("big.db"), "--total", "2000000000"});
            const auto scratch = [&dir]() { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); };
            QTRY_VERIFY_WITH_TIMEOUT(scratch().size() == 1 && scratch() != QStringList{".big.db.Ab12Cd"}, 60000);
            ::kill(pid_t(gendb.processId()), signal);
            QVERIFY(gendb.waitForFinished(60000) && gendb.exitStatus() == QProcess::CrashExit);
            QCOMPARE(scratch(), QStringList());
        }
#endif
    }

    // A speed display lowers every motor vehicle's speed from its day on, the draws staying those
    // of the same file without it.
    void speedDisplay()
    {
        const QString plain = m_dir.filePath(QStringLiteral("plain.db"));
        const QString display = m_dir.filePath(QStringLiteral("display.db"));
        const QStringList args{"gendb", "--days", "4", "--per-day", "500", "--force"};
        QCOMPARE(QProcess::execute(QStringLiteral(TRAMOLA_BIN_DIR "/tramola-cli"), args + QStringList{plain}), 0);
        QCOMPARE(
            QProcess::execute(QStringLiteral(TRAMOLA_BIN_DIR "/tramola-cli"),
                              args + QStringList{display, "--display-from", "2026-11-04", "--display-effect", "5"}),
            0);
        const MeasureMap before = readBack(plain), after = readBack(display);
        QCOMPARE(after.size(), before.size());
        const qint64 switchedOn = QDateTime(QDate(2026, 11, 4), QTime(0, 0)).toSecsSinceEpoch();
        int lowered = 0, kept = 0, on = 0;
        for (auto b = before.begin(), a = after.begin(); b != before.end(); ++b, ++a) {
            QCOMPARE(a->time, b->time);
            const int drop = b->measure.speed - a->measure.speed;
            QVERIFY2(a->time < switchedOn ? drop == 0 : drop == 0 || drop == 5, qPrintable(QString::number(drop)));
            on += a->time >= switchedOn;
            lowered += drop == 5;
            kept += a->time >= switchedOn && drop == 0;
        }
        // Cyclists and the odd slow reading keep their speed.
        QVERIFY2(kept > 0 && lowered > 0.95 * on, qPrintable(QStringLiteral("%1 of %2").arg(lowered).arg(on)));
    }

    void commandLine()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("2026-11-02_2026-11-29_Avenue de la Gare.db"));
        const QStringList args{"gendb", out, "--from", "2026-11-02", "--days", "28", "--units", "kmh", "--seed", "7"};
        const auto run = [](const QStringList& arguments) {
            QProcess p;
            p.start(QStringLiteral(TRAMOLA_BIN_DIR "/tramola-cli"), arguments);
            return p.waitForFinished(30000) ? p.exitCode() : -1;
        };
        QCOMPARE(run(args), 0);
        const QByteArray first = fileBytes(out);
        const MeasureMap map = readBack(out);
        QCOMPARE(local(map.first().time).date(), QDate(2026, 11, 2));
        QCOMPARE(local(map.last().time).date(), QDate(2026, 11, 29));

        // Refused without --force or with wrong arguments, the file staying as the read left it (with
        // its index); --force writes the same file again.
        const QByteArray read = fileBytes(out);
        for (const QStringList& wrong :
             {args, QStringList{"gendb"}, QStringList{"gendb", out, "--days", "zero", "--force"},
              QStringList{"gendb", out, "--units", "knots", "--force"}}) {
            QCOMPARE(run(wrong), 1);
            QCOMPARE(fileBytes(out), read);
        }
        QCOMPARE(run(args + QStringList{"--force"}), 0);
        QCOMPARE(fileBytes(out), first);
    }
};

QTEST_GUILESS_MAIN(TestGendb)
#include "tst_gendb.moc"
