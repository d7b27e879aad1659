// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/charts/timeplot.h"
#include "core/wallclock.h"

#include "gui/charts/chartstyle.h"
#include "gui/charts/dayscaledraw.h"
#include "gui/charts/speedzoomer.h"
#include "gui/charts/speedtracker.h"
#include "gui/charts/vehiclebartracker.h"
#include "gui/charts/plotprint.h"
#include "gui/charts/vehiclebars.h"
#include "gui/charts/speedscaledraw.h"

#include <QDateTime>
#include <QDebug>
#include <QLocale>
#include <QPainter>
#include <QResizeEvent>
#include <QFont>
#include <QPen>
#include <qwt_legend.h>
#include <qwt_legend_label.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_layout.h>
#include <qwt_scale_engine.h>
#include <qwt_scale_map.h>
#include <qwt_series_data.h>
#include <qwt_text.h>

#include <cmath>

namespace {

constexpr qint64 kDay = 86400;

DayScaleDraw* newDayScaleDraw()
{
    auto* draw = new DayScaleDraw;
    draw->setTickLength(QwtScaleDiv::MajorTick, 12);
    draw->setTickLength(QwtScaleDiv::MediumTick, 8);
    draw->setTickLength(QwtScaleDiv::MinorTick, 4);
    draw->setLabelAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    draw->setSpacing(12);
    draw->mode = TimePlot::DayScale;
    return draw;
}

void attachGrid(QwtPlot* plot)
{
    auto* grid = new QwtPlotGrid;
    grid->setMajorPen(QPen(Qt::darkBlue, 0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
    grid->setMinorPen(QPen(Qt::darkCyan, 0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
    grid->attach(plot);
}

// The n-th series in direction order gets the n-th title.
template <typename Series>
QVector<QString> pairedTitles(const QMap<int, Series>& series, const QMap<int, QString>& titles)
{
    QVector<QString> result;
    auto title = titles.cbegin();
    for (auto it = series.cbegin(); it != series.cend(); ++it) {
        result << (title != titles.cend() ? *title : QString());
        if (title != titles.cend())
            ++title;
    }
    return result;
}

constexpr int kWeek = 7 * 86400;
constexpr int kMonth = 31 * 86400;
// Each bar of the vehicle plot gets at least this many pixels (half for each direction).
constexpr int kBucketPixels = 6;

// A speed curve drawn as lines that break where buckets without measures left no point.
class GapCurve : public QwtPlotCurve
{
public:
    GapCurve(const QString& title, double maxStep) : QwtPlotCurve(title), m_maxStep(maxStep) { }

protected:
    void drawLines(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap, const QRectF& canvasRect,
                   int from, int to) const override
    {
        int runStart = from;
        for (int i = from; i <= to; ++i) {
            const bool last = i == to;
            // A gap narrower than a few pixels would only scatter the line into dots.
            if (!last
                && (m_maxStep <= 0 || sample(i + 1).x() - sample(i).x() <= m_maxStep || pixelSpan(xMap, i, i + 1) < 4))
                continue;
            if (i > runStart && i - runStart + 1 > pixelSpan(xMap, runStart, i)) {
                drawBand(painter, xMap, yMap, runStart, i);
            } else if (i > runStart) {
                QwtPlotCurve::drawLines(painter, xMap, yMap, canvasRect, runStart, i);
            } else {
                // A bucket alone between two gaps: a dot, or it would not show at all.
                const QPointF p(xMap.transform(sample(i).x()), yMap.transform(sample(i).y()));
                QPen pen = painter->pen();
                pen.setWidthF(qMax(3.0, pen.widthF() + 1));
                pen.setCapStyle(Qt::RoundCap);
                painter->save();
                painter->setPen(pen);
                painter->drawPoint(p);
                painter->restore();
            }
            runStart = i + 1;
        }
    }

private:
    double pixelSpan(const QwtScaleMap& xMap, int from, int to) const
    {
        return qAbs(xMap.transform(sample(to).x()) - xMap.transform(sample(from).x())) + 1;
    }

    // More points than pixels: each pixel column's range as a pale band and their mean as a
    // line, so that the other direction's band still shows through and both lines stay apart.
    // Rectangles and a cosmetic line: a polygon for the band and a wider line took the raster
    // engine half a second to fill and stroke over a year's buckets.
    void drawBand(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap, int from, int to) const
    {
        QVector<QRectF> band;
        QPolygonF middle;
        int column = 0;
        double low = 0, high = 0, sum = 0;
        int count = 0;
        const auto flush = [&]() {
            if (count == 0)
                return;
            const double top = yMap.transform(high), bottom = yMap.transform(low);
            band << QRectF(column, qMin(top, bottom), 1, qMax(1.0, qAbs(bottom - top)));
            middle << QPointF(column, yMap.transform(sum / count));
        };
        for (int i = from; i <= to; ++i) {
            const QPointF p = sample(i);
            const int x = int(std::floor(xMap.transform(p.x())));
            if (count == 0 || x != column) {
                flush();
                column = x;
                low = high = sum = p.y();
                count = 1;
                continue;
            }
            low = qMin(low, p.y());
            high = qMax(high, p.y());
            sum += p.y();
            ++count;
        }
        flush();
        QColor pale = pen().color();
        pale.setAlpha(60);
        painter->save();
        painter->setPen(Qt::NoPen);
        painter->setBrush(pale);
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->drawRects(band);
        painter->setRenderHint(QPainter::Antialiasing, true);
        QPen line = pen();
        line.setWidthF(1);
        line.setCosmetic(true);
        painter->setPen(line);
        painter->setBrush(Qt::NoBrush);
        painter->drawPolyline(middle);
        painter->restore();
    }

    double m_maxStep;
};

// Bars of a display width over buckets in time order: one zone look-up a day rather than per
// bucket, which a year of half hours would feel.
class DisplayBuckets
{
public:
    explicit DisplayBuckets(int width) : m_width(width) { }

    // Start of the bar holding t: the same time of day in width steps from midnight, or the
    // local day, Monday or first of the month.
    qint64 start(qint64 t)
    {
        const QDateTime wall = m_clock.wall(t);
        QDate day = wall.date();
        if (m_width < kDay) {
            const int intoDay = wall.time().msecsSinceStartOfDay() / 1000;
            return t - intoDay % m_width;
        }
        if (m_width == kWeek)
            day = day.addDays(1 - day.dayOfWeek());
        else if (m_width == kMonth)
            day = QDate(day.year(), day.month(), 1);
        return midnight(day);
    }

    qint64 end(qint64 start)
    {
        if (m_width < kDay)
            return start + m_width;
        const QDate day = m_clock.wall(start).date();
        return midnight(m_width == kWeek ? day.addDays(7) : m_width == kMonth ? day.addMonths(1) : day.addDays(1));
    }

private:
    qint64 midnight(const QDate& day)
    {
        if (day != m_day) {
            m_day = day;
            m_midnight = QDateTime(day, QTime(0, 0)).toSecsSinceEpoch();
        }
        return m_midnight;
    }

    const int m_width;
    WallClock m_clock;
    QDate m_day;
    qint64 m_midnight = 0;
};

// "par heure", "par jour", …
QString perBucket(int width)
{
    switch (width) {
    case 1800: return TimePlot::tr("par demi-heure");
    case 3600: return TimePlot::tr("par heure");
    case kDay: return TimePlot::tr("par jour");
    case kWeek: return TimePlot::tr("par semaine");
    case kMonth: return TimePlot::tr("par mois");
    default: break;
    }
    if (width % 3600 == 0)
        return TimePlot::tr("par tranche de %1 heures").arg(width / 3600);
    return TimePlot::tr("par tranche de %1 minutes").arg(width / 60);
}

}   // namespace

TimePlot::TimePlot(QWidget* parent, const QMap<int, QVector<QwtIntervalSample>>& samples,
                   const QMap<int, QString>& titles, qint64 begin, qint64 end, int kind, const QString& unit,
                   int bucketWidth)
    : QwtPlot(parent), m_speedUnit(unit), m_periodBegin(begin), m_periodEnd(end), m_bucketWidth(bucketWidth)
{
    if (kind != VehicleKind)
        return;
    m_kind = kind;
    setupCommon();
    setAxisFont(QwtPlot::xBottom, QFont(QStringLiteral("arial"), 7));
    setAxisFont(QwtPlot::yLeft, QFont(QStringLiteral("arial"), 7));
    m_dayScaleDraw = newDayScaleDraw();
    setAxisScaleDraw(QwtPlot::xBottom, m_dayScaleDraw);
    setAxisTitle(QwtPlot::yLeft, chartstyle::axisTitle(tr("Nombre de véhicules")));
    attachGrid(this);
    setAxisTitle(QwtPlot::xBottom,
                 chartstyle::styled(tr("Date"), QFont(QStringLiteral("Arial"), 10), chartstyle::axisTitleColour));
    m_baseScaleDiv = timeScaleDiv(begin, end);
    m_baseScaleMode = m_scaleMode;
    // Medium labels read as dates in the year granularity here too, not as "00:00".
    m_dayScaleDraw->mode = m_scaleMode;
    setAxisScaleDiv(QwtPlot::xBottom, m_baseScaleDiv);

    m_legend = new QwtLegend;
    m_legend->setDefaultItemMode(QwtLegendData::Checkable);
    // Below, as on the speed plots: at the window's smallest size the bars need the width.
    insertLegend(m_legend, QwtPlot::BottomLegend, -1);

    m_bars = samples;
    if (m_bucketWidth <= 0) {
        // Each direction's bar is half of its bucket.
        for (const QVector<QwtIntervalSample>& bars : samples)
            if (!bars.isEmpty())
                m_bucketWidth = qMax(1, int(std::lround(2 * bars.first().interval.width())));
    }
    const QVector<QString> names = pairedTitles(samples, titles);
    int n = 0;
    for (auto it = samples.cbegin(); it != samples.cend(); ++it, ++n) {
        auto* histogram = new VehicleBars(names.at(n), curveColor(it.key()));
        m_histograms.insert(it.key(), histogram);
        histogram->attach(this);
    }
    updateBars();
    updateVehicleTitle();
    replot();
    connect(m_legend, &QwtLegend::checked, this, &TimePlot::legendChecked);
    checkAllItems();

    auto* zoomer = new LabelledZoomer(canvas());
    zoomer->setLabel([](const QPointF& pos) {
        return QStringLiteral("%1, %2").arg(
            QLocale().toString(QDateTime::fromSecsSinceEpoch(qint64(pos.x())), QLocale::ShortFormat),
            QLocale().toString(pos.y(), 'f', 0));
    });
    m_zoomer = zoomer;
    m_zoomer->setRubberBandPen(QPen(Qt::red));
    m_zoomer->setTrackerPen(QPen(Qt::red));
    m_zoomer->setZoomBase(false);
    m_zoomer->setEnabled(true);
    m_zoomer->zoom(0);

    m_picker = new VehicleBarTracker(QwtPlot::xBottom, QwtPlot::yLeft, QwtPicker::CrossRubberBand, QwtPicker::AlwaysOn,
                                     canvas());
    m_picker->setRubberBandPen(QPen(Qt::green));
    m_picker->setTrackerPen(QPen(Qt::blue));

    connect(m_zoomer, &QwtPlotZoomer::zoomed, this, &TimePlot::zoomTo);
}

TimePlot::TimePlot(QWidget* parent, const QMap<int, QVector<QPointF>>& curves, const QMap<int, QString>& titles,
                   qint64 begin, qint64 end, int kind, const QString& unit, int bucketWidth)
    : QwtPlot(parent), m_speedUnit(unit), m_periodBegin(begin), m_periodEnd(end), m_bucketWidth(bucketWidth)
{
    if (kind != SpeedKind)
        return;
    m_kind = kind;
    m_dayScaleDraw = newDayScaleDraw();
    setupCommon();
    plotLayout()->setAlignCanvasToScales(true);
    m_baseScaleDiv = timeScaleDiv(begin, end);
    m_baseScaleMode = m_scaleMode;
    setAxisScaleDiv(QwtPlot::xBottom, m_baseScaleDiv);
    m_dayScaleDraw->mode = m_scaleMode;
    setAxisFont(QwtPlot::xBottom, QFont(QStringLiteral("arial"), 7));
    setAxisFont(QwtPlot::yLeft, QFont(QStringLiteral("arial"), 7));
    setAxisScaleDraw(QwtPlot::xBottom, m_dayScaleDraw);

    auto* speedDraw = new SpeedScaleDraw;
    // Left of the ticks, centred on them.
    speedDraw->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    speedDraw->setSpacing(10);
    setAxisScaleDraw(QwtPlot::yLeft, speedDraw);
    // Speeds from 0, as the zoom base has them, now that gaps draw no point at 0.
    axisScaleEngine(QwtPlot::yLeft)->setAttribute(QwtScaleEngine::IncludeReference);
    axisScaleEngine(QwtPlot::yLeft)->setReference(0);
    setAxisTitle(QwtPlot::yLeft, chartstyle::axisTitle(QString("%1 %2").arg(tr("vitesse")).arg(m_speedUnit)));
    attachGrid(this);

    m_legend = new QwtLegend;
    m_legend->setDefaultItemMode(QwtLegendData::Checkable);
    insertLegend(m_legend, QwtPlot::BottomLegend, -1);

    const QVector<QString> names = pairedTitles(curves, titles);
    int n = 0;
    for (auto it = curves.cbegin(); it != curves.cend(); ++it, ++n) {
        qDebug() << "Legend=" << names.at(n) << "Curve length" << it.value().size();
        insertCurve(names.at(n), it.key(), it.value(), curveColor(it.key()));
    }
    replot();
    connect(m_legend, &QwtLegend::checked, this, &TimePlot::legendChecked);
    checkAllItems();

    m_speedZoomer = new SpeedZoomer(canvas());
    m_speedZoomer->setLabel([unit = m_speedUnit](const QPointF& pos) {
        return QStringLiteral("%1, %2 %3")
            .arg(QLocale().toString(QDateTime::fromSecsSinceEpoch(qint64(pos.x())), QLocale::ShortFormat),
                 QLocale().toString(pos.y(), 'f', 1), unit);
    });
    m_speedZoomer->setRubberBandPen(QPen(Qt::red));
    m_speedZoomer->setTrackerPen(QPen(Qt::red));
    const QwtScaleDiv& x = axisScaleDiv(QwtPlot::xBottom);
    m_speedZoomer->setZoomBase(QRectF(x.lowerBound(), 0, x.range(), axisScaleDiv(QwtPlot::yLeft).upperBound()));
    m_speedZoomer->setEnabled(true);

    m_picker = new SpeedTracker(QwtPlot::xBottom, QwtPlot::yLeft, QwtPicker::CrossRubberBand, QwtPicker::AlwaysOn,
                                canvas(), m_speedUnit);
    m_picker->setRubberBandPen(QPen(Qt::green));
    m_picker->setTrackerPen(QPen(Qt::blue));

    connect(m_speedZoomer, &QwtPlotZoomer::zoomed, this, &TimePlot::zoomTo);
}

void TimePlot::setupCommon()
{
    setCanvasBackground(QColor(246, 246, 246));
    if (auto* frame = qobject_cast<QwtPlotCanvas*>(canvas()))
        frame->setLineWidth(1);
}

QMap<int, QVector<QPointF>> TimePlot::toPoints(const QMap<int, CurvePoints>& curves)
{
    QMap<int, QVector<QPointF>> result;
    for (auto it = curves.cbegin(); it != curves.cend(); ++it) {
        QVector<QPointF>& points = result[it.key()];
        points.reserve(it.value().size());
        for (const CurvePoint& p : it.value())
            points << QPointF(p.x, p.y);
    }
    return result;
}

QMap<int, QVector<QwtIntervalSample>> TimePlot::toSamples(const QMap<int, IntervalSamples>& bars)
{
    QMap<int, QVector<QwtIntervalSample>> result;
    for (auto it = bars.cbegin(); it != bars.cend(); ++it) {
        QVector<QwtIntervalSample>& samples = result[it.key()];
        samples.reserve(it.value().size());
        for (const IntervalSample& s : it.value())
            samples << QwtIntervalSample(s.value,
                                         QwtInterval(s.minValue, s.maxValue, QwtInterval::BorderFlags(s.borderFlags)));
    }
    return result;
}

QColor TimePlot::curveColor(int direction)
{
    static const QColor colours[] = {QColor(Qt::darkGreen), QColor(Qt::darkBlue), QColor(Qt::darkRed), QColor(Qt::gray),
                                     QColor(Qt::green),     QColor(Qt::red),      QColor(Qt::magenta)};
    // Beyond the table (no radar has that many directions) the last colour is reused.
    return colours[qBound(0, direction, 6)];
}

void TimePlot::setPlotTitle(const QString& text)
{
    setTitle(chartstyle::plotTitle(text));
}

void TimePlot::insertCurve(const QString& title, int direction, const QVector<QPointF>& samples, const QColor& colour)
{
    const QPen pen(colour, 2);
    const int slot = ((direction % 2) + 2) % 2;
    qDebug() << "insertCurve #" << slot;
    // Lines whatever the gaps: a gap breaks the line instead of dropping it to 0.
    auto* c = new GapCurve(title, m_bucketWidth > 0 ? 1.5 * m_bucketWidth : 0);
    m_curves[slot] = c;
    c->setRenderHint(QwtPlotItem::RenderAntialiased);
    c->setStyle(QwtPlotCurve::Lines);
    c->setPen(pen);
    c->setLegendAttribute(QwtPlotCurve::LegendShowLine, true);
    c->setSamples(samples);
    c->attach(this);
    replot();
}

void TimePlot::updateCurveTitles(const QMap<int, QString>& titles)
{
    for (auto it = titles.cbegin(); it != titles.cend(); ++it) {
        const int slot = ((it.key() % 2) + 2) % 2;
        qDebug() << "update curve" << slot << "with " << it.value();
        if (m_curves[slot])
            m_curves[slot]->setTitle(it.value());
    }
    replot();
}

void TimePlot::updateHistogramTitles(const QMap<int, QString>& titles)
{
    for (auto it = titles.cbegin(); it != titles.cend(); ++it) {
        qDebug() << "update histogram" << it.key() << "with " << it.value();
        if (VehicleBars* h = m_histograms.value(it.key()))
            h->setTitle(it.value());
    }
    replot();
}

QwtScaleDiv TimePlot::timeScaleDiv(qint64 begin, qint64 end)
{
    end = qMax(end, begin + 1);
    const qint64 d = end - begin;
    const QDateTime beginTime = QDateTime::fromSecsSinceEpoch(begin);
    const QDateTime endTime = QDateTime::fromSecsSinceEpoch(end);
    qDebug() << "Interval de temps : [" << beginTime.toString(QStringLiteral("dd/MM/yy hh:mm:ss")) << ".."
             << endTime.toString(QStringLiteral("dd/MM/yy hh:mm:ss")) << "]";

    QList<double> ticks[QwtScaleDiv::NTickTypes];
    QList<double>& minor = ticks[QwtScaleDiv::MinorTick];
    QList<double>& medium = ticks[QwtScaleDiv::MediumTick];
    QList<double>& major = ticks[QwtScaleDiv::MajorTick];
    // Ticks lie on wall-clock times of the local days, whatever the daylight-saving changes.
    const QDate firstDay = beginTime.date();
    const QDate lastDay = endTime.date();
    const auto add = [begin, end](QList<double>& list, const QDate& day, int minutes) {
        const QDateTime t(day, QTime(0, 0).addSecs(minutes * 60));
        const qint64 v = t.toSecsSinceEpoch();
        if (t.isValid() && t.time().hour() * 60 + t.time().minute() == minutes && v >= begin && v <= end
            && (list.isEmpty() || v > list.last()))
            list << double(v);
    };
    // Every step minutes of each day: a major each majorStep, a medium each mediumStep.
    const auto dayTicks = [&](int majorStep, int mediumStep, int minorStep) {
        for (QDate day = firstDay; day <= lastDay; day = day.addDays(1)) {
            for (int m = 0; m < 24 * 60; m += minorStep) {
                if (m % majorStep == 0)
                    add(major, day, m);
                else if (mediumStep > 0 && m % mediumStep == 0)
                    add(medium, day, m);
                else
                    add(minor, day, m);
            }
        }
    };

    if (d <= 36 * 3600) {
        qDebug() << "DAY_SCALE";
        m_scaleMode = DayScale;
        if (d <= 2 * 3600)
            dayTicks(15, 0, 5);
        else if (d <= 6 * 3600)
            dayTicks(60, 30, 15);
        else
            dayTicks(4 * 60, 60, 60);
    } else if (d <= 7 * kDay + 3600) {
        qDebug() << "WEEK_SCALE (" << (d - 1) / kDay + 1 << " jours)";
        m_scaleMode = WeekScale;
        dayTicks(24 * 60, 8 * 60, 60);
    } else if (d <= 31 * kDay + 3600) {
        qDebug() << "MONTH_SCALE";
        m_scaleMode = MonthScale;
        dayTicks(24 * 60, 0, 12 * 60);
    } else if (d <= 62 * kDay + 3600) {
        qDebug() << "BIMESTRIAL_SCALE";
        m_scaleMode = MonthScale;
        for (QDate day = firstDay; day <= lastDay; day = day.addDays(1))
            add(day.dayOfWeek() == 1 ? major : minor, day, 0);
    } else {
        qDebug() << "YEAR_SCALE";
        m_scaleMode = YearScale;
        // Months start on their first day; the medium tick halves them.
        for (QDate month(firstDay.year(), firstDay.month(), 1); month <= lastDay; month = month.addMonths(1)) {
            add(major, month, 0);
            add(medium, month.addDays(month.daysInMonth() / 2), 0);
        }
    }
    return QwtScaleDiv(double(begin), double(end), ticks);
}

QwtScaleDiv TimePlot::zoomedScaleDiv(double left, double right)
{
    const QwtScaleDiv full = timeScaleDiv(static_cast<qint64>(left), static_cast<qint64>(right));
    QList<double> ticks[QwtScaleDiv::NTickTypes];
    for (int type = 0; type < QwtScaleDiv::NTickTypes; ++type)
        for (double v : full.ticks(type))
            if (v >= left && v <= right)
                ticks[type] << v;
    return QwtScaleDiv(left, right, ticks);
}

QwtPlotZoomer* TimePlot::activeZoomer() const
{
    return m_speedZoomer ? static_cast<QwtPlotZoomer*>(m_speedZoomer) : m_zoomer;
}

void TimePlot::zoomTo(const QRectF& rect)
{
    const QDateTime begin = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(rect.x()));
    const QDateTime end = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(rect.x() + rect.width()));
    qDebug() << "Informations ZOOM : " << begin.toString(QStringLiteral("dd/MM/yy hh:mm"))
             << QString(" Origine=%1 %2").arg(rect.top(), 0, 'f', 2).arg(m_speedUnit)
             << end.toString(QStringLiteral("dd/MM/yy hh:mm"))
             << QString(" Destination=%1 %2").arg(rect.top(), 0, 'f', 2).arg(m_speedUnit);

    // The zoomer lays plain numeric steps over the seconds: put days and hours back on the axis.
    if (m_dayScaleDraw && rect.width() > 0) {
        // Back at the whole period, its own ticks (recomputing them would widen the axis again).
        const bool whole =
            qAbs(rect.left() - m_baseScaleDiv.lowerBound()) < 1 && qAbs(rect.right() - m_baseScaleDiv.upperBound()) < 1;
        if (whole) {
            m_scaleMode = m_baseScaleMode;
            setAxisScaleDiv(QwtPlot::xBottom, m_baseScaleDiv);
        } else {
            setAxisScaleDiv(QwtPlot::xBottom, zoomedScaleDiv(rect.left(), rect.right()));
        }
        m_dayScaleDraw->mode = m_scaleMode;
        if (m_kind == VehicleKind)
            updateBars();
        replot();
    }
    emit visibleIntervalChanged(begin, end);
}

void TimePlot::resizeEvent(QResizeEvent* event)
{
    QwtPlot::resizeEvent(event);
    if (m_kind == VehicleKind)
        updateBars();
}

void TimePlot::updateBars()
{
    if (m_histograms.isEmpty())
        return;
    const double span = qMax(1.0, axisScaleDiv(QwtPlot::xBottom).range());
    const double maxBuckets = double(qMax(60, canvas()->width())) / kBucketPixels;
    const int step = qMax(1, m_bucketWidth);
    int width = step;
    if (span / step > maxBuckets) {
        width = kMonth;
        for (int w : {3600, 7200, 10800, 14400, 21600, 43200, int(kDay), kWeek, kMonth}) {
            // Within a day only whole numbers of buckets can be summed.
            if (w <= step || (w < kDay && w % step != 0))
                continue;
            if (span / w <= maxBuckets) {
                width = w;
                break;
            }
        }
    }
    if (width == m_displayWidth)
        return;
    m_displayWidth = width;

    for (auto it = m_histograms.cbegin(); it != m_histograms.cend(); ++it) {
        const int d = it.key();
        const QVector<QwtIntervalSample>& raw = m_bars.value(d);
        if (width == step) {
            it.value()->setSamples(raw);
            continue;
        }
        QMap<qint64, double> sums;
        DisplayBuckets buckets(width);
        for (const QwtIntervalSample& bar : raw) {
            // Direction d's bar is the d-th half of its bucket.
            const qint64 bucket = std::llround(bar.interval.minValue() - d * bar.interval.width());
            sums[buckets.start(bucket)] += bar.value;
        }
        QVector<QwtIntervalSample> bars;
        bars.reserve(sums.size());
        const int half = ((d % 2) + 2) % 2;
        for (auto sum = sums.cbegin(); sum != sums.cend(); ++sum) {
            // A bar holding only part of its day (or week) at the ends of the period is as narrow.
            qint64 lo = sum.key(), hi = buckets.end(sum.key());
            if (m_periodEnd > m_periodBegin) {
                lo = qMax(lo, m_periodBegin);
                hi = qMin(hi, m_periodEnd);
            }
            if (hi <= lo)
                continue;
            const double middle = lo + (hi - lo) / 2.0;
            bars << QwtIntervalSample(sum.value(), half ? middle : double(lo), half ? double(hi) : middle);
        }
        it.value()->setSamples(bars);
    }
    updateVehicleTitle();
    // Sums of a wider bar need another scale: the zoom base follows while not zoomed.
    setAxisAutoScale(QwtPlot::yLeft, true);
    replot();
    if (m_zoomer && m_zoomer->zoomRectIndex() == 0)
        m_zoomer->setZoomBase(false);
}

void TimePlot::setCountsReadings(bool readings)
{
    m_countsReadings = readings;
    updateVehicleTitle();
}

void TimePlot::updateVehicleTitle()
{
    if (m_kind != VehicleKind)
        return;
    const QString counted = m_countsReadings ? tr("Nombre de relevés") : tr("Nombre de véhicules");
    setAxisTitle(QwtPlot::yLeft, chartstyle::axisTitle(counted));
    setTitle(chartstyle::plotTitle(
        QStringLiteral("%1 %2").arg(counted, perBucket(m_displayWidth > 0 ? m_displayWidth : 3600))));
}

QString TimePlot::barTrackerText(double x) const
{
    for (auto it = m_histograms.cbegin(); it != m_histograms.cend(); ++it) {
        if (!it.value()->isVisible())
            continue;
        const QwtSeriesData<QwtIntervalSample>* data = it.value()->data();
        for (size_t i = 0; i < data->size(); ++i) {
            const QwtIntervalSample bar = data->sample(i);
            if (x < bar.interval.minValue() || x > bar.interval.maxValue())
                continue;
            const qint64 start = std::llround(bar.interval.minValue() - (it.key() % 2) * bar.interval.width());
            const QString when = QDateTime::fromSecsSinceEpoch(start).toString(
                m_displayWidth >= kDay ? QStringLiteral("dd/MM/yy") : QStringLiteral("dd/MM/yy hh:mm"));
            const bool in = it.key() == 0;
            const QString what = m_countsReadings ? (in ? tr("relevés entrants") : tr("relevés sortants"))
                                                  : (in ? tr("véhicules entrants") : tr("véhicules sortants"));
            return tr("%1 : %L2 %3").arg(when).arg(qint64(std::llround(bar.value))).arg(what);
        }
    }
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(x)).toString(QStringLiteral("dd/MM/yy hh:mm"));
}

void TimePlot::showItem(QwtPlotItem* item, bool on)
{
    if (!item)
        return;
    item->setVisible(on);
    replot();
}

void TimePlot::legendChecked(const QVariant& itemInfo, bool on, int /*index*/)
{
    showItem(infoToItem(itemInfo), on);
}

void TimePlot::checkAllItems()
{
    const QwtPlotItemList items = itemList();
    for (int i = 1; i < items.size(); ++i) {
        if (auto* label = qobject_cast<QwtLegendLabel*>(m_legend->legendWidget(itemToInfo(items.at(i)))))
            label->setChecked(true);
        items.at(i)->setVisible(true);
    }
}

void TimePlot::print()
{
    printPlot(this);
}
