#include "testdata.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

class TestCliCampaigns : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void listing_data();
    void listing();
    void interruptedFirstOpening();
    void statsOfCampaigns_data();
    void statsOfCampaigns();

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

void TestCliCampaigns::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());

    // Campaigns 3 (May, Standard), 2 (April, Avancé), 1 (March, Standard); 80 measures each.
    m_statsDb = newPath();
    QVector<Row> rows;
    for (const char* day : {"2026-03-02", "2026-03-20", "2026-04-03", "2026-04-21", "2026-05-04", "2026-05-22"})
        for (int i = 0; i < 40; ++i)
            rows.append(Row{localTime(QString::fromLatin1(day) + QStringLiteral(" 08:00:00")) + i * 600, 40 + i, i % 2});
    QVERIFY(writeMeasureDb(m_statsDb, rows, true, 1));
    QCOMPARE(run({m_statsDb}).exitCode, 0);
    QVERIFY(execSql(m_statsDb, QStringLiteral("UPDATE campaign SET camp_store_mode=1 WHERE camp_id=2;")));
}

void TestCliCampaigns::listing_data()
{
    QTest::addColumn<QString>("content");    // "measures", "marker", "text", "none", or a bad file below
    QTest::addColumn<QStringList>("args");   // FILE stands for the file
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("campaigns");      // -1: no JSON expected
    QTest::addColumn<QString>("stderrPart");

    const QString file = QStringLiteral("FILE");
    QTest::newRow("two months") << "measures" << QStringList{file} << 0 << 2 << QString();
    QTest::newRow("pretty") << "measures" << QStringList{file, QStringLiteral("--pretty")} << 0 << 2 << QString();
    QTest::newRow("no measure") << "marker" << QStringList{file} << 0 << 0
                                << "Statistiques indisponibles, la base de données est vide";
    QTest::newRow("not a database") << "text" << QStringList{file} << 1 << -1
                                    << "Erreur à l'ouverture de la base de données.";
    QTest::newRow("missing file") << "none" << QStringList{file} << 1 << -1 << "introuvable";
    // Bad files stay byte for byte as they were.
    QTest::newRow("empty file") << "empty" << QStringList{file} << 1 << -1 << "n'est pas une base de mesures";
    QTest::newRow("no measure table") << "foreign" << QStringList{file} << 1 << -1 << "n'est pas une base de mesures";
    QTest::newRow("damaged page") << "damaged" << QStringList{file} << 1 << -1 << "endommagée";
    QTest::newRow("locked by another program") << "locked" << QStringList{file} << 1 << -1 << "utilisée par un autre";
    QTest::newRow("read-only: derived, not stored") << "read-only" << QStringList{file} << 0 << 2 << "lecture seule";
    QTest::newRow("no file argument") << "none" << QStringList{} << 1 << -1 << "manquant";
    QTest::newRow("unknown option") << "measures" << QStringList{file, QStringLiteral("--all")} << 1 << -1
                                    << "Argument inattendu : --all";
}

void TestCliCampaigns::listing()
{
    QFETCH(QString, content);
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(int, campaigns);
    QFETCH(QString, stderrPart);

    const QString path = newPath();
    const QVector<Row> rows = {{localTime(QStringLiteral("2026-04-29 10:00:00")), 50, 0},
        {localTime(QStringLiteral("2026-05-02 14:30:00")), 52, 1}, {localTime(QStringLiteral("2026-05-05 09:00:00")), 48, 0}};
    QFile text(path);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> other(nullptr, sqlite3_close);
    if (content == QLatin1String("text") || content == QLatin1String("empty")) {
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write(content == QLatin1String("text") ? "pas une base\n" : "") >= 0);
    } else if (content == QLatin1String("foreign")) {
        QVERIFY(execSql(path, QStringLiteral("CREATE TABLE other (x INTEGER)")));
    } else if (content == QLatin1String("damaged")) {
        QVector<Row> many;
        for (int i = 0; i < 20000; ++i)
            many << Row{1000000 + i * 7, 20 + i % 60, i % 2};
        QVERIFY(writeDamagedDb(path, many));
    } else if (content != QLatin1String("none")) {
        QVERIFY(writeMeasureDb(path, content == QLatin1String("marker") ? QVector<Row>() : rows, true, 1));
    }
    text.close();
    if (content == QLatin1String("read-only"))
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const bool bad = !QStringList{"measures", "marker", "none"}.contains(content);
    QByteArray before;
    if (bad && text.open(QIODevice::ReadOnly))
        before = text.readAll();
    text.close();   // before the lock: closing any descriptor of the file drops this process's locks
    if (content == QLatin1String("locked")) {
        sqlite3* db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        other.reset(db);
        QCOMPARE(sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    args.replaceInStrings(QStringLiteral("FILE"), path);

    const CliRun r = run(args);
    other.reset();
    QCOMPARE(r.exitCode, status);
    QVERIFY2(r.err.contains(stderrPart), qPrintable(r.err));
    QCOMPARE(QFile::exists(path), content != QLatin1String("none"));
    if (bad) {
        QVERIFY(text.open(QIODevice::ReadOnly));
        QVERIFY(text.readAll() == before);
    }
    QCOMPARE(r.out.isEmpty(), campaigns < 0);
    if (campaigns < 0)
        return;
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(r.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(r.out.count('\n') > 1, args.contains(QStringLiteral("--pretty")));
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
                            "\"title\":\"Téléchargement du %1\"}")
                 .arg(created));
    QCOMPARE(list.at(1).toObject().value(QStringLiteral("begin")).toString(), QStringLiteral("2026-04-29T00:00:00"));
}

