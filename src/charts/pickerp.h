#pragma once

#include <qwt_plot_picker.h>

// The tracker of the percentile plot; Qwt's own coordinate text.
class PickerP : public QwtPlotPicker
{
    Q_OBJECT

public:
    PickerP(int xAxis, int yAxis, RubberBand rubberBand, DisplayMode trackerMode, QWidget* canvas);
};
