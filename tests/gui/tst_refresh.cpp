// SPDX-License-Identifier: GPL-3.0-or-later
// Changing the criteria of the file shown: period, minimum speed, speed area, bucket width,
// divider and range each give a new analysis, from the readings held when they cover it; one that
// gives nothing leaves every view as it was. Also what the plots show of a period: gaps, zoomed
// legends, time axes.
#include "analysis/analysis.h"
#include "core/workspace.h"
#include "gui/campaign/campaignchoicedialog.h"
#include "gui/charts/dayscaledraw.h"
#include "gui/charts/speedclasspie.h"
#include "gui/charts/timeplot.h"
#include "gui/charts/vehiclebars.h"
#include "gui/mainwindow.h"
#include "sampledb/sampledb.h"
#include "scripteddialogs.h"
#include "speedarea/speedarea.h"
#include "testdata.h"
#include "windowtest.h"

#include <QtTest>
#include <QtWidgets>
#include <qwt_plot_curve.h>
#include <qwt_scale_widget.h>

namespace {

QDateTime at(const char* text)
{
    return QDateTime::fromString(QLatin1String(text), QStringLiteral("yyyy-MM-dd hh:mm"));
}

QString generated(const QString& path, const std::function<void(SampleOptions&)>& change)
{
    SampleOptions o;
    o.overwrite = true;
    change(o);
    QString error;
    return generateSampleDatabase(path, o, &error) ? path : error;
}

// Mean, maximum and vehicle plots.
QList<TimePlot*> timePlots(MainWindow& w)
{
    QList<TimePlot*> plots;
    for (const char* tab : {"meanSpeedPage", "maxSpeedPage", "vehiclesPage"})
        plots << child(w, tab)->findChild<TimePlot*>();
    return plots;
}

// The period edited, then "Rafraichir".
bool refresh(MainWindow& w, const QDateTime& from, const QDateTime& to, int minSpeed = -1)
{
    if (to.isValid())
        child<QDateTimeEdit>(w, "periodEndEdit")->setDateTime(to);
    if (from.isValid())
        child<QDateTimeEdit>(w, "periodStartEdit")->setDateTime(from);
    if (minSpeed >= 0)
        child<QDoubleSpinBox>(w, "minSpeedSpin")->setValue(minSpeed);
    return clickAndWait(w, "refreshButton");
}

}   // namespace

class TestRefresh : public QObject
{
    Q_OBJECT

    QTemporaryDir m_shared;
    QString m_twoWeeks;   // 2 to 15 November 2026

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // Bursts of readings, as a "Standard" radar records: the divider applies.
        m_twoWeeks = generated(m_shared.filePath(QStringLiteral("weeks.db")),
                               [](SampleOptions& o) { o.days = 14, o.vehiclesPerDay = 300, o.readingsPerVehicle = 9; });
        QVERIFY2(QFileInfo::exists(m_twoWeeks), qPrintable(m_twoWeeks));
    }
    void init() { m_dir = std::make_unique<TempWorkspace>(); }

    void periodAndMinimumSpeed();
    void refusedKeepsEveryView_data();
    void refusedKeepsEveryView();
    void criteriaFromMemory();
    void zoomedLegends();
    void gapsAndPies();
    void axisLabelsApart_data();
    void axisLabelsApart();

private:
    QString copy(const QString& name)
    {
        const QString file = Workspace::statisticsFolder() + name;
        return QFile::copy(m_twoWeeks, file) ? file : QString();
    }

    std::unique_ptr<TempWorkspace> m_dir;
};

