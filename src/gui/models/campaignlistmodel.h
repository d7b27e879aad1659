// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "campaign/campaignselection.h"

#include <QAbstractListModel>
#include <QVector>

// The campaigns of a selection, one row each in the selection's order: the title in the display
// and tool-tip roles, the tick in the check-state role (when checkable). The ticks live in the
// selection, a change made there directly shows after ticksChanged(); the campaigns are copied
// when the selection is set, so that an edited title shows without reading the file again.
class CampaignListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit CampaignListModel(QObject* parent = nullptr);

    // Not owned; null empties the list.
    void setSelection(CampaignSelection* selection);
    CampaignSelection* selection() const { return m_selection; }
    // Without, the rows have no check state (the window's list shows what was chosen).
    void setCheckable(bool checkable);

    // The selection's row number of a list row, and back (-1 when there is none).
    int selectionRow(int row) const;
    int listRow(int selectionRow) const;
    CampaignInfo campaign(int row) const;
    void setCampaign(int row, const CampaignInfo& campaign);

    // The selection's rows changed: a row was added or removed, ticks were changed in it.
    void rowsChanged();
    void ticksChanged();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    CampaignSelection* m_selection = nullptr;
    QList<int> m_rows;   // selection rows, in order
    QVector<CampaignInfo> m_campaigns;
    bool m_checkable = true;
};
