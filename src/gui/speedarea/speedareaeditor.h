// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "speedarea/speedarea.h"

#include <QDialog>
#include <memory>

class QTableWidgetItem;
class AreaImportDialog;

namespace Ui {
class SpeedAreaEditor;
}

// The speed area editor: one area at a time in a two-column table (lowest and highest speed of
// each class). Edits change the area table at once; only save() writes the file.
//
// The caller sets units, file, area, speed range and debug flag on the model, then refill()s and
// shows the dialog; changes reach the rest of the program only through the saved file.
class SpeedAreaEditor : public QDialog, public SpeedArea
{
    Q_OBJECT

public:
    explicit SpeedAreaEditor(QWidget* parent = nullptr);
    ~SpeedAreaEditor() override;

    // Combo box and table from the area table, on the current area.
    void refill();
    // A valid area: at least one class, each starting one above the previous class's highest
    // speed. Shows or hides the warning and marks the row before each gap.
    bool checkTable();

public slots:
    void changeArea(int current);
    void tableUpdated(QTableWidgetItem* item);
    void checkCellValues(int row, int col);
    void import();
    void save();
    void reset();
    void addRow();
    void delRow();
    void addArea();
    void delArea();
    void columnOptimize();

protected:
    void paintEvent(QPaintEvent* event) override;
    void areasReloaded() override;

private:
    void fillCombo();
    void fillTable();
    void storeTable();
    void autoFillRow(int row);
    void refreshButtons();
    void connectTable(bool on);
    void connectCombo(bool on);
    void showWarning(const QString& text);
    void setCell(int row, int col, double value);

    std::unique_ptr<Ui::SpeedAreaEditor> ui;
    std::unique_ptr<AreaImportDialog> m_import;
};
