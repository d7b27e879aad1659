// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/summarychart.h"

#include "gui/charts/chartstyle.h"

#include <QPen>
#include <qwt_legend.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_layout.h>

namespace summarychart {

namespace {

const QColor kLimitColour(255, 0, 0);

}   // namespace

QwtText wrappedAxisTitle(const QString& text)
{
    QwtText t = chartstyle::axisTitle(text);
    // The plots shrink with the window: a title longer than its axis takes two lines.
    t.setRenderFlags(Qt::AlignCenter | Qt::TextWordWrap);
    return t;
}

void setUpSummaryPlot(QwtPlot* plot, const QString& title)
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

// Removes every item but the grid, which setUpSummaryPlot attached first.
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

}   // namespace summarychart
