// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/campaign/campaignchoicedialog.h"

#include "campaign/campaignselection.h"
#include "gui/campaign/campaignsynopsis.h"
#include "ui_campaignchoicedialog.h"

#include <QDebug>
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
    m_reverse = ui->buttonBox->addButton(tr("Inverser selection"), QDialogButtonBox::ActionRole);
    // Action buttons must not close the dialog.
    connect(m_remove, &QPushButton::clicked, this, &CampaignChoiceDialog::removeCampaign);
    connect(m_selectAll, &QPushButton::clicked, this, &CampaignChoiceDialog::selectUnselectAll);
    connect(m_reverse, &QPushButton::clicked, this, &CampaignChoiceDialog::reverseSelect);

    for (int row : m_selection.rows())
        addRow(row);
    if (!m_selection.selectAllText().isEmpty())
        m_selectAll->setText(m_selection.selectAllText());
    showTicks();
}

CampaignChoiceDialog::~CampaignChoiceDialog() = default;

void CampaignChoiceDialog::setDatabase(DatabaseConnection* db)
{
    m_selection.setDatabase(db);
}

int CampaignChoiceDialog::addCampaign(const CampaignInfo& campaign)
{
    const int row = m_selection.addCampaign(campaign);
    addRow(row);
    m_selectAll->setText(m_selection.selectAllText());
    showTicks();
    return row;
}

void CampaignChoiceDialog::addRow(int row)
{
    const CampaignInfo info = m_selection.campaign(row);
    auto* synopsis = new CampaignSynopsis(ui->rowsContents);
    synopsis->setId(info.id);
    synopsis->setHeading(tr("Campagne du %1").arg(m_dateText(info.created)));
    synopsis->setPeriod(m_dateText(info.begin), m_dateText(info.end));
    synopsis->setTitle(info.title);
    synopsis->setStoreMode(info.storeMode);
    synopsis->setChecked(m_selection.isTicked(row));
    connect(synopsis, &CampaignSynopsis::toggled, this,
            [this, row, synopsis]() { m_selection.setTicked(row, synopsis->isChecked()); });
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
    qDebug() << "Removing child from layout";
    ui->rowsLayout->removeWidget(synopsis);
    qDebug() << "taille avant" << before.height() << "taille item" << before.height() / n << "taille après"
             << before.height() - before.height() / n;
    ui->rowsContents->resize(before.width(), before.height() - before.height() / n);
    qDebug() << "Deleting object";
    delete synopsis;
}

void CampaignChoiceDialog::fitContents()
{
    QWidget* contents = ui->rowsContents;
    QLayout* layout = ui->rowsLayout;
    // Rows as wide as the visible area (room kept for the vertical scroll bar) once it is known;
    // long texts wrap rather than scroll sideways.
    const int visible = ui->scrollArea->width() - 2 * ui->scrollArea->frameWidth()
        - ui->scrollArea->verticalScrollBar()->sizeHint().width();
    const int width = isVisible() ? visible : layout->sizeHint().width();
    contents->resize(width, layout->sizeHint().height());
}

void CampaignChoiceDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The visible width is known only now.
    fitContents();
}

void CampaignChoiceDialog::showTicks()
{
    for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it) {
        const bool ticked = m_selection.isTicked(it.key());
        if (it.value()->isChecked() != ticked)
            it.value()->setChecked(ticked);
    }
}

int CampaignChoiceDialog::checkStoreMode(bool* mismatch)
{
    const int mode = m_selection.checkStoreMode(mismatch);
    showTicks();
    return mode;
}

QMap<int, int> CampaignChoiceDialog::campaignIds() const
{
    return m_selection.campaignIds();
}

bool CampaignChoiceDialog::checkContiguity()
{
    const bool filled = m_selection.checkContiguity();
    showTicks();
    return filled;
}

bool CampaignChoiceDialog::selectedPeriod(QDateTime& start, QDateTime& end) const
{
    return m_selection.selectedPeriod(start, end);
}

void CampaignChoiceDialog::removeCampaign()
{
    m_selection.removeCampaigns([this](int row) { removeRow(row); }, m_dateText);
    showTicks();
}

void CampaignChoiceDialog::selectAll()
{
    m_selection.selectAll();
    showTicks();
}

void CampaignChoiceDialog::unSelectAll()
{
    m_selection.unSelectAll();
    showTicks();
}

void CampaignChoiceDialog::reverseSelect()
{
    m_selection.reverseSelect();
    showTicks();
}

void CampaignChoiceDialog::selectUnselectAll()
{
    m_selection.selectUnselectAll();
    m_selectAll->setText(m_selection.selectAllText());
    showTicks();
}
