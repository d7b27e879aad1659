// The path from "&Ouvrir" to computed statistics, driven as a user would, with scripted dialogs.
#include "app/workspace.h"
#include "campaign/ui/campaignsynopsis.h"
#include "campaign/ui/lstcampaign.h"
#include "scripteddialogs.h"
#include "speedarea/speedarea.h"
#include "stats/periodsnap.h"
#include "testdata.h"
#include "ui/dialogrunner.h"
#include "ui/mainwindow.h"

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

// Measures of 31 January (one campaign) and of 1 and 2 February 2024 (another), both directions.
QVector<Row> twoMonths()
{
    QVector<Row> rows;
    const qint64 jan = localTime(QStringLiteral("2024-01-31 10:00:00"));
    for (int i = 0; i < 60; ++i)
        rows << Row{jan + i * 60, 40 + i % 20, i % 2};
    // 1 February 08:10:20 .. 11:59, then a gap, then 2 February 14:00 .. 17:40:10.
    const qint64 feb1 = localTime(QStringLiteral("2024-02-01 08:10:20"));
    for (int i = 0; i < 220; ++i)
        rows << Row{feb1 + i * 60, 30 + i % 40, i % 3 == 0 ? 1 : 0};
    const qint64 feb2 = localTime(QStringLiteral("2024-02-02 14:00:00"));
    for (int i = 0; i < 220; ++i)
        rows << Row{feb2 + i * 60, 20 + i % 50, i % 2};
    rows << Row{localTime(QStringLiteral("2024-02-02 17:40:10")), 55, 0};
    return rows;
}

template <typename T>
T* child(MainWindow& w, const char* name)
{
    T* c = w.findChild<T*>(QLatin1String(name));
    if (!c)
        qWarning() << "missing widget" << name;
    return c;
}

QString labelText(MainWindow& w, const char* name)
{
    QLabel* l = child<QLabel>(w, name);
    return l ? l->text() : QString();
}

} // namespace

class TestDataLoad : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void wholeWorkflow();
    void givingUpCampaignChoice();
    void failures_data();
    void failures();
    void failedReloadKeepsEarlierMeasures();
    void refreshRules();
    void endEditorSnapping_data();
    void endEditorSnapping();
    void emptyPeriodRemovesCharts();
    void cancelKeepsWhatWasRead();
    void speedAreaChangeRecounts();

private:
    // Chosen in the open dialog; the campaign dialog accepted as it comes (or handled by during).
    void load(MainWindow& w, ScriptedDialogs& dialogs, const QString& file,
              const std::function<void(LstCampaign&)>& during = {});

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_stats;
    int m_campaignDialogs = 0;
};

void TestDataLoad::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestDataLoad::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    Workspace::setRoots(m_dir->filePath(QStringLiteral("docs")), m_dir->filePath(QStringLiteral("data")));
    Workspace::establish();
    m_stats = Workspace::statisticsFolder();
    m_campaignDialogs = 0;
}

void TestDataLoad::cleanup()
{
    setDialogRunner({});
    m_dir.reset();
}

void TestDataLoad::load(MainWindow& w, ScriptedDialogs& dialogs, const QString& file,
                        const std::function<void(LstCampaign&)>& during)
{
    dialogs.answerOpenFile(file);
    setDialogRunner([this, during](QDialog& d) {
        auto* list = qobject_cast<LstCampaign*>(&d);
        if (!list)
            return int(QDialog::Rejected);
        ++m_campaignDialogs;
        if (during)
            during(*list);
        return int(QDialog::Accepted);
    });
    child<QAction>(w, "actionOpen")->trigger();
}

