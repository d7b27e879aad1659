// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QMap>
#include <QString>

#include "analysis/speedstatistics.h"

class PercentilePlot;
class QWidget;
class SpeedClassPie;
class TimePlot;

// The charts of the result tabs, built from the engine's results after load(). The window and
// the operation report build them here, so that a report written without the window shows what
// the window would. Only the directions of the file in memory get curves, legends and pies; the
// time axes span start..end, the analysed period. With readings true (a "Standard" file with the
// divider off) the counts are called readings, not vehicles.
namespace ResultCharts {

// Legend texts of the two speed curves: each direction's figure in the interface's number
// format, then the unit.
QMap<int, QString> speedTitles(double in, double out, const QString& unit, int decimals = 2);

// "Vitesses moyennes" and "Vitesses maximum".
TimePlot* meanGraph(const SpeedStatistics& statistics, const QDateTime& start, const QDateTime& end, QWidget* parent);
TimePlot* maxGraph(const SpeedStatistics& statistics, const QDateTime& start, const QDateTime& end, QWidget* parent);
// The vehicles (or readings) of start..end in the legend.
TimePlot* vehicleGraph(const SpeedStatistics& statistics, const QDateTime& start, const QDateTime& end, bool readings,
                       QWidget* parent);
// Without a curve when the direction has no curve point.
PercentilePlot* percentilePlot(const SpeedStatistics& statistics, int direction, QWidget* parent);
// Null for a direction the file does not have; the vehicles of start..end.
SpeedClassPie* pie(const SpeedStatistics& statistics, int direction, const QDateTime& start, const QDateTime& end,
                   bool readings, QWidget* parent);
// "Véhicules entrants", "Relevés sortants"…
QString pieTitle(int direction, bool readings);
// The bucket table's count column: readings alone, or vehicles and the divider that made them.
QString vehicleCountHeader(bool readings, int divider);
// The engine's buckets of the directions the file has.
DirectionSamples presentSamples(const SpeedStatistics& statistics);

}   // namespace ResultCharts
