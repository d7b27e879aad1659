// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/percentileplot.h"
#include "gui/charts/chartstyle.h"

#include "gui/charts/colorbar.h"
#include "gui/charts/plotprint.h"
#include "gui/charts/speedzoomer.h"
#include "gui/charts/percentiletracker.h"

#include <QDebug>
#include <QEvent>
#include <QPen>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_layout.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_widget.h>
#include <qwt_text.h>

namespace {

QPen gridPen(const QColor& colour)
{
    QPen pen(colour, 0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin);
    pen.setCosmetic(true);
    return pen;
}

}   // namespace

PercentilePlot::PercentilePlot(QWidget* parent, const QString& xTitle, const QString& yTitle, int xStep, int xMax,
                               int yStep, int yMax)
    : QwtPlot(parent)
{
    plotLayout()->setAlignCanvasToScales(true);
    setCanvasBackground(QColor(246, 246, 246));

    auto* grid = new QwtPlotGrid;
    grid->setMajorPen(gridPen(QColor(160, 160, 164)));
    grid->setMinorPen(gridPen(QColor(128, 128, 128)));
    grid->enableXMin(true);
    grid->attach(this);

    const QFont labelFont(QStringLiteral("arial"), 7);
    setAxisFont(QwtPlot::xBottom, labelFont);
    setAxisFont(QwtPlot::yLeft, labelFont);
    setAxisScale(QwtPlot::xBottom, 0, xMax, xStep);
    setAxisScale(QwtPlot::yLeft, 0, yMax, yStep);
    setAxisTitle(QwtPlot::yLeft, chartstyle::axisTitle(yTitle));
    setAxisTitle(QwtPlot::xBottom, chartstyle::axisTitle(xTitle));

    // Zoomed labels are shorter: keep the axes as wide as at construction (the labels of the
    // fixed scales exist only once the axes are updated).
    updateAxes();
    for (const int axis : {int(QwtPlot::yLeft), int(QwtPlot::xBottom)}) {
        QwtScaleDraw* draw = axisScaleDraw(axis);
        draw->setMinimumExtent(draw->extent(axisWidget(axis)->font()));
    }
    replot();

    QwtScaleWidget* leftAxis = axisWidget(QwtPlot::yLeft);
    leftAxis->setMargin(10);
    m_colourBar = new ColorBar(Qt::Vertical, leftAxis);
    m_colourBar->setColours(QColor(255, 0, 0), Qt::white);
    leftAxis->installEventFilter(this);

    m_zoomer = new SpeedZoomer(canvas());
    m_zoomer->setRubberBandPen(QPen(Qt::red));
    m_zoomer->setTrackerPen(QPen(Qt::red));
    m_zoomer->setZoomBase();
    m_zoomer->setEnabled(true);

    m_picker = new PercentileTracker(QwtPlot::xBottom, QwtPlot::yLeft, QwtPicker::CrossRubberBand, QwtPicker::AlwaysOn,
                                     canvas());
    m_picker->setRubberBandPen(QPen(Qt::green));
    m_picker->setTrackerPen(QPen(Qt::blue));
}

void PercentilePlot::addCurve(int id, const QVector<QPointF>& points, const QColor& colour)
{
    qDebug() << "Creating new curve";
    QwtPlotCurve* item = m_curves.value(id, nullptr);
    if (!item) {
        item = new QwtPlotCurve(QString());
        m_curves.insert(id, item);
    }
    item->setPen(QPen(colour));
    item->setRenderHint(QwtPlotItem::RenderAntialiased, true);
    item->setSamples(points);
    item->attach(this);
    replot();
}

bool PercentilePlot::eventFilter(QObject* object, QEvent* event)
{
    QwtScaleWidget* leftAxis = axisWidget(QwtPlot::yLeft);
    if (object == leftAxis && event->type() == QEvent::Resize) {
        const QSize size = leftAxis->size();
        const int margin = leftAxis->margin();
        const int start = leftAxis->startBorderDist();
        const int end = leftAxis->endBorderDist();
        const QRect bar(size.width() + 2 - margin, start, margin - 4, size.height() - start - end);
        qDebug() << "Object axisWidget(yLeft)"
                 << "size.width" << size.width() << "size.height" << size.height() << "margin" << margin
                 << "scaleWidget->margin" << margin << "scaleWidget->startBorderDist()" << start
                 << "scaleWidget->endBorderDist()" << end << bar;
        m_colourBar->setGeometry(bar);
    }
    return QwtPlot::eventFilter(object, event);
}

void PercentilePlot::print()
{
    printPlot(this);
}
