// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/databaseconnection.h"
#include "db/measurereader.h"
#include "scripteddialogs.h"
#include "core/measure.h"
#include "testdata.h"

#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(QVector<Row>)

namespace {

constexpr qint64 oneConnection = std::numeric_limits<qint64>::max();
// Rows are timed from here (2026-04-24): a radar's times, not the 1970s a clock gone wrong gives.
constexpr qint64 kBase = 1777000000;
QStringList captured;

// Messages emitted while the object lives.
struct MessageCapture
{
    QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) { captured << text; });
    int from = captured.size();
    ~MessageCapture() { qInstallMessageHandler(previous); }
    int count(const QString& part) const
    {
        return int(
            std::count_if(captured.begin() + from, captured.end(), [&](const QString& l) { return l.contains(part); }));
    }
};

// Schema objects of a file in creation order ("table.index" for indexes), without SQLite's own.
QStringList schemaOf(const QString& path, const QString& type)
{
    QStringList names;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("inspect"));
        db.setDatabaseName(path);
        QSqlQuery q(db);
        if (db.open()
            && q.exec(QStringLiteral("SELECT tbl_name || '.' || name, name FROM sqlite_master WHERE "
                                     "type = '%1' AND name NOT LIKE 'sqlite_%' ORDER BY rowid")
                          .arg(type)))
            while (q.next())
                names << q.value(type == QLatin1String("index") ? 0 : 1).toString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("inspect"));
    return names;
}

QString entriesText(const MeasureMap& map)
{
    QStringList out;
    for (const MeasureMap::Entry& e : map)
        out << QStringLiteral("%1:%2:%3").arg(e.time - kBase).arg(e.measure.speed).arg(e.measure.direction);
    return out.join(QLatin1Char(' '));
}

struct ReadResult
{
    MeasureMap map;
    int n = -1;
    qint64 first = -1, last = -1;
    qint16 units = -1;
    QList<int> values;
    QStringList labels;
    QString error;
};

// One read as a load does it, with the given slicing threshold.
ReadResult readWith(const QString& path, qint64 threshold, qint64 start, qint64 end, int minimumSpeed,
                    int cancelAt = -1)
{
    ReadResult r;
    ScriptedDialogs dialogs;
    dialogs.cancelProgressAt(cancelAt);
    MeasureReader::setParallelReadThreshold(threshold);
    {
        DatabaseConnection db;
        if (db.open(path)) {
            auto progress = userDialogs().createProgress(ProgressOptions());
            const MeasureRead read = MeasureReader::read(db, start, end, minimumSpeed, progress.get());
            r.map = *read.measures;
            r.n = r.map.size();
            r.first = read.first;
            r.last = read.last;
            r.units = read.units;
            r.error = read.error;
        }
    }
    MeasureReader::setParallelReadThreshold(oneConnection);
    r.values = dialogs.progressValues;
    // What the measure query itself shows, after the file's checks.
    r.labels = dialogs.progressLabels.mid(dialogs.progressLabels.indexOf(QStringLiteral("Configuration...")));
    return r;
}

// Rows over a day with bursts of equal seconds and a spread of speeds.
QVector<Row> busyDay(int count)
{
    QVector<Row> rows;
    quint32 x = 12345;
    qint64 t = kBase;
    for (int i = 0; i < count; ++i) {
        x = x * 1103515245u + 12345u;
        t += (x >> 16) % 5 == 0 ? 0 : (x >> 20) % 40;
        rows << Row{t, 5 + int((x >> 8) % 90), int((x >> 4) & 1)};
    }
    return rows;
}

}   // namespace

