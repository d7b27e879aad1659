// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/speedarea/speedareaeditor.h"

#include "core/userdialogs.h"
#include "gui/speedarea/areaimportdialog.h"
#include "gui/dialogrunner.h"
#include "ui_speedareaeditor.h"

#include <QDebug>
#include <QDir>
#include <QHeaderView>
#include <QLocale>
#include <QScrollBar>

#include <climits>
#include <cmath>

namespace {

// A speed, in numeric order (a text that is not a number counts as 0); a cell the user creates by
// typing into an empty one is one too.
class SpeedCell : public QTableWidgetItem
{
public:
    bool operator<(const QTableWidgetItem& other) const override { return text().toDouble() < other.text().toDouble(); }
    QTableWidgetItem* clone() const override
    {
        auto* copy = new SpeedCell;
        static_cast<QTableWidgetItem&>(*copy) = *this;
        return copy;
    }
};

QString speedText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QTableWidgetItem* speedCell(double value)
{
    auto* item = new SpeedCell;
    item->setText(speedText(value));
    item->setTextAlignment(int(Qt::AlignLeft | Qt::AlignVCenter));
    return item;
}

// A cell read as a whole number, truncated toward zero; 0 for a missing cell or another text.
double cellValue(const QTableWidgetItem* item)
{
    if (!item)
        return 0;
    const double value = item->text().trimmed().toDouble();
    return std::isfinite(value) ? std::trunc(std::max(double(INT_MIN), std::min(double(INT_MAX), value))) : 0;
}

bool complete(const QTableWidget* table, int row)
{
    return table->item(row, 0) && table->item(row, 1);
}

}   // namespace

SpeedAreaEditor::SpeedAreaEditor(QWidget* parent) : QDialog(parent), ui(new Ui::SpeedAreaEditor)
{
    ui->setupUi(this);
    QTableWidget* table = ui->classTable;
    table->setItemPrototype(new SpeedCell);
    table->horizontalHeader()->setStretchLastSection(false);
    table->setSortingEnabled(true);
    table->sortByColumn(0, Qt::AscendingOrder);

    ui->addAreaButton->setIcon(QIcon(QStringLiteral(":/images/list-add.png")));
    ui->removeAreaButton->setIcon(QIcon(QStringLiteral(":/images/list-remove.png")));
    ui->addRowButton->setIcon(QIcon(QStringLiteral(":/images/insert-table-row.png")));
    ui->removeRowButton->setIcon(QIcon(QStringLiteral(":/images/table-row-delete.png")));
    ui->importButton->setIcon(QIcon(QStringLiteral(":/images/insert-spreadsheet.png")));
    // Enter ends a cell edit; it must not save and close the dialog.
    for (QPushButton* button : {ui->saveButton, ui->resetButton, ui->closeButton})
        button->setAutoDefault(false);

    // An imported name, "area (state)", is often wider than the box.
    connect(ui->areaCombo, &QComboBox::currentTextChanged, ui->areaCombo, &QWidget::setToolTip);
    connectCombo(true);
    connectTable(true);
    connect(ui->addAreaButton, &QToolButton::clicked, this, &SpeedAreaEditor::addArea);
    connect(ui->removeAreaButton, &QToolButton::clicked, this, &SpeedAreaEditor::delArea);
    connect(ui->addRowButton, &QToolButton::clicked, this, &SpeedAreaEditor::addRow);
    connect(ui->removeRowButton, &QToolButton::clicked, this, &SpeedAreaEditor::delRow);
    connect(ui->importButton, &QToolButton::clicked, this, &SpeedAreaEditor::import);
    connect(ui->saveButton, &QPushButton::clicked, this, &SpeedAreaEditor::save);
    connect(ui->resetButton, &QPushButton::clicked, this, &SpeedAreaEditor::reset);
    connect(ui->closeButton, &QPushButton::clicked, this, &SpeedAreaEditor::close);

    refill();
}

SpeedAreaEditor::~SpeedAreaEditor() = default;

