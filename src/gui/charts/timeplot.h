// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/speedstatistics.h"

#include <QColor>
#include <QDateTime>
#include <QMap>
#include <QPointF>
#include <QString>
#include <QVector>
#include <qwt_plot.h>
#include <qwt_samples.h>
#include <qwt_scale_div.h>

class DayScaleDraw;
class SpeedZoomer;
class QwtLegend;
class QwtPlotCurve;
class QwtPlotItem;
class QwtPlotPicker;
class QwtPlotZoomer;
class VehicleBars;

// A plot of the period against time: the mean or maximum speed curves (kind 1) or the vehicle
// count bars (kind 2), one item per direction, with a checkable legend, a tracker and a zoom
// that reports the new time interval.
class TimePlot : public QwtPlot
{
    Q_OBJECT

public:
    enum Kind { SpeedKind = 1, VehicleKind = 2 };
    enum ScaleMode { DayScale = 1, WeekScale = 2, MonthScale = 3, YearScale = 4 };

    // Vehicle count plot; empty unless kind is 2. begin and end are Unix seconds. The n-th
    // series in direction order gets the n-th title, or an empty one. bucketWidth is the
    // seconds of one bar of the samples; bars too narrow to be seen at the plot's width are
    // summed into hours, days, weeks or months (the title says which).
    TimePlot(QWidget* parent, const QMap<int, QVector<QwtIntervalSample>>& samples, const QMap<int, QString>& titles,
             qint64 begin, qint64 end, int kind, const QString& unit, int bucketWidth = 0);
    // Speed plot; empty unless kind is 1. The curves break where two points lie more than
    // bucketWidth seconds apart (0: never).
    TimePlot(QWidget* parent, const QMap<int, QVector<QPointF>>& curves, const QMap<int, QString>& titles, qint64 begin,
             qint64 end, int kind, const QString& unit, int bucketWidth = 0);

    // The engine's series in the plot's types.
    static QMap<int, QVector<QPointF>> toPoints(const QMap<int, CurvePoints>& curves);
    static QMap<int, QVector<QwtIntervalSample>> toSamples(const QMap<int, IntervalSamples>& bars);

    // Green, blue, red, gray, light green, light red, magenta: direction 0 first.
    static QColor curveColor(int direction);

    void setPlotTitle(const QString& text);
    void insertCurve(const QString& title, int direction, const QVector<QPointF>& samples, const QColor& colour);
    // Directions without an item are skipped; one replot.
    void updateCurveTitles(const QMap<int, QString>& titles);
    void updateHistogramTitles(const QMap<int, QString>& titles);

    // Ticks of the time axis spanning exactly [begin, end] (Unix seconds), on whole local
    // hours, days, Mondays or first days of months by the length; sets scaleMode().
    QwtScaleDiv timeScaleDiv(qint64 begin, qint64 end);

    // Vehicle plot: says readings instead of vehicles in its title and tracker.
    void setCountsReadings(bool readings);
    // Date, count and direction of the bar at x, or the date alone.
    QString barTrackerText(double x) const;
    int scaleMode() const { return m_scaleMode; }

    // Curve of slot direction % 2; null when none was inserted.
    QwtPlotCurve* curve(int direction) const { return m_curves[direction % 2]; }
    // Null when the direction has no bars.
    VehicleBars* histogram(int direction) const { return m_histograms.value(direction); }
    QwtLegend* legendWidget() const { return m_legend; }
    // The SpeedZoomer of a speed plot or Qwt's own zoomer of the vehicle plot.
    QwtPlotZoomer* activeZoomer() const;

    // Through the print dialog, landscape (see printPlot).
    void print();

signals:
    void visibleIntervalChanged(QDateTime begin, QDateTime end);

public slots:
    // Emits the interval of the zoom rectangle and lays the time ticks over it.
    void zoomTo(const QRectF& rect);
    void showItem(QwtPlotItem* item, bool on);

private slots:
    void legendChecked(const QVariant& itemInfo, bool on, int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void setupCommon();
    // The vehicle bars summed for the visible span and the canvas width, and the title.
    void updateBars();
    void updateVehicleTitle();
    // Ticks of timeScaleDiv(left, right) kept within [left, right].
    QwtScaleDiv zoomedScaleDiv(double left, double right);
    // Every item but the grid shown, with its legend entry ticked.
    void checkAllItems();

    QMap<int, VehicleBars*> m_histograms;
    QwtPlotCurve* m_curves[2] = {nullptr, nullptr};
    QwtPlotPicker* m_picker = nullptr;
    QwtLegend* m_legend = nullptr;
    QwtPlotZoomer* m_zoomer = nullptr;
    SpeedZoomer* m_speedZoomer = nullptr;
    DayScaleDraw* m_dayScaleDraw = nullptr;
    int m_scaleMode = DayScale;
    // The time axis of the whole period, restored when the zoom returns to it.
    QwtScaleDiv m_baseScaleDiv;
    int m_baseScaleMode = DayScale;
    QString m_speedUnit;
    qint64 m_periodBegin = 0;
    qint64 m_periodEnd = 0;
    int m_kind = 0;
    int m_bucketWidth = 0;
    // Seconds of one drawn bar (86400 a day, 604800 a week, 2678400 a month, those three on the
    // calendar).
    int m_displayWidth = 0;
    bool m_countsReadings = false;
    // The vehicle bars as given, before any summing.
    QMap<int, QVector<QwtIntervalSample>> m_bars;
};
