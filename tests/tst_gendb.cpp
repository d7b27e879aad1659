#include "db/databasemanager.h"
#include "sampledb/sampledb.h"
#include "scripteddialogs.h"
#include "stats/measure.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray digest(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
}

// Every measure of a file read back through the program's own query.
struct ReadBack
{
    MeasureMap map;
    qint16 units = -1;
    bool hasDirection = false;
    bool hasCampaign = false;
    int markerRows = 0;
};

ReadBack readBack(const QString& path)
{
    ReadBack r;
    DatabaseManager db;
    if (!db.openDatabase(path))
        return r;
    r.hasDirection = db.columnExists(QStringLiteral("measure"), QStringLiteral("meas_direction"));
    r.hasCampaign = db.tableExists(QStringLiteral("campaign")) && db.tableExists(QStringLiteral("campaign_details"));
    QSqlQuery q = db.getRecord(QStringLiteral("SELECT count(*) FROM measure WHERE meas_date = 0"));
    r.markerRows = q.value(0).toInt();
    q = QSqlQuery();
    qint64 first, last;
    SilentProgress progress;
    db.readMeasures(r.map, &progress, first, last, r.units, 1, std::numeric_limits<qint64>::max(), 0);
    return r;
}

QDate localDay(qint64 t)
{
    return QDateTime::fromSecsSinceEpoch(t).date();
}

} // namespace

class TestGendb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sameSeedSameFile();
    void layout_data();
    void layout();
    void dailyAndWeeklyProfile();
    void invalidRunsLeaveNothing_data();
    void invalidRunsLeaveNothing();
    void commandLine();

private:
    QTemporaryDir m_dir;
};

void TestGendb::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

void TestGendb::sameSeedSameFile()
{
    SampleOptions o;
    o.days = 5;
    o.vehiclesPerDay = 300;
    o.seed = 42;
    const QString a = m_dir.filePath(QStringLiteral("a.db"));
    const QString b = m_dir.filePath(QStringLiteral("b.db"));
    const QString c = m_dir.filePath(QStringLiteral("c.db"));
    QString error;
    QVERIFY2(generateSampleDatabase(a, o, &error), qPrintable(error));
    QVERIFY2(generateSampleDatabase(b, o, &error), qPrintable(error));
    o.seed = 43;
    QVERIFY2(generateSampleDatabase(c, o, &error), qPrintable(error));
    QCOMPARE(digest(a), digest(b));
    QVERIFY(digest(a) != digest(c));
}

void TestGendb::layout_data()
{
    QTest::addColumn<int>("directions");
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("gaps");
    QTest::addColumn<bool>("campaignTables");
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("days");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<int>("hours");

    const int none = int(SampleOptions::Units::None), kmh = int(SampleOptions::Units::Kmh),
              mph = int(SampleOptions::Units::Mph);
    QTest::newRow("two directions, km/h") << 2 << kmh << 0 << false << "2026-11-02" << 7 << qint64(0) << 24;
    QTest::newRow("two directions, mph, campaign tables") << 2 << mph << 0 << true << "2026-11-02" << 3 << qint64(0) << 24;
    QTest::newRow("no marker") << 2 << none << 0 << false << "2026-11-02" << 3 << qint64(0) << 24;
    QTest::newRow("one direction") << 1 << kmh << 0 << false << "2026-11-02" << 3 << qint64(0) << 24;
    QTest::newRow("gap days") << 2 << kmh << 4 << false << "2026-11-02" << 10 << qint64(0) << 24;
    QTest::newRow("exact total over autumn change") << 2 << kmh << 0 << false << "2026-10-24" << 3 << qint64(12345) << 24;
    QTest::newRow("spring change, one day") << 2 << kmh << 0 << false << "2027-03-28" << 1 << qint64(2400) << 23;
}

void TestGendb::layout()
{
    QFETCH(int, directions);
    QFETCH(int, units);
    QFETCH(int, gaps);
    QFETCH(bool, campaignTables);
    QFETCH(QString, from);
    QFETCH(int, days);
    QFETCH(qint64, total);
    QFETCH(int, hours);

    SampleOptions o;
    o.from = QDate::fromString(from, Qt::ISODate);
    o.days = days;
    o.directions = directions;
    o.units = SampleOptions::Units(units);
    o.gapDays = gaps;
    o.campaignTables = campaignTables;
    o.totalMeasures = total;
    o.vehiclesPerDay = 500;
    const QString path = m_dir.filePath(QStringLiteral("layout.db"));
    o.overwrite = true;
    QString error;
    SampleSummary summary;
    QVERIFY2(generateSampleDatabase(path, o, &error, &summary), qPrintable(error));

    ReadBack r = readBack(path);
    QCOMPARE(r.hasDirection, directions == 2);
    QCOMPARE(r.hasCampaign, campaignTables);
    QCOMPARE(int(r.units), units == int(SampleOptions::Units::Mph) ? 1 : 0);
    QCOMPARE(r.markerRows, directions == 2 && units != int(SampleOptions::Units::None) ? 1 : 0);
    QCOMPARE(qint64(r.map.size()), summary.measures);
    if (total > 0)
        QCOMPARE(summary.measures, total);
    QVERIFY(summary.measures > 0);
    QCOMPARE(summary.firstTime, r.map.first().time);
    QCOMPARE(summary.lastTime, r.map.last().time);

    QSet<QDate> recorded;
    QSet<int> directionsSeen;
    QSet<int> hoursSeen;
    for (const MeasureMap::Entry& e : r.map) {
        recorded.insert(localDay(e.time));
        directionsSeen.insert(e.measure.direction);
        hoursSeen.insert(QDateTime::fromSecsSinceEpoch(e.time).time().hour());
        QVERIFY(e.measure.speed >= 1 && e.measure.speed <= 250);
    }
    QCOMPARE(recorded.size(), days - gaps);
    QCOMPARE(summary.recordedDays, days - gaps);
    QVERIFY(recorded.contains(o.from));
    QVERIFY(recorded.contains(o.from.addDays(days - 1)));
    for (const QDate& d : recorded)
        QVERIFY(d >= o.from && d < o.from.addDays(days));
    QCOMPARE(directionsSeen.size(), directions);
    QCOMPARE(hoursSeen.size(), hours);   // 2:00 does not exist on the spring change day
}

