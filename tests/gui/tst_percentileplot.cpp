// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/colorbar.h"
#include "gui/charts/percentileplot.h"

#include <QtTest>
#include <qwt_plot_curve.h>
#include "gui/charts/speedzoomer.h"
#include <qwt_scale_div.h>
#include <qwt_scale_widget.h>

namespace {

QPair<double, double> range(const PercentilePlot& plot, int axis)
{
    const QwtScaleDiv& div = plot.axisScaleDiv(axis);
    return {div.lowerBound(), div.upperBound()};
}

}   // namespace

class TestPercentilePlot : public QObject
{
    Q_OBJECT

private slots:
    void emptyPlot()
    {
        PercentilePlot plot(nullptr, QStringLiteral("Pourcentage de véhicules"), QStringLiteral("Vitesse Km/h"), 0, 100,
                            10, 130);
        QCOMPARE(range(plot, QwtPlot::xBottom), qMakePair(0.0, 100.0));
        QCOMPARE(range(plot, QwtPlot::yLeft), qMakePair(0.0, 130.0));
        QVERIFY(plot.itemList(QwtPlotItem::Rtti_PlotCurve).isEmpty());
    }

    void addCurveReplacesPoints()
    {
        PercentilePlot plot(nullptr, QString(), QString(), 0, 100, 10, 130);
        plot.addCurve(0, {{0, 0}, {50, 40}, {100, 90}}, QColor(0, 128, 0));
        QwtPlotCurve* first = plot.curve(0);
        plot.addCurve(0, {{0, 0}, {100, 60}}, QColor(0, 0, 128));
        QCOMPARE(plot.curve(0), first);
        QCOMPARE(int(first->dataSize()), 2);
        QCOMPARE(first->pen().color(), QColor(0, 0, 128));
        QCOMPARE(plot.itemList(QwtPlotItem::Rtti_PlotCurve).size(), 1);
    }

    void zoom_data()
    {
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<double>("top");   // upper bound of the speed axis afterwards

        QTest::newRow("height 5 ignored") << QRectF(10, 20, 30, 5) << 130.0;
        QTest::newRow("height just above 5 zooms") << QRectF(10, 20, 30, 5.5) << 25.5;
        QTest::newRow("below 0 moved up") << QRectF(10, -10, 30, 40) << 40.0;
        QTest::newRow("axis starts at 0") << QRectF(10, 50, 30, 20) << 70.0;
    }
    void zoom()
    {
        QFETCH(QRectF, rect);
        QFETCH(double, top);
        PercentilePlot plot(nullptr, QString(), QString(), 0, 100, 10, 130);
        plot.zoomer()->zoom(rect);
        QCOMPARE(range(plot, QwtPlot::yLeft), qMakePair(0.0, top));
    }

    void colourBarBands_data()
    {
        QTest::addColumn<QColor>("light");
        QTest::addColumn<QColor>("dark");
        QTest::addColumn<int>("band");
        QTest::addColumn<QColor>("expected");
        // Bands of a bar with 10 of them.
        QTest::newRow("first band is the light colour")
            << QColor(255, 0, 0) << QColor(Qt::white) << 0 << QColor(255, 0, 0);
        QTest::newRow("red to white stays pink halfway")
            << QColor(255, 0, 0) << QColor(Qt::white) << 5 << QColor::fromHsv(0, 127, 255);
        QTest::newRow("white to blue takes the blue hue")
            << QColor(Qt::white) << QColor(0, 0, 255) << 5 << QColor::fromHsv(240, 128, 255);
    }
    void colourBarBands()
    {
        QFETCH(QColor, light);
        QFETCH(QColor, dark);
        QFETCH(int, band);
        QFETCH(QColor, expected);
        QCOMPARE(ColorBar::bandColour(light, dark, band, 10).rgb(), expected.rgb());
    }

    void leftAxisAndColourBar()
    {
        PercentilePlot plot(nullptr, QStringLiteral("x"), QStringLiteral("y"), 0, 100, 10, 1500);
        plot.resize(500, 400);
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        QwtScaleWidget* axis = plot.axisWidget(QwtPlot::yLeft);
        const int width = axis->sizeHint().width();
        plot.zoomer()->zoom(QRectF(0, 0, 50, 8));
        QCOMPARE(range(plot, QwtPlot::yLeft), qMakePair(0.0, 8.0));
        QVERIFY(axis->sizeHint().width() >= width);

        QTRY_VERIFY(plot.colourBar()->height() > 0);
        const QRect bar = plot.colourBar()->geometry();
        QVERIFY(axis->rect().contains(bar));
        QCOMPARE(bar.width(), axis->margin() - 4);
    }
};

QTEST_MAIN(TestPercentilePlot)
#include "tst_percentileplot.moc"
