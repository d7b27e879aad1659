// The ways into a file besides the open dialog: command line, drop, recent files, start page.
#include "core/recentfiles.h"
#include "core/startupoptions.h"
#include "core/workspace.h"
#include "campaign/ui/lstcampaign.h"
#include "scripteddialogs.h"
#include "testdata.h"
#include "ui/dialogrunner.h"
#include "ui/mainwindow.h"

#include <QtTest>
#include <QtWidgets>

class TestOpenFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup() { setDialogRunner({}); }

    void commandLineAndDrop_data();
    void commandLineAndDrop();
    void recentFilesAndStartPage();
    void oneLoadAtATime();

private:
    // A small database of one morning in the statistics folder.
    QString database(const QString& name)
    {
        QVector<Row> rows;
        for (int i = 0; i < 120; ++i)
            rows << Row{localTime(QStringLiteral("2024-03-05 08:00:00")) + i * 60, 30 + i % 40, i % 2};
        return writeMeasureDb(m_stats + name, rows) ? m_stats + name : QString();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_stats;
    int m_campaignDialogs = 0;
};

void TestOpenFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    Workspace::setRoots(m_dir->filePath(QStringLiteral("docs")), m_dir->filePath(QStringLiteral("data")));
    Workspace::establish();
    m_stats = Workspace::statisticsFolder();
    m_campaignDialogs = 0;
    setDialogRunner([this](QDialog& d) {
        ++m_campaignDialogs;
        return int(qobject_cast<LstCampaign*>(&d) ? QDialog::Accepted : QDialog::Rejected);
    });
}

void TestOpenFile::commandLineAndDrop_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("opened");   // false: refused in the status bar
    QTest::newRow("command line") << "args" << "Rue du Port.db" << true;
    QTest::newRow("drop .db") << "drop" << "Gare.db" << true;
    QTest::newRow("drop .DB") << "drop" << "GARE.DB" << true;
    QTest::newRow("drop .txt") << "drop" << "notes.txt" << false;
}

void TestOpenFile::commandLineAndDrop()
{
    QFETCH(QString, way);
    QFETCH(QString, name);
    QFETCH(bool, opened);
    const QString file = database(name);
    ScriptedDialogs dialogs;
    MainWindow w;
    if (way == QLatin1String("args")) {
        const QStringList args{"tramola", "-d", "--", file};
        w.openFile(startupFile(args, {3}));
    } else {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &drop);
        QCoreApplication::processEvents();
    }
    // As if chosen in the open dialog, without it: the campaign choice, the load, the settings.
    QCOMPARE(m_campaignDialogs, opened ? 1 : 0);
    for (const auto& s : dialogs.shown())
        QVERIFY(s.kind != QLatin1String("open"));
    QCOMPARE(w.databasePath(), opened ? file : QString());
    QCOMPARE(getFile(3), opened ? file : QString());
    QCOMPARE(w.statistics().measures().size(), opened ? 120 : 0);
    QCOMPARE(w.statusBar()->currentMessage().contains(name), !opened);
}

void TestOpenFile::recentFilesAndStartPage()
{
    const QStringList files{database("a.db"), database("b.db"), database("c.db")};
    ScriptedDialogs dialogs;
    QStringList shown;
    QList<bool> enabled;
    const auto readMenu = [&](MainWindow& w) {
        auto* menu = w.findChild<QMenu*>(QStringLiteral("menuFichier"));
        emit menu->aboutToShow();
        shown.clear();
        enabled.clear();
        for (QAction* a : menu->actions())
            if (a->objectName().startsWith(QLatin1String("actionRecent"))) {
                shown << a->text();
                enabled << a->isEnabled();
            }
    };
    {
        MainWindow w;
        const auto startShown = [&w] {
            return w.findChild<QWidget*>(QStringLiteral("StartPage"))->isVisibleTo(&w)
                && !w.findChild<QTabWidget*>()->isVisibleTo(&w)
                && !w.findChild<QDateTimeEdit*>(QStringLiteral("gb1_dateTimeEdit_1"))->isEnabled();
        };
        QVERIFY(startShown());
        for (const QString& f : files)
            w.openFile(f);
        QVERIFY(!startShown());
        readMenu(w);
        QCOMPARE(shown, QStringList({"&1 c.db", "&2 b.db", "&3 a.db"}));

        // Chosen again from the menu, a file moves to the top; a deleted one shows disabled.
        w.findChild<QAction*>(QStringLiteral("actionRecent3"))->trigger();
        QTRY_COMPARE(w.databasePath(), files[0]);
        QVERIFY(QFile::remove(files[1]));
        readMenu(w);
        QCOMPARE(shown, QStringList({"&1 a.db", "&2 c.db", "&3 b.db"}));
        QCOMPARE(enabled, QList<bool>({true, true, false}));
    }
    // The next start forgets it; the start page lists the others as links.
    MainWindow w;
    readMenu(w);
    QCOMPARE(shown, QStringList({"&1 a.db", "&2 c.db"}));
    auto* links = w.findChild<QLabel*>(QStringLiteral("start_recent"));
    QVERIFY(links->text().contains(QLatin1String("c.db")));
    emit links->linkActivated(QStringLiteral("recent:1"));
    QTRY_COMPARE(w.databasePath(), files[2]);
    QCOMPARE(m_campaignDialogs, 5);

    for (const char* name : {"d.db", "e.db", "f.db", "g.db"})
        RecentFiles::add(m_stats + QLatin1String(name));
    QCOMPARE(RecentFiles::list().size(), RecentFiles::maximum);
    QCOMPARE(RecentFiles::list().first(), m_stats + QStringLiteral("g.db"));
}

void TestOpenFile::oneLoadAtATime()
{
    const QString first = database("first.db");
    const QString second = database("second.db");
    ScriptedDialogs dialogs;
    MainWindow w;
    dialogs.onProgressEvents = [&] {
        if (!w.isLoading() || !w.statusBar()->currentMessage().isEmpty())
            return;
        w.openFile(second);
        w.dataLoad();
    };
    w.openFile(first);
    QCOMPARE(m_campaignDialogs, 1);
    QVERIFY(w.statusBar()->currentMessage().contains(QStringLiteral("déjà en cours")));
    QCOMPARE(w.databasePath(), first);
    for (const auto& s : dialogs.shown())
        QVERIFY(s.kind != QLatin1String("open"));

    dialogs.onProgressEvents = {};
    w.openFile(second);
    QCOMPARE(w.databasePath(), second);
}

QTEST_MAIN(TestOpenFile)
#include "tst_openfile.moc"
