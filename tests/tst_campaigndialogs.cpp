// The campaign list dialog and its rows over the selection, and the campaign tab of the window.
#include "app/workspace.h"
#include "campaign/campaignselection.h"
#include "campaign/qorcampaign.h"
#include "campaign/ui/campaign.h"
#include "campaign/ui/campaignsynopsis.h"
#include "campaign/ui/lstcampaign.h"
#include "db/databasemanager.h"
#include "scripteddialogs.h"
#include "testdata.h"
#include "ui/dialogrunner.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

namespace {

CampaignInfo info(int id, int storeMode, const QString& day)
{
    CampaignInfo c;
    c.id = id;
    c.storeMode = storeMode;
    c.begin = QDateTime::fromString(day + QStringLiteral("T00:00:00"), Qt::ISODate);
    c.end = QDateTime::fromString(day + QStringLiteral("T18:00:00"), Qt::ISODate);
    c.created = c.end;
    c.title = QStringLiteral("Campagne %1").arg(id);
    return c;
}

QString shortText(const QDateTime& dt)
{
    return dt.toString(QStringLiteral("dd/MM/yyyy hh:mm"));
}

QList<bool> widgetTicks(const LstCampaign& dlg)
{
    QList<bool> ticks;
    for (CampaignSynopsis* row : dlg.rows())
        ticks << row->isChecked();
    return ticks;
}

// One measure on the 10th of each month from January 2024: one campaign per month.
QVector<Row> months(int count)
{
    QVector<Row> rows;
    for (int m = 0; m < count; ++m) {
        const qint64 t = QDateTime(QDate(2024, 1 + m, 10), QTime(12, 0)).toSecsSinceEpoch();
        for (int i = 0; i < 10; ++i)
            rows << Row{t + i * 60, 40 + i, 0};
    }
    return rows;
}

} // namespace

class TestCampaignDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rowsShowTheSelection();
    void selectionButtons();
    void storeModeAndContiguityShowInRows();
    void removeWithoutDatabaseDoesNothing();
    void removeAsksAgainFromTheTop();
    void tickingThroughTheWindow();
    void campaignPanelDays();
    void describeCampaign_data();
    void describeCampaign();

private:
    void loadWindow(MainWindow& w, ScriptedDialogs& dialogs, const QString& file,
                    const std::function<void(LstCampaign&)>& during = {});
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCampaignDialogs::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestCampaignDialogs::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    Workspace::setRoots(m_dir->filePath(QStringLiteral("docs")), m_dir->filePath(QStringLiteral("data")));
    Workspace::establish();
}

void TestCampaignDialogs::cleanup()
{
    setDialogRunner({});
    m_dir.reset();
}

void TestCampaignDialogs::loadWindow(MainWindow& w, ScriptedDialogs& dialogs, const QString& file,
                                     const std::function<void(LstCampaign&)>& during)
{
    dialogs.answerOpenFile(file);
    setDialogRunner([during](QDialog& d) {
        auto* list = qobject_cast<LstCampaign*>(&d);
        if (!list)
            return int(QDialog::Rejected);
        if (during)
            during(*list);
        return int(QDialog::Accepted);
    });
    w.dataLoad();
}

void TestCampaignDialogs::rowsShowTheSelection()
{
    CampaignSelection selection;
    selection.addCampaign(info(3, 1, QStringLiteral("2024-03-05")));
    selection.addCampaign(info(2, 0, QStringLiteral("2024-02-05")));
    LstCampaign dlg(selection, shortText);
    dlg.addCampaign(info(1, 0, QStringLiteral("2024-01-05")));

    QCOMPARE(dlg.size(), QSize(480, 626));
    QCOMPARE(dlg.rows().size(), 3);
    QCOMPARE(widgetTicks(dlg), QList<bool>({true, false, false}));
    CampaignSynopsis* top = dlg.rows().value(0);
    QCOMPARE(top->id(), 3);
    QCOMPARE(top->heading(), QStringLiteral("Campagne du 05/03/2024 18:00"));
    QCOMPARE(top->title(), QStringLiteral("Campagne 3"));
    QCOMPARE(top->period(), QStringLiteral("(Du 05/03/2024 00:00 au 05/03/2024 18:00)"));
    QCOMPARE(top->findChild<QLabel*>(QStringLiteral("gb2_label_4"))->text(), QStringLiteral("Version 1"));
    QCOMPARE(dlg.rows().value(2)->title(), QStringLiteral("Campagne 1"));
    QCOMPARE(dlg.selectAllButton()->text(), QStringLiteral("Tout sélectionner"));

    // Rows stack top to bottom and the scrolled contents grow to hold them all.
    QWidget* contents = dlg.findChild<QWidget*>(QStringLiteral("scrollAreaWidgetContents"));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(dlg.rows().value(0)->y() < dlg.rows().value(1)->y());
    QVERIFY(contents->height() >= 3 * 50);

    // A tick in a row is a tick in the selection.
    dlg.rows().value(2)->findChild<QCheckBox*>(QStringLiteral("gb2_checkBox"))->click();
    QVERIFY(selection.isTicked(2));

    // A fresh row shows mode 0.
    CampaignSynopsis fresh;
    QCOMPARE(fresh.findChild<QLabel*>(QStringLiteral("gb2_label_4"))->text(), QStringLiteral("Version 0"));
    QSignalSpy spy(&fresh, &CampaignSynopsis::campaignSelected);
    fresh.setChecked(true);
    QCOMPARE(spy.count(), 1);
}

