// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <qwt_plot_histogram.h>

// One direction's vehicle bars: raised columns in the direction's colour.
class VehicleBars : public QwtPlotHistogram
{
public:
    VehicleBars(const QString& title, const QColor& colour);

    // Black pen, solid brush and a raised box symbol in the colour.
    void setColor(const QColor& colour);
};
