// SPDX-License-Identifier: GPL-3.0-or-later
// tramola-cli fleet over a folder of good and bad files: stats' figures and stats' reasons, and
// every file left byte for byte as it was.
#include "testdata.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

class TestCliFleet : public QObject
{
    Q_OBJECT

private slots:
    void mixedFolder()
    {
        QTemporaryDir home;
        const QDir folder(home.filePath("radars"));
        QVERIFY(QDir().mkpath(folder.filePath("north")));
        const auto gendb = [&](const QString& name, const QStringList& options) {
            return runCli(home.path(), QStringList{"gendb", folder.filePath(name)} + options).exitCode == 0;
        };
        QVERIFY(gendb("a-kmh.db", {"--days", "3", "--per-day", "300", "--seed", "21"}));
        QVERIFY(gendb("north/b-mph.db", {"--days", "2", "--per-day", "200", "--units", "mph", "--seed", "22"}));
        QVector<Row> rows;
        for (int i = 0; i < 20000; ++i)
            rows << Row{1790000000 + i * 7, 20 + i % 60, i % 2};
        // With its campaign tables, as a file the window has opened: stats reads it without writing.
        QVERIFY(writeDamagedDb(folder.filePath("c-damaged.db"), rows)
                && execSql(folder.filePath("c-damaged.db"), "CREATE TABLE campaign (camp_id INTEGER)")
                && execSql(folder.filePath("c-damaged.db"), "CREATE TABLE campaign_details (cpd_id INTEGER)"));
        QVERIFY(execSql(folder.filePath("d-foreign.db"), "CREATE TABLE other (x INTEGER)"));
        QVERIFY(writeMeasureDb(folder.filePath("e-locked.db"), rows.mid(0, 100)));
        QVERIFY(writeBytes(folder.filePath("notes.txt"), "not a measure file"));   // not a .db: not listed

        const QStringList names{"a-kmh.db", "c-damaged.db", "d-foreign.db", "e-locked.db", "north/b-mph.db"};
        QMap<QString, QByteArray> before;
        for (const QString& name : names)
            before[name] = fileBytes(folder.filePath(name));
        // Another program holds e-locked.db meanwhile. The lock goes with any descriptor of the file
        // this process closes: no reading of it until released.
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(folder.filePath("e-locked.db").toUtf8().constData(), &other), SQLITE_OK);
        std::unique_ptr<sqlite3, int (*)(sqlite3*)> holder(other, sqlite3_close);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE; INSERT INTO measure (meas_date, meas_speed) VALUES (1, 50)",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        const QString csv = home.filePath("fleet.csv");
        const CliRun run =
            runCli(home.path(), {"fleet", folder.path(), "--recursive", "--jobs", "2", "--limit", "50", "--csv", csv});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QString locked = QFileInfo(folder.filePath("e-locked.db")).absoluteFilePath();
        const CliRun lockedStats = runCli(home.path(), {"stats", locked});
        holder.reset();
        for (const QString& name : names)
            QVERIFY2(fileBytes(folder.filePath(name)) == before[name], qPrintable(name));

        const QJsonObject root = QJsonDocument::fromJson(run.out).object();
        const QJsonArray files = root.value("files").toArray();
        QCOMPARE(files.size(), names.size());
        double measures = 0;
        for (int i = 0; i < names.size(); ++i) {
            const QJsonObject f = files.at(i).toObject();
            const QString path = QFileInfo(folder.filePath(names[i])).absoluteFilePath();
            QCOMPARE(f.value("file").toString(), path);   // sorted by path
            const CliRun stats = path == locked ? lockedStats : runCli(home.path(), {"stats", path, "--limit", "50"});
            if (!f.value("ok").toBool()) {
                // The single-file command's own line.
                QCOMPARE(f.value("error").toString(), stats.err.trimmed());
                continue;
            }
            const QJsonObject s = QJsonDocument::fromJson(stats.out).object();
            const QJsonObject summary = s.value("summary").toObject();
            measures += f.value("measuresLoaded").toDouble();
            QCOMPARE(f.value("measuresLoaded"), s.value("measuresLoaded"));
            QCOMPARE(f.value("begin"), s.value("begin"));
            QCOMPARE(f.value("completeDays"), summary.value("days").toObject().value("whole"));
            for (const QString d : {"0", "1"}) {
                const QJsonObject ours = f.value("directions").toObject().value(d).toObject();
                const QJsonObject theirs = summary.value("directions").toObject().value(d).toObject();
                QCOMPARE(ours.value("vehicleCount"), theirs.value("vehicles"));
                QCOMPARE(ours.value("dailyTraffic"), theirs.value("dailyTraffic"));
                QCOMPARE(ours.value("meanSpeed"), theirs.value("meanSpeed"));
                QCOMPARE(ours.value("v85"), theirs.value("v85"));
                QCOMPARE(ours.value("shareOverLimit"), theirs.value("overLimit").toObject().value("share"));
                QCOMPARE(ours.value("shareOver10"), theirs.value("overLimit10").toObject().value("share"));
            }
        }
        QCOMPARE(root.value("totals").toObject(),
                 (QJsonObject{{"files", 5}, {"ok", 2}, {"failed", 3}, {"measures", measures}}));

        // A spreadsheet's file: a byte-order mark, then the header and a row per direction or failed file.
        const QByteArray table = fileBytes(csv);
        QVERIFY(table.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(table.count('\n'), 1 + 2 * 2 + 3);
    }
};

QTEST_GUILESS_MAIN(TestCliFleet)
#include "tst_cli_fleet.moc"
