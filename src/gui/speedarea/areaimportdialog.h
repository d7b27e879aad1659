// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "speedarea/csvfile.h"

#include <QDialog>
#include <QModelIndex>
#include <memory>

namespace Ui {
class AreaImportDialog;
}

// Shows a speed area CSV file as a tree and collects the areas of the states the user clicks.
// The file is asked for and read while the dialog is built.
class AreaImportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AreaImportDialog(QWidget* parent = nullptr);
    ~AreaImportDialog() override;

    // False when no file was chosen or it could not be read.
    bool isLoaded() const { return m_loaded; }
    // The picked areas, named "area (state)".
    const SpeedAreaTable& pool() const { return m_pool; }
    CsvFile& reader() { return m_reader; }

public slots:
    // The first column takes the width the two others leave.
    void fitFirstColumn();
    // Picks or drops the areas of the state clicked.
    void togglePick(const QModelIndex& index);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<Ui::AreaImportDialog> ui;
    CsvFile m_reader;
    bool m_loaded = false;
    SpeedAreaTable m_pool;
};
