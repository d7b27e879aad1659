// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tabs/buckettabletab.h"

#include "gui/models/buckettablemodel.h"
#include "gui/report/reportsection.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The rows of one page of the report's table.
constexpr int kPageRows = 50;

QString tableHtml(const QStringList& header, const QVector<QStringList>& rows)
{
    QString html = QStringLiteral("<html>") + QStringLiteral("<style type=\"text/css\">")
        + QStringLiteral("table.sample {font-size:10px;}")
        + QStringLiteral("table.sample tr.header  { padding: 1px; color: green; margin-bottom: 4px;}")
        + QStringLiteral("table.sample tr.odd  td { padding: 1px; background-color:rgb(221,221,221); border: none "
                         "!important;}")
        + QStringLiteral("table.sample tr.even td { background-color:white; border: none !important;}")
        + QStringLiteral("</style>")
        + BucketTableTab::tr("<body><h2>Historique des mesures</h2><hr/><table class=\"sample\" width=100%>");
    html += QStringLiteral("<tr class=\"header\">");
    for (int column = 0; column < header.size(); ++column)
        html += (column == 0 ? QStringLiteral("<td><b>%1</b></td>") : QStringLiteral("<td align=center><b>%1</b></td>"))
                    .arg(header.at(column).toHtmlEscaped());
    html += QStringLiteral("</tr>");
    for (int row = 0; row < rows.size(); ++row) {
        html += row % 2 == 0 ? QStringLiteral("<tr class=\"odd\">") : QStringLiteral("<tr class=\"even\">");
        const QStringList& cells = rows.at(row);
        for (int column = 0; column < cells.size(); ++column)
            html += (column == 0 ? QStringLiteral("<td>%1</td>") : QStringLiteral("<td align=right>%1</td>"))
                        .arg(cells.at(column).toHtmlEscaped());
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table><hr/></body></html>");
}

class TableSection : public ReportSection
{
public:
    bool checkedByDefault() const override { return false; }
    // An empty table still counts a page.
    int pageCount(const ReportContent& c) const override
    {
        return 1 + (c.table ? c.table->rowCount() - 1 : 0) / kPageRows;
    }
    bool draw(ReportPage& page) const override
    {
        const QAbstractItemModel* table = page.content().table;
        const int rows = table ? table->rowCount() : 0;
        QStringList header;
        for (int column = 0; table && column < table->columnCount(); ++column)
            header << table->headerData(column, Qt::Horizontal).toString();
        for (int first = 0; first < rows; first += kPageRows) {
            QVector<QStringList> cells;
            for (int row = first; row < qMin(rows, first + kPageRows); ++row) {
                QStringList line;
                for (int column = 0; column < table->columnCount(); ++column)
                    line << table->index(row, column).data().toString();
                cells << line;
            }
            if (!page.beginPage())
                return false;
            page.drawHtml(tableHtml(header, cells), 20, 70, ReportPage::kFooterTop - 70);
            page.drawHeader();
            page.drawFooter();
        }
        return true;
    }
};

}   // namespace

BucketTableTab::BucketTableTab(QWidget* parent)
    : AnalysisTab(parent), m_model(new BucketTableModel(this)), m_rows(BucketTableModel::newestFirst(m_model, this)),
      m_view(new QTableView)
{
    m_view->setObjectName(QStringLiteral("bucketTable"));
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setAlternatingRowColors(true);
    m_view->setModel(m_rows);
    m_view->setSortingEnabled(true);
    m_view->sortByColumn(0, Qt::DescendingOrder);
    // Whole headers readable before the first table fills the columns.
    m_view->resizeColumnsToContents();
    (new QVBoxLayout(this))->addWidget(m_view);
}

void BucketTableTab::setAnalysis(const std::shared_ptr<const Analysis>& analysis)
{
    m_model->setAnalysis(analysis);
    // Every new table starts newest first, whatever column the user sorted the last one by.
    m_view->sortByColumn(0, Qt::DescendingOrder);
    m_unsized = true;
    if (isVisible())
        fitColumns();
}

void BucketTableTab::showEvent(QShowEvent* event)
{
    AnalysisTab::showEvent(event);
    fitColumns();
}

void BucketTableTab::fitColumns()
{
    // Measuring the cells of a year takes longer than the window may stop answering for each
    // analysis: done when the table is seen.
    if (m_unsized)
        m_view->resizeColumnsToContents();
    m_unsized = false;
}

const ReportSection& BucketTableTab::reportSection()
{
    static const TableSection section;
    return section;
}
