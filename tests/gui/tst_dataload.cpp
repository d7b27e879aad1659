// SPDX-License-Identifier: GPL-3.0-or-later
// The path from "&Ouvrir" to computed statistics, driven as a user would, with scripted dialogs.
#include "core/workspace.h"
#include "gui/campaign/campaignsynopsis.h"
#include "gui/campaign/campaignchoicedialog.h"
#include "scripteddialogs.h"
#include "speedarea/speedarea.h"
#include "analysis/periodsnap.h"
#include "testdata.h"
#include "gui/mainwindow.h"
#include "windowtest.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// Measures of 31 January (one campaign) and of 1 and 2 February 2024 (another), both directions.
QVector<Row> twoMonths()
{
    QVector<Row> rows;
    const qint64 jan = localTime(QStringLiteral("2024-01-31 10:00:00"));
    for (int i = 0; i < 60; ++i)
        rows << Row{jan + i * 60, 40 + i % 20, i % 2};
    // 1 February 08:10:20 .. 11:49:20, then a gap, then 2 February 14:00 .. 17:40:10.
    const qint64 feb1 = localTime(QStringLiteral("2024-02-01 08:10:20"));
    for (int i = 0; i < 220; ++i)
        rows << Row{feb1 + i * 60, 30 + i % 40, i % 3 == 0 ? 1 : 0};
    const qint64 feb2 = localTime(QStringLiteral("2024-02-02 14:00:00"));
    for (int i = 0; i < 220; ++i)
        rows << Row{feb2 + i * 60, 20 + i % 50, i % 2};
    rows << Row{localTime(QStringLiteral("2024-02-02 17:40:10")), 55, 0};
    return rows;
}

QDateTime iso(const char* text)
{
    return QDateTime::fromString(QLatin1String(text), Qt::ISODate);
}

QString labelText(MainWindow& w, const char* name)
{
    return child<QLabel>(w, name)->text();
}

}   // namespace

class TestDataLoad : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();

    void wholeWorkflow();
    void failures_data();
    void failures();
    void refreshRulesAndSpeedArea();
    void cancelKeepsWhatWasRead();

private:
    // Chosen in the open dialog; the campaign dialog answered with answer (handled by during first).
    static void load(MainWindow& w, ScriptedDialogs& dialogs, const QString& file,
                     const std::function<void(CampaignChoiceDialog&)>& during = {}, int answer = QDialog::Accepted)
    {
        openInWindow(w, dialogs, file, [during, answer](CampaignChoiceDialog& list) {
            if (during)
                during(list);
            return answer;
        });
    }
    // A fresh database of twoMonths() in the statistics folder.
    QString twoMonthsFile(const QString& name)
    {
        return writeMeasureDb(m_stats + name, twoMonths()) ? m_stats + name : QString();
    }

    std::unique_ptr<TempWorkspace> m_dir;
    QString m_stats;
};

void TestDataLoad::init()
{
    m_dir = std::make_unique<TempWorkspace>();
    m_stats = m_dir->statistics();
}

