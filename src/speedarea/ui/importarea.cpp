#include "importarea.h"

#include "ui_importarea.h"

#include <QHeaderView>
#include <QScrollBar>

ImportArea::ImportArea(QWidget* parent) : QDialog(parent), ui(new Ui::ImportArea)
{
    ui->setupUi(this);
    m_bLoaded = m_reader.load();
    if (!m_bLoaded)
        return;
    QTreeView* tree = ui->gb4_treeView;
    tree->setModel(m_reader.model());
    tree->header()->setStretchLastSection(false);
    tree->expandAll();
    for (int column = 0; column < 3; ++column)
        tree->resizeColumnToContents(column);
    tree->setAnimated(false);
}

ImportArea::~ImportArea() = default;

void ImportArea::columnOptimize()
{
    QTreeView* tree = ui->gb4_treeView;
    int width = tree->width() - 4 - tree->columnWidth(1) - tree->columnWidth(2);
    if (tree->verticalScrollBar()->isVisible())
        width -= tree->verticalScrollBar()->width();
    tree->setColumnWidth(0, width);
}

void ImportArea::on_gb4_treeView_clicked(const QModelIndex& index)
{
    // One item is selected at a time: the one clicked.
    togglePick(m_reader.model(), index, &m_pool);
}

void ImportArea::on_gb4_treeView_collapsed(const QModelIndex&)
{
    columnOptimize();
}

void ImportArea::on_gb4_treeView_expanded(const QModelIndex&)
{
    columnOptimize();
}

void ImportArea::paintEvent(QPaintEvent* event)
{
    columnOptimize();
    QDialog::paintEvent(event);
}
