// SPDX-License-Identifier: GPL-3.0-or-later
// The ways into a file besides the open dialog: command line, drop, recent files, start page.
#include "core/recentfiles.h"
#include "core/startupoptions.h"
#include "core/workspace.h"
#include "gui/campaign/campaignchoicedialog.h"
#include "scripteddialogs.h"
#include "testdata.h"
#include "gui/dialogrunner.h"
#include "gui/mainwindow.h"
#include "windowtest.h"

#include <QtTest>
#include <QtWidgets>

class TestOpenFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempWorkspace> m_dir;
    int m_campaignDialogs = 0;

    // A small database of one morning in the statistics folder.
    static QString database(const QString& name)
    {
        QVector<Row> rows;
        for (int i = 0; i < 120; ++i)
            rows << Row{localTime(QStringLiteral("2024-03-05 08:00:00")) + i * 60, 30 + i % 40, i % 2};
        const QString file = Workspace::statisticsFolder() + name;
        return writeMeasureDb(file, rows) ? file : QString();
    }
    static bool openDialogShown(const ScriptedDialogs& dialogs)
    {
        return !dialogs.summary().filter(QRegularExpression(QStringLiteral("^open\\|"))).isEmpty();
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        m_dir = std::make_unique<TempWorkspace>();
        m_campaignDialogs = 0;
        setDialogRunner([this](QDialog& d) {
            ++m_campaignDialogs;
            return int(qobject_cast<CampaignChoiceDialog*>(&d) ? QDialog::Accepted : QDialog::Rejected);
        });
    }
    void cleanup() { setDialogRunner({}); }

    void commandLineAndDrop_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("opened");   // false: refused in the status bar
        QTest::newRow("command line") << "args"
                                      << "Rue du Port.db" << true;
        QTest::newRow("drop .DB") << "drop"
                                  << "GARE.DB" << true;
        QTest::newRow("drop .txt") << "drop"
                                   << "notes.txt" << false;
    }

    void commandLineAndDrop()
    {
        QFETCH(QString, way);
        QFETCH(QString, name);
        QFETCH(bool, opened);
        const QString file = database(name);
        ScriptedDialogs dialogs;
        MainWindow w;
        if (way == QLatin1String("args")) {
            w.openFile(startupFile({"tramola", "-d", "--", file}, {3}));
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
        QVERIFY(!openDialogShown(dialogs));
        QCOMPARE(lastMeasureFile(), opened ? file : QString());
        QCOMPARE(w.statistics().measures().size(), opened ? 120 : 0);
        QCOMPARE(w.statusBar()->currentMessage().contains(name), !opened);
    }

    void recentFilesAndStartPage()
    {
        const QStringList files{database("a.db"), database("b.db"), database("c.db")};
        ScriptedDialogs dialogs;
        // The recent entries of "Fichier" as the user sees them on opening it, "-" before a disabled one.
        const auto menu = [](MainWindow& w) {
            auto* fichier = w.findChild<QMenu*>(QStringLiteral("menuFichier"));
            emit fichier->aboutToShow();
            QStringList shown;
            for (QAction* a : fichier->actions())
                if (a->objectName().startsWith(QLatin1String("actionRecent")))
                    shown << (a->isEnabled() ? QString() : QStringLiteral("-")) + a->text();
            return shown;
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
            QCOMPARE(menu(w), QStringList({"&1 c.db", "&2 b.db", "&3 a.db"}));

            // Chosen again from the menu, a file moves to the top; a deleted one shows disabled.
            w.findChild<QAction*>(QStringLiteral("actionRecent3"))->trigger();
            QTRY_COMPARE(w.databasePath(), files[0]);
            QVERIFY(QFile::remove(files[1]));
            QCOMPARE(menu(w), QStringList({"&1 a.db", "&2 c.db", "-&3 b.db"}));
        }
        // The next start forgets it; the start page lists the others as links.
        MainWindow w;
        QCOMPARE(menu(w), QStringList({"&1 a.db", "&2 c.db"}));
        emit w.findChild<QLabel*>(QStringLiteral("start_recent"))->linkActivated(QStringLiteral("recent:1"));
        QTRY_COMPARE(w.databasePath(), files[2]);
        QCOMPARE(m_campaignDialogs, 5);

        for (const char* name : {"d.db", "e.db", "f.db", "g.db"})
            RecentFiles::add(QLatin1String(name));
        QCOMPARE(RecentFiles::list().size(), RecentFiles::maximum);
    }

    void oneLoadAtATime()
    {
        const QString first = database("first.db");
        ScriptedDialogs dialogs;
        MainWindow w;
        dialogs.onProgressEvents = [&] {
            if (w.isLoading() && w.statusBar()->currentMessage().isEmpty()) {
                w.openFile(database("second.db"));
                w.dataLoad();
            }
        };
        w.openFile(first);
        QCOMPARE(m_campaignDialogs, 1);
        QVERIFY(w.statusBar()->currentMessage().contains(QStringLiteral("déjà en cours")));
        QCOMPARE(w.databasePath(), first);
        QVERIFY(!openDialogShown(dialogs));
    }
};

QTEST_MAIN(TestOpenFile)
#include "tst_openfile.moc"
