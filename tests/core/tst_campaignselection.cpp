// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/schema.h"
#include "campaign/campaignselection.h"
#include "campaign/campaignstore.h"
#include "db/databaseconnection.h"
#include "scripteddialogs.h"
#include "testdata.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <sqlite3.h>

namespace {

const QString kMismatch = QStringLiteral(
    "warning|Statistiques|Le mode de stockage des statistiques pour certaines campagnes est\ndifférent du mode de la "
    "première campagne sélectionnée.\n\nCes statistiques créées avec une version de matériel différent ne\npeuvent "
    "être mélangées et ont été ignorées\n\n");
const QString kFilled = QStringLiteral("information|Statistiques|Des campagnes intermédiaires ont été sélectionnées\n"
                                       "automatiquement pour garantir la continuité des données.");
const QString kEmpty = QStringLiteral("warning|Statistiques|Statistiques indisponibles, la base de données est vide");
const QString kReadOnly = QStringLiteral("information|Statistiques|La base de données %1 est en lecture seule : les "
                                         "campagnes sont calculées pour cette fois, sans pouvoir y être enregistrées.");
const QString kOpenError = QStringLiteral("warning|Statistiques|Erreur à l'ouverture de la base de données.\n");

// Row r is a campaign of three days, older as r grows: begins day 20 - 3r (00:00), ends 2 days later 09:00.
CampaignInfo campaignOfRow(int row, int storeMode)
{
    CampaignInfo c;
    c.id = 100 - row;
    c.storeMode = storeMode;
    c.begin = QDateTime(QDate(2026, 5, 20 - 3 * row), QTime(0, 0));
    c.end = QDateTime(QDate(2026, 5, 22 - 3 * row), QTime(9, 0));
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

}   // namespace

class TestCampaignSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void acceptTicks_data()
    {
        QTest::addColumn<QList<int>>("modes");   // store mode of each row, top first
        QTest::addColumn<QList<int>>("ticks");   // rows ticked before accepting
        QTest::addColumn<QList<int>>("ticksAfter");
        QTest::addColumn<int>("storeMode");
        QTest::addColumn<int>("periodFrom");   // topmost and lowest rows of the period; -1 none
        QTest::addColumn<int>("periodTo");
        QTest::addColumn<QStringList>("boxes");

        using L = QList<int>;
        QTest::newRow("rows 0 and 3 of five")
            << L{0, 0, 0, 0, 0} << L{0, 3} << L{0, 1, 2, 3} << 0 << 0 << 3 << QStringList{kFilled};
        QTest::newRow("modes 0 1 0, the middle one filled back in")
            << L{0, 1, 0} << L{0, 1, 2} << L{0, 1, 2} << 0 << 0 << 2 << QStringList{kMismatch, kFilled};
        QTest::newRow("nothing ticked") << L{0, 0} << L{} << L{} << -1 << -1 << -1 << QStringList();
        QTest::newRow("other modes unticked, none left to fill")
            << L{1, 0, 1, 0} << L{0, 1, 3} << L{0} << 1 << 0 << 0 << QStringList{kMismatch};
        QTest::newRow("the topmost ticked row decides the mode")
            << L{0, 1, 1, 0} << L{1, 3} << L{1} << 1 << 1 << 1 << QStringList{kMismatch};
        QTest::newRow("advanced mode, contiguous") << L{0, 2, 2} << L{1, 2} << L{1, 2} << 2 << 1 << 2 << QStringList();
    }

