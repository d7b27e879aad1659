// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qwt_plot_zoomer.h>

// Zoomer of the speed plots: the speed axis always starts at 0, and flat rectangles (a click, a
// horizontal drag of 5 units or less) are ignored.
class SpeedZoomer : public QwtPlotZoomer
{
    Q_OBJECT

public:
    explicit SpeedZoomer(QWidget* canvas);

    using QwtPlotZoomer::zoom;
    void zoom(const QRectF& rect) override;
};
