// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qwt_scale_draw.h>

// Speed axis labels: the plain value, no thousands grouping.
class SpeedScaleDraw : public QwtScaleDraw
{
public:
    QwtText label(double value) const override;
};
