// The window itself: its form, the parameter dialogs, the debug mode and the speed area choice.
#include "app/messagelog.h"
#include "app/workspace.h"
#include "scripteddialogs.h"
#include "speedarea/speedarea.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolBox>
#include <QToolButton>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void formAtStart();
    void menusAndToolBar();
    void parameterDialogs_data();
    void parameterDialogs();
    void debugModeTwice();
    void aboutAndPercentileBoxes();
    void speedAreaOrder();
    void minSpeedDefault_data();
    void minSpeedDefault();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMainWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    Workspace::setRoots(m_dir->filePath(QStringLiteral("docs")), m_dir->filePath(QStringLiteral("data")));
    Workspace::establish();
    setLogFilePath(m_dir->filePath(QStringLiteral("log.txt")));
}

void TestMainWindow::cleanup()
{
    setDebugModeEnabled(false);
    m_dir.reset();
}

void TestMainWindow::formAtStart()
{
    MainWindow w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Tramola"));
    QCOMPARE(w.size(), QSize(919, 700));
    QCOMPARE(w.minimumSize(), QSize(800, 640));
    QVERIFY(!w.windowIcon().isNull());
    QCOMPARE(w.localeName(), QStringLiteral("fr_FR"));

    auto* box = w.findChild<QToolBox*>(QStringLiteral("toolBox"));
    QVERIFY(box);
    QCOMPARE(box->count(), 2);
    QCOMPARE(box->widget(0)->objectName(), QStringLiteral("page_tool_2"));
    QCOMPARE(box->itemText(0), QStringLiteral("Critères"));
    QCOMPARE(box->widget(1)->objectName(), QStringLiteral("page_tool_1"));
    QCOMPARE(box->itemText(1), QStringLiteral("Données"));

    auto* tabs = w.findChild<QTabWidget*>(QStringLiteral("tabWidget"));
    QVERIFY(tabs);
    const QStringList names{"page_1", "page_5", "page_2", "page_3", "page_percentile", "page_4", "page_6"};
    const QStringList titles{"Moyennes", "Maximum", "Nombre de véhicules", "Répartitions", "Percentiles", "Données",
                             "Campagnes"};
    QCOMPARE(tabs->count(), 7);
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(tabs->widget(i)->objectName(), names.at(i));
        QCOMPARE(tabs->tabText(i), titles.at(i));
    }

    // Every widget the workflow and the later charts address by name.
    for (const char* name :
         {"gb1_dateTimeEdit_1", "gb1_dateTimeEdit_2", "gb1_doubleSpinBox_1", "gb1_button_refresh", "gb2_textEdit",
          "gb1_textEdit", "gb1_comboBox_1", "gb2_toolButton", "label_start_date", "label_end_date", "label_17",
          "page_1_view", "page_5_view", "page_2_view", "page_4_view", "gb0_logo", "listWidget", "gb3_pushButton",
          "gb3_label_8", "gb3_label_14", "tab5_button_1", "percentile_in_view", "percentile_out_view"})
        QVERIFY2(w.findChild<QWidget*>(QLatin1String(name)), name);
    QVERIFY(w.findChild<QLayout*>(QStringLiteral("ingoing")));
    QVERIFY(w.findChild<QLayout*>(QStringLiteral("outgoing")));
    for (const char* name : {"v85_in_label", "v50_in_label", "v30_in_label", "v85_out_label", "v50_out_label",
                             "v30_out_label"}) {
        auto* l = w.findChild<QLabel*>(QLatin1String(name));
        QVERIFY2(l, name);
        QCOMPARE(l->text(), QStringLiteral("0,0"));
        QVERIFY(l->styleSheet().contains(QLatin1String("rgb(182,204,182)")));
    }
    for (const char* name : {"label_4", "label_10", "label_12", "label_18", "label_14", "label_16"})
        QCOMPARE(w.findChild<QLabel*>(QLatin1String(name))->text(), QStringLiteral("Km/h"));
    QVERIFY(!w.findChild<QLabel*>(QStringLiteral("gb0_logo"))->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(w.findChild<QToolButton*>(QStringLiteral("gb2_toolButton"))->toolTip(),
             QStringLiteral("Gérer les zones de vitesses"));
}