// A refresh reads again only what memory does not hold, so that a period widened back after a
// higher minimum speed has all its days; the tool bar's "rafraichir" goes back to the whole read.
void TestRefresh::periodAndMinimumSpeed()
{
    ScriptedDialogs dialogs;
    MainWindow w;
    openInWindow(w, dialogs, copy(QStringLiteral("weeks.db")));
    const std::shared_ptr<const Analysis> whole = w.analysis();
    auto* start = child<QDateTimeEdit>(w, "periodStartEdit");
    auto* end = child<QDateTimeEdit>(w, "periodEndEdit");

    QVERIFY(refresh(w, at("2026-11-09 00:00"), at("2026-11-16 00:00"), 20));
    QCOMPARE(qMakePair(w.analysis()->begin(), w.analysis()->criteria().minSpeed),
             qMakePair(at("2026-11-09 00:00"), 20));
    QVERIFY(refresh(w, at("2026-11-02 00:00"), QDateTime()));
    const Analysis& wide = *w.analysis();
    QCOMPARE(wide.begin(), at("2026-11-02 00:00"));
    QCOMPARE(wide.summary().missingDays.size(), 0);
    QVERIFY(wide.direction(0).buckets.value(at("2026-11-03 10:00").toSecsSinceEpoch()).valid);
    QVERIFY(timePlots(w)[0]->curve(0)->sample(0).x() < at("2026-11-03 00:00").toSecsSinceEpoch());

    // The start not before the end (times snapped to the half hours): it moves an hour before
    // the end, nothing is computed.
    end->setDateTime(at("2026-11-05 12:00"));
    start->setDateTime(at("2026-11-05 12:31"));
    QCOMPARE(start->dateTime(), at("2026-11-05 12:30"));
    QSignalSpy done(&w, &MainWindow::analysisDone);
    child<QPushButton>(w, "refreshButton")->click();
    QCOMPARE(start->dateTime(), at("2026-11-05 11:00"));
    QVERIFY(!w.isBusy() && done.isEmpty());

    // The tool bar's "rafraichir": the whole read again, the minimum speed kept.
    QVERIFY(clickAndWait(w, "actionToolReload"));
    QCOMPARE(qMakePair(w.analysis()->begin(), w.analysis()->end()), qMakePair(whole->begin(), whole->end()));
    QCOMPARE(qMakePair(start->dateTime(), end->dateTime()), qMakePair(whole->begin(), whole->end()));
    QCOMPARE(w.analysis()->criteria().minSpeed, 20);
    QVERIFY(dialogs.messages().isEmpty());
}

void TestRefresh::refusedKeepsEveryView_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("box");
    QTest::newRow("nothing above the minimum speed") << "minSpeed"
                                                     << "Aucun relevé au-dessus de 150 km/h dans la période.";
    QTest::newRow("a lower minimum speed, the file gone") << "gone"
                                                          << "Fichier introuvable : %1";
}

// The box says why, and every view, the editors and the export keep the analysis shown: nothing
// stale, nothing mixed.
void TestRefresh::refusedKeepsEveryView()
{
    QFETCH(QString, change);
    QFETCH(QString, box);
    const QString file = copy(QStringLiteral("refused.db"));
    ScriptedDialogs dialogs;
    MainWindow w;
    openInWindow(w, dialogs, file);
    QVERIFY(refresh(w, at("2026-11-03 00:00"), at("2026-11-10 00:00"), 20));
    const auto shown = [&w] {
        QStringList texts{child<QLabel>(w, "v85InValue")->text(), child<QLabel>(w, "summary_heading")->text(),
                          QString::number(child<QTableView>(w, "bucketTable")->model()->rowCount()),
                          child<QDateTimeEdit>(w, "periodStartEdit")->text(),
                          child<QDoubleSpinBox>(w, "minSpeedSpin")->text()};
        for (SpeedClassPie* pie : child(w, "distributionPage")->findChildren<SpeedClassPie*>())
            texts << QString::number(pie->pieces().size());
        return texts;
    };
    const auto exported = [&](const QString& name) {
        dialogs.answerSaveFile(m_dir->filePath(name + ".csv"));
        child<QAction>(w, "actionExport")->trigger();
        return fileBytes(m_dir->filePath(name + ".csv")) + fileBytes(m_dir->filePath("synthese.csv"));
    };
    const QStringList before = shown();
    const QByteArray exportedBefore = exported(QStringLiteral("before"));
    dialogs.clear();

    if (change == QLatin1String("gone"))
        QVERIFY(QFile::remove(file));
    QVERIFY(refresh(w, at("2026-11-02 00:00"), QDateTime(), change == QLatin1String("gone") ? 10 : 150));
    QCOMPARE(dialogs.messages(), QStringList(box.arg(file)));
    QCOMPARE(shown(), before);
    QCOMPARE(exported(QStringLiteral("after")), exportedBefore);
}