void SpeedAreaEditor::connectCombo(bool on)
{
    const auto signal = QOverload<int>::of(&QComboBox::currentIndexChanged);
    if (on)
        connect(ui->areaCombo, signal, this, &SpeedAreaEditor::changeArea, Qt::UniqueConnection);
    else
        disconnect(ui->areaCombo, signal, this, &SpeedAreaEditor::changeArea);
}

void SpeedAreaEditor::connectTable(bool on)
{
    QTableWidget* table = ui->classTable;
    if (on) {
        connect(table, &QTableWidget::itemChanged, this, &SpeedAreaEditor::tableUpdated, Qt::UniqueConnection);
        connect(table, &QTableWidget::cellChanged, this, &SpeedAreaEditor::checkCellValues, Qt::UniqueConnection);
    } else {
        disconnect(table, &QTableWidget::itemChanged, this, &SpeedAreaEditor::tableUpdated);
        disconnect(table, &QTableWidget::cellChanged, this, &SpeedAreaEditor::checkCellValues);
    }
}

void SpeedAreaEditor::areasReloaded()
{
    if (ui)
        refill();
}

void SpeedAreaEditor::refill()
{
    fillCombo();
    fillTable();
    if (ui->areaCombo->count() > 0)
        checkTable();
    refreshButtons();
}

void SpeedAreaEditor::fillCombo()
{
    connectCombo(false);
    QComboBox* combo = ui->areaCombo;
    combo->clear();
    combo->addItems(areaNames());
    if (areaIndex() >= combo->count())
        setAreaIndex(qMax(0, combo->count() - 1));
    combo->setCurrentIndex(combo->count() > 0 ? areaIndex() : -1);
    connectCombo(true);
}

void SpeedAreaEditor::fillTable()
{
    ui->warningIcon->clear();
    ui->warningIcon->hide();
    ui->warningLabel->clear();
    ui->warningLabel->hide();

    QTableWidget* table = ui->classTable;
    connectTable(false);
    table->setSortingEnabled(false);
    table->setRowCount(0);
    // Straight from the table: an area without classes is shown empty, not warned about.
    const SpeedClassMap classes = areas().value(ui->areaCombo->currentText()).value(0);
    for (const SampleRecord& record : classes) {
        const int row = table->rowCount();
        table->insertRow(row);
        table->setItem(row, 0, speedCell(record.minSpeed));
        table->setItem(row, 1, speedCell(record.maxSpeed));
    }
    table->setAlternatingRowColors(true);
    table->setSortingEnabled(true);
    table->sortByColumn(0, Qt::AscendingOrder);
    connectTable(true);
}

void SpeedAreaEditor::showWarning(const QString& text)
{
    ui->warningIcon->setPixmap(QIcon(QStringLiteral(":/images/dialog-warning-3.png")).pixmap(22, 22));
    ui->warningIcon->show();
    ui->warningLabel->setText(text);
    ui->warningLabel->show();
}

bool SpeedAreaEditor::checkTable()
{
    ui->warningIcon->hide();
    ui->warningLabel->hide();
    QTableWidget* table = ui->classTable;

    QVector<int> rows;   // those with both cells; the others are passed over
    for (int row = 0; row < table->rowCount(); ++row) {
        if (complete(table, row))
            rows << row;
    }
    if (rows.isEmpty()) {
        showWarning(tr("Veuillez compléter la table"));
        return false;
    }

    const QIcon clean(QStringLiteral(":/images/dialog-clean.png"));
    const QIcon warning(QStringLiteral(":/images/dialog-warning-3.png"));
    bool valid = true;
    connectTable(false);
    table->item(rows.first(), 0)->setIcon(clean);
    for (int i = 0; i + 1 < rows.size(); ++i) {
        const bool contiguous = cellValue(table->item(rows[i + 1], 0)) == cellValue(table->item(rows[i], 1)) + 1;
        table->item(rows[i], 0)->setIcon(contiguous ? clean : warning);
        table->item(rows[i + 1], 0)->setIcon(clean);
        valid = valid && contiguous;
    }
    connectTable(true);
    if (!valid)
        showWarning(tr("Les vitesses doivent être contiguës"));
    return valid;
}

