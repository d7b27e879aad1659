#include "campaign/campaignselection.h"
#include "campaign/qorcampaign.h"
#include "db/databasemanager.h"
#include "scripteddialogs.h"
#include "testdata.h"

#include <QCryptographicHash>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kPattern = QStringLiteral("yyyy-MM-dd hh:mm:ss");
const QString kMismatch = QStringLiteral(
    "warning|Statistiques|Le mode de stockage des statistiques pour certaines campagnes est\ndifférent du mode de la "
    "première campagne sélectionnée.\n\nCes statistiques créées avec une version de matériel différent ne\npeuvent "
    "êtres mélangée et ont été ignorées\n\n");
const QString kFilled = QStringLiteral("information|Statistiques|Des campagnes intermédiaires ont été sélectionnées\n"
                                       "automatiquement pour garantir la continuité des données.");
const QString kEmpty = QStringLiteral("warning|Statistiques|Statistiques indisponibles, la base de données est vide");
const QString kOpenError = QStringLiteral("warning|Statistiques|Erreur à l'ouverture de la base de données.\n");

QDateTime at(const QString& text)
{
    return QDateTime::fromString(text, kPattern);
}

// Row r is a campaign of three days, older as r grows: begins day 20 - 3r (00:00), ends 2 days later 09:00.
CampaignInfo campaignOfRow(int row, int storeMode)
{
    CampaignInfo c;
    c.id = 100 - row;
    c.storeMode = storeMode;
    c.begin = QDateTime(QDate(2026, 5, 20 - 3 * row), QTime(0, 0));
    c.end = QDateTime(QDate(2026, 5, 22 - 3 * row), QTime(9, 0));
    c.title = QStringLiteral("Campagne %1").arg(row);
    return c;
}

QList<int> tickedRows(const CampaignSelection& s)
{
    QList<int> out;
    for (int row : s.rows())
        if (s.isTicked(row))
            out << row;
    return out;
}

QByteArray hashOf(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
}

} // namespace

class TestCampaignSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void acceptTicks_data();
    void acceptTicks();
    void selectionButtons();
    void loadFile_data();
    void loadFile();
    void threeCampaigns();
    void removeCampaigns();

private:
    QTemporaryDir m_dir;
};

void TestCampaignSelection::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_dir.isValid());
}

void TestCampaignSelection::acceptTicks_data()
{
    QTest::addColumn<QList<int>>("modes");          // store mode of each row, top first
    QTest::addColumn<QList<int>>("ticks");          // rows ticked before accepting
    QTest::addColumn<QList<int>>("ticksAfter");
    QTest::addColumn<int>("storeMode");
    QTest::addColumn<int>("periodFrom");            // topmost and lowest rows of the period; -1 none
    QTest::addColumn<int>("periodTo");
    QTest::addColumn<QStringList>("boxes");

    using L = QList<int>;
    QTest::newRow("top row as ticked by default") << L{0, 0, 0} << L{0} << L{0} << 0 << 0 << 0 << QStringList();
    QTest::newRow("rows 0 and 3 of five") << L{0, 0, 0, 0, 0} << L{0, 3} << L{0, 1, 2, 3} << 0 << 0 << 3
                                          << QStringList{kFilled};
    QTest::newRow("modes 0 1 0, the middle one filled back in")
        << L{0, 1, 0} << L{0, 1, 2} << L{0, 1, 2} << 0 << 0 << 2 << QStringList{kMismatch, kFilled};
    QTest::newRow("nothing ticked") << L{0, 0} << L{} << L{} << -1 << -1 << -1 << QStringList();
    QTest::newRow("other modes unticked, none left to fill")
        << L{1, 0, 1, 0} << L{0, 1, 3} << L{0} << 1 << 0 << 0 << QStringList{kMismatch};
    QTest::newRow("the topmost ticked row decides the mode")
        << L{0, 1, 1, 0} << L{1, 3} << L{1} << 1 << 1 << 1 << QStringList{kMismatch};
    QTest::newRow("filled rows of another mode stay ticked")
        << L{0, 1, 0} << L{0, 2} << L{0, 1, 2} << 0 << 0 << 2 << QStringList{kFilled};
    QTest::newRow("lowest row alone") << L{0, 1, 0} << L{2} << L{2} << 0 << 2 << 2 << QStringList();
    QTest::newRow("advanced mode, contiguous") << L{0, 2, 2} << L{1, 2} << L{1, 2} << 2 << 1 << 2 << QStringList();
}

