// SPDX-License-Identifier: GPL-3.0-or-later
// The campaign list dialog and its rows over the selection's model, what the window says of a
// choice, and the campaign tab of the window.
#include "analysis/analysis.h"
#include "core/workspace.h"
#include "campaign/campaignselection.h"
#include "campaign/campaignstore.h"
#include "gui/campaign/campaigndescriptiondialog.h"
#include "gui/campaign/campaignsynopsis.h"
#include "gui/campaign/campaignchoicedialog.h"
#include "db/databaseconnection.h"
#include "scripteddialogs.h"
#include "testdata.h"
#include "gui/dialogrunner.h"
#include "gui/mainwindow.h"
#include "gui/models/campaignlistmodel.h"
#include "windowtest.h"

#include <QtTest>
#include <QtWidgets>

namespace {

CampaignInfo info(int id, int storeMode, const QString& day)
{
    CampaignInfo c;
    c.id = id;
    c.storeMode = storeMode;
    c.begin = QDateTime::fromString(day + QStringLiteral("T00:00:00"), Qt::ISODate);
    c.end = c.created = QDateTime::fromString(day + QStringLiteral("T18:00:00"), Qt::ISODate);
    c.title = QStringLiteral("Campagne %1").arg(id);
    return c;
}

QString shortText(const QDateTime& dt)
{
    return dt.toString(QStringLiteral("dd/MM/yyyy hh:mm"));
}

// One measure on the 10th of January, February and March 2024: one campaign each.
QString threeMonths(const QString& name)
{
    QVector<Row> rows;
    for (int m = 1; m <= 3; ++m)
        rows << Row{QDateTime(QDate(2024, m, 10), QTime(12, 0)).toSecsSinceEpoch(), 40, 0};
    const QString file = Workspace::statisticsFolder() + name;
    return writeMeasureDb(file, rows) ? file : QString();
}

QList<bool> widgetTicks(const CampaignChoiceDialog& dlg)
{
    QList<bool> ticks;
    for (CampaignSynopsis* row : dlg.rows())
        ticks << row->isChecked();
    return ticks;
}

}   // namespace

class TestCampaignDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup() { setDialogRunner({}); }

    void rowsOverTheSelection();
    void removeAsksAgainFromTheTop();
    void warningsOnceOverTheNewList();
    void panelAndDescription_data();
    void panelAndDescription();

private:
    std::unique_ptr<TempWorkspace> m_dir;
};

void TestCampaignDialogs::init()
{
    m_dir = std::make_unique<TempWorkspace>();
}

