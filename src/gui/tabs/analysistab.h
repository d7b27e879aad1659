// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <memory>

class Analysis;

// A tab of the window's results: it shows one analysis and keeps nothing else. The tab classes
// also draw the report's pages of the same figures (reportSections()), from the analysis alone,
// so that a page looks the same whether the tab was shown or not, from the window or the command
// line.
class AnalysisTab : public QWidget
{
public:
    using QWidget::QWidget;

    // Builds the tab's views again from analysis (never null).
    virtual void setAnalysis(const std::shared_ptr<const Analysis>& analysis) = 0;
    // Prints what the tab shows, each chart through its print dialog; false when there is
    // nothing to print on it.
    virtual bool print() { return false; }
};
