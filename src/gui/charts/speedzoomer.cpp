// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/speedzoomer.h"

#include <qwt_plot.h>

SpeedZoomer::SpeedZoomer(QWidget* canvas) : LabelledZoomer(canvas) { }

void SpeedZoomer::zoom(const QRectF& rect)
{
    QRectF r = rect;
    if (r.y() < 0)
        r.moveTop(0);
    if (r.height() > 5.0) {
        QwtPlotZoomer::zoom(r);
        if (QwtPlot* p = plot()) {
            p->setAxisScale(yAxis(), 0, r.y() + r.height());
            p->replot();
        }
    }
}
