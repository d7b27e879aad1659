// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/speedtracker.h"

#include "gui/charts/timeplot.h"

#include <QDateTime>
#include <qwt_picker_machine.h>

namespace {

QString trackerDate(double x)
{
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(x)).toString(QStringLiteral("dd/MM/yy hh:mm"));
}

}   // namespace

SpeedTracker::SpeedTracker(int xAxis, int yAxis, RubberBand rubberBand, DisplayMode trackerMode, QWidget* canvas,
                           const QString& speedUnit)
    : QwtPlotPicker(xAxis, yAxis, rubberBand, trackerMode, canvas), m_speedUnit(speedUnit)
{
    // The cross follows the mouse without a click.
    setStateMachine(new QwtPickerTrackerMachine);
}

QwtText SpeedTracker::trackerTextF(const QPointF& pos) const
{
    return QwtText(trackerDate(pos.x()) + QString(" %1 %2").arg(pos.y(), 0, 'f', 2).arg(m_speedUnit));
}

VehicleBarTracker::VehicleBarTracker(int xAxis, int yAxis, RubberBand rubberBand, DisplayMode trackerMode,
                                     QWidget* canvas)
    : QwtPlotPicker(xAxis, yAxis, rubberBand, trackerMode, canvas)
{
    setStateMachine(new QwtPickerTrackerMachine);
}

QwtText VehicleBarTracker::trackerTextF(const QPointF& pos) const
{
    // The bar's own count: the height of the cursor tells nothing of the bar under it.
    if (const auto* graph = qobject_cast<const TimePlot*>(plot()))
        return QwtText(graph->barTrackerText(pos.x()));
    return QwtText(trackerDate(pos.x()));
}
