// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qwt_plot_picker.h>

// Tracker of the vehicle count plot: the bar under the cursor, its date, count and direction.
class VehicleBarTracker : public QwtPlotPicker
{
public:
    VehicleBarTracker(int xAxis, int yAxis, RubberBand rubberBand, DisplayMode trackerMode, QWidget* canvas);

protected:
    QwtText trackerTextF(const QPointF& pos) const override;
};
