// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qwt_plot_picker.h>

// Tracker of the speed plots: date and speed under the cursor.
class SpeedTracker : public QwtPlotPicker
{
public:
    SpeedTracker(int xAxis, int yAxis, RubberBand rubberBand, DisplayMode trackerMode, QWidget* canvas,
                 const QString& speedUnit);

protected:
    QwtText trackerTextF(const QPointF& pos) const override;

private:
    QString m_speedUnit;
};