void TestCampaignDialogs::selectionButtons()
{
    CampaignSelection selection;
    for (int id = 3; id >= 1; --id)
        selection.addCampaign(info(id, 0, QStringLiteral("2024-0%1-05").arg(id)));
    LstCampaign dlg(selection, shortText);

    dlg.selectAllButton()->click();
    QCOMPARE(widgetTicks(dlg), QList<bool>({true, true, true}));
    QCOMPARE(dlg.selectAllButton()->text(), QStringLiteral("Tout désélectionner"));
    dlg.selectAllButton()->click();
    QCOMPARE(widgetTicks(dlg), QList<bool>({false, false, false}));
    QCOMPARE(dlg.selectAllButton()->text(), QStringLiteral("Tout sélectionner"));
    dlg.rows().value(1)->setChecked(true);
    dlg.reverseButton()->click();
    QCOMPARE(widgetTicks(dlg), QList<bool>({true, false, true}));
    QCOMPARE(selection.tickedCount(), 2);
    // The action buttons leave the dialog open.
    QCOMPARE(dlg.result(), 0);
}

void TestCampaignDialogs::storeModeAndContiguityShowInRows()
{
    CampaignSelection selection;
    selection.addCampaign(info(3, 0, QStringLiteral("2024-03-05")));
    selection.addCampaign(info(2, 1, QStringLiteral("2024-02-05")));
    selection.addCampaign(info(1, 0, QStringLiteral("2024-01-05")));
    LstCampaign dlg(selection, shortText);
    dlg.selectAll();
    bool mismatch = false;
    QCOMPARE(dlg.checkStoreMode(&mismatch), 0);
    QVERIFY(mismatch);
    QCOMPARE(widgetTicks(dlg), QList<bool>({true, false, true}));
    QVERIFY(dlg.checkContiguity());
    QCOMPARE(widgetTicks(dlg), QList<bool>({true, true, true}));
    QDateTime start, end;
    QVERIFY(dlg.selectedPeriod(start, end));
    QCOMPARE(start.date(), QDate(2024, 1, 5));
    QCOMPARE(end.date(), QDate(2024, 3, 5));
    QCOMPARE(dlg.campaignIds(), (QMap<int, int>{{0, 3}, {1, 2}, {2, 1}}));
}

void TestCampaignDialogs::removeWithoutDatabaseDoesNothing()
{
    ScriptedDialogs dialogs;
    CampaignSelection selection;
    selection.addCampaign(info(1, 0, QStringLiteral("2024-01-05")));
    LstCampaign dlg(selection, shortText);
    dlg.removeButton()->click();
    QVERIFY(dialogs.shown().isEmpty());
    QCOMPARE(dlg.rows().size(), 1);
}

void TestCampaignDialogs::removeAsksAgainFromTheTop()
{
    const QString file = Workspace::statisticsFolder() + QStringLiteral("remove.db");
    QVERIFY(writeMeasureDb(file, months(3)));
    ScriptedDialogs dialogs;
    CampaignSelection selection;
    QCOMPARE(selection.open(file), CampaignSelection::LoadResult::Loaded);
    LstCampaign dlg(selection, shortText);
    dlg.setDatabase(selection.database());
    QCOMPARE(dlg.rows().size(), 3);
    dlg.rows().value(1)->setChecked(true);
    QWidget* contents = dlg.findChild<QWidget*>(QStringLiteral("scrollAreaWidgetContents"));
    const int height = contents->height();

    const QString top = selection.campaign(0).title;
    const QString second = selection.campaign(1).title;
    dialogs.answerQuestion(1);   // Non for the top row
    dialogs.answerQuestion(0);   // Oui for the second
    dialogs.answerQuestion(1);   // the walk starts again: Non for the top row
    dlg.removeButton()->click();

    QStringList asked;
    for (const ScriptedDialogs::Shown& s : dialogs.shown())
        if (s.kind == QLatin1String("question"))
            asked << s.title + QLatin1Char('|') + s.text.section(QStringLiteral("<b>"), 1).section(QStringLiteral("</b>"), 0, 0);
    const QString title = QStringLiteral("Maintenance des données|");
    QCOMPARE(asked, QStringList({title + top, title + second, title + top}));
    QCOMPARE(dlg.rows().keys(), QList<int>({0, 2}));
    QCOMPARE(contents->height(), height - height / 3);
    QCOMPARE(dlg.result(), 0);
    QorCampaign store;
    QCOMPARE(store.campaignList(selection.database(), 1).size(), 2);
}

