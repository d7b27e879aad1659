// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/vehiclebartracker.h"

#include "gui/charts/timeplot.h"

#include <qwt_picker_machine.h>

VehicleBarTracker::VehicleBarTracker(int xAxis, int yAxis, RubberBand rubberBand, DisplayMode trackerMode,
                                     QWidget* canvas)
    : QwtPlotPicker(xAxis, yAxis, rubberBand, trackerMode, canvas)
{
    setStateMachine(new QwtPickerTrackerMachine);
}

QwtText VehicleBarTracker::trackerTextF(const QPointF& pos) const
{
    // The bar's own count: the height of the cursor tells nothing of the bar under it.
    const auto* graph = qobject_cast<const TimePlot*>(plot());
    return QwtText(graph ? graph->barTrackerText(pos.x()) : QString());
}
