// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/campaign/campaignsynopsis.h"

#include "ui_campaignsynopsis.h"

CampaignSynopsis::CampaignSynopsis(QWidget* parent) : QWidget(parent), ui(new Ui::CampaignSynopsis)
{
    ui->setupUi(this);
    // The whole row takes the colour, not only the labels on it.
    setAttribute(Qt::WA_StyledBackground);
    setStoreMode(0);
    connect(ui->gb2_checkBox, &QCheckBox::stateChanged, this, &CampaignSynopsis::information);
}

CampaignSynopsis::~CampaignSynopsis() = default;

void CampaignSynopsis::setStoreMode(int mode)
{
    m_storeMode = mode;
    ui->gb2_label_4->setText(tr("Version %1").arg(mode));
}

void CampaignSynopsis::setHeading(const QString& text)
{
    ui->gb2_label_1->setText(text);
}
QString CampaignSynopsis::heading() const
{
    return ui->gb2_label_1->text();
}
void CampaignSynopsis::setTitle(const QString& title)
{
    ui->gb2_label_3->setText(title);
}
QString CampaignSynopsis::title() const
{
    return ui->gb2_label_3->text();
}

void CampaignSynopsis::setPeriod(const QString& start, const QString& end)
{
    ui->gb2_label_2->setText(tr("(Du %1 au %2)").arg(start, end));
}

QString CampaignSynopsis::period() const
{
    return ui->gb2_label_2->text();
}
bool CampaignSynopsis::isChecked() const
{
    return ui->gb2_checkBox->isChecked();
}
void CampaignSynopsis::setChecked(bool checked)
{
    ui->gb2_checkBox->setChecked(checked);
}

void CampaignSynopsis::information(int)
{
    emit campaignSelected();
}
