// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QMap>
#include <QPointF>
#include <QString>
#include <QVector>
#include <qwt_plot.h>

class ColorBar;
class PercentileTracker;
class QwtPlotCurve;
class SpeedZoomer;

// The cumulative speed curve of one direction: share of vehicles (x, 0 to 100 %) against
// speed (y), with a tracker, the speed plots' zoom rules and a colour bar on the left axis.
class PercentilePlot : public QwtPlot
{
    Q_OBJECT

public:
    // A step of 0 lets the axis choose its own.
    PercentilePlot(QWidget* parent, const QString& xTitle, const QString& yTitle, int xStep, int xMax, int yStep,
                   int yMax);

    // Replaces the points of the curve id, creating it on first use.
    void addCurve(int id, const QVector<QPointF>& points, const QColor& colour);

    QwtPlotCurve* curve(int id) const { return m_curves.value(id, nullptr); }
    SpeedZoomer* zoomer() const { return m_zoomer; }
    ColorBar* colourBar() const { return m_colourBar; }

    // Through the print dialog, as the time plots print.
    void print();

    bool eventFilter(QObject* object, QEvent* event) override;

private:
    PercentileTracker* m_picker = nullptr;
    SpeedZoomer* m_zoomer = nullptr;
    ColorBar* m_colourBar = nullptr;
    QMap<int, QwtPlotCurve*> m_curves;
};
