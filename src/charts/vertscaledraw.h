#pragma once

#include <qwt_scale_draw.h>

// Speed axis labels: the plain value, no thousands grouping.
class vertScaleDraw : public QwtScaleDraw
{
public:
    QwtText label(double value) const override;
};
