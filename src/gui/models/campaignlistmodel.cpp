// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/models/campaignlistmodel.h"

CampaignListModel::CampaignListModel(QObject* parent) : QAbstractListModel(parent) { }

void CampaignListModel::setSelection(CampaignSelection* selection)
{
    beginResetModel();
    m_selection = selection;
    m_rows = selection ? selection->rows() : QList<int>();
    m_campaigns.clear();
    for (int row : qAsConst(m_rows))
        m_campaigns.append(selection->campaign(row));
    endResetModel();
}

void CampaignListModel::setCheckable(bool checkable)
{
    m_checkable = checkable;
    ticksChanged();
}

int CampaignListModel::selectionRow(int row) const
{
    return m_rows.value(row, -1);
}

int CampaignListModel::listRow(int selectionRow) const
{
    return m_rows.indexOf(selectionRow);
}

CampaignInfo CampaignListModel::campaign(int row) const
{
    return m_campaigns.value(row);
}

void CampaignListModel::setCampaign(int row, const CampaignInfo& campaign)
{
    if (row < 0 || row >= m_campaigns.size())
        return;
    m_campaigns[row] = campaign;
    emit dataChanged(index(row), index(row), {Qt::DisplayRole, Qt::ToolTipRole});
}

void CampaignListModel::rowsChanged()
{
    setSelection(m_selection);
}

void CampaignListModel::ticksChanged()
{
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(m_rows.size() - 1), {Qt::CheckStateRole});
}

int CampaignListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

QVariant CampaignListModel::data(const QModelIndex& index, int role) const
{
    if (!m_selection || !index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const int row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return m_campaigns.at(index.row()).title;
    case Qt::CheckStateRole:
        if (m_checkable)
            return m_selection->isTicked(row) ? Qt::Checked : Qt::Unchecked;
        return QVariant();
    default: return QVariant();
    }
}

bool CampaignListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!m_selection || !m_checkable || role != Qt::CheckStateRole || !index.isValid() || index.row() >= m_rows.size())
        return false;
    m_selection->setTicked(m_rows.at(index.row()), value.toInt() == Qt::Checked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags CampaignListModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractListModel::flags(index);
    return m_checkable ? f | Qt::ItemIsUserCheckable : f;
}