void SpeedAreaEditor::storeTable()
{
    const QString name = ui->areaCombo->currentText();
    if (name.isEmpty() && ui->areaCombo->count() == 0)
        return;
    QTableWidget* table = ui->classTable;
    SpeedClassMap classes;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (!complete(table, row))
            continue;
        SampleRecord record;
        record.minSpeed = cellValue(table->item(row, 0));
        record.maxSpeed = cellValue(table->item(row, 1));
        classes.insert(classes.size(), record);
    }
    setArea(name, classes);
}

void SpeedAreaEditor::setCell(int row, int col, double value)
{
    QTableWidget* table = ui->classTable;
    QTableWidgetItem* item = table->item(row, col);
    if (!item)
        table->setItem(row, col, speedCell(value));
    else if (item->text() != speedText(value))
        item->setText(speedText(value));
}

void SpeedAreaEditor::tableUpdated(QTableWidgetItem*)
{
    storeTable();
}

void SpeedAreaEditor::checkCellValues(int row, int)
{
    QTableWidget* table = ui->classTable;
    double lowest = cellValue(table->item(row, 0));
    double highest = cellValue(table->item(row, 1));
    if (lowest < lowestSpeed())
        lowest = std::trunc(lowestSpeed());
    if (highest > highestSpeed())
        highest = std::trunc(highestSpeed());
    if (highest - lowest < 1)
        highest = lowest + 1;

    // Rows must not move while both cells are written: sorting comes back afterwards.
    connectTable(false);
    table->setSortingEnabled(false);
    setCell(row, 0, lowest);
    setCell(row, 1, highest);
    QTableWidgetItem* edited = table->item(row, 0);
    table->setSortingEnabled(true);
    table->sortByColumn(0, Qt::AscendingOrder);
    connectTable(true);
    table->setCurrentItem(edited);
    storeTable();
    checkTable();
}

void SpeedAreaEditor::changeArea(int current)
{
    if (!checkTable()) {
        connectCombo(false);
        ui->areaCombo->setCurrentIndex(areaIndex());
        connectCombo(true);
        return;
    }
    setAreaIndex(current);
    fillTable();
    checkTable();
}

void SpeedAreaEditor::addRow()
{
    QTableWidget* table = ui->classTable;
    if (table->rowCount() > 14 && !debugMode()) {
        userDialogs().message(
            UserDialogs::Icon::Information, tr("Intervals"),
            tr("Le nombre maximum d'interval est atteint.<br/>Vous ne pouvez plus en ajouter de nouveau."));
        return;
    }
    const int row = table->currentRow() < 0 ? table->rowCount() : table->currentRow() + 1;
    connectTable(false);
    table->setSortingEnabled(false);
    table->insertRow(row);
    autoFillRow(row);
    QTableWidgetItem* added = table->item(row, 0);
    table->setSortingEnabled(true);
    table->sortByColumn(0, Qt::AscendingOrder);
    connectTable(true);
    if (added)
        table->setCurrentItem(added);
    else
        table->selectRow(row);
    storeTable();
    checkTable();
}

void SpeedAreaEditor::autoFillRow(int row)
{
    QTableWidget* table = ui->classTable;
    if (row < 1 || !complete(table, row - 1)) {
        qWarning() << "No row available for automatic computing";
        return;
    }
    const double lowest = cellValue(table->item(row - 1, 0));
    const double highest = cellValue(table->item(row - 1, 1));
    const double newLowest = highest + 1;
    const double newHighest = newLowest + (highest - lowest);
    if (newLowest > 0 && newHighest > 0) {
        table->setItem(row, 0, speedCell(newLowest));
        table->setItem(row, 1, speedCell(newHighest));
    }
}

