#include "db/databasemanager.h"
#include "scripteddialogs.h"
#include "stats/measure.h"
#include "testdata.h"

#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(QVector<Row>)

namespace {

QStringList captured;
QtMessageHandler previousHandler = nullptr;

void captureHandler(QtMsgType, const QMessageLogContext&, const QString& text)
{
    captured << text;
}

// Messages emitted while the object lives.
struct MessageCapture
{
    MessageCapture()
    {
        captured.clear();
        previousHandler = qInstallMessageHandler(captureHandler);
    }
    ~MessageCapture() { qInstallMessageHandler(previousHandler); }
    int count(const QString& part) const
    {
        int n = 0;
        for (const QString& line : captured)
            n += line.contains(part) ? 1 : 0;
        return n;
    }
};

// Names of the schema objects of a file, in creation order, without SQLite's own.
QStringList schemaOf(const QString& path, const QString& type)
{
    QStringList names;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("inspect"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("SELECT name, tbl_name FROM sqlite_master WHERE type = '%1' "
                                  "AND name NOT LIKE 'sqlite_%' ORDER BY rowid").arg(type));
            while (q.next())
                names << (type == QLatin1String("index") ? q.value(1).toString() + QLatin1Char('.') : QString())
                        + q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("inspect"));
    return names;
}

QString entriesText(const MeasureMap& map)
{
    QStringList out;
    for (const MeasureMap::Entry& e : map)
        out << QStringLiteral("%1:%2:%3").arg(e.time).arg(e.measure.speed).arg(e.measure.direction);
    return out.join(QLatin1Char(' '));
}

} // namespace

class TestDatabaseManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void newFileGetsSchema();
    void existingMeasuresGetCampaignTables();
    void columnsIndexesAndCounts();
    void units_data();
    void units();
    void read_data();
    void read();
    void indexAddedOnce();
    void cancelKeepsRowsRead();
    void slicedReadMatchesSingle_data();
    void slicedReadMatchesSingle();
    void slicedCancelKeepsAPrefix();

private:
    QTemporaryDir m_dir;
    QString m_path;
    int m_seq = 0;
};

void TestDatabaseManager::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    // Small files are read on one connection unless a test asks for slices.
    DatabaseManager::setParallelReadThreshold(std::numeric_limits<qint64>::max());
    QVERIFY(m_dir.isValid());
}

void TestDatabaseManager::init()
{
    m_path = m_dir.filePath(QStringLiteral("db%1.db").arg(++m_seq));
}

void TestDatabaseManager::newFileGetsSchema()
{
    ScriptedDialogs dialogs;
    {
        DatabaseManager db;
        QVERIFY(db.openDatabase(m_path));
        QVERIFY(db.isNewDatabase());
        QVERIFY(db.checkDatabase());
        QCOMPARE(db.countRows(QStringLiteral("measure")), 0);
        db.closeDatabase();
    }
    QCOMPARE(schemaOf(m_path, QStringLiteral("table")),
             QStringList({"campaign", "campaign_details", "measure"}));
    QCOMPARE(schemaOf(m_path, QStringLiteral("index")), QStringList());

    // A second look finds everything and creates nothing.
    MessageCapture log;
    DatabaseManager again;
    QVERIFY(again.openDatabase(m_path));
    QVERIFY(!again.isNewDatabase());
    QVERIFY(again.checkDatabase());
    QCOMPARE(log.count(QStringLiteral("Creating")), 0);
    QCOMPARE(dialogs.shown().size(), 0);
}

void TestDatabaseManager::existingMeasuresGetCampaignTables()
{
    const qint64 t = localTime(QStringLiteral("2026-11-02 08:00:00"));
    QVERIFY(writeMeasureDb(m_path, {{t, 50, 0}, {t + 5, 60, 1}}));
    DatabaseManager db;
    QVERIFY(db.openDatabase(m_path));
    QVERIFY(!db.isNewDatabase());
    QVERIFY(db.checkDatabase());
    QCOMPARE(db.countRows(QStringLiteral("measure")), 2);
    QVERIFY(db.tableExists(QStringLiteral("campaign")));
    QVERIFY(db.tableExists(QStringLiteral("campaign_details")));
    db.closeDatabase();
    QCOMPARE(schemaOf(m_path, QStringLiteral("table")),
             QStringList({"measure", "campaign", "campaign_details"}));
}