void TestDataLoad::wholeWorkflow()
{
    const QString file = m_stats + QStringLiteral("2024-01-31_2024-02-02_Rue du Port.db");
    QVERIFY(writeMeasureDb(file, twoMonths()));

    ScriptedDialogs dialogs;
    MainWindow w;
    QVERIFY(!child<QAction>(w, "actionExport")->isEnabled());

    QStringList rowTitles;
    QList<bool> ticks;
    load(w, dialogs, file, [&](LstCampaign& list) {
        for (CampaignSynopsis* row : list.rows()) {
            rowTitles << row->title();
            ticks << row->isChecked();
        }
    });

    // The open dialog, then nothing but the progress of the derivation and of the read.
    QCOMPARE(dialogs.shown().first().kind, QStringLiteral("open"));
    QCOMPARE(dialogs.shown().first().text, QStringLiteral("Charger les statistiques..."));
    QCOMPARE(dialogs.shown().first().details,
             QStringList({m_stats, QStringLiteral("Base de données (*.db)")}));
    QVERIFY2(dialogs.messages().isEmpty(), qPrintable(dialogs.messages().join(QLatin1Char('|'))));

    // Two monthly campaigns, newest first, only the top one ticked.
    QCOMPARE(m_campaignDialogs, 1);
    QCOMPARE(rowTitles.size(), 2);
    QCOMPARE(ticks, QList<bool>({true, false}));

    QCOMPARE(w.windowTitle(), QStringLiteral("2024-01-31_2024-02-02_Rue du Port - Tramola"));
    QCOMPARE(w.databasePath(), file);
    QCOMPARE(getFile(3), file);
    QCOMPARE(QDir(getPath(3)).absolutePath(), QDir(m_stats).absolutePath());

    // February only: 441 measures; the engine's period is that of the measures read.
    SpeedStatistics& s = w.statistics();
    QCOMPARE(s.measures().size(), 441);
    QCOMPARE(s.getStartDate(), QDateTime::fromSecsSinceEpoch(localTime(QStringLiteral("2024-02-01 08:10:20"))));
    QCOMPARE(s.getEndDate(), QDateTime::fromSecsSinceEpoch(localTime(QStringLiteral("2024-02-02 17:40:10"))));
    QCOMPARE(s.getUnits(), qint16(0));
    QCOMPARE(s.getDividerOff(), false);   // store mode 0
    QCOMPARE(w.startDate(), s.getStartDate());
    QCOMPARE(w.endDate(), s.getEndDate());

    auto* startEdit = child<QDateTimeEdit>(w, "gb1_dateTimeEdit_1");
    auto* endEdit = child<QDateTimeEdit>(w, "gb1_dateTimeEdit_2");
    QCOMPARE(startEdit->dateTime(), QDateTime::fromString(QStringLiteral("2024-02-01 08:00:00"), Qt::ISODate));
    QCOMPARE(endEdit->dateTime(), QDateTime::fromString(QStringLiteral("2024-02-02 18:00:00"), Qt::ISODate));
    QCOMPARE(startEdit->minimumDate(), QDate(2024, 2, 1));
    QCOMPARE(endEdit->maximumDate(), QDate(2024, 2, 2));
    QCOMPARE(startEdit->displayFormat(), QStringLiteral("dd/MM/yyyy HH:mm"));

    QCOMPARE(child<QDoubleSpinBox>(w, "gb1_doubleSpinBox_1")->value(), 15.0);
    QCOMPARE(child<QLineEdit>(w, "gb2_textEdit")->text(), QStringLiteral("Rue du Port"));
    QCOMPARE(labelText(w, "label_17"), QStringLiteral("Standard"));
    QCOMPARE(labelText(w, "label_start_date"), w.dateTimeText(s.getStartDate()));
    QCOMPARE(labelText(w, "label_end_date"), w.dateTimeText(s.getEndDate()));
    for (const char* units : {"label_4", "label_10", "label_12", "label_18", "label_14", "label_16"})
        QCOMPARE(labelText(w, units), QStringLiteral("Km/h"));
    const auto two = [](double v) { return QString::number(v, 'f', 2); };
    QCOMPARE(labelText(w, "v85_in_label"), two(s.getV85(0)));
    QCOMPARE(labelText(w, "v50_in_label"), two(s.getV50(0)));
    QCOMPARE(labelText(w, "v30_out_label"), two(s.getV30(1)));
    QVERIFY(s.getV85(0) > s.getV30(0));

    // Analysis controls on, speed area choice filled and handed to the engine.
    for (const char* name : {"actionExport", "actionRange", "actionFilter"})
        QVERIFY2(child<QAction>(w, name)->isEnabled(), name);
    auto* areas = child<QComboBox>(w, "gb1_comboBox_1");
    QVERIFY(areas->isEnabled());
    QVERIFY(areas->count() > 0);
    QVERIFY(!s.getDistribution(0).isEmpty());
    QVERIFY(s.getFilteredSampleSize(0) > 0);

    // Campaign tab: every campaign, the first current, its details shown.
    auto* list = child<QListWidget>(w, "listWidget");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(list->item(0)->text(), rowTitles.at(0));
    QCOMPARE(w.campaignMap().size(), 2);
    QCOMPARE(labelText(w, "gb3_label_12"), QStringLiteral("2"));
    QCOMPARE(labelText(w, "gb3_label_11"), QStringLiteral("441"));
    QCOMPARE(labelText(w, "gb3_label_13"), rowTitles.at(0));

    // Choosing the January campaign in the list shows its details.
    list->setCurrentRow(1);
    QCOMPARE(labelText(w, "gb3_label_11"), QStringLiteral("60"));
    QCOMPARE(labelText(w, "gb3_label_12"), QStringLiteral("1"));
}

