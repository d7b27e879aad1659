#pragma once

#include <qwt_scale_draw.h>

// Time axis: dates at the major ticks, and labels at the medium ticks too (dates in the year
// granularity, times otherwise).
class DayScaleDraw : public QwtScaleDraw
{
public:
    // Same values as qorGraph::scaleMode(): 1 day, 2 week, 3 month or two months, 4 year.
    int mode = 1;

    void draw(QPainter* painter, const QPalette& palette) const override;
    QwtText label(double value) const override;

protected:
    // On a narrow axis, only every n-th major is labelled so that the dates do not overlap.
    void drawLabel(QPainter* painter, double value) const override;
};
