// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/wallclock.h"

#include <QAbstractTableModel>
#include <QString>
#include <QVector>
#include <memory>

class Analysis;
class QSortFilterProxyModel;

// The buckets of an analysis that hold readings, one row each: the ingoing direction's first,
// each direction in time order. The display role holds the text the table shows, the edit role
// the number it stands for (the bucket's Unix start for the date, 0 or 1 for the direction),
// which is what the sort proxy, the CSV export and the report read.
class BucketTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { DateColumn, ReadingsColumn, VehiclesColumn, MeanColumn, MaxColumn, DirectionColumn, ColumnCount };

    explicit BucketTableModel(QObject* parent = nullptr);
    ~BucketTableModel() override;

    // Null empties the table.
    void setAnalysis(const std::shared_ptr<const Analysis>& analysis);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // The number of a cell, as the edit role holds it.
    double number(int row, int column) const;

    // A proxy over model sorting by number, newest bucket first (ingoing before outgoing at the
    // same start).
    static QSortFilterProxyModel* newestFirst(BucketTableModel* model, QObject* parent);

private:
    struct Row
    {
        qint64 time;
        int readings;
        int vehicles;
        double mean;
        double max;
        int direction;
    };
    QVector<Row> m_rows;
    // The dates are written when shown: a year holds 35,000 rows.
    mutable WallClock m_clock;
    bool m_readings = false;
    int m_divider = 1;
};
