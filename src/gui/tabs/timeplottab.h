// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/tabs/analysistab.h"

#include <QDateTime>

class ReportSection;
class TimePlot;

// The mean speeds, the maximum speeds or the vehicles of the analysed period against time. A
// zoom writes the figures of the interval shown into the legend.
class TimePlotTab : public AnalysisTab
{
    Q_OBJECT

public:
    enum Kind { MeanSpeed, MaxSpeed, Vehicles };

    explicit TimePlotTab(Kind kind, QWidget* parent = nullptr);

    void setAnalysis(const std::shared_ptr<const Analysis>& analysis) override;
    bool print() override;
    // Null before the first analysis.
    TimePlot* plot() const { return m_plot; }

    // The plot of kind over the whole period, legends of the whole period.
    static TimePlot* newPlot(const Analysis& analysis, Kind kind, QWidget* parent);
    // One page: the plot as newPlot() draws it at the page's size.
    static const ReportSection& reportSection(Kind kind);

private slots:
    // Legends with the figures of the interval, kept within the period.
    void visibleIntervalChanged(const QDateTime& begin, const QDateTime& end);

private:
    const Kind m_kind;
    std::shared_ptr<const Analysis> m_analysis;
    TimePlot* m_plot = nullptr;
};
