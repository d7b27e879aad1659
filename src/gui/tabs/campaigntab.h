// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/tabs/analysistab.h"

#include <QDateTime>
#include <QFutureSynchronizer>
#include <functional>
#include <memory>

class CampaignListModel;
class CampaignSelection;

namespace Ui {
class CampaignTab;
}

// The campaigns of the file shown: its list, the details of the current one, and its title and
// description to edit. Also the campaign choice that comes before a file is analysed.
class CampaignTab : public AnalysisTab
{
    Q_OBJECT

public:
    explicit CampaignTab(QWidget* parent = nullptr);
    ~CampaignTab() override;

    // How the dates are written (the window's locale).
    void setDateText(std::function<QString(const QDateTime&)> dateText) { m_dateText = std::move(dateText); }
    // The campaign choice of file: the dialog, then the ids of the ticked campaigns; false (the
    // boxes said why) when nothing is to be analysed. The list still shows the previous file.
    bool choose(const QString& file, QList<int>* ids);
    // The list shows the campaigns of the last choice once its file was analysed.
    void setAnalysis(const std::shared_ptr<const Analysis>& analysis) override;
    CampaignListModel* model() const { return m_model; }

public slots:
    // The title and description of the current campaign, in their dialog, written to the file.
    void editCampaign();

private:
    void showDetails();
    void countMeasures(qint64 from, qint64 to);

    std::unique_ptr<Ui::CampaignTab> ui;
    CampaignListModel* m_model;
    std::function<QString(const QDateTime&)> m_dateText;
    // The campaigns shown, and those of a choice whose file is being analysed.
    std::unique_ptr<CampaignSelection> m_shown, m_chosen;
    QString m_file, m_chosenFile;
    // Counting a campaign's measures reads the whole file when it has no date index: done off the
    // window's thread, the latest request's answer shown.
    QFutureSynchronizer<qint64> m_counts;
    int m_countRequest = 0;
};
