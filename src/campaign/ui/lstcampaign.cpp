#include "lstcampaign.h"

#include "campaign/campaignselection.h"
#include "campaignsynopsis.h"
#include "ui_lstcampaign.h"

#include <QDebug>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>

LstCampaign::LstCampaign(CampaignSelection& selection, DateText dateText, QWidget* parent)
    : QDialog(parent), ui(new Ui::LstCampaign), m_selection(selection), m_dateText(std::move(dateText))
{
    ui->setupUi(this);
    if (!m_dateText) {
        m_dateText = [](const QDateTime& dt) {
            const QLocale locale;
            return locale.toString(dt.date(), QLocale::LongFormat) + QLatin1Char(' ')
                + locale.toString(dt.time(), QLocale::ShortFormat);
        };
    }
    m_pRemove = ui->buttonBox->addButton(tr("Effacer"), QDialogButtonBox::DestructiveRole);
    m_pSelectAll = ui->buttonBox->addButton(tr("Tout sélectionner"), QDialogButtonBox::ActionRole);
    m_pReverse = ui->buttonBox->addButton(tr("Inverser selection"), QDialogButtonBox::ActionRole);
    // Action buttons must not close the dialog.
    connect(m_pRemove, &QPushButton::clicked, this, &LstCampaign::removeCampaign);
    connect(m_pSelectAll, &QPushButton::clicked, this, &LstCampaign::selectUnselectAll);
    connect(m_pReverse, &QPushButton::clicked, this, &LstCampaign::reverseSelect);

    for (int row : m_selection.rows())
        addRow(row);
    if (!m_selection.selectAllText().isEmpty())
        m_pSelectAll->setText(m_selection.selectAllText());
    showTicks();
}

LstCampaign::~LstCampaign() = default;

void LstCampaign::setDatabase(DatabaseManager* db)
{
    m_selection.setDatabase(db);
}

int LstCampaign::addCampaign(const CampaignInfo& campaign)
{
    const int row = m_selection.addCampaign(campaign);
    addRow(row);
    m_pSelectAll->setText(m_selection.selectAllText());
    showTicks();
    return row;
}

void LstCampaign::addRow(int row)
{
    const CampaignInfo info = m_selection.campaign(row);
    auto* synopsis = new CampaignSynopsis(ui->scrollAreaWidgetContents);
    synopsis->setId(info.id);
    synopsis->setHeading(tr("Campagne du %1").arg(m_dateText(info.created)));
    synopsis->setPeriod(m_dateText(info.begin), m_dateText(info.end));
    synopsis->setTitle(info.title);
    synopsis->setComment(info.comment);
    synopsis->setStoreMode(info.storeMode);
    synopsis->setChecked(m_selection.isTicked(row));
    connect(synopsis, &CampaignSynopsis::campaignSelected, this,
            [this, row, synopsis]() { m_selection.setTicked(row, synopsis->isChecked()); });
    ui->gb1_verticalLayout->addWidget(synopsis);
    m_rows.insert(row, synopsis);
    fitContents();
}

void LstCampaign::removeRow(int row)
{
    CampaignSynopsis* synopsis = m_rows.take(row);
    if (!synopsis)
        return;
    const QSize before = ui->scrollAreaWidgetContents->size();
    const int n = m_rows.size() + 1;
    qDebug() << "Removing child from layout";
    ui->gb1_verticalLayout->removeWidget(synopsis);
    qDebug() << "taille avant" << before.height() << "taille item" << before.height() / n << "taille après"
             << before.height() - before.height() / n;
    ui->scrollAreaWidgetContents->resize(before.width(), before.height() - before.height() / n);
    qDebug() << "Deleting object";
    delete synopsis;
}

void LstCampaign::fitContents()
{
    QWidget* contents = ui->scrollAreaWidgetContents;
    QLayout* layout = ui->gb1_verticalLayout;
    // Rows as wide as the visible area (room kept for the vertical scroll bar) once it is known;
    // long texts wrap rather than scroll sideways.
    const int visible = ui->scrollArea->width() - 2 * ui->scrollArea->frameWidth()
        - ui->scrollArea->verticalScrollBar()->sizeHint().width();
    const int width = isVisible() ? visible : layout->sizeHint().width();
    contents->resize(width, layout->sizeHint().height());
}

void LstCampaign::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The visible width is known only now.
    fitContents();
}

void LstCampaign::showTicks()
{
    for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it) {
        const bool ticked = m_selection.isTicked(it.key());
        if (it.value()->isChecked() != ticked)
            it.value()->setChecked(ticked);
    }
}

int LstCampaign::checkStoreMode(bool* mismatch)
{
    const int mode = m_selection.checkStoreMode(mismatch);
    showTicks();
    return mode;
}

QMap<int, int> LstCampaign::campaignIds() const
{
    return m_selection.campaignIds();
}

bool LstCampaign::checkContiguity()
{
    const bool filled = m_selection.checkContiguity();
    showTicks();
    return filled;
}

bool LstCampaign::selectedPeriod(QDateTime& start, QDateTime& end) const
{
    return m_selection.selectedPeriod(start, end);
}

void LstCampaign::removeCampaign()
{
    m_selection.removeCampaigns([this](int row) { removeRow(row); }, m_dateText);
    showTicks();
}

void LstCampaign::selectAll()
{
    m_selection.selectAll();
    showTicks();
}

void LstCampaign::unSelectAll()
{
    m_selection.unSelectAll();
    showTicks();
}

void LstCampaign::reverseSelect()
{
    m_selection.reverseSelect();
    showTicks();
}

void LstCampaign::selectUnselectAll()
{
    m_selection.selectUnselectAll();
    m_pSelectAll->setText(m_selection.selectAllText());
    showTicks();
}
