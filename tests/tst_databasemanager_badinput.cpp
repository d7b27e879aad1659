// Files that are not what they should be: a clear message, no crash, no hang, and the file left as
// it was except where a load always completes a database (missing tables, the date index).
#include "db/databasemanager.h"
#include "scripteddialogs.h"
#include "stats/measure.h"
#include "testdata.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

namespace {

QByteArray digest(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
}

QVector<Row> someRows(int count)
{
    QVector<Row> rows;
    for (int i = 0; i < count; ++i)
        rows << Row{1000000 + i * 7, 20 + i % 60, i % 2};
    return rows;
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Makes a file or folder unwritable even for root where the file system allows it (immutable
// flag); undone when the guard goes. Answers false when writes would still succeed.
class ReadOnly
{
public:
    explicit ReadOnly(const QString& path, bool folder) : m_path(path), m_folder(folder)
    {
        QFile::setPermissions(path, folder ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
        if (!writable())
            return;
        if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0)
            m_immutable = true;
    }
    ~ReadOnly()
    {
        if (m_immutable)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool effective() const { return !writable(); }

private:
    bool writable() const
    {
        if (m_folder) {
            QFile probe(QDir(m_path).filePath(QStringLiteral(".probe")));
            const bool ok = probe.open(QIODevice::WriteOnly);
            if (ok)
                probe.remove();
            return ok;
        }
        QFile f(m_path);
        return f.open(QIODevice::ReadWrite | QIODevice::Append);
    }

    QString m_path;
    bool m_folder;
    bool m_immutable = false;
};

// Holds a lock on a database from another connection while it lives.
class OtherWriter
{
public:
    OtherWriter(const QString& path, const char* begin)
    {
        sqlite3_open(path.toUtf8().constData(), &m_db);
        m_ok = sqlite3_exec(m_db, begin, nullptr, nullptr, nullptr) == SQLITE_OK
            && sqlite3_exec(m_db, "INSERT INTO measure (meas_date, meas_speed, meas_direction) VALUES (5000000, 99, 0)",
                            nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~OtherWriter()
    {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
    }
    bool ok() const { return m_ok; }

private:
    sqlite3* m_db = nullptr;
    bool m_ok = false;
};

} // namespace

class TestDatabaseBadInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void badFiles_data();
    void badFiles();

private:
    QTemporaryDir m_dir;
    int m_seq = 0;
};

void TestDatabaseBadInput::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    DatabaseManager::setParallelReadThreshold(std::numeric_limits<qint64>::max());
}

void TestDatabaseBadInput::badFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("message");    // part of the one box shown, empty: no box
    QTest::addColumn<int>("measures");       // -1: not read
    QTest::addColumn<bool>("unchanged");     // same bytes afterwards

    QTest::newRow("random bytes") << "random" << false << "Error opening" << -1 << true;
    QTest::newRow("text file") << "text" << false << "file is not a database" << -1 << true;
    QTest::newRow("truncated database") << "truncated" << false << "malformed" << -1 << true;
    QTest::newRow("folder") << "folder" << false << "Error opening" << -1 << true;
    // SQLite takes an empty file for an empty database: the load completes it and finds nothing.
    QTest::newRow("empty file") << "empty" << true << "" << 0 << false;
    QTest::newRow("no measure table") << "nomeasure" << true << "" << 0 << false;
    QTest::newRow("damaged page") << "damaged" << true << "interrompue" << -2 << false;
    QTest::newRow("read-only file") << "rofile" << true << "" << 300 << true;
    QTest::newRow("read-only folder") << "rofolder" << true << "" << 300 << true;
    QTest::newRow("new file in read-only folder") << "rofoldernew" << false << "Error opening" << -1 << true;
    QTest::newRow("locked by a writer") << "exclusive" << false << "locked" << -1 << true;
    QTest::newRow("write transaction pending") << "reserved" << true << "" << 300 << true;
}

void TestDatabaseBadInput::badFiles()
{
    QFETCH(QString, kind);
    QFETCH(bool, opens);
    QFETCH(QString, message);
    QFETCH(int, measures);
    QFETCH(bool, unchanged);

    const QString folder = m_dir.filePath(QString::number(++m_seq));
    QVERIFY(QDir().mkpath(folder));
    QString path = QDir(folder).filePath(QStringLiteral("radar.db"));
    const QVector<Row> rows = someRows(300);
    std::unique_ptr<ReadOnly> readOnly;
    std::unique_ptr<OtherWriter> other;

    if (kind == QLatin1String("random")) {
        QByteArray bytes;
        for (int i = 0; i < 10000; ++i)
            bytes.append(char((i * 7919 + 13) % 251));
        QVERIFY(writeBytes(path, bytes));
    } else if (kind == QLatin1String("text")) {
        QVERIFY(writeBytes(path, QByteArray("meas_date;meas_speed\n1000;50\n").repeated(200)));
    } else if (kind == QLatin1String("truncated")) {
        QVERIFY(writeMeasureDb(path, someRows(20000)));
        QVERIFY(QFile::resize(path, QFileInfo(path).size() / 2));
    } else if (kind == QLatin1String("folder")) {
        path = folder;
    } else if (kind == QLatin1String("empty")) {
        QVERIFY(writeBytes(path, QByteArray()));
    } else if (kind == QLatin1String("nomeasure")) {
        QVERIFY(execSql(path, QStringLiteral("CREATE TABLE other (x INTEGER)")));
    } else if (kind == QLatin1String("damaged")) {
        // With its date index intact, the read walks the index and meets a ruined table page.
        QVERIFY(writeMeasureDb(path, someRows(20000)));
        QVERIFY(execSql(path, QStringLiteral("CREATE INDEX idx_date ON measure(meas_date)")));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.seek((f.size() / 4096 / 4) * 4096));
        QVERIFY(f.write(QByteArray(4096, char(0x5a))) == 4096);
    } else if (kind.startsWith(QLatin1String("rofolder"))) {
        if (kind == QLatin1String("rofolder"))
            QVERIFY(writeMeasureDb(path, rows, true, 0));
        else
            path = QDir(folder).filePath(QStringLiteral("new.db"));
        readOnly = std::make_unique<ReadOnly>(folder, true);
    } else if (kind == QLatin1String("rofile")) {
        QVERIFY(writeMeasureDb(path, rows, true, 0));
        readOnly = std::make_unique<ReadOnly>(path, false);
    } else if (kind == QLatin1String("exclusive") || kind == QLatin1String("reserved")) {
        QVERIFY(writeMeasureDb(path, rows, true, 0));
        other = std::make_unique<OtherWriter>(path, kind == QLatin1String("exclusive") ? "BEGIN EXCLUSIVE" : "BEGIN");
        QVERIFY(other->ok());
    }
    if (readOnly && !readOnly->effective())
        QSKIP("Permissions do not stop this user (root) and the immutable flag is not available here");

    const bool existed = QFileInfo::exists(path);
    const QByteArray before = digest(path);
    ScriptedDialogs dialogs;
    MeasureMap map;
    int n = -1;
    {
        // What a load does with a file.
        DatabaseManager db;
        QCOMPARE(db.openDatabase(path), opens);
        if (opens) {
            db.checkDatabase();
            db.columnExists(QStringLiteral("measure"), QStringLiteral("meas_direction"));
            db.countRows(QStringLiteral("measure"));
            auto progress = userDialogs().createProgress(ProgressOptions());
            qint64 first = -1, last = -1;
            qint16 units = -1;
            n = db.readMeasures(map, progress.get(), first, last, units, 0, 1LL << 40, 0);
            QCOMPARE(n, map.size());
            QCOMPARE(first, n ? map.first().time : 0);
            QCOMPARE(last, n ? map.last().time : 0);
            db.closeDatabase();
        }
    }
    other.reset();
    readOnly.reset();

    QList<ScriptedDialogs::Shown> boxes;
    for (const ScriptedDialogs::Shown& s : dialogs.shown()) {
        if (s.kind != QLatin1String("progress"))
            boxes << s;
    }
    if (message.isEmpty()) {
        QCOMPARE(boxes.size(), 0);
    } else {
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().kind, QStringLiteral("critical"));
        QCOMPARE(boxes.first().title, QStringLiteral("Database manager"));
        QVERIFY2(boxes.first().text.contains(message), qPrintable(boxes.first().text));
        QVERIFY(boxes.first().text.contains(path));
    }
    if (measures >= 0)
        QCOMPARE(n, measures);
    if (measures == -2) {
        // What came before the damage, in order.
        QVERIFY(n > 0 && n < 20000);
        for (int i = 0; i < n; ++i)
            QCOMPARE((map.begin() + i)->time, 1000000 + i * 7);
    }
    if (measures == 300)
        QCOMPARE(map.last().time, rows.last().time);   // the pending write stays invisible
    QCOMPARE(QFileInfo::exists(path), existed);
    if (unchanged)
        QCOMPARE(digest(path), before);
}

QTEST_GUILESS_MAIN(TestDatabaseBadInput)
#include "tst_databasemanager_badinput.moc"
