// SPDX-License-Identifier: GPL-3.0-or-later
// The window itself: its form, the parameter dialogs, the debug mode, the minimum speed default.
#include "core/messagelog.h"
#include "scripteddialogs.h"
#include "gui/mainwindow.h"
#include "windowtest.h"

#include <QtTest>
#include <QtWidgets>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup() { setDebugModeEnabled(false); }

    void enablingAtStart();
    void parameterDialogs_data();
    void parameterDialogs();
    void debugModeTwice();
    void aboutAndPercentileBoxes();
    void minSpeedDefault_data();
    void minSpeedDefault();
    void layoutKept();

private:
    std::unique_ptr<TempWorkspace> m_dir;
};

void TestMainWindow::init()
{
    m_dir = std::make_unique<TempWorkspace>();
    setLogFilePath(m_dir->filePath(QStringLiteral("log.txt")));
}

void TestMainWindow::enablingAtStart()
{
    // Only the analysis controls and the period editors wait for a first computation; the tool
    // bar, but for its export, is on.
    MainWindow w;
    QStringList off;
    for (QAction* a : w.findChildren<QAction*>())
        if (!a->isEnabled())
            off << a->objectName();
    for (QWidget* c : w.findChildren<QWidget*>())
        if (c->testAttribute(Qt::WA_ForceDisabled) && !c->objectName().isEmpty())
            off << c->objectName();
    off.sort();
    QCOMPARE(off,
             QStringList({"actionExport", "actionFilter", "actionRange", "actionToolExport", "gb1_button_refresh",
                          "gb1_comboBox_1", "gb1_dateTimeEdit_1", "gb1_dateTimeEdit_2", "gb1_doubleSpinBox_1",
                          "gb2_toolButton"}));
}

// Each dialog: what it offers, and what Ok or Cancel leaves in the engine.
void TestMainWindow::parameterDialogs_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<int>("answer");   // -1: Cancel
    QTest::addColumn<QStringList>("offered");   // label, value, minimum, maximum, step
    QTest::addColumn<int>("stored");

    const QString filter = QStringLiteral("Seuil de filtrage des mesures (minutes):");
    QTest::newRow("filter 60 minutes") << "setFilter" << 60 << QStringList{filter, "30", "30", "240", "30"} << 3600;
    QTest::newRow("filter cancelled") << "setFilter" << -1 << QStringList{filter, "30", "30", "240", "30"} << 1800;
    QTest::newRow("range 300") << "setRange" << 300
                               << QStringList{"Portée du radar (mètres):", "150", "50", "500", "50"} << 300;
    QTest::newRow("divider on") << "setDivider" << 0 << QStringList{"Diviseur de portée:", "1", "0", "1", "1"} << 0;
    QTest::newRow("divider off") << "setDivider" << 1 << QStringList{"Diviseur de portée:", "1", "0", "1", "1"} << 1;
}

void TestMainWindow::parameterDialogs()
{
    QFETCH(QString, slot);
    QFETCH(int, answer);
    QFETCH(QStringList, offered);
    QFETCH(int, stored);
    ScriptedDialogs dialogs;
    MainWindow w;
    if (answer < 0)
        dialogs.cancelInt();
    else
        dialogs.answerInt(answer);
    QVERIFY(QMetaObject::invokeMethod(&w, slot.toLatin1().constData()));

    QCOMPARE(dialogs.summary().value(0), QStringLiteral("int|Tramola|") + offered.first());
    QCOMPARE(dialogs.shown().value(0).details, offered.mid(1));
    const SpeedStatistics& s = w.statistics();
    const int now = slot == QLatin1String("setFilter") ? s.getFilter()
        : slot == QLatin1String("setRange")            ? int(s.getRange())
                                                       : int(s.getDividerOff());
    QCOMPARE(now, stored);
    // Ok recomputes, which without data ends with the box of an empty period; Cancel does nothing.
    QCOMPARE(dialogs.shown().size(), answer < 0 ? 1 : 2);
}

