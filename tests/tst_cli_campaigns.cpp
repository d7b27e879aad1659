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
    struct Run
    {
        int status = -1;
        QByteArray out, err;
    };
    Run run(const QStringList& args)
    {
        QProcess p;
        p.setProcessEnvironment(m_env);
        p.start(QStringLiteral(TRAMOLA_BIN_DIR "/tramola-cli"),
                args.value(0) == QLatin1String("stats") ? args : QStringList{QStringLiteral("campaigns")} + args);
        if (!p.waitForFinished(60000))
            return {};
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
                p.readAllStandardError()};
    }
    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
};

void TestCliCampaigns::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
    m_env = QProcessEnvironment::systemEnvironment();
    // Keep the command's workspace out of the user's folders.
    m_env.insert(QStringLiteral("HOME"), m_dir.filePath(QStringLiteral("home")));
    m_env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
    m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
}

void TestCliCampaigns::listing_data()
{
    QTest::addColumn<QString>("content");    // "measures", "marker", "text" or "none"
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
    QTest::newRow("no file argument") << "none" << QStringList{} << 1 << -1 << "manquant";
    QTest::newRow("unknown option") << "measures" << QStringList{file, QStringLiteral("--all")} << 1 << -1
                                    << "Argument inattendu : --all";
    QTest::newRow("two files") << "measures" << QStringList{file, file} << 1 << -1 << "Argument inattendu";
}

void TestCliCampaigns::listing()
{
    QFETCH(QString, content);
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(int, campaigns);
    QFETCH(QString, stderrPart);

    static int n = 0;
    const QString path = m_dir.filePath(QStringLiteral("c%1.db").arg(n++));
    if (content == QLatin1String("measures")) {
        QVERIFY(writeMeasureDb(path,
                               {{localTime(QStringLiteral("2026-04-29 10:00:00")), 50, 0},
                                {localTime(QStringLiteral("2026-05-02 14:30:00")), 52, 1},
                                {localTime(QStringLiteral("2026-05-05 09:00:00")), 48, 0}},
                               true, 1));
    } else if (content == QLatin1String("marker")) {
        QVERIFY(writeMeasureDb(path, {}, true, 1));
    } else if (content == QLatin1String("text")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("pas une base\n");
    }
    QByteArray before;
    if (QFile::exists(path)) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        before = f.readAll();
    }
    args.replaceInStrings(QStringLiteral("FILE"), path);

    const Run r = run(args);
    QCOMPARE(r.status, status);
    QVERIFY2(QString::fromLocal8Bit(r.err).contains(stderrPart), r.err.constData());
    if (content == QLatin1String("none"))
        QVERIFY(!QFile::exists(path));
    if (content == QLatin1String("text")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }
    if (campaigns < 0) {
        QVERIFY(r.out.isEmpty());
        return;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(r.out.count('\n') > 1, args.contains(QStringLiteral("--pretty")));
    QCOMPARE(doc.object().value(QStringLiteral("file")).toString(), path);
    const QJsonArray list = doc.object().value(QStringLiteral("campaigns")).toArray();
    QCOMPARE(list.size(), campaigns);
    if (campaigns == 2) {
        const QJsonObject may = list.at(0).toObject();
        QCOMPARE(may.value(QStringLiteral("id")).toInt(), 2);
        QCOMPARE(may.value(QStringLiteral("begin")).toString(), QStringLiteral("2026-05-02T00:00:00"));
        QCOMPARE(may.value(QStringLiteral("end")).toString(), QStringLiteral("2026-05-05T09:00:00"));
        QCOMPARE(may.value(QStringLiteral("storeMode")).toInt(), 0);
        QCOMPARE(may.value(QStringLiteral("comment")).toString(), QStringLiteral("Campagne créée automatiquement"));
        const QString created = may.value(QStringLiteral("created")).toString();
        QVERIFY(QDateTime::fromString(created, Qt::ISODate).isValid());
        QCOMPARE(may.value(QStringLiteral("title")).toString(), QStringLiteral("Téléchargement du ") + created);
        const QJsonObject april = list.at(1).toObject();
        QCOMPARE(april.value(QStringLiteral("id")).toInt(), 1);
        QCOMPARE(april.value(QStringLiteral("begin")).toString(), QStringLiteral("2026-04-29T00:00:00"));

        // The first listing completed the file; the second reads the same campaigns.
        const Run again = run({path});
        QCOMPARE(again.status, 0);
        QCOMPARE(QJsonDocument::fromJson(again.out).object().value(QStringLiteral("campaigns")).toArray(), list);
    }
}

