// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/summaryplots.h"

#include "gui/charts/chartstyle.h"
#include "gui/charts/timeplot.h"
#include "gui/charts/vehiclebars.h"

#include <QPen>
#include <qwt_legend.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_layout.h>
#include <qwt_plot_marker.h>
#include <qwt_series_data.h>
#include <qwt_symbol.h>
#include <qwt_text.h>

#include <algorithm>

namespace {

const QColor kWeekdayColour(0, 128, 0);
const QColor kWeekendColour(160, 160, 164);
const QColor kV85Colour(128, 0, 0);
const QColor kLimitColour(255, 0, 0);

QwtText styledAxisTitle(const QString& text)
{
    QwtText t = chartstyle::axisTitle(text);
    // The plots shrink with the window: a title longer than its axis takes two lines.
    t.setRenderFlags(Qt::AlignCenter | Qt::TextWordWrap);
    return t;
}

void setUpStyle(QwtPlot* plot, const QString& title)
{
    plot->setTitle(chartstyle::plotTitle(title));
    plot->setCanvasBackground(QColor(246, 246, 246));
    plot->plotLayout()->setAlignCanvasToScales(true);
    for (const int axis : {int(QwtPlot::xBottom), int(QwtPlot::yLeft), int(QwtPlot::yRight)})
        plot->setAxisFont(axis, QFont(QStringLiteral("arial"), 7));
    auto* grid = new QwtPlotGrid;
    grid->setMajorPen(QPen(Qt::darkBlue, 0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
    grid->setMinorPen(QPen(Qt::darkCyan, 0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
    grid->attach(plot);
    auto* legend = new QwtLegend;
    legend->setFont(QFont(QStringLiteral("arial"), 7));
    plot->insertLegend(legend, QwtPlot::BottomLegend);
}

// Removes every item but the grid, which setUpStyle attached first.
void clearSeries(QwtPlot* plot)
{
    const QwtPlotItemList items = plot->itemList();
    for (QwtPlotItem* item : items) {
        if (item->rtti() != QwtPlotItem::Rtti_PlotGrid)
            delete item;
    }
}

QwtPlotMarker* limitMarker(QwtPlotMarker::LineStyle style, double value, const QString& label)
{
    auto* marker = new QwtPlotMarker(label);
    marker->setLineStyle(style);
    marker->setLinePen(QPen(kLimitColour, 2, Qt::DashLine));
    QwtText text(label);
    text.setFont(QFont(QStringLiteral("arial"), 7, QFont::Bold));
    text.setColor(kLimitColour);
    // Readable where it crosses the bars or the V85 line.
    text.setBackgroundBrush(QColor(255, 255, 255, 210));
    marker->setLabel(text);
    marker->setLabelAlignment(style == QwtPlotMarker::HLine ? Qt::AlignLeft | Qt::AlignTop
                                                            : Qt::AlignRight | Qt::AlignTop);
    if (style == QwtPlotMarker::HLine)
        marker->setYValue(value);
    else
        marker->setXValue(value);
    marker->setItemAttribute(QwtPlotItem::Legend, false);
    return marker;
}

}   // namespace

HourlyProfilePlot::HourlyProfilePlot(QWidget* parent) : QwtPlot(parent)
{
    setUpStyle(this, tr("Profil horaire"));
    enableAxis(QwtPlot::yRight);
    setAxisScale(QwtPlot::xBottom, 0, 24, 2);
    setAxisTitle(QwtPlot::xBottom, styledAxisTitle(tr("Heure")));
    setAxisTitle(QwtPlot::yLeft, styledAxisTitle(tr("Véhicules par heure")));
}

void HourlyProfilePlot::setProfile(const DirectionSummary& group, std::optional<int> limit, const QString& unit)
{
    clearSeries(this);
    setAxisTitle(QwtPlot::yRight, styledAxisTitle(tr("V85 (%1)").arg(unit)));

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

SpeedBinPlot::SpeedBinPlot(QWidget* parent) : QwtPlot(parent)
{
    setUpStyle(this, tr("Répartition des vitesses"));
    setAxisTitle(QwtPlot::yLeft, styledAxisTitle(tr("Véhicules")));
}

void SpeedBinPlot::setSummary(const TrafficSummary& summary, const QString& unit)
{
    clearSeries(this);
    setAxisTitle(QwtPlot::xBottom, styledAxisTitle(tr("Vitesse (%1), classes de 5").arg(unit)));
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
