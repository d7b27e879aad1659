// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/hourlyprofileplot.h"

#include "gui/charts/summarychart.h"
#include "gui/charts/vehiclebars.h"

#include <QPen>
#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>
#include <qwt_series_data.h>
#include <qwt_symbol.h>

#include <algorithm>

namespace {

const QColor kWeekdayColour(0, 128, 0);
const QColor kWeekendColour(160, 160, 164);
const QColor kV85Colour(128, 0, 0);

}   // namespace

using summarychart::clearSeries;
using summarychart::limitMarker;
using summarychart::setUpSummaryPlot;
using summarychart::wrappedAxisTitle;

HourlyProfilePlot::HourlyProfilePlot(QWidget* parent) : QwtPlot(parent)
{
    setUpSummaryPlot(this, tr("Profil horaire"));
    enableAxis(QwtPlot::yRight);
    setAxisScale(QwtPlot::xBottom, 0, 24, 2);
    setAxisTitle(QwtPlot::xBottom, wrappedAxisTitle(tr("Heure")));
    setAxisTitle(QwtPlot::yLeft, wrappedAxisTitle(tr("Véhicules par heure")));
}

void HourlyProfilePlot::setProfile(const DirectionSummary& group, std::optional<int> limit, const QString& unit,
                                   bool readings)
{
    clearSeries(this);
    setAxisTitle(QwtPlot::yLeft, wrappedAxisTitle(readings ? tr("Relevés par heure") : tr("Véhicules par heure")));
    setAxisTitle(QwtPlot::yRight, wrappedAxisTitle(tr("V85 (%1)").arg(unit)));

    QVector<QwtIntervalSample> weekday, weekend;
    QVector<QPointF> v85;
    double highestV85 = limit.value_or(0);
    double highestVolume = 0;
    for (int h = 0; h < 24; ++h) {
        const auto& wd = group.weekdayHourly[std::size_t(h)];
        const auto& we = group.weekendHourly[std::size_t(h)];
        if (wd)
            weekday.append(QwtIntervalSample(*wd, h + 0.05, h + 0.5));
        if (we)
            weekend.append(QwtIntervalSample(*we, h + 0.5, h + 0.95));
        highestVolume = std::max({highestVolume, wd.value_or(0), we.value_or(0)});
        if (const auto& v = group.hourlyV85[std::size_t(h)]) {
            v85.append(QPointF(h + 0.5, *v));
            highestV85 = std::max(highestV85, double(*v));
        }
    }
    const auto bars = [this](const QString& title, const QColor& colour, const QVector<QwtIntervalSample>& samples) {
        auto* histogram = new VehicleBars(title, colour);
        histogram->setData(new QwtIntervalSeriesData(samples));
        histogram->attach(this);
    };
    bars(tr("Jours ouvrés (lundi-vendredi)"), kWeekdayColour, weekday);
    bars(tr("Week-end"), kWeekendColour, weekend);

    auto* curve = new QwtPlotCurve(tr("V85"));
    curve->setPen(QPen(kV85Colour, 2));
    curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
    curve->setSymbol(new QwtSymbol(QwtSymbol::Ellipse, QBrush(kV85Colour), QPen(kV85Colour), QSize(5, 5)));
    curve->setLegendAttribute(QwtPlotCurve::LegendShowLine);
    curve->setSamples(v85);
    curve->setYAxis(QwtPlot::yRight);
    curve->attach(this);

    if (limit) {
        QwtPlotMarker* marker = limitMarker(QwtPlotMarker::HLine, *limit, tr("Limite %1 %2").arg(*limit).arg(unit));
        marker->setYAxis(QwtPlot::yRight);
        marker->attach(this);
    }
    setAxisScale(QwtPlot::yLeft, 0, highestVolume > 0 ? highestVolume * 1.1 : 1);
    setAxisScale(QwtPlot::yRight, 0, highestV85 > 0 ? highestV85 * 1.15 : 1);
    replot();
}
