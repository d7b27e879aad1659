// SPDX-License-Identifier: GPL-3.0-or-later
// The time plots: time axis granularities and labels, zoom rules, legend, vehicle bars.
#include "gui/charts/dayscaledraw.h"
#include "gui/charts/timeplot.h"
#include "gui/charts/vehiclebars.h"
#include "testdata.h"

#include <QtTest>
#include <QtWidgets>
#include <qwt_legend.h>
#include <qwt_legend_label.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_zoomer.h>

namespace {

qint64 at(const char* text)
{
    return localTime(QLatin1String(text));
}

double atd(const char* text)
{
    return double(at(text));
}

QMap<int, QVector<QPointF>> twoCurves(qint64 begin)
{
    QMap<int, QVector<QPointF>> curves;
    for (int i = 0; i < 10; ++i) {
        curves[0] << QPointF(begin + i * 1800, 40 + i);
        curves[1] << QPointF(begin + i * 1800, 60 - i);
    }
    return curves;
}

std::unique_ptr<TimePlot> speedPlot(qint64 begin, qint64 end, const QMap<int, QString>& titles = {})
{
    auto plot = std::make_unique<TimePlot>(nullptr, twoCurves(begin), titles, begin, end, 1, QStringLiteral("Km/h"));
    plot->resize(800, 500);
    return plot;
}

QwtLegendLabel* legendLabel(TimePlot& plot, QwtPlotItem* item)
{
    return qobject_cast<QwtLegendLabel*>(plot.legendWidget()->legendWidget(plot.itemToInfo(item)));
}

QStringList itemTitles(const QwtPlot& plot)
{
    QStringList titles;
    for (QwtPlotItem* item : plot.itemList())
        if (item->rtti() != QwtPlotItem::Rtti_PlotGrid)
            titles << item->title().text();
    return titles;
}

}   // namespace

class TestTimePlot : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void timeScaleDiv_data();
    void timeScaleDiv();
    void axisLabels_data();
    void axisLabels();
    void zoom_data();
    void zoom();
    void titlesAndLegend_data();
    void titlesAndLegend();
    void vehicleBars_data();
    void vehicleBars();
};

void TestTimePlot::timeScaleDiv_data()
{
    QTest::addColumn<qint64>("begin");
    QTest::addColumn<qint64>("end");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("majors");
    QTest::addColumn<int>("mediums");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("last");

    QTest::newRow("1 hour: quarter hours") << at("2024-03-12 10:00:00") << at("2024-03-12 11:00:00") << 1 << 5 << 0
                                           << at("2024-03-12 10:00:00") << at("2024-03-12 11:00:00");
    QTest::newRow("10 hours: every 4 hours from midnight")
        << at("2024-03-12 08:00:00") << at("2024-03-12 18:00:00") << 1 << 3 << 8 << at("2024-03-12 08:00:00")
        << at("2024-03-12 18:00:00");
    QTest::newRow("over the spring change: local midnights")
        << at("2024-03-30 00:00:00") << at("2024-04-01 00:00:00") << 2 << 3 << 4 << at("2024-03-30 00:00:00")
        << at("2024-04-01 00:00:00");
    QTest::newRow("exactly 7 days: week") << at("2024-03-04 00:00:00") << at("2024-03-11 00:00:00") << 2 << 8 << 14
                                          << at("2024-03-04 00:00:00") << at("2024-03-11 00:00:00");
    QTest::newRow("exactly 31 days: month") << at("2024-01-01 00:00:00") << at("2024-02-01 00:00:00") << 3 << 32 << 0
                                            << at("2024-01-01 00:00:00") << at("2024-02-01 00:00:00");
    QTest::newRow("62 days: Mondays") << at("2024-01-01 00:00:00") << at("2024-03-03 00:00:00") << 3 << 9 << 0
                                      << at("2024-01-01 00:00:00") << at("2024-03-03 00:00:00");
    QTest::newRow("63 days: first days of months") << at("2024-01-01 00:00:00") << at("2024-03-04 00:00:00") << 4 << 3
                                                   << 2 << at("2024-01-01 00:00:00") << at("2024-03-04 00:00:00");
    QTest::newRow("two years") << at("2024-01-10 08:00:00") << at("2026-01-09 18:00:00") << 4 << 24 << 24
                               << at("2024-01-10 08:00:00") << at("2026-01-09 18:00:00");
}

void TestTimePlot::timeScaleDiv()
{
    QFETCH(qint64, begin);
    QFETCH(qint64, end);
    QFETCH(int, mode);
    TimePlot plot(nullptr, QMap<int, QVector<QPointF>>(), {}, 0, 0, 0, QString());
    const QwtScaleDiv div = plot.timeScaleDiv(begin, end);
    QCOMPARE(plot.scaleMode(), mode);
    const QList<double> majors = div.ticks(QwtScaleDiv::MajorTick);
    QTEST(majors.size(), "majors");
    QTEST(div.ticks(QwtScaleDiv::MediumTick).size(), "mediums");
    QTEST(qint64(div.lowerBound()), "first");
    QTEST(qint64(div.upperBound()), "last");
    for (int i = 1; i < majors.size(); ++i)
        QVERIFY2(majors.at(i) > majors.at(i - 1), "majors ascend without repeats");
    for (int type = 0; type < QwtScaleDiv::NTickTypes; ++type)
        for (double v : div.ticks(type))
            QVERIFY(div.contains(v));
    // Days start at local midnight, months on their first day.
    for (double v : majors) {
        const QDateTime t = QDateTime::fromSecsSinceEpoch(qint64(v));
        if (mode >= 2)
            QCOMPARE(t.time(), QTime(0, 0));
        if (mode == 4)
            QCOMPARE(t.date().day(), 1);
    }
}

