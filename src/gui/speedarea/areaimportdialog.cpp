// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/speedarea/areaimportdialog.h"

#include "ui_areaimportdialog.h"

#include <QHeaderView>
#include <QScrollBar>

AreaImportDialog::AreaImportDialog(QWidget* parent) : QDialog(parent), ui(new Ui::AreaImportDialog)
{
    ui->setupUi(this);
    connect(ui->areaTree, &QTreeView::clicked, this, &AreaImportDialog::togglePick);
    connect(ui->areaTree, &QTreeView::collapsed, this, &AreaImportDialog::fitFirstColumn);
    connect(ui->areaTree, &QTreeView::expanded, this, &AreaImportDialog::fitFirstColumn);
    m_loaded = m_reader.load();
    if (!m_loaded)
        return;
    QTreeView* tree = ui->areaTree;
    tree->setModel(m_reader.model());
    tree->header()->setStretchLastSection(false);
    // A national list of millions of rows would take the view seconds and a gigabyte to open
    // whole: then only the states show, which is what a pick needs.
    if (m_reader.model()->itemCount() <= 20000)
        tree->expandAll();
    else
        tree->expandToDepth(0);
    for (int column = 0; column < 3; ++column)
        tree->resizeColumnToContents(column);
    tree->setAnimated(false);
}

AreaImportDialog::~AreaImportDialog() = default;

void AreaImportDialog::fitFirstColumn()
{
    QTreeView* tree = ui->areaTree;
    int width = tree->width() - 4 - tree->columnWidth(1) - tree->columnWidth(2);
    if (tree->verticalScrollBar()->isVisible())
        width -= tree->verticalScrollBar()->width();
    tree->setColumnWidth(0, width);
}

void AreaImportDialog::togglePick(const QModelIndex& index)
{
    // One item is selected at a time: the one clicked.
    ::togglePick(m_reader.model(), index, &m_pool);
}

void AreaImportDialog::paintEvent(QPaintEvent* event)
{
    fitFirstColumn();
    QDialog::paintEvent(event);
}
