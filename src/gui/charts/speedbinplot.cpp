// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/speedbinplot.h"

#include "gui/charts/summarychart.h"
#include "gui/charts/timeplot.h"
#include "gui/charts/vehiclebars.h"

#include <QPen>
#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>
#include <qwt_series_data.h>
#include <qwt_symbol.h>

#include <algorithm>

using summarychart::clearSeries;
using summarychart::limitMarker;
using summarychart::setUpSummaryPlot;
using summarychart::wrappedAxisTitle;

SpeedBinPlot::SpeedBinPlot(QWidget* parent) : QwtPlot(parent)
{
    setUpSummaryPlot(this, tr("Répartition des vitesses"));
    setAxisTitle(QwtPlot::yLeft, wrappedAxisTitle(tr("Véhicules")));
}

void SpeedBinPlot::setSummary(const TrafficSummary& summary, const QString& unit)
{
    clearSeries(this);
    setAxisTitle(QwtPlot::xBottom, wrappedAxisTitle(tr("Vitesse (%1), classes de 5").arg(unit)));
    // With the divider off on a file of bursts the bins count readings.
    const bool readings = summary.storeMode <= 0 && summary.vehicleDivider <= 1;
    setAxisTitle(QwtPlot::yLeft, wrappedAxisTitle(readings ? tr("Relevés") : tr("Véhicules")));
    const bool both = summary.hasDirection(0) && summary.hasDirection(1);
    int bins = 0;
    double highest = 0;
    for (int d = 0; d < 2; ++d) {
        if (!summary.hasDirection(d))
            continue;
        const QVector<qint64>& counts = summary.groups[std::size_t(d)].speedBins;
        QVector<QwtIntervalSample> samples;
        // Side by side when both directions are drawn, as on the vehicle count plot.
        const double from = both ? 2.5 * d : 0;
        const double width = both ? 2.5 : 5;
        for (int i = 0; i < counts.size(); ++i) {
            if (counts[i] > 0)
                samples.append(QwtIntervalSample(double(counts[i]), 5 * i + from, 5 * i + from + width));
            highest = std::max(highest, double(counts[i]));
        }
        bins = std::max(bins, int(counts.size()));
        auto* histogram = new VehicleBars(d == 0 ? tr("Entrant") : tr("Sortant"), TimePlot::curveColor(d));
        histogram->setData(new QwtIntervalSeriesData(samples));
        histogram->attach(this);
    }
    double right = std::max(5 * bins, 5);
    if (summary.limit) {
        limitMarker(QwtPlotMarker::VLine, *summary.limit, tr("Limite %1 %2").arg(*summary.limit).arg(unit))
            ->attach(this);
        right = std::max(right, double(*summary.limit + 10));
    }
    setAxisScale(QwtPlot::xBottom, 0, right, right > 150 ? 20 : 10);
    setAxisScale(QwtPlot::yLeft, 0, highest > 0 ? highest * 1.1 : 1);
    replot();
}
