// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/campaign/campaignchoicedialog.h"

#include "campaign/campaignselection.h"
#include "gui/campaign/campaignsynopsis.h"
#include "ui_campaignchoicedialog.h"

#include <QLocale>
#include <QPushButton>
#include <QScrollBar>

CampaignChoiceDialog::CampaignChoiceDialog(CampaignSelection& selection, DateText dateText, QWidget* parent)
    : QDialog(parent), ui(new Ui::CampaignChoiceDialog), m_selection(selection), m_dateText(std::move(dateText))
{
    ui->setupUi(this);
    if (!m_dateText) {
        m_dateText = [](const QDateTime& dt) {
            const QLocale locale;
            return locale.toString(dt.date(), QLocale::LongFormat) + QLatin1Char(' ')
                + locale.toString(dt.time(), QLocale::ShortFormat);
        };
    }
    m_remove = ui->buttonBox->addButton(tr("Effacer"), QDialogButtonBox::DestructiveRole);
    m_selectAll = ui->buttonBox->addButton(tr("Tout sélectionner"), QDialogButtonBox::ActionRole);
    m_reverse = ui->buttonBox->addButton(tr("Inverser la sélection"), QDialogButtonBox::ActionRole);
    // Action buttons must not close the dialog.
    connect(m_remove, &QPushButton::clicked, this, &CampaignChoiceDialog::removeCampaigns);
    connect(m_selectAll, &QPushButton::clicked, this, &CampaignChoiceDialog::toggleAll);
    connect(m_reverse, &QPushButton::clicked, this, &CampaignChoiceDialog::reverseSelection);

    m_model.setSelection(&m_selection);
    connect(&m_model, &QAbstractItemModel::dataChanged, this, &CampaignChoiceDialog::showTicks);
    for (int row = 0; row < m_model.rowCount(); ++row)
        addRow(row);
    if (!m_selection.selectAllText().isEmpty())
        m_selectAll->setText(m_selection.selectAllText());
}

CampaignChoiceDialog::~CampaignChoiceDialog() = default;

void CampaignChoiceDialog::setDatabase(DatabaseConnection* db)
{
    m_selection.setDatabase(db);
}

int CampaignChoiceDialog::addCampaign(const CampaignInfo& campaign)
{
    const int row = m_selection.addCampaign(campaign);
    m_model.rowsChanged();
    addRow(m_model.listRow(row));
    m_selectAll->setText(m_selection.selectAllText());
    return row;
}

void CampaignChoiceDialog::addRow(int listRow)
{
    const CampaignInfo info = m_model.campaign(listRow);
    auto* synopsis = new CampaignSynopsis(ui->rowsContents);
    synopsis->setId(info.id);
    synopsis->setHeading(tr("Campagne du %1").arg(m_dateText(info.created)));
    synopsis->setPeriod(m_dateText(info.begin), m_dateText(info.end));
    synopsis->setTitle(info.title);
    synopsis->setStoreMode(info.storeMode);
    const int row = m_model.selectionRow(listRow);
    synopsis->setChecked(m_model.index(listRow).data(Qt::CheckStateRole).toInt() == Qt::Checked);
    connect(synopsis, &CampaignSynopsis::toggled, this, [this, row](bool checked) {
        m_model.setData(m_model.index(m_model.listRow(row)), checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    });
    ui->rowsLayout->addWidget(synopsis);
    m_rows.insert(row, synopsis);
    fitContents();
}

void CampaignChoiceDialog::removeRow(int row)
{
    CampaignSynopsis* synopsis = m_rows.take(row);
    if (!synopsis)
        return;
    const QSize before = ui->rowsContents->size();
    const int n = m_rows.size() + 1;
    ui->rowsLayout->removeWidget(synopsis);
    ui->rowsContents->resize(before.width(), before.height() - before.height() / n);
    delete synopsis;
}

void CampaignChoiceDialog::fitContents()
{
    // Rows as wide as the visible area (room kept for the vertical scroll bar) once it is known;
    // long texts wrap rather than scroll sideways.
    const int visible = ui->scrollArea->width() - 2 * ui->scrollArea->frameWidth()
        - ui->scrollArea->verticalScrollBar()->sizeHint().width();
    const int width = isVisible() ? visible : ui->rowsLayout->sizeHint().width();
    ui->rowsContents->resize(width, ui->rowsLayout->sizeHint().height());
}

void CampaignChoiceDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The visible width is known only now.
    fitContents();
}

void CampaignChoiceDialog::showTicks()
{
    for (int listRow = 0; listRow < m_model.rowCount(); ++listRow) {
        CampaignSynopsis* synopsis = m_rows.value(m_model.selectionRow(listRow));
        const bool ticked = m_model.index(listRow).data(Qt::CheckStateRole).toInt() == Qt::Checked;
        if (synopsis && synopsis->isChecked() != ticked)
            synopsis->setChecked(ticked);
    }
}

void CampaignChoiceDialog::removeCampaigns()
{
    m_selection.removeCampaigns([this](int row) { removeRow(row); }, m_dateText);
    m_model.rowsChanged();
}

void CampaignChoiceDialog::selectAll()
{
    m_selection.selectAll();
    m_model.ticksChanged();
}

void CampaignChoiceDialog::unselectAll()
{
    m_selection.unSelectAll();
    m_model.ticksChanged();
}

void CampaignChoiceDialog::reverseSelection()
{
    m_selection.reverseSelect();
    m_model.ticksChanged();
}

void CampaignChoiceDialog::toggleAll()
{
    m_selection.selectUnselectAll();
    m_selectAll->setText(m_selection.selectAllText());
    m_model.ticksChanged();
}
