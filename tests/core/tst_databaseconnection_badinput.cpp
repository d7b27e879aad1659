// SPDX-License-Identifier: GPL-3.0-or-later
// Files that are not what they should be: one clear message, no crash, no hang, and the file left
// byte for byte as it was.
#include "db/databaseconnection.h"
#include "db/measurereader.h"
#include "db/schema.h"
#include "scripteddialogs.h"
#include "core/measure.h"
#include "testdata.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

namespace {

QVector<Row> someRows(int count)
{
    QVector<Row> rows;
    for (int i = 0; i < count; ++i)
        rows << Row{1777000000 + i * 7, 20 + i % 60, i % 2};
    return rows;
}

// Makes a file or folder unwritable while it lives, for root too where the immutable flag is available.
struct ReadOnly
{
    QString path;
    bool effective;
    ReadOnly(const QString& p, bool folder) : path(p)
    {
        QFile::setPermissions(p, folder ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
        if (QFileInfo(p).isWritable())
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), p});
        effective = !QFileInfo(p).isWritable();
    }
    ~ReadOnly()
    {
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

// A file opened before: with the campaign tables, no write (and no check before one) stands
// between its damage and the read.
bool openedBefore(const QString& path)
{
    return execSql(path, QLatin1String(Schema::campaign) + QLatin1String(Schema::campaignDetails));
}

// Writes over the rowid of row `rowid` of someRows() a larger one of as many bytes: a walk along the
// rowids meets it and ends there without an error.
bool raiseRowid(const QString& path, qint64 rowid, qint64 larger)
{
    const auto bytesOf = [](std::initializer_list<qint64> values) {
        QByteArray out;
        for (qint64 v : values)
            out.append(char(v & 0xff));
        return out;
    };
    const auto varint = [&](qint64 v) {   // SQLite's, for values under 2^21
        return v < 0x80  ? bytesOf({v})
            : v < 0x4000 ? bytesOf({0x80 | (v >> 7), v})
                         : bytesOf({0x80 | (v >> 14), 0x80 | (v >> 7), v & 0x7f});
    };
    const Row row = someRows(int(rowid)).last();
    const qint64 t = row.time;
    // Payload size, rowid, then the record: NULL id, 4-byte time, 1-byte speed, direction 0 or 1.
    const QByteArray record = bytesOf({10}) + varint(rowid)
        + bytesOf({5, 0, 4, 1, 8 + row.direction, t >> 24, t >> 16, t >> 8, t, row.speed});
    QByteArray bytes = fileBytes(path);
    const int at = bytes.indexOf(record);
    const QByteArray replacement = varint(larger);
    if (at < 0 || replacement.size() != varint(rowid).size())
        return false;
    return writeBytes(path, bytes.replace(at + 1, replacement.size(), replacement));
}

// Another connection holding a write transaction (with one row in it) until it goes; null on failure.
using Writer = std::unique_ptr<sqlite3, void (*)(sqlite3*)>;
Writer otherWriter(const QString& path, const char* begin)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    Writer w(db, [](sqlite3* d) {
        sqlite3_exec(d, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(d);
    });
    const QByteArray sql = QByteArray(begin) + "; INSERT INTO measure (meas_date, meas_speed) VALUES (5000000, 99)";
    return sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK ? std::move(w)
                                                                                     : Writer(nullptr, nullptr);
}

}   // namespace