void TestCampaignDialogs::rowsOverTheSelection()
{
    ScriptedDialogs dialogs;
    CampaignSelection selection;
    selection.addCampaign(info(3, 0, QStringLiteral("2024-03-05")));
    selection.addCampaign(info(2, 1, QStringLiteral("2024-02-05")));
    CampaignChoiceDialog dlg(selection, shortText);
    dlg.addCampaign(info(1, 0, QStringLiteral("2024-01-05")));

    QCOMPARE(dlg.rows().size(), 3);
    QCOMPARE(widgetTicks(dlg), QList<bool>({true, false, false}));
    CampaignSynopsis* top = dlg.rows().value(0);
    QCOMPARE(top->id(), 3);
    QCOMPARE(QStringList({top->heading(), top->title(), top->period()}),
             QStringList({"Campagne du 05/03/2024 18:00", "Campagne 3", "(Du 05/03/2024 00:00 au 05/03/2024 18:00)"}));
    QCOMPARE(dlg.rows().value(1)->findChild<QLabel*>(QStringLiteral("storeModeLabel"))->text(), "Version 1");
    QCOMPARE(dlg.rows().value(2)->title(), QStringLiteral("Campagne 1"));
    QCOMPARE(dlg.selectAllButton()->text(), QStringLiteral("Tout sélectionner"));

    // The scrolled contents grow to hold every row.
    QVERIFY(dlg.findChild<QWidget*>(QStringLiteral("rowsContents"))->height() >= 3 * 50);

    // A tick in a row is a tick in the model and the selection, and the buttons' ticks show in the rows.
    dlg.rows().value(2)->findChild<QCheckBox*>(QStringLiteral("tickBox"))->click();
    QVERIFY(selection.isTicked(2));
    QCOMPARE(dlg.model().index(2).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    dlg.model().setData(dlg.model().index(0), Qt::Unchecked, Qt::CheckStateRole);
    QCOMPARE(widgetTicks(dlg), QList<bool>({false, false, true}));
    dlg.reverseButton()->click();
    QCOMPARE(widgetTicks(dlg), QList<bool>({true, true, false}));
    dlg.selectAllButton()->click();
    QCOMPARE(widgetTicks(dlg), QList<bool>({true, true, true}));
    QCOMPARE(dlg.selectAllButton()->text(), QStringLiteral("Tout désélectionner"));
    dlg.selectAllButton()->click();
    QCOMPARE(widgetTicks(dlg), QList<bool>({false, false, false}));
    QCOMPARE(dlg.selectAllButton()->text(), QStringLiteral("Tout sélectionner"));

    // Without a database "Effacer" does nothing, and no action button closes the dialog.
    dlg.removeButton()->click();
    QVERIFY(dialogs.shown().isEmpty());
    QCOMPARE(dlg.rows().size(), 3);
    QCOMPARE(dlg.result(), 0);
}

// The questions themselves are the selection's; the dialog drops the removed row and shrinks.
void TestCampaignDialogs::removeAsksAgainFromTheTop()
{
    const QString file = threeMonths(QStringLiteral("remove.db"));
    ScriptedDialogs dialogs;
    CampaignSelection selection;
    QCOMPARE(selection.open(file), CampaignSelection::LoadResult::Loaded);
    CampaignChoiceDialog dlg(selection, shortText);
    dlg.setDatabase(selection.database());
    dlg.rows().value(1)->setChecked(true);
    QWidget* contents = dlg.findChild<QWidget*>(QStringLiteral("rowsContents"));
    const int height = contents->height();
    for (int answer : {1, 0, 1})   // Non, Oui, then Non for the top row again
        dialogs.answerQuestion(answer);
    dlg.removeButton()->click();

    QCOMPARE(dlg.rows().keys(), QList<int>({0, 2}));
    QCOMPARE(contents->height(), height - height / 3);
    QCOMPARE(dlg.result(), 0);
}

// What the campaign checks changed is said once, when the window's list shows the new campaigns.
void TestCampaignDialogs::warningsOnceOverTheNewList()
{
    const QString file = threeMonths(QStringLiteral("three.db"));
    struct Dialogs : ScriptedDialogs
    {
        QAbstractItemModel* list = nullptr;
        QList<int> listed;   // rows of the window's list at each box
        void message(Icon icon, const QString& title, const QString& text) override
        {
            listed << list->rowCount();
            ScriptedDialogs::message(icon, title, text);
        }
    } dialogs;
    MainWindow w;
    dialogs.list = child<QListView>(w, "campaignList")->model();
    openInWindow(w, dialogs, file, [](CampaignChoiceDialog& list) {
        list.rows().value(2)->setChecked(true);
        return int(QDialog::Accepted);
    });
    QCOMPARE(dialogs.messages(), QStringList("Campagnes intermédiaires ajoutées pour la continuité des données : 2"));
    QCOMPARE(dialogs.listed, QList<int>({3}));
    QCOMPARE(w.analysis()->measures()->size(), 3);
    // Read again for a lower minimum speed, the campaigns are checked again: nothing more is said.
    child<QDoubleSpinBox>(w, "minSpeedSpin")->setValue(5);
    QVERIFY(clickAndWait(w, "refreshButton"));
    QCOMPARE(w.analysis()->read().minSpeed, 5);
    QCOMPARE(dialogs.messages().size(), 1);
}

void TestCampaignDialogs::panelAndDescription_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("unfinished");   // after a load of another file, a choice accepted with nothing ticked
    QTest::newRow("accepted") << true << false;
    QTest::newRow("cancelled") << false << false;
    QTest::newRow("accepted with nothing ticked") << true << true;
}

