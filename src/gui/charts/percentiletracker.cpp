// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/percentiletracker.h"

PercentileTracker::PercentileTracker(int xAxis, int yAxis, RubberBand rubberBand, DisplayMode trackerMode,
                                     QWidget* canvas)
    : QwtPlotPicker(xAxis, yAxis, rubberBand, trackerMode, canvas)
{
}
