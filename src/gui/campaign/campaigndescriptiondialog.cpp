// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/campaign/campaigndescriptiondialog.h"

#include "ui_campaigndescriptiondialog.h"

CampaignDescriptionDialog::CampaignDescriptionDialog(QWidget* parent)
    : QDialog(parent), ui(new Ui::CampaignDescriptionDialog)
{
    ui->setupUi(this);
}

CampaignDescriptionDialog::~CampaignDescriptionDialog() = default;

void CampaignDescriptionDialog::setPeriod(const QString& start, const QString& end)
{
    ui->startLabel->setText(start);
    ui->endLabel->setText(end);
}

void CampaignDescriptionDialog::setTitle(const QString& title)
{
    ui->titleEdit->setText(title);
}
QString CampaignDescriptionDialog::title() const
{
    return ui->titleEdit->text();
}
void CampaignDescriptionDialog::setComment(const QString& html)
{
    ui->commentEdit->setHtml(html);
}
QString CampaignDescriptionDialog::comment() const
{
    return ui->commentEdit->document()->toHtml();
}
