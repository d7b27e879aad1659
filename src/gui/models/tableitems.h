// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/speedstatistics.h"

#include <QTableWidgetItem>

class QTableWidget;

// Table cells hold text only; these items sort by the value the text stands for.

// Numeric order of the texts; a text that is not a number counts as 0.
class QTableWidgetItemInt : public QTableWidgetItem
{
public:
    QTableWidgetItemInt() = default;
    bool operator<(const QTableWidgetItem& other) const override;
};

// Same order as QTableWidgetItemInt; kept apart so that speed columns say what they hold.
class QTableWidgetItemSpeed : public QTableWidgetItem
{
public:
    QTableWidgetItemSpeed() = default;
    bool operator<(const QTableWidgetItem& other) const override;
};

// Chronological order of texts "dd/MM/yyyy hh:mm".
class QTableWidgetItemDate : public QTableWidgetItem
{
public:
    QTableWidgetItemDate();
    bool operator<(const QTableWidgetItem& other) const override;
    void setData(int role, const QVariant& value) override;

private:
    friend void fillSpeedTable(QTableWidget*, const DirectionSamples&);
    qint64 sortKey() const;

    // The text's date as yyyyMMddhhmm, worked out once: sorting a year of buckets compares it
    // a million times.
    mutable qint64 m_key;
};

// Code-unit order of the texts, whatever the locale.
class QTableWidgetItemText : public QTableWidgetItem
{
public:
    QTableWidgetItemText() = default;
    bool operator<(const QTableWidgetItem& other) const override;
};

// Rebuilds the speed table: one row per valid bucket, direction 0 before 1, then sorted newest
// first (buckets of both directions with the same start stay ingoing first). Columns: date,
// readings, vehicles (0 when the mean speed is not above 0), mean, maximum, direction.
void fillSpeedTable(QTableWidget* table, const DirectionSamples& samples);
