// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tabs/timeplottab.h"

#include "analysis/analysis.h"
#include "gui/charts/timeplot.h"
#include "gui/report/printsheet.h"
#include "gui/report/reportsection.h"

#include <QLocale>
#include <QVBoxLayout>
#include <qwt_plot_renderer.h>
#include <qwt_text.h>
#include <memory>

namespace {

// Each direction's figure in the interface's number format (a decimal comma in French); a dash
// where there is none.
QMap<int, QString> speedTitles(const Analysis& a, const std::function<std::optional<double>(int)>& figure, int decimals)
{
    const QLocale locale;
    QMap<int, QString> titles;
    for (int d : a.directions()) {
        const std::optional<double> value = figure(d);
        titles[d] = (d == 0 ? TimePlotTab::tr("Sens entrant (%1 %2)") : TimePlotTab::tr("Sens sortant (%1 %2)"))
                        .arg(value ? locale.toString(*value, 'f', decimals) : QStringLiteral("\u2014"), a.unitSymbol());
    }
    return titles;
}

// The zoom's texts are singular, the whole period's plural.
QMap<int, QString> vehicleTitles(const Analysis& a, const std::function<int(int)>& count, bool zoomed)
{
    const bool readings = a.countsReadings();
    QMap<int, QString> titles;
    for (int d : a.directions()) {
        QString text;
        if (readings)
            text = d == 0 ? TimePlotTab::tr("Relevés entrants %1") : TimePlotTab::tr("Relevés sortants %1");
        else if (zoomed)
            text = d == 0 ? TimePlotTab::tr("Véhicules entrant %1") : TimePlotTab::tr("Véhicules sortant %1");
        else
            text = d == 0 ? TimePlotTab::tr("Véhicules entrants %1") : TimePlotTab::tr("Véhicules sortants %1");
        titles[d] = text.arg(QLocale().toString(count(d)));
    }
    return titles;
}

template <typename Series> QMap<int, Series> present(const Analysis& a, const std::function<Series(int)>& series)
{
    QMap<int, Series> map;
    for (int d : a.directions())
        map[d] = series(d);
    return map;
}

class TimePlotSection : public ReportSection
{
public:
    explicit TimePlotSection(TimePlotTab::Kind kind) : m_kind(kind) { }
    int pageCount(const ReportContent&) const override { return 1; }
    bool draw(ReportPage& page) const override
    {
        return drawPage(page, [&] {
            const std::unique_ptr<TimePlot> plot(TimePlotTab::newPlot(*page.content().analysis, m_kind, nullptr));
            page.drawPlot(*plot);
        });
    }

private:
    const TimePlotTab::Kind m_kind;
};

}   // namespace

TimePlotTab::TimePlotTab(Kind kind, QWidget* parent) : AnalysisTab(parent), m_kind(kind)
{
    new QVBoxLayout(this);
}

TimePlot* TimePlotTab::newPlot(const Analysis& a, Kind kind, QWidget* parent)
{
    const qint64 begin = a.begin().toSecsSinceEpoch();
    const qint64 end = a.end().toSecsSinceEpoch();
    const int bucket = a.criteria().bucketSeconds;
    if (kind == Vehicles) {
        const auto bars = present<IntervalSamples>(a, [&](int d) { return a.direction(d).vehicleBars; });
        auto* plot = new TimePlot(parent, TimePlot::toSamples(bars),
                                  vehicleTitles(
                                      a, [&](int d) { return a.direction(d).vehicleCount; }, false),
                                  begin, end, TimePlot::VehicleKind, a.unitSymbol(), bucket);
        plot->setCountsReadings(a.countsReadings());
        return plot;
    }
    const bool mean = kind == MeanSpeed;
    const auto curves =
        present<CurvePoints>(a, [&](int d) { return mean ? a.direction(d).meanCurve : a.direction(d).maxCurve; });
    // The whole period's maximum too is written with decimals.
    const auto titles = speedTitles(
        a,
        [&](int d) -> std::optional<double> {
            if (mean)
                return a.direction(d).meanSpeed;
            const std::optional<int> max = a.direction(d).maxSpeed;
            return max ? std::optional<double>(*max) : std::nullopt;
        },
        2);
    auto* plot = new TimePlot(parent, TimePlot::toPoints(curves), titles, begin, end, TimePlot::SpeedKind,
                              a.unitSymbol(), bucket);
    plot->setPlotTitle(mean ? tr("Vitesses moyennes") : tr("Vitesses maximum"));
    return plot;
}

void TimePlotTab::setAnalysis(const std::shared_ptr<const Analysis>& analysis)
{
    m_analysis = analysis;
    delete m_plot;
    m_plot = newPlot(*analysis, m_kind, this);
    connect(m_plot, &TimePlot::visibleIntervalChanged, this, &TimePlotTab::visibleIntervalChanged);
    layout()->addWidget(m_plot);
}

bool TimePlotTab::print()
{
    if (!m_plot)
        return false;
    PrintSheet::print(m_plot->title().text().replace(QLatin1Char('\n'), QLatin1Char(' ')), *m_analysis,
                      {[this](QPainter& painter, const QRectF& area) {
                          QwtPlotRenderer renderer;
                          renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground);
                          renderer.render(m_plot, &painter, area);
                      }});
    return true;
}

void TimePlotTab::visibleIntervalChanged(const QDateTime& begin, const QDateTime& end)
{
    const Analysis& a = *m_analysis;
    const QDateTime from = qMax(begin, a.begin());
    const QDateTime to = qMin(end, a.end());
    switch (m_kind) {
    case MeanSpeed:
        m_plot->updateCurveTitles(speedTitles(
            a, [&](int d) { return a.meanSpeed(from, to, d); }, 2));
        break;
    case MaxSpeed:
        // A zoomed maximum is a whole measured speed.
        m_plot->updateCurveTitles(speedTitles(
            a,
            [&](int d) -> std::optional<double> {
                const std::optional<int> max = a.maxSpeed(from, to, d);
                return max ? std::optional<double>(*max) : std::nullopt;
            },
            0));
        break;
    case Vehicles:
        m_plot->updateHistogramTitles(vehicleTitles(
            a, [&](int d) { return a.vehicles(from, to, d); }, true));
        break;
    }
}

const ReportSection& TimePlotTab::reportSection(Kind kind)
{
    static const TimePlotSection sections[] = {TimePlotSection(MeanSpeed), TimePlotSection(MaxSpeed),
                                               TimePlotSection(Vehicles)};
    return sections[kind];
}