    void acceptTicks()
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
        showNotices(outcome.notices);
        QCOMPARE(dialogs.summary(), boxes);
        QCOMPARE(outcome.ok, periodFrom >= 0);
        QCOMPARE(outcome.start, outcome.ok ? campaignOfRow(periodTo, 0).begin : QDateTime());
        QCOMPARE(outcome.end, outcome.ok ? campaignOfRow(periodFrom, 0).end : QDateTime());
    }

    void selectionButtons()
    {
        CampaignSelection selection;
        for (int row = 0; row < 3; ++row)
            selection.addCampaign(campaignOfRow(row, 0));
        selection.reverseSelect();
        QCOMPARE(tickedRows(selection), QList<int>({1, 2}));
        selection.selectUnselectAll();   // not all ticked: tick all
        QCOMPARE(tickedRows(selection), QList<int>({0, 1, 2}));
        QCOMPARE(selection.selectAllText(), QStringLiteral("Tout désélectionner"));
        selection.selectUnselectAll();   // all ticked: untick all
        QVERIFY(tickedRows(selection).isEmpty());
        QCOMPARE(selection.selectAllText(), QStringLiteral("Tout sélectionner"));
        QCOMPARE(selection.tickCampaigns({98, 5, 100}), QList<int>{5});
        QCOMPARE(tickedRows(selection), QList<int>({0, 2}));
    }

    void loadFile_data()
    {
        QTest::addColumn<QString>("setup");   // SQL run after writing the measures; "text": not a database
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("unchanged");   // the file's bytes stay as they were

        const int loaded = int(CampaignSelection::LoadResult::Loaded);
        const int empty = int(CampaignSelection::LoadResult::Empty);
        const QString tables = QLatin1String(Schema::campaign) + QLatin1String(Schema::campaignDetails);
        const QString oneCampaign =
            tables
            + QStringLiteral(
                "INSERT INTO campaign_details (product_prod_id, cpd_date, campaign_camp_id) VALUES (1, '2026-04-29', "
                "0);"
                "INSERT INTO campaign (product_prod_id, camp_date_begin, camp_date_end) VALUES (1, '%1', '%2');");
        QTest::newRow("no campaign tables") << QString() << loaded << 2 << QStringList() << false;
        QTest::newRow("no measure") << "DELETE FROM measure WHERE meas_date>0;" << empty << 0 << QStringList{kEmpty}
                                    << false;
        QTest::newRow("empty campaign tables") << tables << loaded << 2 << QStringList() << false;
        QTest::newRow("only an unreadable campaign")
            << oneCampaign.arg("le 3 mai", "2026-05-05 09:00:00") << empty << 0 << QStringList{kEmpty} << true;
        QTest::newRow("campaign without measure")
            << oneCampaign.arg("2027-01-03", "2027-01-05 09:00:00") << loaded << 1 << QStringList() << true;
        QTest::newRow("read-only, not yet derived") << "readOnly" << loaded << 2 << QStringList{kReadOnly} << true;
        QTest::newRow("not a database") << "text" << int(CampaignSelection::LoadResult::OpenFailed) << 0
                                        << QStringList{kOpenError} << true;
        // The first opening's days and months are stored all together or not at all, and the list
        // shows only what was stored.
        const int refused = int(CampaignSelection::LoadResult::Refused);
        QTest::newRow("a campaign insert fails")
            << tables + "CREATE TRIGGER no_campaign BEFORE INSERT ON campaign BEGIN SELECT RAISE(ABORT, 'refusé'); END;"
            << refused << 0
            << QStringList{"critical|Statistiques|L'écriture dans %1 a échoué (refusé) : rien n'a été enregistré."}
            << true;
        QTest::newRow("the commit fails: another program reads")
            << tables + "reader" << refused << 0
            << QStringList{"critical|Statistiques|La base de données %1 est utilisée par un autre programme. "
                           "Fermez-le, puis recommencez."}
            << true;
    }

    void loadFile()
    {
        QFETCH(QString, setup);
        QFETCH(int, result);
        QFETCH(int, rows);
        QFETCH(QStringList, boxes);
        QFETCH(bool, unchanged);

        static int n = 0;
        const QString path = m_dir.filePath(QStringLiteral("load%1.db").arg(n++));
        boxes.replaceInStrings(QStringLiteral("%1"), path);
        if (setup == QLatin1String("text")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("date;vitesse\n2026-05-02 10:00:00;50\n");
        } else {
            QVERIFY(writeMeasureDb(path,
                                   {{localTime(QStringLiteral("2026-04-29 10:00:00")), 50, 0},
                                    {localTime(QStringLiteral("2026-05-02 10:00:00")), 52, 1}},
                                   true, 2));
        }
        if (setup == QLatin1String("readOnly")) {
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
            if (QFileInfo(path).isWritable())
                QSKIP("the file stays writable for this user");
        } else if (setup != QLatin1String("text") && !setup.isEmpty()) {
            QVERIFY(execSql(path, QString(setup).remove(QStringLiteral("reader"))));
        }
        const QByteArray before = fileBytes(path);
        // A read transaction of another connection: our COMMIT waits for it, then gives up.
        std::unique_ptr<sqlite3, int (*)(sqlite3*)> reader(nullptr, sqlite3_close);
        if (setup.endsWith(QLatin1String("reader"))) {
            sqlite3* db = nullptr;
            sqlite3_open(path.toUtf8().constData(), &db);
            reader.reset(db);
            QCOMPARE(sqlite3_exec(db, "BEGIN; SELECT count(*) FROM measure;", nullptr, nullptr, nullptr), SQLITE_OK);
        }

        ScriptedDialogs dialogs;
        CampaignSelection selection;
        QCOMPARE(int(selection.open(path)), result);
        QCOMPARE(selection.rowCount(), rows);
        showNotices(selection.notices());
        QCOMPARE(dialogs.summary().filter(QRegularExpression(QStringLiteral("^(?!progress)\\w+\\|Statistiques\\|"))),
                 boxes);
        selection.close();
        if (unchanged)
            QCOMPARE(fileBytes(path), before);
        if (rows > 0)
            QVERIFY(selection.accept().ok);
    }

    void listAcceptAndRemove()
    {
        const QString path = m_dir.filePath(QStringLiteral("three.db"));
        QVERIFY(writeMeasureDb(path,
                               {{localTime(QStringLiteral("2026-03-10 07:00:00")), 50, 0},
                                {localTime(QStringLiteral("2026-04-12 08:00:00")), 51, 0},
                                {localTime(QStringLiteral("2026-05-03 14:30:00")), 52, 1},
                                {localTime(QStringLiteral("2026-05-05 09:00:00")), 53, 0}},
                               true, 1));
        ScriptedDialogs dialogs;
        CampaignSelection selection;
        QCOMPARE(selection.removeCampaigns(), 0);   // no connection: nothing
        QCOMPARE(selection.open(path), CampaignSelection::LoadResult::Loaded);
        // Newest first, only the top row ticked; accepting at once gives that campaign.
        QCOMPARE(selection.campaignIds(), (QMap<int, int>{{0, 3}, {1, 2}, {2, 1}}));
        const CampaignSelection::Outcome outcome = selection.accept();
        QVERIFY(outcome.ok);
        QCOMPARE(outcome.start, QDateTime(QDate(2026, 5, 3), QTime(0, 0)));
        QCOMPARE(outcome.end, QDateTime(QDate(2026, 5, 5), QTime(9, 0)));
        QCOMPARE(outcome.storeMode, 0);
        QCOMPARE(dialogs.messages(), QStringList());

        // Deleting May and April: each deletion starts again from the top.
        selection.setTicked(1, true);
        dialogs.clear();
        for (int answer : {1, 0, 1})   // May: Non, April: Oui, May again: Non
            dialogs.answerQuestion(answer);
        QList<int> removedRows;
        QCOMPARE(selection.removeCampaigns([&](int row) { removedRows << row; }), 1);
        QCOMPARE(removedRows, QList<int>{1});
        QCOMPARE(selection.rows(), QList<int>({0, 2}));
        QCOMPARE(dialogs.shown().size(), 3);
        // The question names the campaign's period, the one thing that tells campaigns apart.
        const ScriptedDialogs::Shown& first = dialogs.shown().first();
        const QLocale locale;
        QVERIFY2(first.text.contains(
                     QStringLiteral("</b><br/>du %1 au %2<br/>")
                         .arg(locale.toString(QDateTime(QDate(2026, 5, 3), QTime(0, 0)), QLocale::ShortFormat),
                              locale.toString(QDateTime(QDate(2026, 5, 5), QTime(9, 0)), QLocale::ShortFormat))),
                 qPrintable(first.text));
        CampaignStore store;
        QCOMPARE(store.campaignList(selection.database(), 1), QList<int>({3, 1}));
        QCOMPARE(store.countMeasures(selection.database()), 4);   // the marker, March and the two of May
        selection.close();
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestCampaignSelection)
#include "tst_campaignselection.moc"
