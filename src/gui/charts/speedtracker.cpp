// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/speedtracker.h"

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
