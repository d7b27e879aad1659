// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/tabs/analysistab.h"

class BucketTableModel;
class QSortFilterProxyModel;
class QTableView;
class ReportSection;

// The buckets that hold readings, newest first until the user sorts by another column.
class BucketTableTab : public AnalysisTab
{
    Q_OBJECT

public:
    explicit BucketTableTab(QWidget* parent = nullptr);

    void setAnalysis(const std::shared_ptr<const Analysis>& analysis) override;
    BucketTableModel* model() const { return m_model; }
    // The rows in the order shown.
    QSortFilterProxyModel* rows() const { return m_rows; }

    // The rows of the report's content, 50 a page; not checked by default.
    static const ReportSection& reportSection();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fitColumns();

    BucketTableModel* m_model;
    QSortFilterProxyModel* m_rows;
    QTableView* m_view;
    bool m_unsized = false;
};
