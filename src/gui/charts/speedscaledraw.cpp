// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/speedscaledraw.h"

QwtText SpeedScaleDraw::label(double value) const
{
    return QwtText(QString("%1").arg(value));
}