void TestMainWindow::menusAndToolBar()
{
    MainWindow w;
    QStringList menus;
    for (QAction* a : w.menuBar()->actions())
        menus << a->text();
    QCOMPARE(menus, QStringList({"&Fichier", "&Outils", "&A propos"}));

    struct Expected
    {
        const char* name;
        const char* text;
        const char* keys;
        const char* tip;
        bool enabled;
    };
    const Expected actions[] = {
        {"actionOpen", "&Ouvrir", "Ctrl+O", "Ouvre un fichier de statistiques", true},
        {"actionExport", "&Exporter", "Ctrl+S", "Exporte les statistiques dans un fichier", false},
        {"actionExit", "E&xit", "Alt+F4", "Arrête l'application", true},
        {"actionRange", "&Portée", "Ctrl+P", "Portée du radar", false},
        {"actionFilter", "&Précision", "Ctrl+F", "Interval de temps", false},
        {"actionAbout", "&A propos de Tramola", "Ctrl+A", "A propos de l'application", true},
    };
    for (const Expected& e : actions) {
        auto* a = w.findChild<QAction*>(QLatin1String(e.name));
        QVERIFY2(a, e.name);
        QCOMPARE(a->text(), QString::fromUtf8(e.text));
        QCOMPARE(a->shortcut(), QKeySequence(QLatin1String(e.keys)));
        QCOMPARE(a->statusTip(), QString::fromUtf8(e.tip));
        QCOMPARE(a->isEnabled(), e.enabled);
        QVERIFY(!a->icon().isNull());
    }
    // The speed area choice and its button wait for a first computation too.
    QVERIFY(!w.findChild<QComboBox*>(QStringLiteral("gb1_comboBox_1"))->isEnabled());
    QVERIFY(!w.findChild<QToolButton*>(QStringLiteral("gb2_toolButton"))->isEnabled());

    auto* bar = w.findChild<QToolBar*>(QStringLiteral("mainToolBar"));
    QVERIFY(bar);
    QStringList texts;
    for (QAction* a : bar->actions()) {
        texts << a->text();
        QVERIFY(a->isEnabled());
        QVERIFY(!a->icon().isNull());
    }
    QCOMPARE(texts, QStringList({"&Ouvrir", "Document PDF", "Exporter", "rafraichir", "Imprimer"}));
}

// Each dialog: what it offers, and what Ok or Cancel leaves in the engine.
void TestMainWindow::parameterDialogs_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<int>("answer");   // -1: Cancel
    QTest::addColumn<QStringList>("offered");   // value, minimum, maximum, step
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("stored");

    QTest::newRow("filter 60 minutes") << "setFilter" << 60 << QStringList{"30", "30", "240", "30"}
                                       << "Seuil de filtrage des mesures (minutes):" << 3600;
    QTest::newRow("filter cancelled") << "setFilter" << -1 << QStringList{"30", "30", "240", "30"}
                                      << "Seuil de filtrage des mesures (minutes):" << 1800;
    QTest::newRow("range 300") << "setRange" << 300 << QStringList{"150", "50", "500", "50"}
                               << "Portée du radar (mètres):" << 300;
    QTest::newRow("range cancelled") << "setRange" << -1 << QStringList{"150", "50", "500", "50"}
                                     << "Portée du radar (mètres):" << 150;
    QTest::newRow("divider on") << "setDivider" << 0 << QStringList{"1", "0", "1", "1"} << "Diviseur de portée:"
                                << 0;
    QTest::newRow("divider off") << "setDivider" << 1 << QStringList{"1", "0", "1", "1"} << "Diviseur de portée:"
                                 << 1;
}

void TestMainWindow::parameterDialogs()
{
    QFETCH(QString, slot);
    QFETCH(int, answer);
    QFETCH(QStringList, offered);
    QFETCH(QString, label);
    QFETCH(int, stored);

    ScriptedDialogs dialogs;
    MainWindow w;
    if (answer < 0)
        dialogs.cancelInt();
    else
        dialogs.answerInt(answer);
    QVERIFY(QMetaObject::invokeMethod(&w, slot.toLatin1().constData()));

    QVERIFY(!dialogs.shown().isEmpty());
    const ScriptedDialogs::Shown& asked = dialogs.shown().first();
    QCOMPARE(asked.kind, QStringLiteral("int"));
    QCOMPARE(asked.title, QStringLiteral("Tramola"));
    QCOMPARE(asked.text, label);
    QCOMPARE(asked.details, offered);

    const SpeedStatistics& s = w.statistics();
    if (slot == QLatin1String("setFilter"))
        QCOMPARE(s.getFilter(), stored);
    else if (slot == QLatin1String("setRange"))
        QCOMPARE(int(s.getRange()), stored);
    else
        QCOMPARE(int(s.getDividerOff()), stored);
    // Ok recomputes, which without data ends with the box of an empty period; Cancel does nothing.
    QCOMPARE(dialogs.shown().size(), answer < 0 ? 1 : 2);
}

