// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the summary's two charts share: their look, and the posted limit as a dashed line.

#include <QString>
#include <qwt_plot.h>
#include <qwt_plot_marker.h>
#include <qwt_text.h>

namespace summarychart {

// An axis title on two lines when longer than its axis: the plots shrink with the window.
QwtText wrappedAxisTitle(const QString& text);
// Title, canvas, fonts, grid and a legend below.
void setUpSummaryPlot(QwtPlot* plot, const QString& title);
// Removes every item but the grid, which setUpSummaryPlot attached first.
void clearSeries(QwtPlot* plot);
// A red dashed line at value (horizontal or vertical), labelled, out of the legend.
QwtPlotMarker* limitMarker(QwtPlotMarker::LineStyle style, double value, const QString& label);

}   // namespace summarychart
