// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/campaign/campaignsynopsis.h"

#include "ui_campaignsynopsis.h"

CampaignSynopsis::CampaignSynopsis(QWidget* parent) : QWidget(parent), ui(new Ui::CampaignSynopsis)
{
    ui->setupUi(this);
    // The whole row takes the colour, not only the labels on it.
    setAttribute(Qt::WA_StyledBackground);
    setStoreMode(0);
    connect(ui->tickBox, &QCheckBox::toggled, this, &CampaignSynopsis::toggled);
}

CampaignSynopsis::~CampaignSynopsis() = default;

void CampaignSynopsis::setStoreMode(int mode)
{
    m_storeMode = mode;
    ui->storeModeLabel->setText(tr("Version %1").arg(mode));
}

void CampaignSynopsis::setHeading(const QString& text)
{
    ui->headingLabel->setText(text);
}
QString CampaignSynopsis::heading() const
{
    return ui->headingLabel->text();
}
void CampaignSynopsis::setTitle(const QString& title)
{
    ui->titleLabel->setText(title);
}
QString CampaignSynopsis::title() const
{
    return ui->titleLabel->text();
}

void CampaignSynopsis::setPeriod(const QString& start, const QString& end)
{
    ui->periodLabel->setText(tr("(Du %1 au %2)").arg(start, end));
}

QString CampaignSynopsis::period() const
{
    return ui->periodLabel->text();
}
bool CampaignSynopsis::isChecked() const
{
    return ui->tickBox->isChecked();
}
void CampaignSynopsis::setChecked(bool checked)
{
    ui->tickBox->setChecked(checked);
}
