// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tabs/resultcharts.h"

#include "gui/charts/percentileplot.h"
#include "gui/charts/speedclasspie.h"
#include "gui/charts/timeplot.h"
#include "analysis/speedstatistics.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLocale>

namespace ResultCharts {

namespace {

// The context lupdate gives the texts of this namespace.
QString tr(const char* text)
{
    return QCoreApplication::translate("ResultCharts", text);
}

}   // namespace

QMap<int, QString> speedTitles(double in, double out, const QString& unit, int decimals)
{
    // The interface's decimal separator: a comma in French.
    const QLocale locale;
    return {{0, tr("Sens entrant (%1 %2)").arg(locale.toString(in, 'f', decimals), unit)},
            {1, tr("Sens sortant (%1 %2)").arg(locale.toString(out, 'f', decimals), unit)}};
}

namespace {

// Drops what belongs to a direction the file does not have: an earlier file's direction keeps
// neither legend nor curve.
template <typename Map> Map present(const SpeedStatistics& s, Map map)
{
    const QList<int> directions = s.getDirections();
    for (const int d : map.keys())
        if (!directions.contains(d))
            map.remove(d);
    return map;
}

TimePlot* speedGraph(const SpeedStatistics& s, const QMap<int, CurvePoints>& curve, double in, double out,
                     const QString& title, const QDateTime& start, const QDateTime& end, QWidget* parent)
{
    const QString units = s.unitLabel();
    auto* graph =
        new TimePlot(parent, present(s, TimePlot::toPoints(curve)), present(s, speedTitles(in, out, units)),
                     start.toSecsSinceEpoch(), end.toSecsSinceEpoch(), TimePlot::SpeedKind, units, s.getFilter());
    graph->setPlotTitle(title);
    return graph;
}

}   // namespace

TimePlot* meanGraph(const SpeedStatistics& s, const QDateTime& start, const QDateTime& end, QWidget* parent)
{
    return speedGraph(s, s.getMeanCurve(), s.getMeanSpeed(0), s.getMeanSpeed(1), tr("Vitesses moyennes"), start, end,
                      parent);
}

TimePlot* maxGraph(const SpeedStatistics& s, const QDateTime& start, const QDateTime& end, QWidget* parent)
{
    return speedGraph(s, s.getMaxCurve(), s.getMaxSpeed(0), s.getMaxSpeed(1), tr("Vitesses maximum"), start, end,
                      parent);
}

TimePlot* vehicleGraph(const SpeedStatistics& s, const QDateTime& start, const QDateTime& end, bool readings,
                       QWidget* parent)
{
    const QMap<int, QString> titles{
        {0, (readings ? tr("Relevés entrants %1") : tr("Véhicules entrants %1")).arg(s.countVehicles(start, end, 0))},
        {1, (readings ? tr("Relevés sortants %1") : tr("Véhicules sortants %1")).arg(s.countVehicles(start, end, 1))}};
    auto* graph = new TimePlot(parent, present(s, TimePlot::toSamples(s.getVehicleBars())), present(s, titles),
                               start.toSecsSinceEpoch(), end.toSecsSinceEpoch(), TimePlot::VehicleKind, s.unitLabel(),
                               s.getFilter());
    graph->setCountsReadings(readings);
    return graph;
}

PercentilePlot* percentilePlot(const SpeedStatistics& s, int direction, QWidget* parent)
{
    qDebug() << (direction == 0 ? "Creating ingoing statistics graph" : "Creating outgoing statistics graph");
    const int top = qMax(s.getHighestSpeed(0), s.getHighestSpeed(1));
    auto* plot = new PercentilePlot(parent, tr("Pourcentage de véhicules"),
                                    QStringLiteral("%1 %2").arg(tr("Vitesse")).arg(s.unitLabel()), 0, 100, 10, top);
    if (s.getPercentageCurveSize(direction) > 0) {
        QVector<QPointF> points;
        for (const CurvePoint& point : s.getPercentageCurve(direction))
            points.append(QPointF(point.x, point.y));
        plot->addCurve(0, points, direction == 0 ? QColor(0, 128, 0) : QColor(0, 0, 128));
    }
    return plot;
}

QString pieTitle(int direction, bool readings)
{
    if (readings)
        return direction == 0 ? tr("Relevés entrants") : tr("Relevés sortants");
    return direction == 0 ? tr("Véhicules entrants") : tr("Véhicules sortants");
}

SpeedClassPie* pie(const SpeedStatistics& s, int direction, const QDateTime& start, const QDateTime& end, bool readings,
                   QWidget* parent)
{
    if (!s.getDirections().contains(direction))
        return nullptr;
    return new SpeedClassPie(parent, s.getDistribution(direction), s.vehicleDivider(), pieTitle(direction, readings),
                             s.unitLabel(), s.countVehicles(start, end, direction), tr(" (et +)"));
}

QString vehicleCountHeader(bool readings, int divider)
{
    if (readings)
        return tr("Nombre de relevés (sans diviseur)");
    return divider > 1 ? tr("Nombre véhicules (relevés / %1)").arg(divider) : tr("Nombre véhicules");
}

DirectionSamples presentSamples(const SpeedStatistics& s)
{
    return present(s, s.getFilteredSample());
}

}   // namespace ResultCharts
