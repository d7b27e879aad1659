// SPDX-License-Identifier: GPL-3.0-or-later
// "Ouvrir un dossier…": the fleet window's rows, a default limit, sort and filter, its CSV the
// same as the command line's, and a double click opening the file in the main window.
#include "analysis/analysis.h"
#include "gui/dialogrunner.h"
#include "gui/fleetwindow.h"
#include "gui/mainwindow.h"
#include "gui/models/fleetmodel.h"
#include "scripteddialogs.h"
#include "testdata.h"
#include "windowtest.h"

#include <QtTest>
#include <QtWidgets>

class TestFleetWindow : public QObject
{
    Q_OBJECT

private slots:
    void folder();
};

void TestFleetWindow::folder()
{
    TempWorkspace workspace;
    const QDir dir(workspace.filePath("radars"));
    QVERIFY(QDir().mkpath(dir.path()));
    const QList<QPair<QString, QStringList>> files{
        {"a-slow.db", {"--days", "3", "--per-day", "300", "--mean-in", "35", "--mean-out", "38"}},
        {"b-fast.db", {"--days", "4", "--per-day", "500", "--mean-in", "62", "--mean-out", "66", "--seed", "3"}},
        {"c-mph.db", {"--days", "2", "--per-day", "200", "--units", "mph", "--seed", "4"}}};
    for (const auto& [name, options] : files)
        QCOMPARE(runCli(workspace.path(), QStringList{"gendb", dir.filePath(name)} + options).exitCode, 0);
    QVERIFY(execSql(dir.filePath("d-foreign.db"), "CREATE TABLE other (x INTEGER)"));

    ScriptedDialogs dialogs;
    MainWindow w;
    dialogs.answerOpenFile(dir.path());
    child<QAction>(w, "actionOpenFolder")->trigger();
    auto* fleet = child<FleetWindow>(w, "fleetWindow");
    QVERIFY(fleet);
    QSignalSpy finished(fleet, &FleetWindow::finished);
    QVERIFY(!fleet->isRunning() || finished.wait(120000));

    // Two directions per good file, one row for the foreign file with its reason.
    QSortFilterProxyModel* rows = fleet->proxy();
    QCOMPARE(rows->rowCount(), 7);
    const QModelIndex foreign = rows->index(6, FleetModel::Site);
    QCOMPARE(rows->index(6, FleetModel::File).data().toString(), QStringLiteral("d-foreign.db"));
    QVERIFY2(!foreign.data().toString().isEmpty(), "the reason of a file without figures");

    // A limit for the files that store none: the folder again.
    fleet->setDefaultLimit(50);
    QVERIFY(finished.wait(120000) && (!fleet->isRunning() || finished.wait(120000)));
    QCOMPARE(rows->index(0, FleetModel::Limit).data().toString(), QStringLiteral("50 Km/h"));

    // The fastest first by V85; the filter keeps the rows of one file.
    fleet->view()->sortByColumn(FleetModel::V85, Qt::DescendingOrder);
    QCOMPARE(rows->index(0, FleetModel::File).data().toString(), QStringLiteral("b-fast.db"));
    QVERIFY(rows->index(0, FleetModel::V85).data(FleetModel::kSortRole).toDouble()
            >= rows->index(1, FleetModel::V85).data(FleetModel::kSortRole).toDouble());
    child<QLineEdit>(*fleet, "fleetFilter")->setText("SLOW");
    QCOMPARE(rows->rowCount(), 2);
    // The clear button fades in; Qt leaks that animation if the window goes before it ends.
    QTest::qWait(250);

    // Exporter writes what tramola-cli fleet --csv writes.
    const QString window = workspace.filePath("window.csv"), cli = workspace.filePath("cli.csv");
    dialogs.answerSaveFile(window);
    child<QPushButton>(*fleet, "fleetExport")->click();
    QCOMPARE(runCli(workspace.path(), {"fleet", dir.path(), "--limit", "50", "--csv", cli}).exitCode, 0);
    QCOMPARE(fileBytes(window), fileBytes(cli));

    // A double click opens the row's file in the main window.
    setDialogRunner([](QDialog&) { return int(QDialog::Accepted); });
    QSignalSpy done(&w, &MainWindow::analysisDone);
    emit fleet->view()->doubleClicked(rows->index(0, FleetModel::File));
    QVERIFY(done.count() > 0 || done.wait(60000));
    setDialogRunner({});
    QVERIFY(w.analysis());
    QCOMPARE(w.analysis()->file(), QFileInfo(dir.filePath("a-slow.db")).absoluteFilePath());
}

QTEST_MAIN(TestFleetWindow)
#include "tst_fleetwindow.moc"
