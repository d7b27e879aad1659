// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/tabs/analysistab.h"

#include <QCoreApplication>
#include <QStringList>
#include <QVector>
#include <memory>

class BeforeAfter;
class QLabel;
class QTableWidget;
class QwtPlot;
class ReportSection;
class SpeedComparison;

// One line of the comparison table: a figure of A, of B, their change and its test.
struct ComparisonLine
{
    QString label, a, b, change, test;
};

// The "Comparaison" tab: A (before) and B (after) side by side, per direction, with the change
// of each figure, its test and a verdict in words; the cumulative speed curves of A and B with
// their V85, and the V85 of each hour of the day of A and B.
class ComparisonTab : public AnalysisTab
{
    Q_OBJECT

public:
    explicit ComparisonTab(QWidget* parent = nullptr);

    // The comparison's own analyses are what it shows: the window's does not change it.
    void setAnalysis(const std::shared_ptr<const Analysis>&) override { }
    void setComparison(const std::shared_ptr<const BeforeAfter>& comparison);
    std::shared_ptr<const BeforeAfter> comparison() const { return m_comparison; }
    bool print() override;

    // The lines of one direction; csv: plain numbers (decimal point, shares in percent) and
    // empty fields where the table shows "—".
    static QVector<ComparisonLine> lines(const SpeedComparison& c, const QString& unit, bool csv);
    // The table, then the sides and the verdicts, as semicolon-separated UTF-8 into file (written
    // whole or not at all); false with the reason in *error.
    static bool writeCsv(const BeforeAfter& c, const QString& file, QString* error = nullptr);
    // "<folder>/<name>-comparaison.csv" beside the export file.
    static QString csvFile(const QString& exportFile);
    // "A : file, from … to …", and B's.
    static QStringList sideTexts(const BeforeAfter& c);
    // The section "Comparaison avant / après": the figures and verdicts, then the charts. No page
    // without a comparison.
    static const ReportSection& reportSection();
    static QString sectionTitle() { return tr("Comparaison avant / après"); }

private:
    std::shared_ptr<const BeforeAfter> m_comparison;
    QLabel* m_heading;
    QTableWidget* m_table;
    QLabel* m_verdicts;
    QwtPlot* m_cumulative[2];
    QwtPlot* m_hourly;
};
