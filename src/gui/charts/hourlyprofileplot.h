// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/trafficsummary.h"

#include <QString>
#include <qwt_plot.h>

// Mean vehicles per hour of the day on weekdays and on weekend days (bars, left axis), V85 of each
// hour (line, right axis) and the posted limit (horizontal line, right axis), for one group of
// the summary (a direction or both), in the summary charts' style. It shows a whole day: no zoom.
class HourlyProfilePlot : public QwtPlot
{
    Q_OBJECT

public:
    explicit HourlyProfilePlot(QWidget* parent = nullptr);
    // readings: the counts are readings (the divider off), and the axis says so.
    void setProfile(const DirectionSummary& group, std::optional<int> limit, const QString& unit, bool readings);
};