void TestDataLoad::givingUpCampaignChoice()
{
    const QString file = m_stats + QStringLiteral("a.db");
    QVERIFY(writeMeasureDb(file, twoMonths()));
    ScriptedDialogs dialogs;
    MainWindow w;
    const QString title = w.windowTitle();
    dialogs.answerOpenFile(file);
    setDialogRunner([](QDialog&) { return int(QDialog::Rejected); });
    w.dataLoad();

    QCOMPARE(getFile(3), file);
    QVERIFY(!getPath(3).isEmpty());
    QCOMPARE(w.windowTitle(), title);
    QVERIFY(w.databasePath().isEmpty());
    QCOMPARE(w.statistics().measures().size(), 0);
    QCOMPARE(child<QListWidget>(w, "listWidget")->count(), 0);
    QVERIFY(!child<QAction>(w, "actionExport")->isEnabled());
    QVERIFY(dialogs.messages().isEmpty());
}

// One row per way the load can fail: the boxes in order, the window left as it was.
void TestDataLoad::failures_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QStringList>("boxes");

    QTest::newRow("not openable before the choice")
        << "directory" << QStringList{QStringLiteral("critical|Database manager|Error opening %1"),
                                      QStringLiteral("warning|Statistiques|Erreur à l'ouverture de la base de données.\n")};
    QTest::newRow("no campaign at all")
        << "missing" << QStringList{QStringLiteral("warning|Statistiques|Statistiques indisponibles, la base de données est vide")};
    QTest::newRow("not openable at the read")
        << "directoryAtRead"
        // The campaign panel tries first, then the read.
        << QStringList{QStringLiteral("critical|Database manager|Error opening %1"),
                       QStringLiteral("critical|Database manager|Error opening %1"),
                       QStringLiteral("warning|Statistiques|Ouverture %1 impossible"),
                       QStringLiteral("warning|Statistiques|Statistiques indisponibles")};
    QTest::newRow("gone at the read")
        << "missingAtRead"
        << QStringList{QStringLiteral("warning|Statistiques|La base de données %1 est vide"),
                       QStringLiteral("warning|Statistiques|Statistiques indisponibles")};
    QTest::newRow("nothing above the minimum speed")
        << "slow"
        << QStringList{QStringLiteral("warning|Statistiques|La base de donnée %1 ne contient pas de statistiques"),
                       QStringLiteral("warning|Statistiques|Statistiques indisponibles")};
}

