// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qwt_plot_picker.h>

// The tracker of the percentile plot; Qwt's own coordinate text.
class PercentileTracker : public QwtPlotPicker
{
    Q_OBJECT

public:
    PercentileTracker(int xAxis, int yAxis, RubberBand rubberBand, DisplayMode trackerMode, QWidget* canvas);
};