void TestCampaignDialogs::tickingThroughTheWindow()
{
    const QString file = Workspace::statisticsFolder() + QStringLiteral("five.db");
    QVERIFY(writeMeasureDb(file, months(5)));
    ScriptedDialogs dialogs;
    MainWindow w;
    // Rows 0 (May) and 3 (February) ticked by hand.
    loadWindow(w, dialogs, file, [](LstCampaign& list) {
        QCOMPARE(list.rows().size(), 5);
        list.rows().value(3)->findChild<QCheckBox*>(QStringLiteral("gb2_checkBox"))->click();
    });
    QCOMPARE(dialogs.messages(),
             QStringList{QStringLiteral("Des campagnes intermédiaires ont été sélectionnées\nautomatiquement pour "
                                        "garantir la continuité des données.")});
    // February to May: four months of ten measures.
    QCOMPARE(w.statistics().measures().size(), 40);
    QCOMPARE(w.statistics().getStartDate().date(), QDate(2024, 2, 10));
    QCOMPARE(w.statistics().getEndDate().date(), QDate(2024, 5, 10));
    // The list holds every campaign, ticked or not.
    QCOMPARE(w.findChild<QListWidget*>(QStringLiteral("listWidget"))->count(), 5);
}

void TestCampaignDialogs::campaignPanelDays()
{
    const QString file = Workspace::statisticsFolder() + QStringLiteral("may.db");
    QVERIFY(writeMeasureDb(file, {Row{localTime(QStringLiteral("2024-05-03 14:30:00")), 50, 0},
                                  Row{localTime(QStringLiteral("2024-05-04 10:00:00")), 60, 1},
                                  Row{localTime(QStringLiteral("2024-05-05 09:00:00")), 70, 0}}));
    ScriptedDialogs dialogs;
    MainWindow w;
    loadWindow(w, dialogs, file);
    auto label = [&w](const char* name) { return w.findChild<QLabel*>(QLatin1String(name))->text(); };
    QCOMPARE(label("gb3_label_12"), QStringLiteral("3"));
    QCOMPARE(label("gb3_label_11"), QStringLiteral("3"));
    QCOMPARE(label("gb3_label_9"), w.dateTimeText(QDateTime(QDate(2024, 5, 3), QTime(0, 0))));
    QCOMPARE(label("gb3_label_10"), w.dateTimeText(QDateTime(QDate(2024, 5, 5), QTime(9, 0))));
    QCOMPARE(label("gb3_label_14"), QStringLiteral("Campagne créée automatiquement"));
}

void TestCampaignDialogs::describeCampaign_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("accepted") << true;
    QTest::newRow("cancelled") << false;
}

void TestCampaignDialogs::describeCampaign()
{
    QFETCH(bool, accept);
    const QString file = Workspace::statisticsFolder() + QStringLiteral("describe.db");
    QVERIFY(writeMeasureDb(file, months(2)));
    ScriptedDialogs dialogs;
    MainWindow w;
    loadWindow(w, dialogs, file);
    auto* list = w.findChild<QListWidget*>(QStringLiteral("listWidget"));
    const QString oldTitle = list->item(0)->text();

    QString shownStart, shownTitle;
    setDialogRunner([&](QDialog& d) {
        auto* dlg = qobject_cast<Campaign*>(&d);
        if (!dlg)
            return int(QDialog::Rejected);
        shownStart = dlg->findChild<QLabel*>(QStringLiteral("gb60_label_6"))->text();
        shownTitle = dlg->findChild<QLineEdit*>(QStringLiteral("gb60_lineEdit"))->text();
        dlg->findChild<QLineEdit*>(QStringLiteral("gb60_lineEdit"))->setText(QStringLiteral("Avenue des Pins"));
        dlg->findChild<QTextEdit*>(QStringLiteral("gb60_textEdit"))->setPlainText(QStringLiteral("Relevé <test>"));
        return int(accept ? QDialog::Accepted : QDialog::Rejected);
    });
    w.findChild<QPushButton*>(QStringLiteral("gb3_pushButton"))->click();

    QCOMPARE(shownTitle, oldTitle);
    QCOMPARE(shownStart, w.dateTimeText(QDateTime(QDate(2024, 2, 10), QTime(0, 0))));
    const QString expected = accept ? QStringLiteral("Avenue des Pins") : oldTitle;
    QCOMPARE(list->item(0)->text(), expected);
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("gb3_label_13"))->text(), expected);

    DatabaseManager db;
    QVERIFY(db.openDatabase(file));
    QorCampaign store;
    const int id = w.campaignMap().value(0);
    QCOMPARE(store.campaignTitle(&db, id), expected);
    const QString comment = store.campaignComment(&db, id);
    QCOMPARE(comment.contains(QLatin1String("&lt;test&gt;")), accept);
    db.closeDatabase();
}

QTEST_MAIN(TestCampaignDialogs)
#include "tst_campaigndialogs.moc"
