// SPDX-License-Identifier: GPL-3.0-or-later
#include "campaign/campaignstore.h"
#include "testdata.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestCliCampaigns : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());

        // Campaigns 3 (May, Standard), 2 (April, Avancé), 1 (March, Standard); 80 measures each.
        m_statsDb = newPath();
        QVector<Row> rows;
        for (const char* day : {"2026-03-02", "2026-03-20", "2026-04-03", "2026-04-21", "2026-05-04", "2026-05-22"})
            for (int i = 0; i < 40; ++i)
                rows.append(
                    Row{localTime(QString::fromLatin1(day) + QStringLiteral(" 08:00:00")) + i * 600, 40 + i, i % 2});
        QVERIFY(writeMeasureDb(m_statsDb, rows, true, 1));
        QCOMPARE(run({m_statsDb}).exitCode, 0);
        // The readings, one every ten minutes, were derived as "Avancé".
        QVERIFY(execSql(m_statsDb, QStringLiteral("UPDATE campaign SET camp_store_mode=(camp_id=2);")));
    }

    void listing_data()
    {
        QTest::addColumn<QString>("content");   // "measures", "marker" or "read-only"
        QTest::addColumn<QStringList>("args");   // FILE stands for the file
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("campaigns");   // -1: no JSON expected
        QTest::addColumn<QString>("stderrPart");

        // Damaged files and a full disk: tst_cli_stats::statuses and the database tests.
        const QString file = QStringLiteral("FILE");
        QTest::newRow("two months") << "measures" << QStringList{file} << 0 << 2 << QString();
        QTest::newRow("no measure") << "marker" << QStringList{file} << 0 << 0
                                    << "Statistiques indisponibles, la base de données est vide";
        QTest::newRow("read-only: derived, not stored")
            << "read-only" << QStringList{file} << 0 << 2 << "lecture seule";
        QTest::newRow("unknown option") << "measures" << QStringList{file, QStringLiteral("--all")} << 1 << -1
                                        << "Argument inattendu : --all";
    }

    void listing()
    {
        QFETCH(QString, content);
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(int, campaigns);
        QFETCH(QString, stderrPart);

        const QString path = newPath();
        const QVector<Row> rows = {{localTime(QStringLiteral("2026-04-29 10:00:00")), 50, 0},
                                   {localTime(QStringLiteral("2026-05-02 14:30:00")), 52, 1},
                                   {localTime(QStringLiteral("2026-05-05 09:00:00")), 48, 0}};
        QVERIFY(writeMeasureDb(path, content == QLatin1String("marker") ? QVector<Row>() : rows, true, 1));
        if (content == QLatin1String("read-only"))
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const QByteArray before = fileBytes(path);
        args.replaceInStrings(QStringLiteral("FILE"), path);
        const CliRun r = run(args);
        QCOMPARE(r.exitCode, status);
        QVERIFY2(r.err.contains(stderrPart), qPrintable(r.err));
        if (status != 0)   // a refusal is one line
            QCOMPARE(r.err.trimmed().count(QLatin1Char('\n')), 0);
        if (content == QLatin1String("read-only"))
            QVERIFY(fileBytes(path) == before);
        QCOMPARE(r.out.isEmpty(), campaigns < 0);
        if (campaigns < 0)
            return;
        QJsonParseError error;
        const QJsonObject root = QJsonDocument::fromJson(r.out, &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(root.value(QStringLiteral("file")).toString(), path);
        const QJsonArray list = root.value(QStringLiteral("campaigns")).toArray();
        QCOMPARE(list.size(), campaigns);
        if (campaigns == 0)
            return;
        const QJsonObject may = list.at(0).toObject();
        const QString created = may.value(QStringLiteral("created")).toString();
        QVERIFY(QDateTime::fromString(created, Qt::ISODate).isValid());
        QCOMPARE(QString::fromUtf8(QJsonDocument(may).toJson(QJsonDocument::Compact)),
                 QStringLiteral("{\"begin\":\"2026-05-02T00:00:00\",\"comment\":\"Campagne créée automatiquement\","
                                "\"created\":\"%1\",\"end\":\"2026-05-05T09:00:00\",\"id\":2,\"storeMode\":0,"
                                "\"title\":\"%2\"}")
                     .arg(created, CampaignStore::monthTitle(QDate(2026, 5, 1))));
        QCOMPARE(list.at(1).toObject().value(QStringLiteral("begin")).toString(),
                 QStringLiteral("2026-04-29T00:00:00"));
    }

    void statsOfCampaigns_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QList<int>>("chosen");   // campaigns analysed, top first; none: the command fails
        QTest::addColumn<QString>("stderrPart");

        using S = QStringList;
        using L = QList<int>;
        const QString c = QStringLiteral("--campaign");
        QTest::newRow("one campaign") << S{c, "1"} << L{1} << QString();
        QTest::newRow("advanced store mode") << S{c, "2"} << L{2} << QString();
        QTest::newRow("other store mode dropped")
            << S{c, "3", c, "2"} << L{3}
            << "Campagnes ignorées, d'un autre mode de stockage que la première cochée : 2";
        QTest::newRow("gap filled") << S{c, "1", c, "3"} << L{3, 2, 1}
                                    << "Campagnes intermédiaires ajoutées pour la continuité des données : 2";
        QTest::newRow("unknown campaign") << S{c, "3", c, "9"} << L{} << "Campagne inconnue : 9 (campagnes : 3, 2, 1)";
        QTest::newRow("not a number") << S{c, "mai"} << L{} << "Numéro de campagne invalide : mai";
    }

    void statsOfCampaigns()
    {
        QFETCH(QStringList, options);
        QFETCH(QList<int>, chosen);
        QFETCH(QString, stderrPart);

        const CliRun r = run(QStringList{QStringLiteral("stats"), m_statsDb} + options);
        QCOMPARE(r.exitCode, chosen.isEmpty() ? 1 : 0);
        QVERIFY2(r.err.contains(stderrPart), qPrintable(r.err));
        if (chosen.isEmpty())
            return;
        const QJsonObject root = QJsonDocument::fromJson(r.out).object();
        QList<int> analysed;
        for (const QJsonValue& v : root.value(QStringLiteral("campaigns")).toArray())
            analysed << v.toInt();
        QCOMPARE(analysed, chosen);
        // Campaign 2 alone is of the advanced store mode, which turns the divider off.
        const bool advanced = chosen == QList<int>{2};
        QCOMPARE(root.value(QStringLiteral("storeMode")).toInt(), advanced ? 1 : 0);
        QCOMPARE(root.value(QStringLiteral("settings")).toObject().value(QStringLiteral("dividerOff")).toBool(),
                 advanced);
        // Only the measures of the chosen months are read, from the first day of the last one.
        QCOMPARE(root.value(QStringLiteral("measuresLoaded")).toInt(), 80 * chosen.size());
        const char* const firstMeasure[] = {"", "2026-03-02T08:00:00", "2026-04-03T08:00:00", "2026-05-04T08:00:00"};
        QCOMPARE(root.value(QStringLiteral("begin")).toString(), QLatin1String(firstMeasure[chosen.last()]));
    }

private:
    // "campaigns ARGS", or the stats command when ARGS starts with "stats".
    CliRun run(const QStringList& args)
    {
        return runCli(m_dir.path(),
                      args.value(0) == QLatin1String("stats") ? args : QStringList{QStringLiteral("campaigns")} + args);
    }
    QString newPath() { return m_dir.filePath(QStringLiteral("c%1.db").arg(m_files++)); }
    QTemporaryDir m_dir;
    QString m_statsDb;
    int m_files = 0;
};

QTEST_GUILESS_MAIN(TestCliCampaigns)
#include "tst_cli_campaigns.moc"