void TestMainWindow::debugModeTwice()
{
    MainWindow w;
    auto* bar = w.findChild<QToolBar*>(QStringLiteral("mainToolBar"));
    const int buttons = bar->actions().size();
    const auto shortcuts = [&w](const char* keys) {
        QList<QShortcut*> found;
        for (QShortcut* s : w.findChildren<QShortcut*>())
            if (s->key() == QKeySequence(QLatin1String(keys)))
                found << s;
        return found;
    };
    QShortcut* toggle = shortcuts("Ctrl+F1").value(0);
    QVERIFY(toggle);

    const QtMessageHandler previous = qInstallMessageHandler(logMessageHandler);
    emit toggle->activated();
    qInstallMessageHandler(previous);
    QVERIFY(debugModeEnabled());
    QCOMPARE(shortcuts("Ctrl+X").size(), 1);
    QCOMPARE(bar->actions().size(), buttons + 1);
    QCOMPARE(bar->actions().last(), w.debugAction());
    // The first line the log receives.
    QFile log(logFilePath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(log.readLine()).contains(QLatin1String("Activation du mode 'mise au point'")));

    emit toggle->activated();
    QVERIFY(!debugModeEnabled() && !w.debugAction());
    QCOMPARE(bar->actions().size(), buttons);
    QCOMPARE(shortcuts("Ctrl+X").size(), 0);
    // The tool-bar button switches it off too.
    emit toggle->activated();
    w.debugAction()->trigger();
    QVERIFY(!debugModeEnabled() && !w.debugAction());
    QCOMPARE(bar->actions().size(), buttons);
}

void TestMainWindow::aboutAndPercentileBoxes()
{
    ScriptedDialogs dialogs;
    MainWindow w;
    w.findChild<QAction*>(QStringLiteral("actionAbout"))->trigger();
    w.findChild<QToolButton*>(QStringLiteral("tab5_button_1"))->click();
    const QStringList shown = dialogs.summary();
    QCOMPARE(shown.size(), 2);
    QVERIFY(shown[0].startsWith(
        QStringLiteral("information|à propos Tramola|<B>Tramola</B><BR>Révision: 4.13<br>    Date: 2025-09-23")));
    QVERIFY(shown[0].contains(QLatin1String("mailto:")));
    QVERIFY(shown[1].startsWith(QStringLiteral(
        "information|Statistiques|<h3>Définition des percentiles <sup>*</*></h3><hr/>La vitesse <b>V85</b>")));
    QVERIFY(shown[1].endsWith(QStringLiteral("(*) <i>source : SETRA 2008</i><br/><br/>")));
}

void TestMainWindow::minSpeedDefault_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("shown");
    QTest::newRow("km/h") << 0 << 15;
    QTest::newRow("mph") << 1 << 9;
    QTest::newRow("knots") << 2 << 9;
    QTest::newRow("unknown") << 7 << 0;
}

void TestMainWindow::minSpeedDefault()
{
    QFETCH(int, units);
    QFETCH(int, shown);
    MainWindow w;
    w.statistics().setUnits(qint16(units));
    w.setMinSpeedDefault();
    QCOMPARE(w.findChild<QDoubleSpinBox*>(QStringLiteral("gb1_doubleSpinBox_1"))->value(), double(shown));
    QCOMPARE(int(w.getMinSpeed()), shown);
}

// Size, position and splitter come back at the next start.
void TestMainWindow::layoutKept()
{
    {
        MainWindow w;
        w.show();
        w.setGeometry(40, 50, 1000, 720);
        w.findChild<QSplitter*>(QStringLiteral("mainSplitter"))->setSizes({300, 692});
        QVERIFY(w.close());
    }
    MainWindow w;
    w.show();
    QCOMPARE(w.geometry(), QRect(40, 50, 1000, 720));
    QCOMPARE(w.findChild<QSplitter*>(QStringLiteral("mainSplitter"))->sizes().value(0), 300);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
