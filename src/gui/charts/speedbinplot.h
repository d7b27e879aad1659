// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/trafficsummary.h"

#include <QString>
#include <qwt_plot.h>

// Vehicles per 5-unit speed bin, one bar series per direction that has readings, with the posted
// limit as a vertical line. It shows the whole speed range: no zoom.
class SpeedBinPlot : public QwtPlot
{
    Q_OBJECT

public:
    explicit SpeedBinPlot(QWidget* parent = nullptr);
    void setSummary(const TrafficSummary& summary, const QString& unit);
};