void SpeedAreaEditor::delRow()
{
    QTableWidget* table = ui->classTable;
    if (table->rowCount() == 1) {
        userDialogs().message(UserDialogs::Icon::Information, tr("Intervals"), tr("La table ne peut pas être vide."));
        return;
    }
    const int row = table->currentRow();
    if (row < 0)
        return;
    table->removeRow(row);
    storeTable();
    const int above = qMax(0, row - 1);
    if (above < table->rowCount())
        table->selectRow(above);
    checkTable();
}

void SpeedAreaEditor::addArea()
{
    if (!areaNames().isEmpty() && !checkTable()) {
        refreshButtons();
        return;
    }
    QString name;
    if (userDialogs().getText(tr("Emplacement"), tr("Nom de l'emplacement :"), QString(), &name)) {
        name = name.trimmed();
        if (!name.isEmpty() && !contains(name)) {
            SampleRecord record;
            record.minSpeed = lowestSpeed();
            record.maxSpeed = highestSpeed();
            setArea(name, SpeedClassMap{{0, record}});
            selectArea(name);
            fillCombo();
            fillTable();
            checkTable();
        }
    }
    refreshButtons();
}

void SpeedAreaEditor::delArea()
{
    if (!areaNames().isEmpty()) {
        const QString name = ui->areaCombo->currentText();
        const int answer = userDialogs().question(
            tr("Reset"),
            tr("Vous allez supprimer la zone <b>%1</b><br/>Êtes-vous sûr ?<br/><br/>").arg(name.toHtmlEscaped()),
            {tr("Oui"), tr("Non")}, 0);
        if (answer == 0) {
            connectCombo(false);
            removeArea(name);
            ui->areaCombo->removeItem(ui->areaCombo->currentIndex());
            setAreaIndex(qMax(0, ui->areaCombo->currentIndex()));
            fillTable();
            connectCombo(true);
            if (ui->areaCombo->count() > 0)
                checkTable();
        }
    }
    refreshButtons();
}

void SpeedAreaEditor::reset()
{
    if (areaNames().isEmpty()) {
        loadAreas(true, QString());
        return;
    }
    const QString name = ui->areaCombo->currentText();
    const int answer = userDialogs().question(
        tr("Reset"),
        tr("La zone <b>%1</b> va être réinitialisée<br/><br/>Êtes-vous sûr ?<br/><br/>").arg(name.toHtmlEscaped()),
        {tr("Oui"), tr("Non")}, 1);
    if (answer != 0)
        return;
    loadAreas(true, name);
    selectArea(name);
    refill();
}

void SpeedAreaEditor::save()
{
    if (!checkTable())
        return;
    if (saveFile(file()))
        accept();
    else
        userDialogs().message(UserDialogs::Icon::Warning, tr("Zones de vitesse"),
                              tr("Les zones n'ont pas pu être enregistrées dans %1 : %2.")
                                  .arg(QDir::toNativeSeparators(file()), saveError()));
}

void SpeedAreaEditor::import()
{
    m_import = std::make_unique<AreaImportDialog>();
    if (m_import->isLoaded()) {
        m_import->fitFirstColumn();
        if (runDialog(*m_import) == QDialog::Accepted) {
            selectArea(ui->areaCombo->currentText());
            importAreas(m_import->pool());
            refill();
        }
    }
    m_import.reset();
}

void SpeedAreaEditor::refreshButtons()
{
    const bool any = ui->areaCombo->count() > 0;
    ui->removeAreaButton->setEnabled(any);
    ui->addRowButton->setEnabled(any);
    ui->removeRowButton->setEnabled(any);
}

void SpeedAreaEditor::columnOptimize()
{
    QTableWidget* table = ui->classTable;
    int width = table->width() - 5 - table->verticalHeader()->width();
    if (table->verticalScrollBar()->isVisible())
        width -= table->verticalScrollBar()->width();
    table->setColumnWidth(0, width / 2);
    table->setColumnWidth(1, width / 2);
}

void SpeedAreaEditor::paintEvent(QPaintEvent* event)
{
    columnOptimize();
    QDialog::paintEvent(event);
}
