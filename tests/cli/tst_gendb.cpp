// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/databaseconnection.h"
#include "db/measurereader.h"
#include "sampledb/sampledb.h"
#include "testdata.h"

#include <QDir>
#include <QProcess>
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

        // Two directions in bursts and gap days: the fixtures of tst_golden.
        using U = SampleOptions::Units;
        QTest::newRow("one direction, no direction column") << options([](SampleOptions& o) { o.directions = 1; });
        QTest::newRow("mph, campaign tables")
            << options([](SampleOptions& o) { o.units = U::Mph, o.campaignTables = true; });
        QTest::newRow("no marker") << options([](SampleOptions& o) { o.units = U::None; });
        QTest::newRow("exact total over autumn change")
            << options([](SampleOptions& o) { o.from = QDate(2026, 10, 24), o.totalMeasures = 12345; });
        QTest::newRow("spring change") << options(
            [](SampleOptions& o) { o.from = QDate(2026, 3, 29), o.days = 1, o.totalMeasures = 2400; });
    }

    void layout()
    {
        QFETCH(SampleOptions, o);
        const QString path = m_dir.filePath(QStringLiteral("layout.db"));
        SampleSummary summary;
        // The same seed giving the same file is what tst_golden rests on.
        QCOMPARE(generate(path, o, &summary), QString());

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

    void invalidRunsLeaveNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<SampleOptions>("o");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("diskFullAt");   // bytes a file may grow to; 0: no limit

        using O = SampleOptions&;
        const auto row = [](const char* name, const char* error, const char* file, int diskFullAt,
                            const std::function<void(O)>& f) {
            QTest::newRow(name) << file << options(f) << error << diskFullAt;
        };
        // Over an existing file: tst_cli_stats::statuses.
        row("three directions", "sens", "new.db", 0, [](O o) { o.directions = 3; });
        row("mph in one direction", "mph", "new.db", 0,
            [](O o) { o.directions = 1, o.units = SampleOptions::Units::Mph; });
        row("too many gaps", "sans enregistrement", "new.db", 0, [](O o) { o.gapDays = 2; });
        row("display outside the period", "afficheur", "new.db", 0,
            [](O o) { o.displayFrom = o.from.addDays(o.days); });
        row("missing folder", "n'existe pas", "nowhere/new.db", 0, [](O) {});
        row("disk full", "impossible", "existing.db", 16384, [](O) {});
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
};

QTEST_GUILESS_MAIN(TestGendb)
#include "tst_gendb.moc"
