// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/trafficsummary.h"
#include "gui/tabs/analysistab.h"

namespace Ui {
class SummaryTab;
}
class HourlyProfilePlot;
class SpeedBinPlot;
class QTableWidget;
class ReportSection;

// The "Synthèse" tab: the summary's figures in two columns, the data quality, the hour-of-day
// profile of both directions and the speed histogram.
class SummaryTab : public AnalysisTab
{
    Q_OBJECT

public:
    explicit SummaryTab(QWidget* parent = nullptr);
    ~SummaryTab() override;

    void setAnalysis(const std::shared_ptr<const Analysis>& analysis) override;

    // The two charts, each through its own print dialog.
    bool print() override;

    // One page: the figures and the two charts.
    static const ReportSection& reportSection();
    // The period, the limit (or, withLink, the way to give one) and the store mode.
    static QString headingHtml(const TrafficSummary& summary, const QString& unit, bool withLink);

signals:
    // "Renseigner…" beside a missing limit.
    void limitRequested();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

signals:
    // "Comparer…": this analysis with another period, campaign or file.
    void compareRequested();

private:
    void arrangeTables();

    Ui::SummaryTab* ui;
    HourlyProfilePlot* m_hourly = nullptr;
    SpeedBinPlot* m_speeds = nullptr;
    std::shared_ptr<const Analysis> m_analysis;
};