void TestDataLoad::wholeWorkflow()
{
    const QString file = twoMonthsFile(QStringLiteral("2024-01-31_2024-02-02_Rue du Port.db"));
    // Two rows that are no measure: a third direction, an impossible speed.
    QVERIFY(execSql(file,
                    QStringLiteral("INSERT INTO measure (meas_date, meas_speed, meas_direction) VALUES "
                                   "(%1, 50, 2), (%1, 5000, 0)")
                        .arg(localTime("2024-02-01 09:00:00"))));
    ScriptedDialogs dialogs;
    MainWindow w;
    QStringList rowTitles;
    QList<bool> ticks;
    load(w, dialogs, file, [&](CampaignChoiceDialog& list) {
        for (CampaignSynopsis* row : list.rows()) {
            rowTitles << row->title();
            ticks << row->isChecked();
        }
    });

    // The open dialog, then nothing but progress; one campaign dialog with two monthly campaigns,
    // newest first, only the top one ticked.
    const ScriptedDialogs::Shown open = dialogs.shown().first();
    QCOMPARE(QStringList({open.kind, open.text}) + open.details,
             QStringList({"open", "Charger les statistiques...", m_stats, "Base de données (*.db)"}));
    QCOMPARE(dialogs.messages(), QStringList());
    QCOMPARE(ticks, QList<bool>({true, false}));
    QCOMPARE(w.windowTitle(), QStringLiteral("2024-01-31_2024-02-02_Rue du Port - Tramola"));

    // February only: the engine's period is that of the measures read, the editors' the half hours around it.
    SpeedStatistics& s = w.statistics();
    QCOMPARE(s.measures().size(), 441);
    QCOMPARE(s.getStartDate(), QDateTime::fromSecsSinceEpoch(localTime(QStringLiteral("2024-02-01 08:10:20"))));
    QCOMPARE(s.getEndDate(), QDateTime::fromSecsSinceEpoch(localTime(QStringLiteral("2024-02-02 17:40:10"))));
    QCOMPARE(s.getUnits(), qint16(0));
    QCOMPARE(s.getDividerOff(), false);   // store mode 0
    QCOMPARE(qMakePair(w.startDate(), w.endDate()), qMakePair(s.getStartDate(), s.getEndDate()));
    auto* startEdit = child<QDateTimeEdit>(w, "gb1_dateTimeEdit_1");
    auto* endEdit = child<QDateTimeEdit>(w, "gb1_dateTimeEdit_2");
    QCOMPARE(startEdit->dateTime(), iso("2024-02-01T08:00:00"));
    QCOMPARE(endEdit->dateTime(), iso("2024-02-02T18:00:00"));
    QCOMPARE(startEdit->minimumDate(), QDate(2024, 2, 1));
    QCOMPARE(endEdit->maximumDate(), QDate(2024, 2, 2));

    QCOMPARE(child<QDoubleSpinBox>(w, "gb1_doubleSpinBox_1")->value(), 15.0);
    QCOMPARE(child<QLineEdit>(w, "gb2_textEdit")->text(), QStringLiteral("Rue du Port"));
    QCOMPARE(labelText(w, "label_17"), QStringLiteral("Standard"));
    QCOMPARE(labelText(w, "label_start_date"), w.dateTimeText(s.getStartDate()));
    QCOMPARE(labelText(w, "label_end_date"), w.dateTimeText(s.getEndDate()));
    QVERIFY(!child(w, "label_invalid_readings")->isHidden());
    QVERIFY(labelText(w, "label_invalid_readings").startsWith(QStringLiteral("2 relevés ignorés")));
    for (const char* units : {"label_4", "label_10", "label_12", "label_18", "label_14", "label_16"})
        QCOMPARE(labelText(w, units), QStringLiteral("Km/h"));
    QCOMPARE(labelText(w, "v85_in_label"), QString::number(s.getV85(0), 'f', 2));

    // Analysis controls on, the speed area's classes handed to the engine.
    for (const char* name : {"actionExport", "actionRange", "actionFilter"})
        QVERIFY2(child<QAction>(w, name)->isEnabled(), name);
    QVERIFY(child<QComboBox>(w, "gb1_comboBox_1")->isEnabled());
    QVERIFY(!s.getDistribution(0).isEmpty() && s.getFilteredSampleSize(0) > 0);

    // Campaign tab: every campaign, the first current with its details; choosing January shows its own.
    auto* list = child<QListWidget>(w, "listWidget");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(list->item(0)->text(), rowTitles.value(0));
    QCOMPARE(labelText(w, "gb3_label_13"), rowTitles.value(0));
    const auto measuresAndDays = [&w]() -> QString {
        return labelText(w, "gb3_label_11") + QLatin1Char('/') + labelText(w, "gb3_label_12");
    };
    // The count arrives from a thread of its own.
    QTRY_COMPARE(measuresAndDays(), QStringLiteral("443/2"));
    list->setCurrentRow(1);
    QTRY_COMPARE(measuresAndDays(), QStringLiteral("60/1"));
}

// One row per way the load can fail: the boxes in order, the window left as it should be.
void TestDataLoad::failures_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QStringList>("boxes");   // kind|title|text, %1 the file
    QTest::addColumn<int>("measures");   // held afterwards; none: nothing of a load shows
    QTest::addColumn<bool>("chosen");   // the campaign choice succeeded: title and path follow the file

    const QString box = QStringLiteral("warning|Statistiques|");
    const QString notOpened =
        QStringLiteral("critical|Database manager|Le fichier %1 n'est pas une base de mesures (ce "
                       "n'est pas un fichier ordinaire) ; il est laissé tel quel.");
    const QString unavailable = box + QStringLiteral("Statistiques indisponibles");
    const QString empty = box + QStringLiteral("La base de données %1 est vide");
    QTest::newRow("campaign choice given up") << "rejected" << QStringList() << 0 << false;
    QTest::newRow("not openable before the choice")
        << "directory" << QStringList{notOpened, box + "Erreur à l'ouverture de la base de données.\n"} << 0 << false;
    QTest::newRow("no campaign at all") << "missing" << QStringList{unavailable + ", la base de données est vide"} << 0
                                        << false;
    // The campaign panel tries first, then the read.
    QTest::newRow("not openable at the read")
        << "directoryAtRead" << QStringList{notOpened, notOpened, box + "Ouverture %1 impossible", unavailable} << 0
        << true;
    QTest::newRow("gone at the read") << "missingAtRead" << QStringList{empty, unavailable} << 0 << true;
    // After an earlier load its measures are shown again, under the new title.
    QTest::newRow("gone at the read after a load") << "missingAtReload" << QStringList{empty} << 441 << true;
    QTest::newRow("nothing above the minimum speed")
        << "slow" << QStringList{box + "La base de donnée %1 ne contient pas de statistiques", unavailable} << 0
        << true;
    QTest::newRow("no bucket in the editors' period")
        << "emptyPeriod" << QStringList{box + "Vitesses Moyennes/Maximales indisponibles"} << 441 << true;
}