// Area, divider, bucket width, range and limit: computed again from the readings held (the
// file is even gone), each change showing in the views.
void TestRefresh::criteriaFromMemory()
{
    const QString file = copy(QStringLiteral("memory.db"));
    ScriptedDialogs dialogs;
    MainWindow w;
    openInWindow(w, dialogs, file);
    const double v85 = w.analysis()->direction(0).v85.value();
    const int vehicles = w.analysis()->direction(0).vehicleCount;
    QVERIFY(QFile::rename(file, file + QStringLiteral(".moved")));

    auto* areas = child<QComboBox>(w, "speedAreaCombo");
    areas->setCurrentIndex(areas->currentIndex() == 0 ? 1 : 0);
    QVERIFY(waitForAnalysis(w));
    SpeedArea chosen;
    chosen.setFile(Workspace::kmhSpeedAreaFile());
    QCOMPARE(w.analysis()->criteria().area, areas->currentText());
    QCOMPARE(w.analysis()->direction(0).classes.size(), chosen.intervals(areas->currentText()).size());
    QCOMPARE(w.analysis()->direction(0).v85.value(), v85);
    QCOMPARE(w.analysis()->summary().limit, std::optional<int>());   // the area name only proposes one

    // The divider: on for this "Standard" file; off, the counts are readings and say so.
    auto* divider = child<QAction>(w, "actionDivider");
    QVERIFY(divider->isChecked() && divider->text().contains(QLatin1String(" 9 ")));
    QVERIFY(clickAndWait(w, "actionDivider"));
    const DirectionStatistics& in = w.analysis()->direction(0);
    QVERIFY(!divider->isChecked() && in.vehicleCount > vehicles && in.vehicleCount == in.measureCount);
    QVERIFY(timePlots(w)[2]->title().text().startsWith(QStringLiteral("Nombre de relevés par ")));
    QCOMPARE(child<QTableView>(w, "bucketTable")->model()->headerData(2, Qt::Horizontal).toString(),
             QStringLiteral("Nombre de relevés (sans diviseur)"));

    // The bucket width and the range, each from its dialog; Cancel changes nothing.
    dialogs.answerInt(60);
    QVERIFY(clickAndWait(w, "actionFilter"));
    dialogs.cancelInt();
    QVERIFY(clickAndWait(w, "actionFilter"));
    QCOMPARE(w.analysis()->criteria().bucketSeconds, 3600);
    QCOMPARE(dialogs.shown().last().details, (QStringList{"60", "30", "240", "30"}));
    QCOMPARE(child<QLabel>(w, "bucketWidthLabel")->text(), QStringLiteral("Précision : 60 min"));
    dialogs.answerInt(300);
    QVERIFY(clickAndWait(w, "actionRange"));
    QCOMPARE(w.analysis()->criteria().range, 300);
    QVERIFY(divider->text().contains(QLatin1String(" 18 ")));

    // A limit typed in its field applies, although the gone file cannot keep it.
    child<QSpinBox>(w, "limitSpin")->setValue(47);
    QVERIFY(waitForAnalysis(w));
    QCOMPARE(w.analysis()->summary().limit, std::optional<int>(47));
    QCOMPARE(dialogs.messages().size(), 1);
}

// A zoom writes the figures of the interval shown, within the period, into each plot's legend.
void TestRefresh::zoomedLegends()
{
    // 08:00 .. 12:00, both directions; direction 0 drives faster after 10:00.
    const qint64 begin = localTime(QStringLiteral("2024-03-12 08:00:00"));
    QVector<Row> rows;
    for (int i = 0; i < 240; ++i)
        rows << Row{begin + i * 60, i < 120 ? 50 : 70 + i % 7, i % 2};
    const QString file = Workspace::statisticsFolder() + QStringLiteral("zoom.db");
    QVERIFY(writeMeasureDb(file, rows));
    ScriptedDialogs dialogs;
    MainWindow w;
    openInWindow(w, dialogs, file);
    const Analysis& a = *w.analysis();
    const QList<TimePlot*> plots = timePlots(w);
    const QString whole =
        QStringLiteral("Sens entrant (%1 km/h)").arg(QLocale().toString(a.direction(0).meanSpeed.value(), 'f', 2));
    QCOMPARE(plots[0]->curve(0)->title().text(), whole);
    QCOMPARE(plots[2]->histogram(1)->title().text(),
             QStringLiteral("Véhicules sortants %1").arg(a.direction(1).vehicleCount));

    const QDateTime h0 = QDateTime::fromSecsSinceEpoch(begin + 7200);
    const QDateTime h1 = QDateTime::fromSecsSinceEpoch(begin + 10800);
    for (TimePlot* plot : plots)
        plot->zoomTo(QRectF(begin + 7200, 0, 3600, 100));
    QCOMPARE(plots[0]->curve(0)->title().text(),
             QStringLiteral("Sens entrant (%1 km/h)").arg(QLocale().toString(a.meanSpeed(h0, h1, 0).value(), 'f', 2)));
    QVERIFY(plots[0]->curve(0)->title().text() != whole);
    QCOMPARE(plots[1]->curve(1)->title().text(),
             QStringLiteral("Sens sortant (%1 km/h)").arg(a.maxSpeed(h0, h1, 1).value()));
    QCOMPARE(plots[2]->histogram(0)->title().text(), QStringLiteral("Véhicules entrant %1").arg(a.vehicles(h0, h1, 0)));
    // Beyond the period only the period counts.
    plots[0]->zoomTo(QRectF(begin - 86400, 0, 3 * 86400, 100));
    QCOMPARE(plots[0]->curve(0)->title().text(), whole);
}