void TestCampaignSelection::acceptTicks()
{
    QFETCH(QList<int>, modes);
    QFETCH(QList<int>, ticks);
    QFETCH(QList<int>, ticksAfter);
    QFETCH(int, storeMode);
    QFETCH(int, periodFrom);
    QFETCH(int, periodTo);
    QFETCH(QStringList, boxes);

    ScriptedDialogs dialogs;
    CampaignSelection selection;
    for (int row = 0; row < modes.size(); ++row)
        QCOMPARE(selection.addCampaign(campaignOfRow(row, modes[row])), row);
    QCOMPARE(tickedRows(selection), QList<int>{0});
    for (int row = 0; row < modes.size(); ++row)
        selection.setTicked(row, ticks.contains(row));

    const CampaignSelection::Outcome outcome = selection.accept();
    QCOMPARE(tickedRows(selection), ticksAfter);
    QCOMPARE(outcome.storeMode, storeMode);
    QCOMPARE(dialogs.summary(), boxes);
    QCOMPARE(outcome.storeModeMismatch, boxes.contains(kMismatch));
    QCOMPARE(outcome.filledIn, boxes.contains(kFilled));
    QCOMPARE(outcome.ok, periodFrom >= 0);
    if (outcome.ok) {
        QCOMPARE(outcome.start, campaignOfRow(periodTo, 0).begin);
        QCOMPARE(outcome.end, campaignOfRow(periodFrom, 0).end);
    } else {
        QVERIFY(!outcome.start.isValid());
    }
    // Every row stays in the list, ticked or not.
    QCOMPARE(selection.campaignIds().size(), modes.size());
    QCOMPARE(selection.campaignIds().value(0), 100);
}

void TestCampaignSelection::selectionButtons()
{
    CampaignSelection selection;
    selection.addCampaign(campaignOfRow(0, 0));
    QCOMPARE(selection.selectAllText(), QStringLiteral("Tout désélectionner"));
    selection.addCampaign(campaignOfRow(1, 0));
    QCOMPARE(selection.selectAllText(), QStringLiteral("Tout désélectionner"));
    selection.addCampaign(campaignOfRow(2, 0));
    QCOMPARE(selection.selectAllText(), QStringLiteral("Tout sélectionner"));

    selection.reverseSelect();
    QCOMPARE(tickedRows(selection), QList<int>({1, 2}));
    selection.selectUnselectAll();   // not all ticked: tick all
    QCOMPARE(tickedRows(selection), QList<int>({0, 1, 2}));
    QCOMPARE(selection.selectAllText(), QStringLiteral("Tout désélectionner"));
    selection.selectUnselectAll();   // all ticked: untick all
    QVERIFY(tickedRows(selection).isEmpty());
    QCOMPARE(selection.selectAllText(), QStringLiteral("Tout sélectionner"));
    QDateTime start = at(QStringLiteral("2000-01-01 00:00:00")), end = start;
    QVERIFY(!selection.selectedPeriod(start, end));
    QCOMPARE(start, at(QStringLiteral("2000-01-01 00:00:00")));

    QCOMPARE(selection.tickCampaigns({98, 5, 100}), QList<int>{5});
    QCOMPARE(tickedRows(selection), QList<int>({0, 2}));
    QCOMPARE(selection.tickedCount(), 2);
    QVERIFY(selection.selectedPeriod(start, end));
    QCOMPARE(start, campaignOfRow(2, 0).begin);
    QCOMPARE(end, campaignOfRow(0, 0).end);
    QCOMPARE(selection.campaign(7).id, 0);
    QVERIFY(!selection.isTicked(7));
}

void TestCampaignSelection::loadFile_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<bool>("unchanged");   // the file's bytes stay as they were

    const int loaded = int(CampaignSelection::LoadResult::Loaded);
    const int empty = int(CampaignSelection::LoadResult::Empty);
    const int openFailed = int(CampaignSelection::LoadResult::OpenFailed);
    QTest::newRow("measures only") << "measures" << loaded << 2 << QStringList() << false;
    QTest::newRow("no measure") << "marker" << empty << 0 << QStringList{kEmpty} << false;
    QTest::newRow("empty campaign tables") << "emptyTables" << loaded << 2 << QStringList() << false;
    QTest::newRow("only an unreadable campaign")
        << "unreadable" << empty << 0 << QStringList{kEmpty} << true;
    QTest::newRow("campaign without measure") << "noMeasureInPeriod" << loaded << 1 << QStringList() << true;
    QTest::newRow("read-only, not yet derived") << "readOnly" << empty << 0 << QStringList{kEmpty} << true;
    QTest::newRow("not a database") << "text" << openFailed << 0 << QStringList() << true;
    QTest::newRow("truncated database") << "truncated" << openFailed << 0 << QStringList() << true;
    QTest::newRow("folder missing") << "missingFolder" << openFailed << 0 << QStringList() << true;
}

