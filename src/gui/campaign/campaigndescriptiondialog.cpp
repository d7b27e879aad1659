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
    ui->gb60_label_6->setText(start);
    ui->gb60_label_7->setText(end);
}

void CampaignDescriptionDialog::setTitle(const QString& title)
{
    ui->gb60_lineEdit->setText(title);
}
QString CampaignDescriptionDialog::title() const
{
    return ui->gb60_lineEdit->text();
}
void CampaignDescriptionDialog::setComment(const QString& html)
{
    ui->gb60_textEdit->setHtml(html);
}
QString CampaignDescriptionDialog::comment() const
{
    return ui->gb60_textEdit->document()->toHtml();
}