void TestGendb::dailyAndWeeklyProfile()
{
    SampleOptions o;
    o.from = QDate(2026, 11, 2);   // a Monday
    o.days = 14;
    o.vehiclesPerDay = 4000;
    o.meanIn = 50;
    o.meanOut = 70;
    o.spread = 5;
    const QString path = m_dir.filePath(QStringLiteral("profile.db"));
    QString error;
    QVERIFY2(generateSampleDatabase(path, o, &error), qPrintable(error));
    const ReadBack r = readBack(path);

    QMap<QDate, int> perDay;
    int night = 0, morningPeak = 0;
    double sum[2] = {0, 0};
    int count[2] = {0, 0};
    for (const MeasureMap::Entry& e : r.map) {
        const QDateTime t = QDateTime::fromSecsSinceEpoch(e.time);
        ++perDay[t.date()];
        const int h = t.time().hour();
        if (t.date().dayOfWeek() <= 5 && h >= 2 && h < 4)
            ++night;
        if (t.date().dayOfWeek() <= 5 && h >= 7 && h < 9)
            ++morningPeak;
        sum[e.measure.direction] += e.measure.speed;
        ++count[e.measure.direction];
    }
    const int weekday = perDay.value(QDate(2026, 11, 4));
    QVERIFY2(weekday > 3500 && weekday < 4500, qPrintable(QString::number(weekday)));
    QVERIFY(perDay.value(QDate(2026, 11, 8)) < 0.7 * weekday);   // a Sunday
    QVERIFY(morningPeak > 10 * night);
    QVERIFY(qAbs(sum[0] / count[0] - 50) < 3);
    QVERIFY(qAbs(sum[1] / count[1] - 70) < 3);
}

void TestGendb::invalidRunsLeaveNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("directions");
    QTest::addColumn<int>("gaps");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<QString>("error");

    QTest::newRow("existing file") << "existing.db" << 2 << 0 << false << "existe déjà";
    QTest::newRow("three directions") << "new.db" << 3 << 0 << true << "sens";
    QTest::newRow("mph in one direction") << "new.db" << 1 << 0 << true << "mph";
    QTest::newRow("too many gaps") << "new.db" << 2 << 3 << true << "sans enregistrement";
    QTest::newRow("missing folder") << "nowhere/new.db" << 2 << 0 << true << "n'existe pas";
}

void TestGendb::invalidRunsLeaveNothing()
{
    QFETCH(QString, file);
    QFETCH(int, directions);
    QFETCH(int, gaps);
    QFETCH(bool, overwrite);
    QFETCH(QString, error);

    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("existing.db"));
    {
        QFile f(existing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    SampleOptions o;
    o.days = 4;
    o.directions = directions;
    o.gapDays = gaps;
    o.overwrite = overwrite;
    o.units = SampleOptions::Units::Mph;
    QString message;
    QVERIFY(!generateSampleDatabase(dir.filePath(file), o, &message));
    QVERIFY2(message.contains(error), qPrintable(message));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"existing.db"}));
    QCOMPARE(digest(existing), QCryptographicHash::hash("keep me", QCryptographicHash::Sha1));
}

void TestGendb::commandLine()
{
    const QString cli = QStringLiteral(TRAMOLA_BIN_DIR "/tramola-cli");
    QProcess p;
    p.start(cli, {"gendb", "--help"});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    const QString help = QString::fromLocal8Bit(p.readAllStandardOutput());
    for (const char* option : {"--from", "--days", "--directions", "--units", "--per-day", "--mean-in", "--mean-out",
                               "--spread", "--gaps", "--seed", "--campaign-tables", "--force"})
        QVERIFY2(help.contains(QLatin1String(option)), option);

    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("2026-11-02_2026-11-29_Avenue de la Gare.db"));
    const QStringList args{"gendb", out, "--from", "2026-11-02", "--days", "28", "--units", "kmh", "--seed", "7"};
    p.start(cli, args);
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    const QByteArray first = digest(out);

    // Refused without --force, and the file stays as it was; --force writes the same file again.
    p.start(cli, args);
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 1);
    QVERIFY(!p.readAllStandardError().isEmpty());
    p.start(cli, args + QStringList{"--force"});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    QCOMPARE(digest(out), first);

    const ReadBack r = readBack(out);
    QCOMPARE(localDay(r.map.first().time), QDate(2026, 11, 2));
    QCOMPARE(localDay(r.map.last().time), QDate(2026, 11, 29));
    const QByteArray read = digest(out);   // the read added its index

    for (const QStringList& wrong : {QStringList{"gendb"}, QStringList{"gendb", out, "--days", "zero", "--force"},
                                     QStringList{"gendb", out, "--units", "knots", "--force"},
                                     QStringList{"gendb", out, "--bogus", "1", "--force"}}) {
        p.start(cli, wrong);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 1);
        QCOMPARE(digest(out), read);
    }
}

QTEST_GUILESS_MAIN(TestGendb)
#include "tst_gendb.moc"