void TestCampaignSelection::loadFile()
{
    QFETCH(QString, setup);
    QFETCH(int, result);
    QFETCH(int, rows);
    QFETCH(QStringList, boxes);
    QFETCH(bool, unchanged);

    QString path = m_dir.filePath(setup + QStringLiteral(".db"));
    const QVector<Row> measures = {{localTime(QStringLiteral("2026-04-29 10:00:00")), 50, 0},
                                   {localTime(QStringLiteral("2026-05-02 10:00:00")), 52, 1}};
    const QString campaignTable = QStringLiteral(
        "CREATE TABLE campaign (camp_id INTEGER PRIMARY KEY AUTOINCREMENT,product_prod_id INTEGER UNSIGNED NOT NULL,"
        "camp_date_begin DATETIME NULL,camp_date_end DATETIME NULL,date_created DATETIME NULL,camp_store_mode INTEGER "
        "DEFAULT 0,camp_title VARCHAR(255) NOT NULL DEFAULT '',camp_comment TEXT NOT NULL DEFAULT '');");
    const QString detailsTable = QStringLiteral(
        "CREATE TABLE campaign_details (cpd_id INTEGER PRIMARY KEY AUTOINCREMENT,product_prod_id INTEGER UNSIGNED NOT "
        "NULL,cpd_date DATETIME NULL,campaign_camp_id INTEGER UNSIGNED NOT NULL,cpd_status TINYINT UNSIGNED NULL "
        "DEFAULT 0,cpd_attempt TINYINT UNSIGNED NULL DEFAULT 0,last_updated DATETIME NULL,cpd_max_time DATETIME "
        "DEFAULT '0000-00-00 00:00:00');");
    if (setup == QLatin1String("measures") || setup == QLatin1String("readOnly")) {
        QVERIFY(writeMeasureDb(path, measures, true, 2));
    } else if (setup == QLatin1String("marker")) {
        QVERIFY(writeMeasureDb(path, {}, true, 2));
    } else if (setup == QLatin1String("emptyTables")) {
        QVERIFY(writeMeasureDb(path, measures, false));
        QVERIFY(execSql(path, campaignTable) && execSql(path, detailsTable));
    } else if (setup == QLatin1String("unreadable") || setup == QLatin1String("noMeasureInPeriod")) {
        QVERIFY(writeMeasureDb(path, measures, true, 2));
        QVERIFY(execSql(path, campaignTable) && execSql(path, detailsTable));
        QVERIFY(execSql(path, QStringLiteral("INSERT INTO campaign_details (product_prod_id, cpd_date, "
                                             "campaign_camp_id) VALUES (1, '2026-04-29 00:00:00', 0);")));
        QVERIFY(execSql(path, setup == QLatin1String("unreadable")
                                  ? QStringLiteral("INSERT INTO campaign (product_prod_id, camp_date_begin, "
                                                   "camp_date_end) VALUES (1, 'le 3 mai', '2026-05-05 09:00:00');")
                                  : QStringLiteral("INSERT INTO campaign (product_prod_id, camp_date_begin, "
                                                   "camp_date_end) VALUES (1, '2027-01-03', '2027-01-05 09:00:00');")));
    } else if (setup == QLatin1String("text")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("date;vitesse\n2026-05-02 10:00:00;50\n");
    } else if (setup == QLatin1String("truncated")) {
        QVector<Row> many;
        for (int i = 0; i < 20000; ++i)
            many.append(Row{localTime(QStringLiteral("2026-05-02 10:00:00")) + i * 7, 40 + i % 30, i % 2});
        QVERIFY(writeMeasureDb(path, many, true, 2));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.resize(f.size() / 2));
    } else if (setup == QLatin1String("missingFolder")) {
        path = m_dir.filePath(QStringLiteral("missing/folder/x.db"));
    }
    if (setup == QLatin1String("readOnly")) {
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        if (QFileInfo(path).isWritable())
            QSKIP("the file stays writable for this user");
    }
    const QByteArray before = hashOf(path);

    ScriptedDialogs dialogs;
    CampaignSelection selection;
    QCOMPARE(int(selection.open(path)), result);
    QCOMPARE(selection.rowCount(), rows);
    QStringList messages;
    for (const QString& line : dialogs.summary())
        if (!line.startsWith(QLatin1String("progress|")) && !line.contains(QLatin1String("Database manager")))
            messages << line;
    if (result == int(CampaignSelection::LoadResult::OpenFailed))
        QCOMPARE(messages, QStringList{kOpenError});
    else
        QCOMPARE(messages, boxes);
    QCOMPARE(selection.database() != nullptr, result != int(CampaignSelection::LoadResult::OpenFailed));
    selection.close();
    QVERIFY(!selection.database());
    if (unchanged)
        QCOMPARE(hashOf(path), before);
    if (rows > 0) {
        QCOMPARE(tickedRows(selection), QList<int>{0});
        QVERIFY(selection.accept().ok);
    }
}

