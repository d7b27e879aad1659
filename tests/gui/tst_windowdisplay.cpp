// SPDX-License-Identifier: GPL-3.0-or-later
// What the window shows after a load: the first bucket, the minimum speed, the file's directions,
// the speed area and its pies, the curves over gaps, the time axes and their labels, the pie legends.
#include "core/workspace.h"
#include "gui/campaign/campaignchoicedialog.h"
#include "gui/charts/percentileplot.h"
#include "gui/charts/dayscaledraw.h"
#include "gui/charts/speedclasspie.h"
#include "gui/charts/timeplot.h"
#include "sampledb/sampledb.h"
#include "scripteddialogs.h"
#include "speedarea/speedarea.h"
#include "testdata.h"
#include "gui/mainwindow.h"
#include "windowtest.h"

#include <QtTest>
#include <QtWidgets>
#include <qwt_plot_curve.h>
#include <qwt_scale_widget.h>

namespace {

QDateTime at(const char* text)
{
    return QDateTime::fromString(QLatin1String(text), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

// "Ouvrir" on file, every campaign ticked.
void load(MainWindow& w, ScriptedDialogs& dialogs, const QString& file)
{
    openInWindow(w, dialogs, file, [](CampaignChoiceDialog& list) {
        list.selectAll();
        return int(QDialog::Accepted);
    });
}

// Mean, maximum and vehicle plots.
QList<TimePlot*> timePlots(MainWindow& w)
{
    QList<TimePlot*> plots;
    for (const char* view : {"page_1_view", "page_5_view", "page_2_view"})
        plots << child(w, view)->findChild<TimePlot*>();
    return plots;
}

QString generated(const QString& path, const std::function<void(SampleOptions&)>& change)
{
    SampleOptions o;
    o.overwrite = true;
    change(o);
    QString error;
    return generateSampleDatabase(path, o, &error) ? path : error;
}

}   // namespace

class TestWindowDisplay : public QObject
{
    Q_OBJECT

    QTemporaryDir m_shared;
    QString m_twoYears;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_twoYears = generated(m_shared.filePath(QStringLiteral("years.db")), [](SampleOptions& o) {
            o.from = QDate(2024, 1, 1), o.days = 731, o.vehiclesPerDay = 24;
        });
        QVERIFY2(QFileInfo::exists(m_twoYears), qPrintable(m_twoYears));
    }
    // km/h, mph, then a one-way km/h file, in the command line's own folders: each read from the
    // half hour of its first measure and above its units' default, which the box shows; only its
    // own directions on screen; its units' remembered speed area, as the command line takes it.
    void threeFiles()
    {
        QTemporaryDir home;
        const QJsonObject paths = QJsonDocument::fromJson(runCli(home.path(), {"paths"}).out).object();
        Workspace::setRoots(paths.value("documentsRoot").toString(), paths.value("dataRoot").toString());
        Workspace::establish();
        struct File
        {
            const char* name;
            const char* first;
            const char* start;   // of the first bucket
            int marker;   // -1: no direction column
            int minSpeed;
            QString area;
        };
        const QStringList kmh = sortAreaNames(SpeedArea().areaNames());
        SpeedArea mphAreas;
        mphAreas.setUnits(1);
        const File files[] = {
            {"kmh.db", "2024-02-01 08:00:17", "08:00", 0, 15, kmh.value(0)},
            {"mph.db", "2024-02-01 08:30:05", "08:30", 2, 9, sortAreaNames(mphAreas.areaNames()).value(0)},
            {"oneway.db", "2024-02-01 08:00:17", "08:00", -1, 15, kmh.value(1)}};
        ScriptedDialogs dialogs;
        MainWindow w;
        for (const File& file : files) {
            QVector<Row> rows;
            for (int i = 0; i < 120; ++i)
                rows << Row{localTime(QLatin1String(file.first)) + 30 * i, 65 - i % 60, i % 2};
            const QString path = Workspace::statisticsFolder() + QLatin1String(file.name);
            QVERIFY(writeMeasureDb(path, rows, file.marker >= 0, file.marker));
            load(w, dialogs, path);
            const SpeedStatistics& s = w.statistics();
            for (int pass = 0; pass < 2; ++pass) {   // "Rafraichir" changes nothing
                QCOMPARE(int(child<QDoubleSpinBox>(w, "gb1_doubleSpinBox_1")->value()), file.minSpeed);
                QCOMPARE(s.getLoadedMinSpeed(), file.minSpeed);
                int lowest = 1000;
                for (const MeasureMap::Entry& e : s.measures())
                    lowest = qMin(lowest, e.measure.speed);
                QCOMPARE(lowest, file.minSpeed + 1);
                child<QPushButton>(w, "gb1_button_refresh")->click();
            }
            // The first bucket is the half hour of the first measure, and every measure is in one.
            const QDateTime start = child<QDateTimeEdit>(w, "gb1_dateTimeEdit_1")->dateTime();
            QCOMPARE(start.time(), QTime::fromString(QLatin1String(file.start), QStringLiteral("hh:mm")));
            QCOMPARE(s.getFilteredSample(0).firstKey(), start.toSecsSinceEpoch());
            int bucketed = 0;
            for (const SampleMap& buckets : s.getFilteredSample())
                for (const SampleRecord& r : buckets)
                    bucketed += r.valid ? r.measureCount : 0;
            QCOMPARE(bucketed, s.measures().size());

            const bool twoWay = file.marker >= 0;
            const QList<TimePlot*> plots = timePlots(w);
            QCOMPARE(plots[0]->curve(1) != nullptr, twoWay);
            QCOMPARE(plots[1]->itemList(QwtPlotItem::Rtti_PlotCurve).size(), twoWay ? 2 : 1);
            QCOMPARE(plots[2]->histogram(1) != nullptr, twoWay);
            QCOMPARE(child(w, "page_3")->findChildren<SpeedClassPie*>().size(), twoWay ? 2 : 1);
            QCOMPARE(!child(w, "percentile_out_view")->isHidden(), twoWay);

            auto* percentiles = child(w, "percentile_in_view")->findChild<PercentilePlot*>();
            QCOMPARE(int(percentiles->curve(0)->dataSize()), s.getPercentageCurveSize(0));

            auto* area = child<QComboBox>(w, "gb1_comboBox_1");
            QCOMPARE(area->currentText(), file.area);
            const QJsonObject cli = QJsonDocument::fromJson(runCli(home.path(), {"stats", path}).out).object();
            QCOMPARE(cli.value("settings").toObject().value("area").toString(), file.area);
            // Another area (the first file's is remembered for km/h): new pies of its classes, the plots kept.
            const auto pieNames = [&w] {
                QStringList names;
                for (const PiePiece& piece : child(w, "page_3")->findChild<SpeedClassPie*>()->pieces())
                    names << piece.name;
                return names;
            };
            const QStringList pieBefore = pieNames();
            area->setCurrentIndex(area->currentIndex() == 1 ? 0 : 1);
            QVERIFY(pieNames() != pieBefore);
            QCOMPARE(child(w, "percentile_in_view")->findChild<PercentilePlot*>(), percentiles);
        }
    }

    void curvesPiesAndDivider()
    {
        TempWorkspace dir;
        // Six days, one of them unrecorded; a burst of about nine readings a vehicle.
        const QString file = generated(Workspace::statisticsFolder() + QStringLiteral("gaps.db"), [](SampleOptions& o) {
            o.from = QDate(2024, 2, 5), o.days = 6, o.gapDays = 1, o.vehiclesPerDay = 300, o.readingsPerVehicle = 9;
        });
        ScriptedDialogs dialogs;
        MainWindow w;
        load(w, dialogs, file);
        w.resize(w.minimumSize());
        w.show();

        // Gap buckets give no point: none at 0, one per bucket with measures.
        int valid = 0, buckets = 0;
        for (const SampleRecord& r : w.statistics().getFilteredSample(0))
            valid += r.valid ? 1 : 0, ++buckets;
        QVERIFY(valid < buckets);
        const QwtPlotCurve* mean = timePlots(w)[0]->curve(0);
        QCOMPARE(int(mean->dataSize()), valid);
        for (size_t i = 0; i < mean->dataSize(); ++i)
            QVERIFY(mean->sample(int(i)).y() > 0);

        // The pie legends stay whole in their widgets at the smallest window.
        child<QTabWidget>(w, "tabWidget")->setCurrentWidget(child(w, "page_3"));
        QApplication::processEvents();
        const QList<SpeedClassPie*> pies = child(w, "page_3")->findChildren<SpeedClassPie*>();
        QCOMPARE(pies.size(), 2);
        for (SpeedClassPie* pie : pies)
            QVERIFY(!pie->pieces().isEmpty() && QRectF(pie->rect()).contains(pie->layout(pie->size()).legend));

        // The divider: on for this "Standard" file; off, the counts are readings and say so.
        auto* divider = child<QAction>(w, "actionDivider");
        QVERIFY(divider->isChecked() && divider->text().contains(QLatin1String(" 9 ")));
        const QDateTime all = QDateTime::fromSecsSinceEpoch(0);
        const int vehicles = w.statistics().countVehicles(all, all, 0);
        divider->trigger();
        QVERIFY(w.statistics().getDividerOff() && w.statistics().countVehicles(all, all, 0) > 7 * vehicles);
        QVERIFY(timePlots(w)[2]->title().text().startsWith(QStringLiteral("Nombre de relevés par ")));
        QCOMPARE(child<QTableWidget>(w, "page_4_view")->horizontalHeaderItem(2)->text(),
                 QStringLiteral("Nombre de relevés (sans diviseur)"));
    }

    void axisLabelsApart_data()
    {
        QTest::addColumn<QDateTime>("to");
        QTest::addColumn<QSize>("size");
        const QDateTime from = at("2024-03-04 10:00:00");
        for (const QDateTime& to :
             {from.addSecs(3600), from.addDays(1), from.addDays(7), from.addMonths(4), from.addYears(2)})
            for (const QSize& size : {QSize(), QSize(1600, 1000)})
                QTest::newRow(
                    qPrintable(QStringLiteral("%1 days, %2 wide").arg(from.secsTo(to) / 86400.0).arg(size.width())))
                    << to << size;
    }

    // Every time axis spans the editors' period; no two of its labels overlap, the last included;
    // months start on their first day.
    void axisLabelsApart()
    {
        QFETCH(QDateTime, to);
        QFETCH(QSize, size);
        TempWorkspace dir;
        ScriptedDialogs dialogs;
        MainWindow w;
        load(w, dialogs, m_twoYears);
        auto* begin = child<QDateTimeEdit>(w, "gb1_dateTimeEdit_1");
        auto* end = child<QDateTimeEdit>(w, "gb1_dateTimeEdit_2");
        end->setDateTime(to);
        begin->setDateTime(at("2024-03-04 10:00:00"));
        child<QPushButton>(w, "gb1_button_refresh")->click();
        w.resize(size.isValid() ? size : w.minimumSize());
        w.show();
        const QList<TimePlot*> plots = timePlots(w);
        for (int tab = 0; tab < plots.size(); ++tab) {
            child<QTabWidget>(w, "tabWidget")->setCurrentIndex(tab);
            QApplication::processEvents();
            const auto* draw = dynamic_cast<const DayScaleDraw*>(plots[tab]->axisScaleDraw(QwtPlot::xBottom));
            QVERIFY(draw);
            QCOMPARE(qMakePair(qint64(draw->scaleDiv().lowerBound()), qint64(draw->scaleDiv().upperBound())),
                     qMakePair(begin->dateTime().toSecsSinceEpoch(), end->dateTime().toSecsSinceEpoch()));
            const QVector<QRectF> rects = draw->labelRects(plots[tab]->axisWidget(QwtPlot::xBottom)->font());
            QVERIFY(rects.size() >= 2);
            for (int i = 0; i < rects.size(); ++i)
                for (int j = i + 1; j < rects.size(); ++j)
                    QVERIFY2(!rects[i].intersects(rects[j]),
                             qPrintable(QStringLiteral("plot %1: %2, %3").arg(tab).arg(i).arg(j)));
            if (begin->dateTime().daysTo(to) > 62)
                for (double v : draw->scaleDiv().ticks(QwtScaleDiv::MajorTick))
                    QCOMPARE(QDateTime::fromSecsSinceEpoch(qint64(v)).date().day(), 1);
        }
    }
};

QTEST_MAIN(TestWindowDisplay)
#include "tst_windowdisplay.moc"
