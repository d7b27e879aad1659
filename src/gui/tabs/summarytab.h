// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/trafficsummary.h"

#include <QWidget>

namespace Ui {
class SummaryTab;
}
class HourlyProfilePlot;
class SpeedBinPlot;
class QTableWidget;

// The "Synthèse" tab: the summary's figures in two columns, the data quality, the hour-of-day
// profile of both directions and the speed histogram. It only shows what it is given.
class SummaryTab : public QWidget
{
    Q_OBJECT

public:
    explicit SummaryTab(QWidget* parent = nullptr);
    ~SummaryTab() override;

    void setSummary(const TrafficSummary& summary, const QString& unit);
    const TrafficSummary& summary() const { return m_summary; }

    // For printing and for the report: the charts as last shown.
    HourlyProfilePlot* hourlyPlot() const { return m_hourly; }
    SpeedBinPlot* speedPlot() const { return m_speeds; }
    QTableWidget* leftTable() const;
    QTableWidget* rightTable() const;
    // The two charts, each through its own print dialog.
    void print();

private:
    Ui::SummaryTab* ui;
    TrafficSummary m_summary;
    HourlyProfilePlot* m_hourly = nullptr;
    SpeedBinPlot* m_speeds = nullptr;
};
