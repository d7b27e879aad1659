#include "qorgraph.h"

#include "dayscaledraw.h"
#include "erazoomer.h"
#include "picker.h"
#include "plotprint.h"
#include "qorhistogram.h"
#include "vertscaledraw.h"

#include <QDebug>
#include <QFont>
#include <QPen>
#include <qwt_legend.h>
#include <qwt_legend_label.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_layout.h>
#include <qwt_series_data.h>
#include <qwt_text.h>

namespace {

constexpr qint64 kDay = 86400;

const QColor kTitleColour(234, 103, 6);
const QColor kAxisTitleColour(26, 140, 48);

QwtText styledText(const QString& text, const QFont& font, const QColor& colour)
{
    QwtText t(text);
    t.setFont(font);
    t.setColor(colour);
    return t;
}

QFont axisTitleFont()
{
    return QFont(QStringLiteral("arial"), 8, QFont::Bold);
}

DayScaleDraw* newDayScaleDraw()
{
    auto* draw = new DayScaleDraw;
    draw->setTickLength(QwtScaleDiv::MajorTick, 12);
    draw->setTickLength(QwtScaleDiv::MediumTick, 8);
    draw->setTickLength(QwtScaleDiv::MinorTick, 4);
    draw->setLabelAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    draw->setSpacing(12);
    draw->mode = qorGraph::DayScale;
    return draw;
}

void attachGrid(QwtPlot* plot)
{
    auto* grid = new QwtPlotGrid;
    grid->setMajorPen(QPen(Qt::darkBlue, 0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
    grid->setMinorPen(QPen(Qt::darkCyan, 0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
    grid->attach(plot);
}

double at(const QDateTime& dateTime)
{
    return static_cast<double>(dateTime.toSecsSinceEpoch());
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

} // namespace

qorGraph::qorGraph(QWidget* parent, const QMap<int, QVector<QwtIntervalSample>>& samples,
                   const QMap<int, QString>& titles, qint64 begin, qint64 end, int kind, bool gapFlag,
                   const QString& unit)
    : QwtPlot(parent), m_gapFlag(gapFlag), m_speedUnit(unit)
{
    if (kind != VehicleKind)
        return;
    setupCommon();
    setTitle(styledText(tr("Nombre de véhicules par heure"), QFont(QStringLiteral("Arial"), 10), kTitleColour));
    setAxisFont(QwtPlot::xBottom, QFont(QStringLiteral("arial"), 7));
    setAxisFont(QwtPlot::yLeft, QFont(QStringLiteral("arial"), 7));
    // The bars keep hour labels at the medium ticks: the scale draw's mode stays at its default.
    m_dayScaleDraw = newDayScaleDraw();
    setAxisScaleDraw(QwtPlot::xBottom, m_dayScaleDraw);
    setAxisTitle(QwtPlot::yLeft, styledText(tr("Nombre de véhicules"), axisTitleFont(), kAxisTitleColour));
    attachGrid(this);
    setAxisTitle(QwtPlot::xBottom,
                 styledText(tr("Time"), QFont(QStringLiteral("Arial"), 10), kAxisTitleColour));
    m_baseScaleDiv = timeScaleDiv(begin, end);
    m_baseScaleMode = m_scaleMode;
    setAxisScaleDiv(QwtPlot::xBottom, m_baseScaleDiv);

    m_legend = new QwtLegend;
    m_legend->setDefaultItemMode(QwtLegendData::Checkable);
    insertLegend(m_legend, QwtPlot::RightLegend, -1);

    const QVector<QString> names = pairedTitles(samples, titles);
    int n = 0;
    for (auto it = samples.cbegin(); it != samples.cend(); ++it, ++n) {
        auto* histogram = new qorHistogram(names.at(n), curveColor(it.key()));
        m_histograms.insert(it.key(), histogram);
        histogram->setData(new QwtIntervalSeriesData(it.value()));
        histogram->attach(this);
    }
    replot();
    connect(m_legend, &QwtLegend::checked, this, &qorGraph::legendChecked);
    checkAllItems();

    m_zoomer = new QwtPlotZoomer(canvas(), true);
    m_zoomer->setRubberBandPen(QPen(Qt::red));
    m_zoomer->setTrackerPen(QPen(Qt::red));
    m_zoomer->setZoomBase(false);
    m_zoomer->setEnabled(true);
    m_zoomer->zoom(0);

    m_picker = new PickerV(QwtPlot::xBottom, QwtPlot::yLeft, QwtPicker::CrossRubberBand, QwtPicker::AlwaysOn,
                           canvas());
    m_picker->setRubberBandPen(QPen(Qt::green));
    m_picker->setTrackerPen(QPen(Qt::blue));

    connect(m_zoomer, &QwtPlotZoomer::zoomed, this, &qorGraph::interval);
}

qorGraph::qorGraph(QWidget* parent, const QMap<int, QVector<QPointF>>& curves, const QMap<int, QString>& titles,
                   qint64 begin, qint64 end, int kind, bool gapFlag, const QString& unit)
    : QwtPlot(parent), m_gapFlag(gapFlag), m_speedUnit(unit)
{
    if (kind != SpeedKind)
        return;
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

    auto* speedDraw = new vertScaleDraw;
    // Left of the ticks, centred on them.
    speedDraw->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    speedDraw->setSpacing(10);
    setAxisScaleDraw(QwtPlot::yLeft, speedDraw);
    setAxisTitle(QwtPlot::yLeft, styledText(QString("%1 %2").arg(tr("vitesse")).arg(m_speedUnit), axisTitleFont(),
                                            kAxisTitleColour));
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
    connect(m_legend, &QwtLegend::checked, this, &qorGraph::legendChecked);
    checkAllItems();

    m_eraZoomer = new EraZoomer(canvas());
    m_eraZoomer->setRubberBandPen(QPen(Qt::red));
    m_eraZoomer->setTrackerPen(QPen(Qt::red));
    const QwtScaleDiv& x = axisScaleDiv(QwtPlot::xBottom);
    m_eraZoomer->setZoomBase(QRectF(x.lowerBound(), 0, x.range(), axisScaleDiv(QwtPlot::yLeft).upperBound()));
    m_eraZoomer->setEnabled(true);

    m_picker = new Picker(QwtPlot::xBottom, QwtPlot::yLeft, QwtPicker::CrossRubberBand, QwtPicker::AlwaysOn,
                          canvas(), m_speedUnit);
    m_picker->setRubberBandPen(QPen(Qt::green));
    m_picker->setTrackerPen(QPen(Qt::blue));

    connect(m_eraZoomer, &QwtPlotZoomer::zoomed, this, &qorGraph::interval);
}

void qorGraph::setupCommon()
{
    setCanvasBackground(QColor(246, 246, 246));
    if (auto* frame = qobject_cast<QwtPlotCanvas*>(canvas()))
        frame->setLineWidth(1);
}

QMap<int, QVector<QPointF>> qorGraph::toPoints(const QMap<int, CurvePoints>& curves)
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

QMap<int, QVector<QwtIntervalSample>> qorGraph::toSamples(const QMap<int, IntervalSamples>& bars)
{
    QMap<int, QVector<QwtIntervalSample>> result;
    for (auto it = bars.cbegin(); it != bars.cend(); ++it) {
        QVector<QwtIntervalSample>& samples = result[it.key()];
        samples.reserve(it.value().size());
        for (const IntervalSample& s : it.value())
            samples << QwtIntervalSample(s.value, QwtInterval(s.minValue, s.maxValue, QwtInterval::BorderFlags(s.borderFlags)));
    }
    return result;
}

QColor qorGraph::curveColor(int direction)
{
    static const QColor colours[] = {QColor(Qt::darkGreen), QColor(Qt::darkBlue), QColor(Qt::darkRed),
                                     QColor(Qt::gray),      QColor(Qt::green),    QColor(Qt::red),
                                     QColor(Qt::magenta)};
    // Beyond the table (no radar has that many directions) the last colour is reused.
    return colours[qBound(0, direction, 6)];
}

void qorGraph::setPlotTitle(const QString& text)
{
    setTitle(styledText(text, QFont(QStringLiteral("Arial"), 10), kTitleColour));
}

void qorGraph::insertCurve(const QString& title, int direction, const QVector<QPointF>& samples,
                           const QColor& colour)
{
    const QPen pen(colour, 2);
    const int slot = ((direction % 2) + 2) % 2;
    qDebug() << "insertCurve #" << slot;
    auto* c = new QwtPlotCurve(title);
    m_curves[slot] = c;
    c->setRenderHint(QwtPlotItem::RenderAntialiased);
    if (m_gapFlag) {
        c->setStyle(QwtPlotCurve::Dots);
        c->setCurveAttribute(QwtPlotCurve::Inverted);
    } else {
        c->setStyle(QwtPlotCurve::Sticks);
        c->setCurveAttribute(QwtPlotCurve::Fitted);
    }
    c->setPen(pen);
    c->setLegendAttribute(QwtPlotCurve::LegendShowLine, true);
    c->setSamples(samples);
    c->attach(this);
    replot();
}

void qorGraph::updateCurveTitles(const QMap<int, QString>& titles)
{
    for (auto it = titles.cbegin(); it != titles.cend(); ++it) {
        const int slot = ((it.key() % 2) + 2) % 2;
        qDebug() << "update curve" << slot << "with " << it.value();
        if (m_curves[slot])
            m_curves[slot]->setTitle(it.value());
    }
    replot();
}

void qorGraph::updateHistogramTitles(const QMap<int, QString>& titles)
{
    for (auto it = titles.cbegin(); it != titles.cend(); ++it) {
        qDebug() << "update histogram" << it.key() << "with " << it.value();
        if (qorHistogram* h = m_histograms.value(it.key()))
            h->setTitle(it.value());
    }
    replot();
}

QwtScaleDiv qorGraph::timeScaleDiv(qint64 begin, qint64 end)
{
    qint64 d = end - begin;
    const QDateTime beginTime = QDateTime::fromSecsSinceEpoch(begin);
    const QDateTime endTime = QDateTime::fromSecsSinceEpoch(end);
    QDateTime t(beginTime.date(), QTime(0, 0, 0));
    qDebug() << "Interval de temps : [" << beginTime.toString(QStringLiteral("dd/MM/yy hh:mm:ss")) << ".."
             << endTime.toString(QStringLiteral("dd/MM/yy hh:mm:ss")) << "]";

    QList<double> ticks[QwtScaleDiv::NTickTypes];
    QList<double>& minor = ticks[QwtScaleDiv::MinorTick];
    QList<double>& medium = ticks[QwtScaleDiv::MediumTick];
    QList<double>& major = ticks[QwtScaleDiv::MajorTick];

    if ((d < kDay && beginTime.date() == endTime.date()) || d == kDay) {
        qDebug() << "DAY_SCALE";
        m_scaleMode = DayScale;
        for (int h = 0; h <= 24; ++h)
            (h % 4 == 0 ? major : minor) << at(t.addSecs(h * 3600));
    } else {
        // Across midnight a short interval still spans two days.
        if (d < kDay)
            d += kDay;
        const qint64 days = (d - 1) / kDay + 1;
        if (d <= 7 * kDay) {
            qDebug() << "WEEK_SCALE (" << days << " jours)";
            m_scaleMode = WeekScale;
            for (qint64 i = 0; i < days; ++i) {
                const QDateTime day = t.addDays(i);
                major << at(day);
                for (int h = 1; h < 24; ++h)
                    (h == 8 || h == 16 ? medium : minor) << at(day.addSecs(h * 3600));
            }
            major << at(t.addDays(days));
        } else if (d <= 31 * kDay) {
            qDebug() << "MONTH_SCALE";
            m_scaleMode = MonthScale;
            for (qint64 i = 0; i < days; ++i) {
                major << at(t.addDays(i));
                minor << at(t.addDays(i).addSecs(12 * 3600));
            }
            major << at(t.addDays(days));
        } else if (d <= 62 * kDay) {
            qDebug() << "BIMESTRIAL_SCALE";
            m_scaleMode = MonthScale;
            qint64 offset = 0;
            for (; offset < days; offset += 7) {
                major << at(t.addDays(offset));
                for (int k = 0; k < 7; ++k)
                    minor << at(t.addDays(offset + k));
            }
            major << at(t.addDays(offset));
        } else {
            qDebug() << "YEAR_SCALE";
            m_scaleMode = YearScale;
            t = t.addDays(-2);
            const QDateTime last = endTime.addDays(2);
            qDebug() << "Date recadrees = "
                     << t.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" - ")
                            + last.toString(QStringLiteral("dd/MM/yyyy"));
            do {
                major << at(t);
                medium << at(t.addSecs(qint64(t.date().daysInMonth() / 2) * kDay));
                t = t.addMonths(1);
                qDebug() << "Date courante = " << t.toString(QStringLiteral("dd/MM/yyyy"))
                         << last.toString(QStringLiteral("dd/MM/yyyy"));
            } while (t.date() <= last.date());
            if (major.last() != at(last))
                major << at(last);
        }
    }
    return QwtScaleDiv(major.first(), major.last(), ticks);
}

QwtScaleDiv qorGraph::zoomedScaleDiv(double left, double right)
{
    const QwtScaleDiv full = timeScaleDiv(static_cast<qint64>(left), static_cast<qint64>(right));
    QList<double> ticks[QwtScaleDiv::NTickTypes];
    for (int type = 0; type < QwtScaleDiv::NTickTypes; ++type)
        for (double v : full.ticks(type))
            if (v >= left && v <= right)
                ticks[type] << v;
    return QwtScaleDiv(left, right, ticks);
}

QwtPlotZoomer* qorGraph::activeZoomer() const
{
    return m_eraZoomer ? static_cast<QwtPlotZoomer*>(m_eraZoomer) : m_zoomer;
}

void qorGraph::interval(const QRectF& rect)
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
        const bool whole = qAbs(rect.left() - m_baseScaleDiv.lowerBound()) < 1
            && qAbs(rect.right() - m_baseScaleDiv.upperBound()) < 1;
        if (whole) {
            m_scaleMode = m_baseScaleMode;
            setAxisScaleDiv(QwtPlot::xBottom, m_baseScaleDiv);
        } else {
            setAxisScaleDiv(QwtPlot::xBottom, zoomedScaleDiv(rect.left(), rect.right()));
        }
        if (m_eraZoomer)
            m_dayScaleDraw->mode = m_scaleMode;
        replot();
    }
    emit meantimeChanged(begin, end);
}

void qorGraph::showItem(QwtPlotItem* item, bool on)
{
    if (!item)
        return;
    item->setVisible(on);
    replot();
}

void qorGraph::legendChecked(const QVariant& itemInfo, bool on, int /*index*/)
{
    showItem(infoToItem(itemInfo), on);
}

void qorGraph::checkAllItems()
{
    const QwtPlotItemList items = itemList();
    for (int i = 1; i < items.size(); ++i) {
        if (auto* label = qobject_cast<QwtLegendLabel*>(m_legend->legendWidget(itemToInfo(items.at(i)))))
            label->setChecked(true);
        items.at(i)->setVisible(true);
    }
}

void qorGraph::print()
{
    printPlot(this);
}