void TestCampaignDialogs::panelAndDescription()
{
    QFETCH(bool, accept);
    QFETCH(bool, unfinished);
    const QString file = Workspace::statisticsFolder() + QStringLiteral("may.db");
    QVERIFY(writeMeasureDb(file,
                           {Row{localTime(QStringLiteral("2024-05-03 14:30:00")), 50, 0},
                            Row{localTime(QStringLiteral("2024-05-04 10:00:00")), 60, 1},
                            Row{localTime(QStringLiteral("2024-05-05 09:00:00")), 70, 0}}));
    ScriptedDialogs dialogs;
    MainWindow w;
    const QString june = Workspace::statisticsFolder() + QStringLiteral("june.db");
    if (unfinished) {
        QVERIFY(writeMeasureDb(june, {Row{localTime(QStringLiteral("2024-06-10 12:00:00")), 40, 0}}));
        dialogs.answerOpenFile(june);
        setDialogRunner(
            [](QDialog& d) { return qobject_cast<CampaignChoiceDialog*>(&d) ? QDialog::Accepted : QDialog::Rejected; });
        w.openDialog();
        QVERIFY(waitForAnalysis(w));
    }
    dialogs.answerOpenFile(file);
    setDialogRunner([unfinished](QDialog& d) {
        auto* list = qobject_cast<CampaignChoiceDialog*>(&d);
        if (list && unfinished)
            list->unselectAll();
        return int(list ? QDialog::Accepted : QDialog::Rejected);
    });
    w.openDialog();
    QVERIFY(waitForAnalysis(w));
    const auto label = [&w](const char* name) { return w.findChild<QLabel*>(QLatin1String(name))->text(); };
    if (unfinished) {
        // Said, and nothing changes: the list and its panel stay those of the file shown.
        QCOMPARE(dialogs.messages().value(0), QStringLiteral("Aucune campagne n'est cochée : rien n'a été chargé."));
        QCOMPARE(w.analysis()->file(), june);
        QTRY_COMPARE(label("daysLabel") + QLatin1Char('/') + label("measuresLabel"), QStringLiteral("1/1"));
        return;
    }

    // 14:30 on 3 May to 09:00 on 5 May: three days, shown from the start of the first.
    const QString startText = w.dateTimeText(QDateTime(QDate(2024, 5, 3), QTime(0, 0)));
    QTRY_COMPARE(label("daysLabel") + QLatin1Char('/') + label("measuresLabel"), QStringLiteral("3/3"));
    QCOMPARE(label("startLabel"), startText);
    QCOMPARE(label("endLabel"), w.dateTimeText(QDateTime(QDate(2024, 5, 5), QTime(9, 0))));
    QCOMPARE(label("commentLabel"), QStringLiteral("Campagne créée automatiquement"));

    QAbstractItemModel* list = child<QListView>(w, "campaignList")->model();
    const QString oldTitle = list->index(0, 0).data().toString();
    QString shownStart, shownTitle;
    setDialogRunner([&](QDialog& d) {
        auto* dlg = qobject_cast<CampaignDescriptionDialog*>(&d);
        if (!dlg)
            return int(QDialog::Rejected);
        shownStart = dlg->findChild<QLabel*>(QStringLiteral("startLabel"))->text();
        auto* title = dlg->findChild<QLineEdit*>(QStringLiteral("titleEdit"));
        shownTitle = title->text();
        title->setText(QStringLiteral("Avenue des Pins"));
        dlg->findChild<QTextEdit*>(QStringLiteral("commentEdit"))->setPlainText(QStringLiteral("Relevé <test>"));
        return int(accept ? QDialog::Accepted : QDialog::Rejected);
    });
    child<QPushButton>(w, "editButton")->click();

    QCOMPARE(shownTitle, oldTitle);
    QCOMPARE(shownStart, startText);
    const QString expected = accept ? QStringLiteral("Avenue des Pins") : oldTitle;
    QCOMPARE(list->index(0, 0).data().toString(), expected);
    QCOMPARE(label("titleLabel"), expected);

    // Written back to the file, the description as the editor's HTML.
    DatabaseConnection db;
    QVERIFY(db.open(file));
    CampaignStore store;
    const int id = static_cast<CampaignListModel*>(list)->campaign(0).id;
    QCOMPARE(store.campaignTitle(&db, id), expected);
    QCOMPARE(store.campaignComment(&db, id).contains(QLatin1String("&lt;test&gt;")), accept);
    db.close();
    if (unfinished) {
        QVERIFY(db.open(june));
        QVERIFY(store.campaignTitle(&db, 1) != QLatin1String("Avenue des Pins"));
        db.close();
    }
}

QTEST_MAIN(TestCampaignDialogs)
#include "tst_campaigndialogs.moc"