void TestDataLoad::failures()
{
    QFETCH(QString, situation);
    QFETCH(QStringList, boxes);

    const QString file = m_stats + QStringLiteral("2024_02_Gare.db");
    std::function<void(LstCampaign&)> during;
    if (situation == QLatin1String("directory")) {
        QVERIFY(QDir().mkpath(file));
    } else if (situation == QLatin1String("slow")) {
        QVector<Row> rows;
        for (int i = 0; i < 50; ++i)
            rows << Row{localTime(QStringLiteral("2024-02-01 08:00:00")) + i * 60, 5 + i % 11, 0};
        QVERIFY(writeMeasureDb(file, rows));
    } else if (situation != QLatin1String("missing")) {
        QVERIFY(writeMeasureDb(file, twoMonths()));
        during = [file, situation](LstCampaign&) {
            QVERIFY(QFile::remove(file));
            if (situation == QLatin1String("directoryAtRead"))
                QVERIFY(QDir().mkpath(file));
        };
    }

    ScriptedDialogs dialogs;
    MainWindow w;
    const QString title = w.windowTitle();
    load(w, dialogs, file, during);

    QStringList shown;
    for (const ScriptedDialogs::Shown& s : dialogs.shown()) {
        if (s.kind == QLatin1String("open") || s.kind == QLatin1String("progress"))
            continue;
        QString text = s.text;
        // The driver's own reason follows the path; only the start of the text is ours.
        if (text.startsWith(QStringLiteral("Error opening ")))
            text = QStringLiteral("Error opening %1");
        shown << s.kind + QLatin1Char('|') + s.title + QLatin1Char('|') + text;
    }
    QStringList expected;
    for (const QString& b : boxes)
        expected << (b.contains(QLatin1String("Error opening")) ? b : QString(b).replace(QStringLiteral("%1"), file));
    QCOMPARE(shown, expected);

    // The settings remember the file whatever happened next.
    QCOMPARE(getFile(3), file);
    QCOMPARE(w.statistics().measures().size(), 0);
    QVERIFY(!child<QAction>(w, "actionExport")->isEnabled());
    QCOMPARE(labelText(w, "label_start_date"), QString());
    QCOMPARE(labelText(w, "v85_in_label"), QStringLiteral("0,0"));
    QCOMPARE(child<QLineEdit>(w, "gb2_textEdit")->text(), QString());
    const bool chosen = situation.endsWith(QLatin1String("AtRead")) || situation == QLatin1String("slow");
    // The campaign choice succeeded: only the title and the store mode follow the new file.
    QCOMPARE(w.windowTitle(), chosen ? QStringLiteral("2024_02_Gare - Tramola") : title);
}

void TestDataLoad::failedReloadKeepsEarlierMeasures()
{
    const QString first = m_stats + QStringLiteral("first.db");
    const QString second = m_stats + QStringLiteral("second.db");
    QVERIFY(writeMeasureDb(first, twoMonths()));
    QVERIFY(writeMeasureDb(second, twoMonths()));

    ScriptedDialogs dialogs;
    MainWindow w;
    load(w, dialogs, first);
    QCOMPARE(w.statistics().measures().size(), 441);
    dialogs.clear();

    load(w, dialogs, second, [second](LstCampaign&) { QVERIFY(QFile::remove(second)); });
    // Only the read's own box: the earlier measures are shown again under the new title.
    QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("La base de données %1 est vide").arg(second)});
    QCOMPARE(w.windowTitle(), QStringLiteral("second - Tramola"));
    QCOMPARE(w.statistics().measures().size(), 441);
    QVERIFY(w.statistics().getFilteredSampleSize(0) > 0);
}

