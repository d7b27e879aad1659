// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/tabs/analysistab.h"

class QVBoxLayout;
class ReportSection;
class SpeedClassPie;

// The vehicles of each direction by speed class of the chosen area, as pies.
class DistributionTab : public AnalysisTab
{
    Q_OBJECT

public:
    explicit DistributionTab(QWidget* parent = nullptr);

    void setAnalysis(const std::shared_ptr<const Analysis>& analysis) override;
    // Each direction's pie through its own print dialog.
    bool print() override;
    // The pies shown, ingoing first.
    QList<SpeedClassPie*> pies() const;

    // Null for a direction the file does not have.
    static SpeedClassPie* newPie(const Analysis& analysis, int direction, QWidget* parent);
    // "Véhicules entrants", "Relevés sortants"…
    static QString pieTitle(int direction, bool readings);
    // One page: both pies with their class tables.
    static const ReportSection& reportSection();
    // "Répartition des véhicules par classe de vitesse", or of the readings.
    static QString title(const Analysis& analysis);
    // The classes of a direction: count, share and cumulative share, as an HTML table.
    static QString classTableHtml(const Analysis& analysis, int direction);

private:
    std::shared_ptr<const Analysis> m_analysis;
    QVBoxLayout* m_columns[2];
    class QLabel* m_heading = nullptr;
};
