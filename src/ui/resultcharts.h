#pragma once

#include <QDateTime>
#include <QMap>
#include <QString>

class DynaPlot;
class QWidget;
class SpeedStatistics;
class pieChart;
class qorGraph;

// The charts of the result tabs, built from the engine's results after load(). The window and
// the operation report build them here, so that a report written without the window shows what
// the window would.
namespace ResultCharts {

// Legend texts of the two speed curves: each direction's figure, then the unit.
QMap<int, QString> speedTitles(double in, double out, const QString& unit, int decimals = 2);

// "Vitesses moyennes" and "Vitesses maximum" over the engine's own period.
qorGraph* meanGraph(const SpeedStatistics& statistics, bool hasGaps, QWidget* parent);
qorGraph* maxGraph(const SpeedStatistics& statistics, bool hasGaps, QWidget* parent);
// The vehicles of start..end (the period editors) in the legend.
qorGraph* vehicleGraph(const SpeedStatistics& statistics, const QDateTime& start, const QDateTime& end,
                       bool hasGaps, QWidget* parent);
// Without a curve when the direction has no curve point.
DynaPlot* percentilePlot(const SpeedStatistics& statistics, int direction, QWidget* parent);
// Titled "Véhicules entrants" or "Véhicules sortants"; the vehicles of start..end.
pieChart* pie(const SpeedStatistics& statistics, int direction, const QDateTime& start, const QDateTime& end,
              QWidget* parent);
QString pieTitle(int direction);

} // namespace ResultCharts