// Killing the command at any moment of the first opening leaves either the file as it was or the
// whole derivation, never a part of it; the next opening then completes it once.
void TestCliCampaigns::interruptedFirstOpening()
{
    const QString path = m_dir.filePath(QStringLiteral("interrupted.db"));
    QVector<Row> rows;
    const qint64 first = localTime(QStringLiteral("2025-12-01 06:00:00"));
    for (int day = 0; day < 400; ++day)
        for (int i = 0; i < 20; ++i)
            rows.append(Row{first + day * 86400 + i * 1800, 50, i % 2});
    QVERIFY(writeMeasureDb(path, rows, true, 1));
    // Opened as the next opening would: a journal left by the kill is rolled back first.
    auto count = [&](const char* table) {
        sqlite3* db = nullptr;
        int n = -1;
        if (sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK) {
            sqlite3_stmt* st = nullptr;
            const QByteArray sql = QByteArray("SELECT COUNT(*) FROM ") + table;
            if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
                n = sqlite3_column_int(st, 0);
            sqlite3_finalize(st);
        }
        sqlite3_close(db);
        return n;
    };

    for (int delay = 10; delay <= 400; delay += 25) {
        QProcess p;
        p.setProcessEnvironment(m_env);
        p.start(QStringLiteral(TRAMOLA_BIN_DIR "/tramola-cli"), {QStringLiteral("campaigns"), path});
        QVERIFY(p.waitForStarted());
        QTest::qSleep(delay);
        p.kill();
        p.waitForFinished();
        const int days = count("campaign_details");
        const int campaigns = count("campaign");
        QVERIFY2((days <= 0 && campaigns <= 0) || (days == 400 && campaigns == 14),
                 qPrintable(QStringLiteral("after %1 ms: %2 days, %3 campaigns").arg(delay).arg(days).arg(campaigns)));
    }
    QCOMPARE(run({path}).status, 0);
    QCOMPARE(count("campaign_details"), 400);
    QCOMPARE(count("campaign"), 14);
}

void TestCliCampaigns::statsOfCampaigns_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QList<int>>("chosen");     // campaigns analysed, top first
    QTest::addColumn<QString>("begin");          // the first measure read, as the editors show it
    QTest::addColumn<bool>("dividerOff");
    QTest::addColumn<QString>("stderrPart");

    // Campaigns 3 (May, Standard), 2 (April, Avancé), 1 (March, Standard).
    using S = QStringList;
    using L = QList<int>;
    const QString c = QStringLiteral("--campaign");
    QTest::newRow("one campaign") << S{c, "1"} << 0 << L{1} << "2026-03-02T08:00:00" << false << QString();
    QTest::newRow("advanced store mode sets the divider")
        << S{c, "2"} << 0 << L{2} << "2026-04-03T08:00:00" << true << QString();
    QTest::newRow("explicit divider wins") << S{c, "2", "--divider", "off"} << 0 << L{2} << "2026-04-03T08:00:00"
                                           << true << QString();
    QTest::newRow("explicit divider on") << S{c, "2", "--divider", "on"} << 0 << L{2} << "2026-04-03T08:00:00"
                                         << false << QString();
    QTest::newRow("other store mode dropped") << S{c, "3", c, "2"} << 0 << L{3} << "2026-05-04T08:00:00" << false
                                              << "Campagnes ignorées, d'un autre mode de stockage que la première "
                                                 "cochée : 2";
    QTest::newRow("gap filled") << S{c, "1", c, "3"} << 0 << L{3, 2, 1} << "2026-03-02T08:00:00" << false
                                << "Campagnes intermédiaires ajoutées pour la continuité des données : 2";
    QTest::newRow("unknown campaign") << S{c, "3", c, "9"} << 1 << L{} << QString() << false
                                      << "Campagne inconnue : 9 (campagnes : 3, 2, 1)";
    QTest::newRow("not a number") << S{c, "mai"} << 1 << L{} << QString() << false
                                  << "Numéro de campagne invalide : mai";
}

void TestCliCampaigns::statsOfCampaigns()
{
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QList<int>, chosen);
    QFETCH(QString, begin);
    QFETCH(bool, dividerOff);
    QFETCH(QString, stderrPart);

    static int n = 0;
    const QString path = m_dir.filePath(QStringLiteral("s%1.db").arg(n++));
    QVector<Row> rows;
    for (const char* day : {"2026-03-02", "2026-03-20", "2026-04-03", "2026-04-21", "2026-05-04", "2026-05-22"}) {
        for (int i = 0; i < 40; ++i)
            rows.append(Row{localTime(QString::fromLatin1(day) + QStringLiteral(" 08:00:00")) + i * 600, 40 + i, i % 2});
    }
    QVERIFY(writeMeasureDb(path, rows, true, 1));
    QCOMPARE(run({path}).status, 0);   // derives the three monthly campaigns
    QVERIFY(execSql(path, QStringLiteral("UPDATE campaign SET camp_store_mode=1 WHERE camp_id=2;")));

    const Run r = run(QStringList{QStringLiteral("stats"), path} + options);
    QCOMPARE(r.status, status);
    QVERIFY2(QString::fromLocal8Bit(r.err).contains(stderrPart), r.err.constData());
    if (status != 0)
        return;
    const QJsonObject root = QJsonDocument::fromJson(r.out).object();
    QList<int> analysed;
    for (const QJsonValue& v : root.value(QStringLiteral("campaigns")).toArray())
        analysed << v.toInt();
    QCOMPARE(analysed, chosen);
    QCOMPARE(root.value(QStringLiteral("storeMode")).toInt(), chosen == QList<int>{2} ? 1 : 0);
    QCOMPARE(root.value(QStringLiteral("begin")).toString(), begin);
    QCOMPARE(root.value(QStringLiteral("settings")).toObject().value(QStringLiteral("dividerOff")).toBool(), dividerOff);
    // Only the measures of the chosen months are read.
    QCOMPARE(root.value(QStringLiteral("measuresLoaded")).toInt(), 80 * chosen.size());
}

QTEST_GUILESS_MAIN(TestCliCampaigns)
#include "tst_cli_campaigns.moc"