void TestDatabaseManager::columnsIndexesAndCounts()
{
    const QString mono = m_dir.filePath(QStringLiteral("mono.db"));
    QVERIFY(writeMeasureDb(m_path, {{1000, 50, 0}}, true));
    QVERIFY(writeMeasureDb(mono, {{1000, 50, 0}}, false));
    QVERIFY(execSql(m_path, QStringLiteral("CREATE INDEX IDX_DATE_2 ON measure(meas_date)")));

    DatabaseManager db;
    QVERIFY(db.openDatabase(m_path));
    QVERIFY(db.columnExists(QStringLiteral("measure"), QStringLiteral("meas_direction")));
    QVERIFY(db.indexExists(QStringLiteral("measure"), QStringLiteral("idx_date")));
    QVERIFY(!db.indexExists(QStringLiteral("measure"), QStringLiteral("idx_speed")));
    QCOMPARE(db.countRows(QStringLiteral("campaign")), -1);
    QVERIFY(!db.tableExists(QStringLiteral("campaign")));
    QVERIFY(db.execute(QStringLiteral("INSERT INTO measure (meas_date, meas_speed, meas_direction) VALUES (2000, 70, 1)")));
    QVERIFY(!db.execute(QStringLiteral("INSERT INTO nowhere VALUES (1)")));
    QSqlQuery rec = db.getRecord(QStringLiteral("SELECT max(meas_speed) FROM measure"));
    QVERIFY(rec.isValid());
    QCOMPARE(rec.value(0).toInt(), 70);
    QVERIFY(!db.getRecord(QStringLiteral("SELECT * FROM nowhere")).isValid());
    db.closeDatabase();
    QVERIFY(!db.tableExists(QStringLiteral("measure")));

    QVERIFY(db.openDatabase(mono));
    QVERIFY(!db.columnExists(QStringLiteral("measure"), QStringLiteral("meas_direction")));
    QVERIFY(!db.indexExists(QStringLiteral("measure"), QStringLiteral("idx_date")));
}

void TestDatabaseManager::units_data()
{
    QTest::addColumn<bool>("withDirection");
    QTest::addColumn<int>("marker");
    QTest::addColumn<int>("units");
    QTest::addColumn<bool>("byDefault");

    QTest::newRow("no marker") << true << -1 << 0 << true;
    QTest::newRow("marker 0") << true << 0 << 0 << false;
    QTest::newRow("marker 1: km/h") << true << 1 << 0 << false;
    QTest::newRow("marker 2: mph") << true << 2 << 1 << false;
    QTest::newRow("marker 3: mph") << true << 3 << 1 << false;
    QTest::newRow("marker 6: only bit 1 counts") << true << 6 << 1 << false;
    QTest::newRow("marker 4: only bit 1 counts") << true << 4 << 0 << false;
    QTest::newRow("mono-directional") << false << -1 << 0 << true;
}

void TestDatabaseManager::units()
{
    QFETCH(bool, withDirection);
    QFETCH(int, marker);
    QFETCH(int, units);
    QFETCH(bool, byDefault);

    QVERIFY(writeMeasureDb(m_path, {{1000, 50, 0}, {2000, 2, 1}}, withDirection, marker));
    DatabaseManager db;
    QVERIFY(db.openDatabase(m_path));
    MessageCapture log;
    QCOMPARE(int(db.checkUnits()), units);
    QCOMPARE(log.count(QStringLiteral("(default)")), byDefault ? 1 : 0);

    // The marker row is never a measure, even with no minimum speed at all.
    MeasureMap map;
    qint64 first = -1, last = -1;
    qint16 readUnits = -1;
    SilentProgress progress;
    QCOMPARE(db.readMeasures(map, &progress, first, last, readUnits, 1, 10000, 0), 2);
    QCOMPARE(int(readUnits), units);
    QCOMPARE(first, qint64(1000));
    QCOMPARE(last, qint64(2000));
}

void TestDatabaseManager::read_data()
{
    QTest::addColumn<QVector<Row>>("rows");
    QTest::addColumn<bool>("withDirection");
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("end");
    QTest::addColumn<int>("minimumSpeed");
    QTest::addColumn<QString>("expected");

    const QVector<Row> mixed{{300, 40, 1}, {100, 30, 0}, {200, 15, 1}, {200, 16, 0}, {400, 90, 1}, {500, 20, 0}};
    QTest::newRow("bi-directional, sorted by time") << mixed << true << qint64(0) << qint64(1000) << 0
                                                    << "100:30:0 200:15:1 200:16:0 300:40:1 400:90:1 500:20:0";
    QTest::newRow("mono-directional: all ingoing") << mixed << false << qint64(0) << qint64(1000) << 0
                                                   << "100:30:0 200:15:0 200:16:0 300:40:0 400:90:0 500:20:0";
    QTest::newRow("speed at the minimum is left out") << mixed << true << qint64(0) << qint64(1000) << 15
                                                      << "100:30:0 200:16:0 300:40:1 400:90:1 500:20:0";
    QTest::newRow("period ends included") << mixed << true << qint64(200) << qint64(400) << 0
                                          << "200:15:1 200:16:0 300:40:1 400:90:1";
    QTest::newRow("period without rows") << mixed << true << qint64(201) << qint64(299) << 0 << "";
    QTest::newRow("period reversed") << mixed << true << qint64(400) << qint64(200) << 0 << "";
    QVector<Row> same;
    for (int i = 0; i < 5; ++i)
        same << Row{700, 50 + i, i % 2};
    same << Row{600, 10, 0} << Row{800, 99, 1};
    QTest::newRow("equal times kept in file order") << same << true << qint64(0) << qint64(1000) << 0
                                                    << "600:10:0 700:50:0 700:51:1 700:52:0 700:53:1 700:54:0 800:99:1";
    QTest::newRow("empty table") << QVector<Row>() << true << qint64(0) << qint64(1000) << 0 << "";
}