void TestCampaignSelection::threeCampaigns()
{
    const QString path = m_dir.filePath(QStringLiteral("three.db"));
    QVERIFY(writeMeasureDb(path,
                           {{localTime(QStringLiteral("2026-03-10 07:00:00")), 50, 0},
                            {localTime(QStringLiteral("2026-04-12 08:00:00")), 50, 0},
                            {localTime(QStringLiteral("2026-05-03 14:30:00")), 50, 1},
                            {localTime(QStringLiteral("2026-05-05 09:00:00")), 50, 0}},
                           true, 1));
    ScriptedDialogs dialogs;
    CampaignSelection selection;
    QCOMPARE(selection.open(path), CampaignSelection::LoadResult::Loaded);
    QCOMPARE(selection.rowCount(), 3);
    QCOMPARE(selection.campaignIds(), (QMap<int, int>{{0, 3}, {1, 2}, {2, 1}}));
    const CampaignInfo top = selection.campaign(0);
    QCOMPARE(top.begin, at(QStringLiteral("2026-05-03 00:00:00")));
    QCOMPARE(top.end, at(QStringLiteral("2026-05-05 09:00:00")));
    QVERIFY(top.title.startsWith(QStringLiteral("Téléchargement du ")));
    QCOMPARE(top.comment, QStringLiteral("Campagne créée automatiquement"));
    QCOMPARE(top.storeMode, 0);
    QVERIFY(top.created.isValid());
    QCOMPARE(top.title, QStringLiteral("Téléchargement du ") + top.created.toString(Qt::ISODate));
    selection.close();

    // The ids newest first, only the top row ticked; accepting at once gives that campaign.
    const CampaignSelection::Outcome outcome = selection.accept();
    QVERIFY(outcome.ok);
    QCOMPARE(outcome.start, top.begin);
    QCOMPARE(outcome.end, top.end);
    QCOMPARE(outcome.storeMode, 0);
    QCOMPARE(dialogs.messages(), QStringList());

    // A second opening finds the campaigns made by the first and derives nothing more.
    dialogs.clear();
    QCOMPARE(selection.open(path), CampaignSelection::LoadResult::Loaded);
    QCOMPARE(selection.rowCount(), 3);
    QVERIFY(dialogs.shown().isEmpty());
}

void TestCampaignSelection::removeCampaigns()
{
    const QString path = m_dir.filePath(QStringLiteral("remove.db"));
    QVERIFY(writeMeasureDb(path,
                           {{localTime(QStringLiteral("2026-03-10 07:00:00")), 50, 0},
                            {localTime(QStringLiteral("2026-04-12 08:00:00")), 51, 0},
                            {localTime(QStringLiteral("2026-05-03 14:30:00")), 52, 1}},
                           true, 1));
    ScriptedDialogs dialogs;
    CampaignSelection selection;
    QCOMPARE(selection.removeCampaigns(), 0);   // no connection: nothing
    QCOMPARE(selection.open(path), CampaignSelection::LoadResult::Loaded);
    selection.setTicked(1, true);   // rows 0 (May) and 1 (April)
    dialogs.clear();
    dialogs.answerQuestion(1);   // May: Non
    dialogs.answerQuestion(0);   // April: Oui
    dialogs.answerQuestion(1);   // May, asked again from the top: Non
    QList<int> removedRows;
    QCOMPARE(selection.removeCampaigns([&](int row) { removedRows << row; }), 1);
    QCOMPARE(removedRows, QList<int>{1});
    QCOMPARE(selection.rows(), QList<int>({0, 2}));
    QStringList questions;
    for (const ScriptedDialogs::Shown& s : dialogs.shown()) {
        QCOMPARE(s.kind, QStringLiteral("question"));
        QCOMPARE(s.title, QStringLiteral("Maintenance des données"));
        QCOMPARE(s.details, QStringList({QStringLiteral("Oui"), QStringLiteral("Non"), QStringLiteral("0")}));
        questions << s.text;
    }
    QCOMPARE(questions.size(), 3);
    QVERIFY(questions[0].startsWith(QStringLiteral("Vous allez effacer la campagne :<br/><br/><b>Téléchargement du ")));

    QorCampaign store;
    QCOMPARE(store.campaignList(selection.database(), 1), QList<int>({3, 1}));
    QCOMPARE(store.countMeasures(selection.database()), 3);   // the marker, March and May
    selection.close();
}

QTEST_GUILESS_MAIN(TestCampaignSelection)
#include "tst_campaignselection.moc"