void TestDataLoad::refreshRules()
{
    const QString file = m_stats + QStringLiteral("refresh.db");
    QVERIFY(writeMeasureDb(file, twoMonths()));
    ScriptedDialogs dialogs;
    MainWindow w;
    load(w, dialogs, file);
    SpeedStatistics& s = w.statistics();
    QCOMPARE(s.measures().size(), 441);

    auto* startEdit = child<QDateTimeEdit>(w, "gb1_dateTimeEdit_1");
    auto* endEdit = child<QDateTimeEdit>(w, "gb1_dateTimeEdit_2");
    auto* refresh = child<QPushButton>(w, "gb1_button_refresh");
    auto* minSpeed = child<QDoubleSpinBox>(w, "gb1_doubleSpinBox_1");
    const DirectionSamples before = s.getFilteredSample();

    // Start not before end: the start moves one hour before the end, nothing is computed.
    const QDateTime end = QDateTime::fromString(QStringLiteral("2024-02-02 12:00:00"), Qt::ISODate);
    endEdit->setDateTime(end);
    startEdit->setDateTime(end);
    dialogs.clear();
    refresh->click();
    QCOMPARE(startEdit->dateTime(), end.addSecs(-3600));
    QVERIFY(dialogs.shown().isEmpty());
    QCOMPARE(s.getFilteredSample().size(), before.size());
    QCOMPARE(s.getFilteredSample().value(0).size(), before.value(0).size());

    // Unchanged minimum speed: the file is not read again (it is even gone), only recomputed.
    const QString moved = file + QStringLiteral(".moved");
    QVERIFY(QFile::rename(file, moved));
    startEdit->setDateTime(QDateTime::fromString(QStringLiteral("2024-02-01 09:00:00"), Qt::ISODate));
    endEdit->setDateTime(QDateTime::fromString(QStringLiteral("2024-02-01 11:00:00"), Qt::ISODate));
    refresh->click();
    QVERIFY2(dialogs.shown().isEmpty(), qPrintable(dialogs.summary().join(QLatin1Char('\n'))));
    QCOMPARE(s.measures().size(), 441);
    QCOMPARE(s.getFilteredSample(0).firstKey(),
             QDateTime::fromString(QStringLiteral("2024-02-01 09:00:00"), Qt::ISODate).toSecsSinceEpoch());
    QVERIFY(QFile::rename(moved, file));

    // Changed minimum speed: the editors' period is read again from the file of the settings.
    minSpeed->setValue(50);
    refresh->click();
    QCOMPARE(dialogs.shown().size(), 1);
    QCOMPARE(dialogs.shown().first().kind, QStringLiteral("progress"));
    QCOMPARE(s.getMinSpeed(), 50);
    // 09:00 .. 11:00 of 1 February, speeds 30 + i % 40 above 50: 19 of every 40 minutes.
    int expected = 0;
    const qint64 feb1 = localTime(QStringLiteral("2024-02-01 08:10:20"));
    for (int i = 0; i < 220; ++i) {
        const qint64 t = feb1 + i * 60;
        if (t >= localTime(QStringLiteral("2024-02-01 09:00:00")) && t <= localTime(QStringLiteral("2024-02-01 11:00:00"))
            && 30 + i % 40 > 50)
            ++expected;
    }
    QCOMPARE(s.measures().size(), expected);
    for (const MeasureMap::Entry& e : s.measures())
        QVERIFY(e.measure.speed > 50);

    // reload() goes back to the loaded period (now that of the second read).
    w.reload();
    QCOMPARE(startEdit->dateTime(), snapPeriodStart(s.getStartDate()));
    QCOMPARE(endEdit->dateTime(), snapPeriodEnd(s.getEndDate()));
}

void TestDataLoad::endEditorSnapping_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("shown");
    QTest::newRow("end on the hour stays") << "end" << "2024-02-01T10:00:00" << "2024-02-01T10:00:00";
    QTest::newRow("end one second after") << "end" << "2024-02-01T10:00:01" << "2024-02-01T10:30:00";
    QTest::newRow("end after 23:30 stays") << "end" << "2024-02-01T23:45:00" << "2024-02-01T23:45:00";
    QTest::newRow("start down to the half hour") << "start" << "2024-02-01T10:31:20" << "2024-02-01T10:30:00";
    QTest::newRow("start on a half hour") << "start" << "2024-02-01T10:30:00" << "2024-02-01T10:30:00";
}

void TestDataLoad::endEditorSnapping()
{
    QFETCH(QString, editor);
    QFETCH(QString, set);
    QFETCH(QString, shown);
    MainWindow w;
    auto* edit = child<QDateTimeEdit>(w, editor == QLatin1String("end") ? "gb1_dateTimeEdit_2" : "gb1_dateTimeEdit_1");
    edit->setDateTime(QDateTime::fromString(set, Qt::ISODate));
    QCOMPARE(edit->dateTime(), QDateTime::fromString(shown, Qt::ISODate));
}

