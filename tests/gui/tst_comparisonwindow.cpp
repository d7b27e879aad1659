// SPDX-License-Identifier: GPL-3.0-or-later
// "Comparer…" in the window: B chosen through its dialog as a period of the open file or another
// file, the Comparaison tab's table and verdicts, B following A's criteria, its CSV beside the
// export; files of other units refused.
#include "analysis/analysis.h"
#include "gui/comparisondialog.h"
#include "gui/dialogrunner.h"
#include "gui/mainwindow.h"
#include "scripteddialogs.h"
#include "testdata.h"
#include "windowtest.h"

#include <QtTest>
#include <QtWidgets>

class TestComparisonWindow : public QObject
{
    Q_OBJECT

private slots:
    void compare_data();
    void compare();

private:
    TempWorkspace m_workspace;
};

void TestComparisonWindow::compare_data()
{
    QTest::addColumn<QStringList>("bOptions");   // empty: B is the open file from the display on
    QTest::addColumn<QString>("expected");   // in the verdicts, else in the box
    QTest::newRow("period of the open file") << QStringList() << "Baisse significative de la vitesse moyenne";
    QTest::newRow("another file, faster")
        << QStringList{"--mean-in", "56", "--mean-out", "60"} << "Hausse significative de la vitesse moyenne";
    QTest::newRow("another file in mph") << QStringList{"--units", "mph"} << "Unités différentes : A en Km/h, B en Mph";
}

void TestComparisonWindow::compare()
{
    QFETCH(QStringList, bOptions);
    QFETCH(QString, expected);
    const QString a = m_workspace.filePath("a.db"), b = m_workspace.filePath("b.db");
    const QStringList common{"--days", "10", "--per-day", "400", "--force"};
    QCOMPARE(runCli(m_workspace.path(),
                    QStringList{"gendb", a, "--display-from", "2026-11-07", "--display-effect", "5"} + common)
                 .exitCode,
             0);
    if (!bOptions.isEmpty())
        QCOMPARE(runCli(m_workspace.path(), QStringList{"gendb", b, "--seed", "7"} + common + bOptions).exitCode, 0);

    ScriptedDialogs dialogs;
    MainWindow w;
    openInWindow(w, dialogs, a);
    QVERIFY(w.analysis());
    if (!bOptions.isEmpty())
        dialogs.answerOpenFile(b);
    setDialogRunner([&](QDialog& d) {
        auto* dialog = qobject_cast<ComparisonDialog*>(&d);
        if (!dialog)
            return int(QDialog::Rejected);
        if (bOptions.isEmpty())
            dialog->setPeriod(QDateTime(QDate(2026, 11, 7), QTime(0, 0)), w.analysis()->end());
        else
            child<QPushButton>(*dialog, "otherFileButton")->click();   // its newest campaign ticked
        return int(QDialog::Accepted);
    });
    QVERIFY(clickAndWait(w, "compareButton"));
    setDialogRunner({});

    auto* tab = child<QWidget>(w, "comparisonPage");
    if (expected.startsWith("Unités")) {
        QVERIFY(!tab);
        QVERIFY2(dialogs.messages().join('\n').contains(expected), qPrintable(dialogs.messages().join('\n')));
        return;
    }
    QVERIFY(tab);
    QCOMPARE(child<QTabWidget>(w, "tabWidget")->currentWidget(), tab);
    // Both directions: a heading and eleven figures each.
    QCOMPARE(child<QTableWidget>(*tab, "comparisonTable")->rowCount(), 24);
    const QString verdicts = child<QLabel>(*tab, "comparisonVerdicts")->text();
    QVERIFY2(verdicts.contains(expected), qPrintable(verdicts));
    // A new minimum speed for A: B follows, fewer vehicles on both sides.
    QTableWidget* table = child<QTableWidget>(*tab, "comparisonTable");
    const QString vehiclesB = table->item(1, 2)->text();
    child<QDoubleSpinBox>(w, "minSpeedSpin")->setValue(45);
    QVERIFY(clickAndWait(w, "refreshButton"));
    QTRY_VERIFY_WITH_TIMEOUT(!w.isBusy(), 60000);
    QCOMPARE(w.analysis()->criteria().minSpeed, 45);
    QVERIFY2(table->item(1, 2)->text() != vehiclesB, qPrintable(vehiclesB));

    // Exporter writes the comparison beside the other files, a line per figure and direction.
    const QString csv = m_workspace.filePath("out.csv");
    dialogs.answerSaveFile(csv);
    child<QAction>(w, "actionExport")->trigger();
    QFile written(m_workspace.filePath("out-comparaison.csv"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(written.readAll()).split('\n');
    QCOMPARE(lines.value(0), QStringLiteral("Sens;Indicateur;A (avant);B (après);Écart B − A;Test"));
    QVERIFY2(lines.value(2).startsWith("Entrant;Vitesse moyenne (Km/h);") && lines.value(2).contains(";Welch : t = "),
             qPrintable(lines.value(2)));

    // Another file shown closes the comparison.
    if (!bOptions.isEmpty()) {
        openInWindow(w, dialogs, b);
        QVERIFY(!child<QWidget>(w, "comparisonPage"));
    }
}

QTEST_MAIN(TestComparisonWindow)
#include "tst_comparisonwindow.moc"