void TestMainWindow::debugModeTwice()
{
    MainWindow w;
    auto* bar = w.findChild<QToolBar*>(QStringLiteral("mainToolBar"));
    const int buttons = bar->actions().size();
    QShortcut* toggle = nullptr;
    for (QShortcut* s : w.findChildren<QShortcut*>())
        if (s->key() == QKeySequence(QStringLiteral("Ctrl+F1")))
            toggle = s;
    QVERIFY(toggle);

    const QtMessageHandler previous = qInstallMessageHandler(logMessageHandler);
    emit toggle->activated();
    qInstallMessageHandler(previous);
    QVERIFY(debugModeEnabled());
    QVERIFY(w.debugShortcut());
    QCOMPARE(w.debugShortcut()->key(), QKeySequence(QStringLiteral("Ctrl+X")));
    QCOMPARE(bar->actions().size(), buttons + 1);
    QCOMPARE(bar->actions().last(), w.debugAction());
    QVERIFY(w.debugAction()->text().isEmpty());
    QVERIFY(!w.debugAction()->icon().isNull());
    // The first line the log receives.
    QFile log(logFilePath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(log.readAll()).contains(QLatin1String("Activation du mode 'mise au point'")));
    log.close();

    // The tool-bar button switches it off again.
    w.debugAction()->trigger();
    QVERIFY(!debugModeEnabled());
    emit toggle->activated();
    emit toggle->activated();
    QVERIFY(!debugModeEnabled());
    QVERIFY(!w.debugShortcut());
    QVERIFY(!w.debugAction());
    QCOMPARE(bar->actions().size(), buttons);
    int ctrlX = 0;
    for (QShortcut* s : w.findChildren<QShortcut*>())
        if (s->key() == QKeySequence(QStringLiteral("Ctrl+X")))
            ++ctrlX;
    QCOMPARE(ctrlX, 0);
}

void TestMainWindow::aboutAndPercentileBoxes()
{
    ScriptedDialogs dialogs;
    MainWindow w;
    w.findChild<QAction*>(QStringLiteral("actionAbout"))->trigger();
    w.findChild<QToolButton*>(QStringLiteral("tab5_button_1"))->click();
    QCOMPARE(dialogs.shown().size(), 2);
    const ScriptedDialogs::Shown about = dialogs.shown().at(0);
    QCOMPARE(about.kind, QStringLiteral("information"));
    QCOMPARE(about.title, QStringLiteral("à propos Tramola"));
    QVERIFY(about.text.startsWith(QStringLiteral("<B>Tramola</B><BR>Revision: 4.13<br>    Date: 2025-09-23")));
    QVERIFY(about.text.contains(QLatin1String("mailto:")));
    const ScriptedDialogs::Shown help = dialogs.shown().at(1);
    QCOMPARE(help.kind, QStringLiteral("information"));
    QCOMPARE(help.title, QStringLiteral("Statistiques"));
    QVERIFY(help.text.startsWith(QStringLiteral("<h3>Définition des percentiles <sup>*</*></h3><hr/>La vitesse <b>V85</b>")));
    QVERIFY(help.text.endsWith(QStringLiteral("(*) <i>source : SETRA 2008</i><br/><br/>")));
}

void TestMainWindow::speedAreaOrder()
{
    SpeedArea areas;
    for (const QString& name : areas.areaNames())
        areas.removeArea(name);
    SpeedClassMap classes;
    SampleRecord r;
    r.minSpeed = 0;
    r.maxSpeed = 30;
    classes.insert(0, r);
    r.minSpeed = 30;
    r.maxSpeed = 200;
    classes.insert(1, r);
    for (const char* name : {"Zone 10", "Zone 2", "Zone 30"})
        areas.setArea(QLatin1String(name), classes);
    QVERIFY(areas.saveFile(Workspace::kmhSpeedAreaFile()));

    MainWindow w;
    auto* choice = w.findChild<QComboBox*>(QStringLiteral("gb1_comboBox_1"));
    QStringList shown;
    for (int i = 0; i < choice->count(); ++i)
        shown << choice->itemText(i);
    QCOMPARE(shown, QStringList({"Zone 2", "Zone 10", "Zone 30"}));
    // The chosen area's classes reach both directions of the engine.
    QCOMPARE(w.statistics().getDistribution(0).size(), 2);
    QCOMPARE(w.statistics().getDistribution(1).size(), 2);
}

void TestMainWindow::minSpeedDefault_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<double>("shown");
    QTest::newRow("km/h") << 0 << 15.0;
    QTest::newRow("mph") << 1 << 9.0;
    QTest::newRow("knots") << 2 << 9.0;
    QTest::newRow("unknown") << 7 << 0.0;
}

void TestMainWindow::minSpeedDefault()
{
    QFETCH(int, units);
    QFETCH(double, shown);
    MainWindow w;
    w.statistics().setUnits(qint16(units));
    w.setMinSpeedDefault();
    QCOMPARE(w.findChild<QDoubleSpinBox*>(QStringLiteral("gb1_doubleSpinBox_1"))->value(), shown);
    QCOMPARE(int(w.getMinSpeed()), int(shown));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