void TestDataLoad::emptyPeriodRemovesCharts()
{
    const QString file = m_stats + QStringLiteral("gap.db");
    QVERIFY(writeMeasureDb(file, twoMonths()));
    ScriptedDialogs dialogs;
    MainWindow w;
    load(w, dialogs, file);
    dialogs.clear();

    // Between 1 February noon and 2 February 14:00 nothing was measured.
    child<QDateTimeEdit>(w, "gb1_dateTimeEdit_1")
        ->setDateTime(QDateTime::fromString(QStringLiteral("2024-02-01T20:00:00"), Qt::ISODate));
    child<QDateTimeEdit>(w, "gb1_dateTimeEdit_2")
        ->setDateTime(QDateTime::fromString(QStringLiteral("2024-02-02T06:00:00"), Qt::ISODate));
    child<QPushButton>(w, "gb1_button_refresh")->click();
    QCOMPARE(dialogs.summary(),
             QStringList{QStringLiteral("warning|Statistiques|Vitesses Moyennes/Maximales indisponibles")});
    // The controls stay enabled once a load succeeded.
    QVERIFY(child<QAction>(w, "actionExport")->isEnabled());
    QVERIFY(child<QLabel>(w, "gb0_logo")->isVisibleTo(child<QWidget>(w, "page_1")));
}

void TestDataLoad::cancelKeepsWhatWasRead()
{
    // Ten days of one measure a minute.
    QVector<Row> rows;
    const qint64 start = localTime(QStringLiteral("2024-03-01 00:00:00"));
    for (int i = 0; i < 14400; ++i)
        rows << Row{start + i * 60, 30 + i % 50, i % 2};
    const QString file = m_stats + QStringLiteral("long.db");
    QVERIFY(writeMeasureDb(file, rows));

    ScriptedDialogs dialogs;
    MainWindow w;
    int repaints = 0;
    dialogs.onProgressEvents = [&repaints]() { ++repaints; };
    // The derivation's progress comes first; Cancel is for the read's.
    load(w, dialogs, file, [&dialogs](LstCampaign&) { dialogs.cancelProgressAt(3000); });

    // The window was given the hand while reading, and the load went on with the part read.
    QVERIFY(repaints >= 3);
    const int read = w.statistics().measures().size();
    QVERIFY2(read > 0 && read < 14400, qPrintable(QString::number(read)));
    QCOMPARE(dialogs.messages(), QStringList());
    QCOMPARE(w.statistics().getStartDate(), QDateTime::fromSecsSinceEpoch(start));
    QVERIFY(w.statistics().getEndDate() < QDateTime::fromSecsSinceEpoch(rows.last().time));
    QVERIFY(w.findChild<QAction*>(QStringLiteral("actionExport"))->isEnabled());
    QCOMPARE(labelText(w, "label_end_date"), w.dateTimeText(w.statistics().getEndDate()));
}

void TestDataLoad::speedAreaChangeRecounts()
{
    const QString file = m_stats + QStringLiteral("areas.db");
    QVERIFY(writeMeasureDb(file, twoMonths()));
    ScriptedDialogs dialogs;
    MainWindow w;
    load(w, dialogs, file);
    SpeedStatistics& s = w.statistics();
    auto* areas = child<QComboBox>(w, "gb1_comboBox_1");
    QVERIFY(areas->count() >= 2);

    const auto measuresInClasses = [&s](int direction) {
        int n = 0;
        for (const SampleRecord& r : s.getDistribution(direction))
            n += r.measureCount;
        return n;
    };
    const double v85 = s.getV85(0);
    const int buckets = s.getFilteredSampleSize(0);
    const QString before = areas->currentText();
    areas->setCurrentIndex(areas->currentIndex() == 0 ? 1 : 0);
    QVERIFY(areas->currentText() != before);

    // The classes of the new area, counted again; the rest of the results stay as they were.
    SpeedArea chosen;
    chosen.setFile(Workspace::kmhSpeedAreaFile());
    const SpeedClassMap classes = chosen.intervals(areas->currentText());
    QCOMPARE(s.getDistribution(0).size(), classes.size());
    QCOMPARE(s.getDistribution(0).lastKey(), classes.lastKey());
    QCOMPARE(s.getDistribution(0).last().maxSpeed, classes.last().maxSpeed);
    QVERIFY(measuresInClasses(0) > 0);
    QCOMPARE(s.getV85(0), v85);
    QCOMPARE(s.getFilteredSampleSize(0), buckets);
    QVERIFY(dialogs.messages().isEmpty());
}

QTEST_MAIN(TestDataLoad)
#include "tst_dataload.moc"