// Killing the command during the first opening leaves either the file as it was or the whole
// derivation, never a part of it; the next opening then completes it once.
void TestCliCampaigns::interruptedFirstOpening()
{
    const QString path = newPath();
    QVector<Row> rows;
    const qint64 first = localTime(QStringLiteral("2025-12-01 06:00:00"));
    for (int day = 0; day < 400; ++day)
        for (int i = 0; i < 20; ++i)
            rows.append(Row{first + day * 86400 + i * 1800, 50, i % 2});
    QVERIFY(writeMeasureDb(path, rows, true, 1));
    // Read with SQLite as the next opening would: a journal left by the kill is rolled back first.
    auto count = [&](const char* table) {
        sqlite3* db = nullptr;
        sqlite3_stmt* st = nullptr;
        int n = -1;
        const QByteArray sql = QByteArray("SELECT COUNT(*) FROM ") + table;
        if (sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK
            && sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            n = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
        sqlite3_close(db);
        return n;
    };
    // The whole run takes under a tenth of a second here: a few kill points around it.
    for (int delay : {40, 55, 70, 85}) {
        QProcess p;
        p.setProcessEnvironment(homeEnvironment(m_dir.path()));
        p.start(QStringLiteral(TRAMOLA_BIN_DIR "/tramola-cli"), {QStringLiteral("campaigns"), path});
        QVERIFY(p.waitForStarted());
        QTest::qSleep(delay);
        p.kill();
        p.waitForFinished();
        const int days = count("campaign_details"), campaigns = count("campaign");
        QVERIFY2((days <= 0 && campaigns <= 0) || (days == 400 && campaigns == 14),
                 qPrintable(QStringLiteral("after %1 ms: %2 days, %3 campaigns").arg(delay).arg(days).arg(campaigns)));
    }
    QCOMPARE(run({path}).exitCode, 0);
    QCOMPARE(count("campaign_details"), 400);
    QCOMPARE(count("campaign"), 14);
}

void TestCliCampaigns::statsOfCampaigns_data()
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
        << S{c, "3", c, "2"} << L{3} << "Campagnes ignorées, d'un autre mode de stockage que la première cochée : 2";
    QTest::newRow("gap filled") << S{c, "1", c, "3"} << L{3, 2, 1}
                                << "Campagnes intermédiaires ajoutées pour la continuité des données : 2";
    QTest::newRow("unknown campaign") << S{c, "3", c, "9"} << L{} << "Campagne inconnue : 9 (campagnes : 3, 2, 1)";
    QTest::newRow("not a number") << S{c, "mai"} << L{} << "Numéro de campagne invalide : mai";
}

void TestCliCampaigns::statsOfCampaigns()
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
    QCOMPARE(root.value(QStringLiteral("settings")).toObject().value(QStringLiteral("dividerOff")).toBool(), advanced);
    // Only the measures of the chosen months are read, from the first day of the last one.
    QCOMPARE(root.value(QStringLiteral("measuresLoaded")).toInt(), 80 * chosen.size());
    const char* const firstMeasure[] = {"", "2026-03-02T08:00:00", "2026-04-03T08:00:00", "2026-05-04T08:00:00"};
    QCOMPARE(root.value(QStringLiteral("begin")).toString(), QLatin1String(firstMeasure[chosen.last()]));
}

QTEST_GUILESS_MAIN(TestCliCampaigns)
#include "tst_cli_campaigns.moc"
