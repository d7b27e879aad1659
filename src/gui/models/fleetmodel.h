// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/fleet.h"

#include <QAbstractTableModel>
#include <QVector>

// The files of a fleet, one row per file and direction (one for a file without figures, its
// reason in the site column), added
// as they are analysed. The display role is text in the interface's format; kSortRole holds the
// number or date a column sorts by; the V85 and share columns are coloured by how far V85 is
// above the limit.
class FleetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The figures first: what a narrow window shows.
    enum Column {
        File,
        Site,
        Direction,
        DailyTraffic,
        MeanSpeed,
        V85,
        OverLimit,
        Limit,
        Period,
        CompleteDays,
        Quality,
        ColumnCount
    };
    static constexpr int kSortRole = Qt::UserRole;
    // The absolute path of the row's file.
    static constexpr int kFileRole = Qt::UserRole + 1;

    explicit FleetModel(QObject* parent = nullptr);

    void clear();
    void addFile(const FleetFile& file);
    const QVector<FleetFile>& files() const { return m_files; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // How far V85 is above the limit, as a colour: none at or below it, then yellow, orange, red
    // from 10 % and 20 % above it.
    static QColor excessColour(std::optional<int> v85, std::optional<int> limit);

private:
    struct Row
    {
        int file;
        int direction;   // -1: the file has no figures
    };
    QVariant value(const FleetFile& f, const DirectionSummary* g, int direction, int column, bool sort) const;

    QVector<FleetFile> m_files;
    QVector<Row> m_rows;
};