class TestDatabaseConnection : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path;
    int m_seq = 0;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        MeasureReader::setParallelReadThreshold(oneConnection);
        QVERIFY(m_dir.isValid());
    }

    void init() { m_path = m_dir.filePath(QStringLiteral("db%1.db").arg(++m_seq)); }

    void schema_data()
    {
        QTest::addColumn<bool>("measuresFirst");
        QTest::addColumn<QStringList>("tables");
        QTest::newRow("new file") << false << QStringList{"campaign", "campaign_details", "measure"};
        QTest::newRow("measures only") << true << QStringList{"measure", "campaign", "campaign_details"};
    }

    void schema()
    {
        QFETCH(bool, measuresFirst);
        QFETCH(QStringList, tables);
        if (measuresFirst)
            QVERIFY(writeMeasureDb(m_path, {{1000, 50, 0}, {1005, 60, 1}}));
        ScriptedDialogs dialogs;
        for (int pass = 0; pass < 2; ++pass) {   // the second look finds everything and creates nothing
            MessageCapture log;
            DatabaseConnection db;
            QVERIFY(db.open(m_path));
            QCOMPARE(db.isNewDatabase(), pass == 0 && !measuresFirst);
            QVERIFY(db.checkDatabase());
            QCOMPARE(db.countRows("measure"), measuresFirst ? 2 : 0);
            QCOMPARE(log.count("Creating"), pass == 0 ? tables.size() - int(measuresFirst) : 0);
        }
        QCOMPARE(schemaOf(m_path, "table"), tables);
        QCOMPARE(schemaOf(m_path, "index"), QStringList());   // none on campaign_details
        QCOMPARE(dialogs.shown().size(), 0);
    }

    // An index of any name holding idx_date serves: no second one is added to the user's file.
    void lookups()
    {
        QVERIFY(writeMeasureDb(m_path, {{1000, 50, 0}}, true));
        QVERIFY(execSql(m_path, QStringLiteral("CREATE INDEX IDX_DATE_2 ON measure(meas_date)")));
        DatabaseConnection db;
        QVERIFY(db.open(m_path));
        QVERIFY(db.indexExists("measure", "idx_date"));
        QCOMPARE(db.countRows("campaign"), -1);
    }

    void read_data()
    {
        QTest::addColumn<QVector<Row>>("rows");
        QTest::addColumn<bool>("withDirection");
        QTest::addColumn<int>("marker");   // -1: no marker row
        QTest::addColumn<int>("units");
        QTest::addColumn<qint64>("start");
        QTest::addColumn<qint64>("end");
        QTest::addColumn<int>("minimumSpeed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("indexed");   // idx_date is built: the rowids do not give the period
        // Times from kBase; a start of 0 is the epoch, so that the marker lies in the period.
        const auto row = [](const char* name, const QVector<Row>& rows, bool withDirection, int marker, int units,
                            qint64 start, qint64 end, int minimumSpeed, const char* expected, bool indexed = true) {
            QTest::newRow(name) << rows << withDirection << marker << units << start << end << minimumSpeed
                                << QString(expected) << indexed;
        };

        // From time 0 with no minimum speed the marker row (0, 0) is still no measure.
        const QVector<Row> mixed{{300, 40, 1}, {100, 30, 0}, {200, 15, 1}, {200, 16, 0}, {400, 90, 1}, {500, 20, 0}};
        row("bi-directional, sorted by time; marker 2: mph", mixed, true, 2, 1, 0, 1000, 0,
            "100:30:0 200:15:1 200:16:0 300:40:1 400:90:1 500:20:0");
        row("mono-directional: all ingoing, km/h", mixed, false, -1, 0, 0, 1000, 0,
            "100:30:0 200:15:0 200:16:0 300:40:0 400:90:0 500:20:0");
        row("speed at the minimum left out; marker 1: km/h", mixed, true, 1, 0, 0, 1000, 15,
            "100:30:0 200:16:0 300:40:1 400:90:1 500:20:0");
        row("period ends included; marker 3: mph", mixed, true, 3, 1, 200, 400, 0,
            "200:15:1 200:16:0 300:40:1 400:90:1");
        row("period without rows; no marker: km/h", mixed, true, -1, 0, 201, 299, 0, "");
        const QVector<Row> same{{700, 50, 0}, {700, 51, 1}, {600, 10, 0}, {700, 52, 0}, {800, 99, 1}, {700, 53, 1}};
        row("equal times kept in file order; marker 4: only bit 1 counts", same, true, 4, 0, 0, 1000, 0,
            "600:10:0 700:50:0 700:51:1 700:52:0 700:53:1 800:99:1");
        // Written in time order: the whole file is read along the rowids, without idx_date.
        const QVector<Row> ordered{{100, 30, 0}, {200, 15, 1}, {200, 16, 0}, {300, 40, 7}, {400, 90, 1}, {500, 20, 0}};
        row("in time order, a bad direction left out", ordered, true, 2, 1, 0, 1000, 0,
            "100:30:0 200:15:1 200:16:0 400:90:1 500:20:0", false);
    }

    void read()
    {
        QFETCH(QVector<Row>, rows);
        QFETCH(bool, withDirection);
        QFETCH(int, marker);
        QFETCH(int, units);
        QFETCH(qint64, start);
        QFETCH(qint64, end);
        QFETCH(int, minimumSpeed);
        QFETCH(QString, expected);
        QFETCH(bool, indexed);

        for (Row& r : rows)
            r.time += kBase;
        QVERIFY(writeMeasureDb(m_path, rows, withDirection, marker));
        MessageCapture log;
        // On one connection, then in two slices whenever the period holds two distinct times.
        for (const qint64 threshold : {oneConnection, qint64(1)}) {
            const ReadResult r = readWith(m_path, threshold, start ? kBase + start : 0, kBase + end, minimumSpeed);
            QCOMPARE(entriesText(r.map), expected);
            QCOMPARE(r.n, r.map.size());
            QCOMPARE(r.first, r.map.isEmpty() ? 0 : r.map.first().time);
            QCOMPARE(r.last, r.map.isEmpty() ? 0 : r.map.last().time);
            QCOMPARE(int(r.units), units);
            QCOMPARE(r.labels, QStringList({"Configuration...", "Lecture..."}));
            QCOMPARE(r.error.isEmpty(), r.n > 0);   // "ne contient pas de statistiques" otherwise
        }
        QCOMPARE(log.count("Reading in two slices") + log.count("Reading two runs of rowids") > 0, !expected.isEmpty());
        QCOMPARE(log.count("(default)"), marker < 0 ? 2 : 0);
        // The date index is added by the first read that needs it only: a file in time order is
        // read once, along the rowids, on one connection too.
        QCOMPARE(log.count("Adding index to measure ..."), indexed ? 1 : 0);
        QCOMPARE(schemaOf(m_path, "index"), indexed ? QStringList({"measure.idx_date"}) : QStringList());
    }

    // Rowids may take the whole 64-bit range: the read's arithmetic on them must not overflow
    // (UBSan stops the sanitized build there).
    void extremeRowids_data()
    {
        QTest::addColumn<QList<qint64>>("rowids");
        QTest::newRow("largest") << QList<qint64>{1, 2, 3, std::numeric_limits<qint64>::max()};
        QTest::newRow("smallest and largest")
            << QList<qint64>{std::numeric_limits<qint64>::min(), 1, std::numeric_limits<qint64>::max()};
        QTest::newRow("negative") << QList<qint64>{-7, -6, -5};
    }

    void extremeRowids()
    {
        QFETCH(QList<qint64>, rowids);
        QVERIFY(writeMeasureDb(m_path, {}));
        QStringList values, expected;
        for (int i = 0; i < rowids.size(); ++i) {
            values << QStringLiteral("(%1, %2, 50, 0)").arg(rowids[i]).arg(kBase + 60 * i);
            expected << QStringLiteral("%1:50:0").arg(60 * i);
        }
        QVERIFY(execSql(
            m_path, "INSERT INTO measure (meas_id, meas_date, meas_speed, meas_direction) VALUES " + values.join(',')));
        for (const qint64 threshold : {oneConnection, qint64(1)})
            QCOMPARE(entriesText(readWith(m_path, threshold, 0, 253402300799LL, 0).map), expected.join(' '));
    }

    void largeReads()
    {
        QVERIFY(writeMeasureDb(m_path, busyDay(20000)));
        const qint64 end = 1LL << 40;
        const ReadResult all = readWith(m_path, oneConnection, 0, end, 0);
        QCOMPARE(all.n, 20000);
        // Cancel on one connection: the row in hand when Cancel is seen is still taken; nothing after it.
        const ReadResult cut = readWith(m_path, oneConnection, 0, end, 0, 2000);
        QCOMPARE(cut.n, 2001);
        QCOMPARE(cut.values.mid(0, 3), QList<int>({0, 1000, 2000}));   // then the bar's end
        const QString allText = entriesText(all.map) + QLatin1Char(' ');
        const auto checkPrefix = [&](const ReadResult& r) {
            QCOMPARE(r.map.size(), r.n);
            QVERIFY(allText.startsWith(entriesText(r.map) + QLatin1Char(' ')));
            QCOMPARE(r.first, all.first);
            QCOMPARE(r.last, r.map.last().time);
        };
        checkPrefix(cut);
        // In two slices Cancel is seen within a thousand rows of this thread; what stays is a run from the start.
        const ReadResult slicedCut = readWith(m_path, 100, 0, end, 0, 2000);
        QVERIFY2(slicedCut.n > 0 && slicedCut.n <= 2001, qPrintable(QString::number(slicedCut.n)));
        checkPrefix(slicedCut);

        // A later part of the file in slices gives what one connection gives.
        const ReadResult single = readWith(m_path, oneConnection, kBase, end, 15);
        MessageCapture log;
        const ReadResult sliced = readWith(m_path, 100, kBase, end, 15);
        QCOMPARE(log.count("Reading in two slices") + log.count("Reading two runs of rowids"), 1);
        QCOMPARE(sliced.n, single.n);
        QCOMPARE(entriesText(sliced.map), entriesText(single.map));
        QCOMPARE(sliced.first, single.first);
        QCOMPARE(sliced.last, single.last);
        QVERIFY(!sliced.values.isEmpty() && std::is_sorted(sliced.values.begin(), sliced.values.end()));
    }
};

QTEST_GUILESS_MAIN(TestDatabaseConnection)
#include "tst_databaseconnection.moc"