void TestDataLoad::failures()
{
    QFETCH(QString, situation);
    QFETCH(QStringList, boxes);
    QFETCH(int, measures);
    QFETCH(bool, chosen);

    const QString file = m_stats + QStringLiteral("2024_02_Gare.db");
    std::function<void(CampaignChoiceDialog&)> during;
    if (situation == QLatin1String("directory")) {
        QVERIFY(QDir().mkpath(file));
    } else if (situation == QLatin1String("slow")) {
        QVector<Row> rows;
        for (int i = 0; i < 50; ++i)
            rows << Row{localTime(QStringLiteral("2024-02-01 08:00:00")) + i * 60, 5 + i % 11, 0};
        QVERIFY(writeMeasureDb(file, rows));
    } else if (situation != QLatin1String("missing")) {
        QCOMPARE(twoMonthsFile(QStringLiteral("2024_02_Gare.db")), file);
        if (situation.contains(QLatin1String("AtRe")))
            during = [file, situation](CampaignChoiceDialog&) {
                QVERIFY(QFile::remove(file));
                if (situation == QLatin1String("directoryAtRead"))
                    QVERIFY(QDir().mkpath(file));
            };
    }

    ScriptedDialogs dialogs;
    MainWindow w;
    if (situation == QLatin1String("missingAtReload")) {
        load(w, dialogs, twoMonthsFile(QStringLiteral("first.db")));
        QCOMPARE(w.statistics().measures().size(), 441);
        dialogs.clear();
    }
    load(w, dialogs, file, during, situation == QLatin1String("rejected") ? QDialog::Rejected : QDialog::Accepted);
    if (situation == QLatin1String("emptyPeriod")) {
        // Between 1 February noon and 2 February 14:00 nothing was measured.
        dialogs.clear();
        child<QDateTimeEdit>(w, "gb1_dateTimeEdit_1")->setDateTime(iso("2024-02-01T20:00:00"));
        child<QDateTimeEdit>(w, "gb1_dateTimeEdit_2")->setDateTime(iso("2024-02-02T06:00:00"));
        child<QPushButton>(w, "gb1_button_refresh")->click();
    }

    QStringList shown;
    for (const QString& s : dialogs.summary()) {
        if (!s.startsWith(QLatin1String("open|")) && !s.startsWith(QLatin1String("progress|")))
            shown << s;
    }
    QCOMPARE(shown, boxes.replaceInStrings(QStringLiteral("%1"), file));

    // The settings remember the file whatever happened next.
    QCOMPARE(lastMeasureFile(), file);
    QCOMPARE(QDir(lastMeasureFolder()).absolutePath(), QDir(m_stats).absolutePath());
    QCOMPARE(w.windowTitle(), chosen ? QStringLiteral("2024_02_Gare - Tramola") : QStringLiteral("Tramola"));
    QCOMPARE(w.databasePath(), chosen ? file : QString());
    if (!chosen)
        QCOMPARE(child<QListWidget>(w, "listWidget")->count(), 0);
    QCOMPARE(w.statistics().measures().size(), measures);
    QCOMPARE(child<QAction>(w, "actionExport")->isEnabled(), measures > 0);
    QCOMPARE(labelText(w, "label_start_date").isEmpty(), measures == 0);
    QCOMPARE(labelText(w, "v85_in_label") == QLatin1String("0,0"), measures == 0);
    QCOMPARE(child<QLineEdit>(w, "gb2_textEdit")->text(), measures ? QStringLiteral("Gare") : QString());
}