void TestTimePlot::axisLabels_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour");

    // Year granularity: majors on the first of each month, mediums half a month later.
    QTest::newRow("speed major") << 1 << at("2024-02-01 00:00:00") << "01/02/24\n00:00" << QColor(Qt::darkBlue);
    QTest::newRow("speed medium is a date") << 1 << at("2024-01-16 00:00:00") << "16/01/24" << QColor(Qt::black);
    QTest::newRow("speed other") << 1 << at("2024-01-20 13:45:00") << "13:45" << QColor(Qt::black);
    QTest::newRow("vehicle medium is a date too") << 2 << at("2024-01-16 00:00:00") << "16/01/24" << QColor(Qt::black);
    QTest::newRow("vehicle major") << 2 << at("2024-02-01 00:00:00") << "01/02/24\n00:00" << QColor(Qt::darkBlue);
}

void TestTimePlot::axisLabels()
{
    QFETCH(int, kind);
    QFETCH(qint64, value);
    const qint64 begin = at("2024-01-01 00:00:00");
    const qint64 end = at("2024-03-10 00:00:00");
    std::unique_ptr<TimePlot> plot;
    if (kind == 1)
        plot = speedPlot(begin, end);
    else
        plot = std::make_unique<TimePlot>(nullptr, QMap<int, QVector<QwtIntervalSample>>(), QMap<int, QString>(), begin,
                                          end, 2, QString());
    QCOMPARE(plot->scaleMode(), 4);
    const auto* draw = dynamic_cast<const DayScaleDraw*>(plot->axisScaleDraw(QwtPlot::xBottom));
    QVERIFY(draw);
    const QwtText label = draw->label(double(value));
    QTEST(label.text(), "text");
    QTEST(label.color(), "colour");
}

void TestTimePlot::zoom_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<bool>("zoomed");
    QTest::addColumn<double>("top");

    const double x = atd("2024-03-12 10:00:00");
    QTest::newRow("inside") << QRectF(x, 20, 7200, 30) << true << 50.0;
    QTest::newRow("below 0: moved up") << QRectF(x, -10, 7200, 50) << true << 50.0;
    QTest::newRow("5 high: ignored") << QRectF(x, 20, 7200, 5) << false << 0.0;
}

void TestTimePlot::zoom()
{
    QFETCH(QRectF, rect);
    QFETCH(bool, zoomed);
    auto plot = speedPlot(at("2024-03-12 08:00:00"), at("2024-03-12 18:00:00"));
    QSignalSpy spy(plot.get(), &TimePlot::visibleIntervalChanged);
    QwtPlotZoomer* zoomer = plot->activeZoomer();
    const uint index = zoomer->zoomRectIndex();
    zoomer->zoom(rect);

    QCOMPARE(zoomer->zoomRectIndex(), zoomed ? index + 1 : index);
    QCOMPARE(spy.count(), zoomed ? 1 : 0);
    if (!zoomed)
        return;
    const QwtScaleDiv y = plot->axisScaleDiv(QwtPlot::yLeft);
    QCOMPARE(y.lowerBound(), 0.0);
    QTEST(y.upperBound(), "top");
    QCOMPARE(spy.at(0).at(0).toDateTime(), QDateTime::fromSecsSinceEpoch(qint64(rect.left())));
    QCOMPARE(spy.at(0).at(1).toDateTime(), QDateTime::fromSecsSinceEpoch(qint64(rect.right())));
    // The time axis spans the rectangle with quarter-hour ticks, not plain numbers.
    const QwtScaleDiv x = plot->axisScaleDiv(QwtPlot::xBottom);
    QCOMPARE(x.lowerBound(), rect.left());
    QCOMPARE(x.upperBound(), rect.right());
    QVERIFY(x.ticks(QwtScaleDiv::MajorTick).contains(rect.left() + 3600 + 900));

    // Back to the whole period: its own axis again.
    zoomer->zoom(0);
    QCOMPARE(plot->axisScaleDiv(QwtPlot::xBottom).lowerBound(), atd("2024-03-12 08:00:00"));
    QCOMPARE(plot->axisScaleDiv(QwtPlot::xBottom).upperBound(), atd("2024-03-12 18:00:00"));
}

void TestTimePlot::titlesAndLegend_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("series");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("shown");

    const QStringList both{"A", "B"};
    QTest::newRow("speed, two titles") << 1 << 2 << both << both;
    QTest::newRow("speed, one title short") << 1 << 2 << QStringList{"A"} << QStringList{"A", ""};
    QTest::newRow("speed, nothing to draw") << 1 << 0 << both << QStringList();
    QTest::newRow("vehicles, two titles") << 2 << 2 << both << both;
    QTest::newRow("vehicles, nothing to draw") << 2 << 0 << both << QStringList();
}

