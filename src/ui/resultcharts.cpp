#include "resultcharts.h"

#include "charts/dynaplot.h"
#include "charts/piechart.h"
#include "charts/qorgraph.h"
#include "stats/speedstatistics.h"

#include <QCoreApplication>
#include <QDebug>

namespace ResultCharts {

namespace {

// The texts keep the window's translation context.
QString tr(const char* text)
{
    return QCoreApplication::translate("MainWindow", text);
}

} // namespace

QMap<int, QString> speedTitles(double in, double out, const QString& unit, int decimals)
{
    return {{0, tr("Sens entrant (%1 %2)").arg(in, 1, 'f', decimals).arg(unit)},
            {1, tr("Sens sortant (%1 %2)").arg(out, 1, 'f', decimals).arg(unit)}};
}

qorGraph* meanGraph(const SpeedStatistics& s, bool hasGaps, QWidget* parent)
{
    const QString units = s.unitLabel();
    auto* graph = new qorGraph(parent, qorGraph::toPoints(s.getMeanCurve()),
                               speedTitles(s.getMeanSpeed(0), s.getMeanSpeed(1), units),
                               s.getStartDate().toSecsSinceEpoch(), s.getEndDate().toSecsSinceEpoch(),
                               qorGraph::SpeedKind, hasGaps, units);
    graph->setPlotTitle(tr("Vitesses moyennes"));
    return graph;
}

qorGraph* maxGraph(const SpeedStatistics& s, bool hasGaps, QWidget* parent)
{
    const QString units = s.unitLabel();
    auto* graph = new qorGraph(parent, qorGraph::toPoints(s.getMaxCurve()),
                               speedTitles(s.getMaxSpeed(0), s.getMaxSpeed(1), units),
                               s.getStartDate().toSecsSinceEpoch(), s.getEndDate().toSecsSinceEpoch(),
                               qorGraph::SpeedKind, hasGaps, units);
    graph->setPlotTitle(tr("Vitesses maximum"));
    return graph;
}

qorGraph* vehicleGraph(const SpeedStatistics& s, const QDateTime& start, const QDateTime& end, bool hasGaps,
                       QWidget* parent)
{
    const QMap<int, QString> titles{{0, tr("Véhicules entrants %1").arg(s.countVehicles(start, end, 0))},
                                    {1, tr("Véhicules sortants %1").arg(s.countVehicles(start, end, 1))}};
    return new qorGraph(parent, qorGraph::toSamples(s.getVehicleBars()), titles, start.toSecsSinceEpoch(),
                        end.toSecsSinceEpoch(), qorGraph::VehicleKind, hasGaps, s.unitLabel());
}

DynaPlot* percentilePlot(const SpeedStatistics& s, int direction, QWidget* parent)
{
    qDebug() << (direction == 0 ? "Creating ingoing statistics graph" : "Creating outgoing statistics graph");
    const int top = qMax(s.getHighestSpeed(0), s.getHighestSpeed(1));
    auto* plot = new DynaPlot(parent, tr("Pourcentage de véhicules"),
                              QStringLiteral("%1 %2").arg(tr("Vitesse")).arg(s.unitLabel()), 0, 100, 10, top);
    if (s.getPercentageCurveSize(direction) > 0) {
        QVector<QPointF> points;
        for (const CurvePoint& point : s.getPercentageCurve(direction))
            points.append(QPointF(point.x, point.y));
        plot->addCurve(0, points, direction == 0 ? QColor(0, 128, 0) : QColor(0, 0, 128));
    }
    return plot;
}

QString pieTitle(int direction)
{
    return direction == 0 ? tr("Véhicules entrants") : tr("Véhicules sortants");
}

pieChart* pie(const SpeedStatistics& s, int direction, const QDateTime& start, const QDateTime& end, QWidget* parent)
{
    return new pieChart(parent, s.getDistribution(direction), s.vehicleDivider(), pieTitle(direction), s.unitLabel(),
                        s.countVehicles(start, end, direction), tr(" (et +)"));
}

} // namespace ResultCharts
