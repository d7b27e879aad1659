#include "vertscaledraw.h"

QwtText vertScaleDraw::label(double value) const
{
    return QwtText(QString("%1").arg(value));
}