void TestDataLoad::refreshRulesAndSpeedArea()
{
    const QString file = twoMonthsFile(QStringLiteral("refresh.db"));
    ScriptedDialogs dialogs;
    MainWindow w;
    load(w, dialogs, file);
    SpeedStatistics& s = w.statistics();
    auto* startEdit = child<QDateTimeEdit>(w, "gb1_dateTimeEdit_1");
    auto* endEdit = child<QDateTimeEdit>(w, "gb1_dateTimeEdit_2");
    auto* refresh = child<QPushButton>(w, "gb1_button_refresh");
    const int buckets = s.getFilteredSampleSize(0);

    // Start not before end (the user's times snapped to the half hours): the start moves one hour
    // before the end, nothing is computed.
    endEdit->setDateTime(iso("2024-02-02T12:00:01"));
    startEdit->setDateTime(iso("2024-02-02T12:31:00"));
    QCOMPARE(startEdit->dateTime(), iso("2024-02-02T12:30:00"));
    dialogs.clear();
    refresh->click();
    QCOMPARE(startEdit->dateTime(), iso("2024-02-02T11:30:00"));
    QVERIFY(dialogs.shown().isEmpty());
    QCOMPARE(s.getFilteredSampleSize(0), buckets);

    // Unchanged minimum speed: the file is not read again (it is even gone), only recomputed.
    QVERIFY(QFile::rename(file, file + QStringLiteral(".moved")));
    startEdit->setDateTime(iso("2024-02-01T09:00:00"));
    endEdit->setDateTime(iso("2024-02-01T11:00:00"));
    refresh->click();
    QVERIFY2(dialogs.shown().isEmpty(), qPrintable(dialogs.summary().join(QLatin1Char('\n'))));
    QCOMPARE(s.measures().size(), 441);
    QCOMPARE(s.getFilteredSample(0).firstKey(), iso("2024-02-01T09:00:00").toSecsSinceEpoch());
    QVERIFY(QFile::rename(file + QStringLiteral(".moved"), file));

    // Changed minimum speed: the editors' period is read again from the file of the settings.
    child<QDoubleSpinBox>(w, "gb1_doubleSpinBox_1")->setValue(50);
    refresh->click();
    QCOMPARE(dialogs.summary(), QStringList{QStringLiteral("progress|Statistiques|Chargement")});
    QCOMPARE(s.getMinSpeed(), 50);
    // Minutes 50 .. 169 of 1 February lie in 09:00 .. 11:00: three rounds of 40 speeds, 19 above 50.
    QCOMPARE(s.measures().size(), 57);
    for (const MeasureMap::Entry& e : s.measures())
        QVERIFY(e.measure.speed > 50);

    // reload() goes back to the loaded period (now that of the second read).
    w.reload();
    QCOMPARE(startEdit->dateTime(), snapPeriodStart(s.getStartDate()));
    QCOMPARE(endEdit->dateTime(), snapPeriodEnd(s.getEndDate()));

    // Another speed area: its classes counted again, the rest of the results as they were.
    auto* areas = child<QComboBox>(w, "gb1_comboBox_1");
    const double v85 = s.getV85(0);
    areas->setCurrentIndex(areas->currentIndex() == 0 ? 1 : 0);
    SpeedArea chosen;
    chosen.setFile(Workspace::kmhSpeedAreaFile());
    const SpeedClassMap classes = chosen.intervals(areas->currentText());
    for (int direction : {0, 1}) {
        QCOMPARE(s.getDistribution(direction).size(), classes.size());
        QCOMPARE(s.getDistribution(direction).last().maxSpeed, classes.last().maxSpeed);
    }
    const SpeedClassMap counts = s.getDistribution(0);
    QVERIFY(std::any_of(counts.cbegin(), counts.cend(), [](const SampleRecord& r) { return r.measureCount > 0; }));
    QCOMPARE(s.getV85(0), v85);
    QCOMPARE(dialogs.summary().size(), 1);
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
    load(w, dialogs, file, [&dialogs](CampaignChoiceDialog&) { dialogs.cancelProgressAt(3000); });

    // The window was given the hand while reading, and the load went on with the part read.
    QVERIFY(repaints >= 3);
    const int read = w.statistics().measures().size();
    QVERIFY2(read > 0 && read < 14400, qPrintable(QString::number(read)));
    QCOMPARE(dialogs.messages(), QStringList());
    QCOMPARE(w.statistics().getStartDate(), QDateTime::fromSecsSinceEpoch(start));
    QVERIFY(w.statistics().getEndDate() < QDateTime::fromSecsSinceEpoch(rows.last().time));
    QCOMPARE(labelText(w, "label_end_date"), w.dateTimeText(w.statistics().getEndDate()));
}

QTEST_MAIN(TestDataLoad)
#include "tst_dataload.moc"