class TestDatabaseBadInput : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_seq = 0;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        MeasureReader::setParallelReadThreshold(std::numeric_limits<qint64>::max());
    }

    void badFiles_data()
    {
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("message");   // part of the one message, empty: none
        QTest::addColumn<int>("measures");   // -1: not read, -2: at most what came before the damage

        QTest::newRow("random bytes") << false << "n'est pas une base de mesures (file is not a database)" << -1;
        QTest::newRow("text file") << false << "n'est pas une base de mesures (file is not a database)" << -1;
        QTest::newRow("truncated database")
            << false << "endommagé : lecture interrompue (database disk image is malformed)" << -1;
        // SQLite takes an empty file for an empty database; it is no measure database all the same.
        QTest::newRow("empty file") << true << "n'est pas une base de mesures" << 0;
        QTest::newRow("no measure table") << true << "n'est pas une base de mesures" << 0;
        QTest::newRow("damaged page") << true << "endommagée" << -2;
        // Opened before: the read meets the damage and says so; along idx_date it could end short.
        QTest::newRow("damaged table page, opened before")
            << true << "endommagé : lecture interrompue (database disk image is malformed)" << -2;
        QTest::newRow("rowid walk ends early, opened before") << true << "endommagée" << -2;
        QTest::newRow("read-only file") << true << "" << 300;
        QTest::newRow("read-only folder") << true << "" << 300;
        QTest::newRow("locked by a writer") << false << "utilisée par un autre programme" << -1;
        QTest::newRow("write transaction pending") << true << "utilisée par un autre programme" << 300;
        QTest::newRow("FIFO") << false << "pas un fichier ordinaire" << -1;
    }

    void badFiles()
    {
        QFETCH(bool, opens);
        QFETCH(QString, message);
        QFETCH(int, measures);

        const QString kind = QString::fromLatin1(QTest::currentDataTag());
        const QString folder = m_dir.filePath(QString::number(++m_seq));
        QVERIFY(QDir().mkpath(folder));
        QString path = QDir(folder).filePath(QStringLiteral("radar.db"));
        std::unique_ptr<ReadOnly> readOnly;
        Writer other(nullptr, nullptr);

        if (kind == "random bytes") {
            QVERIFY(writeBytes(path, QCryptographicHash::hash("radar", QCryptographicHash::Sha512).repeated(160)));
        } else if (kind == "text file") {
            QVERIFY(writeBytes(path, QByteArray("meas_date;meas_speed\n1000;50\n").repeated(200)));
        } else if (kind == "truncated database") {
            QVERIFY(writeMeasureDb(path, someRows(20000)) && QFile::resize(path, QFileInfo(path).size() / 2));
        } else if (kind.startsWith("damaged")) {
            QVERIFY(writeDamagedDb(path, someRows(20000)));
            if (kind.endsWith("opened before"))
                QVERIFY(openedBefore(path));
        } else if (kind.startsWith("rowid walk")) {
            QVERIFY(writeMeasureDb(path, someRows(20000)) && openedBefore(path) && raiseRowid(path, 17000, 30000));
        } else if (kind == "empty file") {
            QVERIFY(writeBytes(path, QByteArray()));
        } else if (kind == "no measure table") {
            QVERIFY(execSql(path, QStringLiteral("CREATE TABLE other (x INTEGER)")));
        } else if (kind == "FIFO") {
            if (!makeFifo(path))
                QSKIP("No FIFO on this system");
        } else {
            QVERIFY(writeMeasureDb(path, someRows(300), true, 0));
            if (kind.startsWith("read-only"))
                readOnly =
                    std::make_unique<ReadOnly>(kind == "read-only file" ? path : folder, kind != "read-only file");
            else
                QVERIFY(other = otherWriter(path, kind == "locked by a writer" ? "BEGIN EXCLUSIVE" : "BEGIN"));
        }
        if (readOnly && !readOnly->effective)
            QSKIP("Permissions do not stop this user (root) and the immutable flag is not available here");

        const bool existed = QFileInfo::exists(path);
        const bool regular = QFileInfo(path).isFile();   // reading a FIFO would block the test
        const QByteArray before = regular ? fileBytes(path) : QByteArray();
        MeasureMap map;
        int n = -1;
        QString said;
        {
            // What a load does with a file.
            DatabaseConnection db;
            QCOMPARE(db.open(path), opens);
            if (opens) {
                db.countRows(QStringLiteral("measure"));
                const MeasureRead read = MeasureReader::read(db, 0, 1LL << 40, 0, nullptr);
                map = *read.measures;
                n = map.size();
                QCOMPARE(read.first, n ? map.first().time : 0);
                QCOMPARE(read.incomplete, !message.isEmpty());
                said = read.error;
            }
            if (!db.notice().text.isEmpty()) {
                QCOMPARE(db.notice().icon, UserDialogs::Icon::Critical);
                said = db.notice().text;
            }
        }
        other.reset();
        readOnly.reset();

        QVERIFY2(message.isEmpty() ? said.isEmpty() : said.contains(message) && said.contains(path), qPrintable(said));
        if (measures >= 0)
            QCOMPARE(n, measures);
        if (measures == 300)   // the pending write stays invisible
            QCOMPARE(map.last().time, someRows(300).last().time);
        if (measures == -2)   // at most what came before the damage, in order
            QVERIFY(n >= 0 && n < 20000
                    && std::equal(map.begin(), map.end(), someRows(n).begin(),
                                  [](const MeasureMap::Entry& e, const Row& r) { return e.time == r.time; }));
        QCOMPARE(QFileInfo::exists(path), existed);
        if (regular)
            QCOMPARE(fileBytes(path), before);
    }
};

QTEST_GUILESS_MAIN(TestDatabaseBadInput)
#include "tst_databaseconnection_badinput.moc"