void TestDatabaseManager::read()
{
    QFETCH(QVector<Row>, rows);
    QFETCH(bool, withDirection);
    QFETCH(qint64, start);
    QFETCH(qint64, end);
    QFETCH(int, minimumSpeed);
    QFETCH(QString, expected);

    QVERIFY(writeMeasureDb(m_path, rows, withDirection, 2));
    ScriptedDialogs dialogs;
    DatabaseManager db;
    QVERIFY(db.openDatabase(m_path));
    MeasureMap map;
    qint64 first = -1, last = -1;
    qint16 units = -1;
    auto progress = userDialogs().createProgress(ProgressOptions());
    const int n = db.readMeasures(map, progress.get(), first, last, units, start, end, minimumSpeed);
    QCOMPARE(entriesText(map), expected);
    QCOMPARE(n, map.size());
    QCOMPARE(first, map.isEmpty() ? 0 : map.first().time);
    QCOMPARE(last, map.isEmpty() ? 0 : map.last().time);
    QCOMPARE(int(units), withDirection ? 1 : 0);
    QCOMPARE(dialogs.progressLabels, QStringList({"Configuration...", "Lecture..."}));
    QCOMPARE(dialogs.messages(), QStringList());

    // The map is added to, not emptied: a second read brings every row again, in time order.
    if (!map.isEmpty()) {
        db.readMeasures(map, progress.get(), first, last, units, start, end, minimumSpeed);
        QCOMPARE(map.size(), 2 * n);
        QVERIFY(std::is_sorted(map.begin(), map.end(),
                               [](const MeasureMap::Entry& a, const MeasureMap::Entry& b) { return a.time < b.time; }));
    }
}

void TestDatabaseManager::indexAddedOnce()
{
    QVERIFY(writeMeasureDb(m_path, {{1000, 50, 0}, {2000, 60, 1}}));
    QCOMPARE(schemaOf(m_path, QStringLiteral("index")), QStringList());
    MessageCapture log;
    for (int pass = 0; pass < 2; ++pass) {
        DatabaseManager db;
        QVERIFY(db.openDatabase(m_path));
        MeasureMap map;
        qint64 first, last;
        qint16 units;
        SilentProgress progress;
        QCOMPARE(db.readMeasures(map, &progress, first, last, units, 0, 5000, 15), 2);
    }
    QCOMPARE(log.count(QStringLiteral("Adding index to measure ...")), 1);
    QCOMPARE(schemaOf(m_path, QStringLiteral("index")), QStringList({"measure.idx_date"}));
}

void TestDatabaseManager::cancelKeepsRowsRead()
{
    QVector<Row> rows;
    for (int i = 0; i < 5500; ++i)
        rows << Row{10000 + i / 3, 20 + i % 50, i % 2};
    QVERIFY(writeMeasureDb(m_path, rows));

    ScriptedDialogs dialogs;
    DatabaseManager db;
    QVERIFY(db.openDatabase(m_path));
    MeasureMap map;
    qint64 first, last;
    qint16 units;
    dialogs.cancelProgressAt(2000);
    ProgressOptions options;
    options.maximum = rows.size();
    auto progress = userDialogs().createProgress(options);
    const int n = db.readMeasures(map, progress.get(), first, last, units, 0, 100000, 0);
    // The row in hand when Cancel is seen is still taken; nothing after it.
    QCOMPARE(n, 2001);
    QCOMPARE(dialogs.progressValues, QList<int>({0, 1000, 2000}));
    int i = 0;
    for (const MeasureMap::Entry& e : map) {
        QCOMPARE(e.time, rows[i].time);
        QCOMPARE(e.measure.speed, rows[i].speed);
        ++i;
    }
    QCOMPARE(first, rows.first().time);
    QCOMPARE(last, rows[2000].time);
}

