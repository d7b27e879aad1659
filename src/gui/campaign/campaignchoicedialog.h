// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/models/campaignlistmodel.h"

#include <QDateTime>
#include <QDialog>
#include <QMap>
#include <functional>
#include <memory>

class CampaignSelection;
class CampaignSynopsis;
class DatabaseConnection;
class QPushButton;
struct CampaignInfo;

namespace Ui {
class CampaignChoiceDialog;
}

// The campaign list dialog: one row per campaign of a selection, to tick the campaigns of an
// analysis or to delete campaigns. The ticks live in the selection, read and written through a
// list model; the rows only show them.
class CampaignChoiceDialog : public QDialog
{
    Q_OBJECT

public:
    using DateText = std::function<QString(const QDateTime&)>;

    // Shows a row for every row the selection already holds. dateText writes the dates of the
    // rows (the locale's long date and short time when empty).
    explicit CampaignChoiceDialog(CampaignSelection& selection, DateText dateText = {}, QWidget* parent = nullptr);
    ~CampaignChoiceDialog() override;

    CampaignSelection& selection() { return m_selection; }
    CampaignListModel& model() { return m_model; }
    // Borrowed connection for the deletion.
    void setDatabase(DatabaseConnection* db);
    // A new campaign at the bottom (the first one is ticked); answers its row number.
    int addCampaign(const CampaignInfo& campaign);

    // The row widgets by row number of the selection.
    QMap<int, CampaignSynopsis*> rows() const { return m_rows; }
    QPushButton* selectAllButton() const { return m_selectAll; }
    QPushButton* removeButton() const { return m_remove; }
    QPushButton* reverseButton() const { return m_reverse; }

public slots:
    void removeCampaigns();
    void selectAll();
    void unselectAll();
    void reverseSelection();
    void toggleAll();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void addRow(int listRow);
    void removeRow(int row);
    // Makes the check boxes show the model's ticks.
    void showTicks();
    void fitContents();

    std::unique_ptr<Ui::CampaignChoiceDialog> ui;
    CampaignSelection& m_selection;
    CampaignListModel m_model;
    DateText m_dateText;
    QMap<int, CampaignSynopsis*> m_rows;
    QPushButton* m_selectAll = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_reverse = nullptr;
};
