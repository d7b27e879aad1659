// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/tabs/analysistab.h"

class PercentilePlot;
class QLabel;
class ReportSection;

// The cumulative speed curve of each direction, with its V85, V50 and V30.
class PercentileTab : public AnalysisTab
{
    Q_OBJECT

public:
    explicit PercentileTab(QWidget* parent = nullptr);

    void setAnalysis(const std::shared_ptr<const Analysis>& analysis) override;
    // Each direction's plot through its own print dialog.
    bool print() override;
    // Null for a direction the file does not have.
    PercentilePlot* plot(int direction) const { return m_plots[direction]; }

    // The plot of a direction, empty when it has no curve.
    static PercentilePlot* newPlot(const Analysis& analysis, int direction, QWidget* parent);
    // A page per direction of the file: the plot and its three percentiles.
    static const ReportSection& reportSection();

public slots:
    // What V85, V50 and V30 are, in a box.
    void explainPercentiles();

private:
    struct Column
    {
        QList<QWidget*> widgets;   // all of them, hidden for a direction the file lacks
        QLabel* values[3] = {};   // V85, V50, V30
        QLabel* units[3] = {};
        QLabel* title = nullptr;
        QWidget* view = nullptr;   // holds the plot
    };
    Column m_columns[2];
    PercentilePlot* m_plots[2] = {};
    std::shared_ptr<const Analysis> m_analysis;
};