namespace {

struct ReadResult
{
    MeasureMap map;
    int n = -1;
    qint64 first = -1, last = -1;
    qint16 units = -1;
    QList<int> values;
};

// One read with the given slicing threshold; the map may come with earlier readings.
ReadResult readWith(const QString& path, qint64 threshold, qint64 start, qint64 end, int minimumSpeed,
                    const MeasureMap& held = MeasureMap(), int cancelAt = -1)
{
    ReadResult r;
    r.map = held;
    ScriptedDialogs dialogs;
    dialogs.cancelProgressAt(cancelAt);
    DatabaseManager::setParallelReadThreshold(threshold);
    {
        DatabaseManager db;
        if (db.openDatabase(path)) {
            auto progress = userDialogs().createProgress(ProgressOptions());
            r.n = db.readMeasures(r.map, progress.get(), r.first, r.last, r.units, start, end, minimumSpeed);
        }
    }
    DatabaseManager::setParallelReadThreshold(std::numeric_limits<qint64>::max());
    r.values = dialogs.progressValues;
    return r;
}

// Rows over a day with bursts of equal seconds, some slow, some around the middle of the period.
QVector<Row> busyDay(int count)
{
    QVector<Row> rows;
    quint32 x = 12345;
    qint64 t = 1000000;
    for (int i = 0; i < count; ++i) {
        x = x * 1103515245u + 12345u;
        t += (x >> 16) % 5 == 0 ? 0 : (x >> 20) % 40;
        rows << Row{t, 5 + int((x >> 8) % 90), int((x >> 4) & 1)};
    }
    return rows;
}

} // namespace

void TestDatabaseManager::slicedReadMatchesSingle_data()
{
    QTest::addColumn<bool>("withDirection");
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("end");
    QTest::addColumn<int>("minimumSpeed");
    QTest::addColumn<bool>("holding");

    QTest::newRow("whole period") << true << qint64(0) << qint64(1LL << 40) << 0 << false;
    QTest::newRow("mono-directional") << false << qint64(0) << qint64(1LL << 40) << 0 << false;
    QTest::newRow("minimum speed") << true << qint64(0) << qint64(1LL << 40) << 40 << false;
    QTest::newRow("inner period") << true << qint64(1010000) << qint64(1050000) << 15 << false;
    QTest::newRow("after earlier readings") << true << qint64(1000000) << qint64(1LL << 40) << 15 << true;
}

void TestDatabaseManager::slicedReadMatchesSingle()
{
    QFETCH(bool, withDirection);
    QFETCH(qint64, start);
    QFETCH(qint64, end);
    QFETCH(int, minimumSpeed);
    QFETCH(bool, holding);

    QVERIFY(writeMeasureDb(m_path, busyDay(6000), withDirection, 0));
    MeasureMap held;
    if (holding) {
        held.insert(5, Measure{30, 1});
        held.insert(1000000, Measure{31, 0});
    }
    const ReadResult single = readWith(m_path, std::numeric_limits<qint64>::max(), start, end, minimumSpeed, held);
    MessageCapture log;
    const ReadResult sliced = readWith(m_path, 100, start, end, minimumSpeed, held);
    QCOMPARE(log.count(QStringLiteral("Reading in two slices")), 1);
    QVERIFY(single.n > 1000);
    QCOMPARE(sliced.n, single.n);
    QCOMPARE(entriesText(sliced.map), entriesText(single.map));
    QCOMPARE(sliced.first, single.first);
    QCOMPARE(sliced.last, single.last);
    QCOMPARE(sliced.units, single.units);
    QVERIFY(!sliced.values.isEmpty());
    QVERIFY(std::is_sorted(sliced.values.begin(), sliced.values.end()));
}

void TestDatabaseManager::slicedCancelKeepsAPrefix()
{
    QVERIFY(writeMeasureDb(m_path, busyDay(20000)));
    const ReadResult all = readWith(m_path, std::numeric_limits<qint64>::max(), 0, 1LL << 40, 0);
    const ReadResult cut = readWith(m_path, 100, 0, 1LL << 40, 0, MeasureMap(), 2000);
    // Cancel is seen within a thousand rows of this thread; what stays is a run from the start.
    QVERIFY2(cut.n > 0 && cut.n <= 2001, qPrintable(QString::number(cut.n)));
    QCOMPARE(cut.map.size(), cut.n);
    auto it = all.map.begin();
    for (const MeasureMap::Entry& e : cut.map) {
        QCOMPARE(e.time, it->time);
        QCOMPARE(e.measure.speed, it->measure.speed);
        ++it;
    }
    QCOMPARE(cut.first, all.first);
    QCOMPARE(cut.last, cut.map.last().time);
}

QTEST_GUILESS_MAIN(TestDatabaseManager)
#include "tst_databasemanager.moc"
