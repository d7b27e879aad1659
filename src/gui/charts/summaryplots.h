// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/trafficsummary.h"

#include <QString>
#include <qwt_plot.h>

// The two charts of the summary tab and report page, in the shared chart style. Neither zooms: they
// show a whole day and the whole speed range.

// Mean vehicles per hour of the day on weekdays and on weekend days (bars, left axis), V85 of each
// hour (line, right axis) and the posted limit (horizontal line, right axis), for one group of
// the summary (a direction or both).
class HourlyProfilePlot : public QwtPlot
{
    Q_OBJECT

public:
    explicit HourlyProfilePlot(QWidget* parent = nullptr);
    void setProfile(const DirectionSummary& group, std::optional<int> limit, const QString& unit);
};

// Vehicles per 5-unit speed bin, one bar series per direction that has readings, with the posted
// limit as a vertical line.
class SpeedBinPlot : public QwtPlot
{
    Q_OBJECT

public:
    explicit SpeedBinPlot(QWidget* parent = nullptr);
    void setSummary(const TrafficSummary& summary, const QString& unit);
};
