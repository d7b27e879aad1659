// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/speedtracker.h"

#include <QDateTime>
#include <QLocale>
#include <qwt_picker_machine.h>

namespace {

QString trackerDate(double x)
{
    return QLocale().toString(QDateTime::fromSecsSinceEpoch(static_cast<qint64>(x)), QLocale::ShortFormat);
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
    return QwtText(trackerDate(pos.x())
                   + QStringLiteral(" %1 %2").arg(QLocale().toString(pos.y(), 'f', 2), m_speedUnit));
}
