// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/speedzoomer.h"

#include <QDebug>
#include <qwt_plot.h>

SpeedZoomer::SpeedZoomer(QWidget* canvas) : QwtPlotZoomer(canvas, true) { }

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
    qDebug() << "Final : Top=" << r.top();
    qDebug() << "Final : Bottom=" << r.bottom();
    qDebug() << "Final : height=" << r.height();
    qDebug() << "Final : left=" << r.left();
    qDebug() << "Final : right=" << r.right();
    qDebug() << "Final : width=" << r.width();
    qDebug() << QStringLiteral("-------------------------");
}