void TestTimePlot::titlesAndLegend()
{
    QFETCH(int, kind);
    QFETCH(int, series);
    QFETCH(QStringList, titles);
    const qint64 begin = at("2024-03-12 08:00:00");
    const qint64 end = at("2024-03-12 18:00:00");
    QMap<int, QString> titleMap;
    // Keys that differ from the series' directions: titles pair by rank, not by key.
    for (int i = 0; i < titles.size(); ++i)
        titleMap.insert(10 + i, titles.at(i));

    std::unique_ptr<TimePlot> plot;
    if (kind == 1) {
        QMap<int, QVector<QPointF>> curves = twoCurves(begin);
        while (curves.size() > series)
            curves.remove(int(curves.lastKey()));   // a copy: remove() frees the node the key lives in
        plot = std::make_unique<TimePlot>(nullptr, curves, titleMap, begin, end, 1, QStringLiteral("Km/h"));
    } else {
        QMap<int, QVector<QwtIntervalSample>> bars;
        for (int d = 0; d < series; ++d)
            bars[d] << QwtIntervalSample(12, begin + d * 900, begin + (d + 1) * 900);
        plot = std::make_unique<TimePlot>(nullptr, bars, titleMap, begin, end, 2, QString());
    }
    plot->show();
    QVERIFY(QTest::qWaitForWindowExposed(plot.get()));
    QTEST(itemTitles(*plot), "shown");
    QCOMPARE(plot->itemList().first()->rtti(), int(QwtPlotItem::Rtti_PlotGrid));
    if (series == 0)
        return;

    QwtPlotItem* item = plot->itemList().at(1);
    QCOMPARE(item->rtti(), kind == 1 ? int(QwtPlotItem::Rtti_PlotCurve) : int(QwtPlotItem::Rtti_PlotHistogram));
    QCOMPARE(kind == 1 ? static_cast<QwtPlotCurve*>(item)->pen().color()
                       : static_cast<VehicleBars*>(item)->brush().color(),
             QColor(0, 128, 0));
    QwtLegendLabel* label = legendLabel(*plot, item);
    QVERIFY(label);
    QVERIFY(label->isChecked());
    QVERIFY(item->isVisible());
    QTest::mouseClick(label, Qt::LeftButton);
    QVERIFY(!item->isVisible());
    QTest::mouseClick(label, Qt::LeftButton);
    QVERIFY(item->isVisible());

    // Renaming reaches the legend; a direction without an item is skipped.
    if (kind == 1)
        plot->updateCurveTitles({{0, "X"}});
    else
        plot->updateHistogramTitles({{0, "X"}, {5, "Y"}});
    QCOMPARE(item->title().text(), QStringLiteral("X"));
    QCOMPARE(legendLabel(*plot, item)->text().text(), QStringLiteral("X"));
}

void TestTimePlot::vehicleBars_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("offset");   // seconds from the start
    QTest::addColumn<QString>("tracker");
    QTest::addColumn<QString>("day");
    const QString day = QStringLiteral("2024-03-12 00:00:00");
    QTest::newRow("wide: as given") << 1600 << "Nombre de véhicules par demi-heure" << 100
                                    << "12/03/24 00:00 : 1 véhicules entrants" << day;
    QTest::newRow("narrower: hours") << 500 << "Nombre de véhicules par heure" << 3700
                                     << "12/03/24 01:00 : 2 véhicules entrants" << day;
    QTest::newRow("narrowest: two hours, outgoing half") << 300 << "Nombre de véhicules par tranche de 2 heures" << 5400
                                                         << "12/03/24 00:00 : 8 véhicules sortants" << day;
    // Two hours counted on the wall clock: the first 02:00 starts a bar of its own.
    QTest::newRow("two hours on the autumn change")
        << 300 << "Nombre de véhicules par tranche de 2 heures" << 8100 << "27/10/24 02:00 : 2 véhicules entrants"
        << "2024-10-27 00:00:00";
}

// Bars too narrow for the plot are summed into wider ones; title and tracker follow.
void TestTimePlot::vehicleBars()
{
    QFETCH(int, width);
    QFETCH(int, offset);
    QFETCH(QString, day);
    const qint64 begin = localTime(day);
    QMap<int, QVector<QwtIntervalSample>> bars;
    for (qint64 t = begin; t < begin + 2 * 86400; t += 1800) {
        bars[0] << QwtIntervalSample(1, t, t + 900);
        bars[1] << QwtIntervalSample(2, t + 900, t + 1800);
    }
    TimePlot plot(nullptr, bars, {}, begin, begin + 2 * 86400, 2, QString(), 1800);
    plot.resize(width, 400);
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    QTEST(plot.title().text(), "title");
    QTEST(plot.barTrackerText(double(begin + offset)), "tracker");
}

QTEST_MAIN(TestTimePlot)
#include "tst_timeplot.moc"