void TestRefresh::gapsAndPies()
{
    // Six days, one of them unrecorded.
    const QString file = generated(Workspace::statisticsFolder() + QStringLiteral("gaps.db"), [](SampleOptions& o) {
        o.from = QDate(2024, 2, 5), o.days = 6, o.gapDays = 1, o.vehiclesPerDay = 300;
    });
    ScriptedDialogs dialogs;
    MainWindow w;
    openInWindow(w, dialogs, file);
    w.resize(w.minimumSize());
    w.show();

    // Gap buckets give no point: none at 0, one per bucket with readings.
    int valid = 0, buckets = 0;
    for (const SampleRecord& r : w.analysis()->direction(0).buckets)
        valid += r.valid ? 1 : 0, ++buckets;
    QVERIFY(valid < buckets);
    const QwtPlotCurve* mean = timePlots(w)[0]->curve(0);
    QCOMPARE(int(mean->dataSize()), valid);
    for (size_t i = 0; i < mean->dataSize(); ++i)
        QVERIFY(mean->sample(int(i)).y() > 0);

    // The pie legends stay whole in their widgets at the smallest window.
    child<QTabWidget>(w, "tabWidget")->setCurrentWidget(child(w, "distributionPage"));
    QApplication::processEvents();
    const QList<SpeedClassPie*> pies = child(w, "distributionPage")->findChildren<SpeedClassPie*>();
    QCOMPARE(pies.size(), 2);
    for (SpeedClassPie* pie : pies)
        QVERIFY(!pie->pieces().isEmpty() && QRectF(pie->rect()).contains(pie->layout(pie->size()).legend));
}

void TestRefresh::axisLabelsApart_data()
{
    QTest::addColumn<QDateTime>("to");
    QTest::addColumn<QSize>("size");
    const QDateTime from = at("2024-03-04 10:00");
    for (const QDateTime& to :
         {from.addSecs(3600), from.addDays(1), from.addDays(7), from.addMonths(4), from.addYears(2)})
        for (const QSize& size : {QSize(), QSize(1600, 1000)})
            QTest::newRow(
                qPrintable(QStringLiteral("%1 days, %2 wide").arg(from.secsTo(to) / 86400.0).arg(size.width())))
                << to << size;
}

// Every time axis spans the period; no two of its labels overlap, the last included; months
// start on their first day.
void TestRefresh::axisLabelsApart()
{
    QFETCH(QDateTime, to);
    QFETCH(QSize, size);
    const QString file = generated(Workspace::statisticsFolder() + QStringLiteral("years.db"), [](SampleOptions& o) {
        o.from = QDate(2024, 1, 1), o.days = 731, o.vehiclesPerDay = 24;
    });
    ScriptedDialogs dialogs;
    MainWindow w;
    openInWindow(w, dialogs, file, [](CampaignChoiceDialog& list) {
        list.selectAll();
        return int(QDialog::Accepted);
    });
    QVERIFY(refresh(w, at("2024-03-04 10:00"), to));
    w.resize(size.isValid() ? size : w.minimumSize());
    w.show();
    const QList<TimePlot*> plots = timePlots(w);
    for (int tab = 0; tab < plots.size(); ++tab) {
        child<QTabWidget>(w, "tabWidget")->setCurrentIndex(tab);
        QApplication::processEvents();
        const auto* draw = dynamic_cast<const DayScaleDraw*>(plots[tab]->axisScaleDraw(QwtPlot::xBottom));
        QCOMPARE(qMakePair(qint64(draw->scaleDiv().lowerBound()), qint64(draw->scaleDiv().upperBound())),
                 qMakePair(w.analysis()->begin().toSecsSinceEpoch(), w.analysis()->end().toSecsSinceEpoch()));
        const QVector<QRectF> rects = draw->labelRects(plots[tab]->axisWidget(QwtPlot::xBottom)->font());
        QVERIFY(rects.size() >= 2);
        for (int i = 0; i < rects.size(); ++i)
            for (int j = i + 1; j < rects.size(); ++j)
                QVERIFY2(!rects[i].intersects(rects[j]),
                         qPrintable(QStringLiteral("plot %1: %2, %3").arg(tab).arg(i).arg(j)));
        if (w.analysis()->begin().daysTo(to) > 62)
            for (double v : draw->scaleDiv().ticks(QwtScaleDiv::MajorTick))
                QCOMPARE(QDateTime::fromSecsSinceEpoch(qint64(v)).date().day(), 1);
    }
}

QTEST_MAIN(TestRefresh)
#include "tst_refresh.moc"
